// Delete, cut, copy and paste of the selected objects, and copy and paste of a whole page,
// through the system clipboard. Objects travel as their page records; a block found under
// one of the two format names is read only when its count and its records' framing hold,
// since any program can publish a block under those names.
#include "app/editor/thmpage.h"

#include "app/editor/editclip.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/memimage.h"
#include "app/project/pgread.h"
#include "app/ui/commandpanel.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "platform/codepage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <algorithm>

namespace {

constexpr int kMsgPastePage = 205;    // replace the page's objects and settings?
constexpr int kMsgButtonTypes = 229;  // + button type: the type's name
constexpr std::uint8_t kNoButtonType = 255;
constexpr std::int32_t kUnsetLevel = 255;

// Replaces whatever the clipboard held by the block under that format.
void PutOnClipboard(const QString& format, const kes::Bytes& block)
{
    auto* data = new QMimeData;
    data->setData(format, QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
    QApplication::clipboard()->setMimeData(data);
}

// The clipboard's block of that format; empty when it holds none.
kes::Bytes ClipboardBlock(const QString& format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(format))
        return {};
    const QByteArray block = data->data(format);
    return kes::Bytes(block.begin(), block.end());
}

// The function key a button or value entry is bound to, or 255.
std::uint8_t BoundKeyOf(const TLxObj& obj)
{
    if (const auto* btn = dynamic_cast<const TLxBtn*>(&obj))
        return btn->RefKey;
    if (const auto* entry = dynamic_cast<const TLxGetVal*>(&obj))
        return entry->RefKey;
    return 255;
}

} // namespace

// ---- The selected objects

void THmPage::PopCopyClick()
{
    // Only the objects: the selection as list gives no page records.
    kes::Bytes records;
    const int n = kes::PgDataChx(*this, records, 0, 2, &SelList, EncodeEnv());
    records.resize(static_cast<std::size_t>(std::max(n, 0)));
    PutOnClipboard(host_.ClipFmtObjects(), kes::MakeClipBlock(records));
    DragPending = 0;
    EditStateRefresh();
}

void THmPage::DestroyObjs(const TObjList& objs)
{
    canvas_->ForgetObjects();
    for (TLxObj* obj : objs) {
        if (DlgProp && DlgProp->ShownObj == obj)
            DlgProp->ShownObj = nullptr;
        outlined_.erase(obj);
        std::erase(OverlapList, obj);
        DeleteObj(obj);
    }
}

void THmPage::PopDelClick()
{
    MarkModified();
    UndoPush();
    TObjList gone;
    for (TLxObj* obj : SelList)
        if (std::find(ObjList.begin(), ObjList.end(), obj) != ObjList.end())
            gone.push_back(obj);
    DestroyObjs(gone);
    SelList.clear();
    // A key the deleted objects held is free again unless another object holds it too.
    RecountBtnKeys();
    DragPending = 0;
    EditStateRefresh();
    host_.SetObjEditTools(false);
    Cmds().SetItemChecked("TbBmp", false);
    Cmds().SetItemChecked("TbText", false);
    for (const char* n : {"TbState_Lab", "TbState_UD", "TbState_Box", "TbFont_Lab", "TbFont_Box"})
        Cmds().SetItemEnabled(n, false);
    MarkModified();
    canvas_->update();
}

void THmPage::PopCutClick()
{
    PopCopyClick();
    PopDelClick();
    DragPending = 0;
    EditStateRefresh();
    MarkModified();
}

void THmPage::PopPasteClick()
{
    Pasting = 1;
    const kes::Bytes block = ClipboardBlock(host_.ClipFmtObjects());
    const auto records = kes::ClipBlockRecords(block);
    // The memory check comes before the undo step, so a refused paste records none.
    if (records && !kes::ImageWouldOverflow(host_.Doc(), static_cast<std::int64_t>(records->size()))) {
        kes::PageEnv env = Env();
        // The multiple copy takes its own snapshot.
        if (!env.MultiCopy)
            UndoPush();
        const std::size_t first = ObjList.size();
        kes::PastePgData(*this, env, *records, 0, records->size());
        AfterDecode(first);
        MarkModified();
    }
    DragPending = 0;
    Pasting = 0;
    EditStateRefresh();
    canvas_->update();
}

// ---- The whole page

void THmPage::MmCopyAllClick()
{
    if (host_.Doc().EditMode != 3 || PgIndex < 0 || PgIndex >= static_cast<int>(host_.Doc().PgDataList.size()))
        return;
    PgDataSave();
    const PgDataStr& rec = *host_.Doc().PgDataList[static_cast<std::size_t>(PgIndex)];
    PutOnClipboard(host_.ClipFmtPage(), kes::MakeClipBlock(rec.Data));
    DragPending = 0;
    EditStateRefresh();
}

void THmPage::MmPasteAllClick()
{
    if (host_.Doc().EditMode != 3)
        return;
    Pasting = 1;
    const kes::Bytes block = ClipboardBlock(host_.ClipFmtPage());
    if (const auto records = kes::ClipBlockRecords(block))
        PastePage(*records);
    DragPending = 0;
    MarkModified();
    Pasting = 0;
    EditStateRefresh();
}

void THmPage::PastePage(kes::ByteSpan records)
{
    // The pasted stream takes the place of what the page stores now.
    if (host_.Doc().Modified)
        PgDataSave();
    std::int64_t stored = 0;
    if (PgIndex >= 0 && PgIndex < static_cast<int>(host_.Doc().PgDataList.size()))
        stored = static_cast<std::int64_t>(host_.Doc().PgDataList[static_cast<std::size_t>(PgIndex)]->Data.size());
    if (kes::ImageWouldOverflow(host_.Doc(), std::max<std::int64_t>(0, static_cast<std::int64_t>(records.size()) - stored)))
        return;
    // Judged from the page itself: the menus' check marks may be stale.
    const SettingsUse use = SettingsInUse();
    if (!ObjList.empty() || use.Any()) {
        if (kes::ShowMessage(kes::Msg(kMsgPastePage), kes::Buttons::YesNo) != kes::Answer::Yes)
            return;
        UndoPush();
        if (!ObjList.empty())
            ClearPageObjs();
        if (use.PgJumps)
            ClearPgJumps();
        if (use.Hide)
            PgHideClear();
        if (use.Buzzer || use.AlarmLamp)
            PgAlarmDefaults(host_.Doc());
        if (use.NumWrite)
            host_.Doc().InitDevRef(PgNumWrite.Ref);
        if (use.FunKeys)
            PgFunKeyDefaults(host_.Doc());
    } else {
        UndoPush();
    }
    const std::size_t first = ObjList.size();
    kes::PageEnv env = Env();
    kes::PgDataToObj(*this, env, records, 0, records.size());
    AfterDecode(first);
    FormActivate();
}

void THmPage::PgHideClear() { PgHide = PgHideRec{}; }

// ---- What the page holds

THmPage::SettingsUse THmPage::SettingsInUse() const
{
    SettingsUse use;
    for (const PgFunKeyRec& k : PgFunKeys)
        use.FunKeys = use.FunKeys || k.ButtonType < kNoButtonType;
    use.PgJumps = !PgJmpList.empty();
    use.Buzzer = PgSysRecs[0].Ref.DevAddrCode != -1;
    use.AlarmLamp = PgSysRecs[1].Ref.DevAddrCode != -1;
    use.Hide = PgHide.Hide != 0;
    use.NumWrite = PgNumWrite.Ref.DevAddrCode != -1;
    return use;
}

bool THmPage::PageIsEmpty() const { return ObjList.empty() && !SettingsInUse().Any(); }

void THmPage::RecountBtnKeys()
{
    ObjFunKeyUsed.fill(0);
    for (const TLxObj* obj : ObjList)
        if (const std::uint8_t key = BoundKeyOf(*obj); key < kFunKeyCount)
            ObjFunKeyUsed[key] = 1;
}

void THmPage::AfterDecode(std::size_t first)
{
    const QAction* btnItem = Cmds().Action("MmBtn");
    const QString btnCaption = btnItem ? btnItem->text() : QString();
    for (std::size_t i = first; i < ObjList.size(); ++i) {
        TLxObj* obj = ObjList[i];
        if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
            QString print = btnCaption;
            if (btn->BtnType != kNoButtonType)
                print += QLatin1Char('[') + kes::Msg(kMsgButtonTypes + btn->BtnType) + QLatin1Char(']');
            btn->PrintText = kes::QStringToAnsi(print);
            if (btn->UserLevel == kUnsetLevel)
                btn->UserLevel = 0;
        } else if (auto* entry = dynamic_cast<TLxGetVal*>(obj)) {
            if (entry->UserLevel == kUnsetLevel)
                entry->UserLevel = 0;
        }
    }
    RecountBtnKeys();
}

void THmPage::RefreshInspectorRows()
{
    if (DlgProp && host_.Doc().ObjInspectorOn && CurObj) {
        DlgProp->ObjToProp();
        DlgProp->AdvStrGrid->GridInitial();
    }
}
