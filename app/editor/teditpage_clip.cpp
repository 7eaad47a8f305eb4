// Delete, cut and copy of the selected objects through the system clipboard, where they
// travel as their records, the fix-ups after objects were decoded onto a window, and the
// refusal of an object whose record is too long to store wherever one could arrive.
#include "app/editor/teditpage.h"

#include "app/editor/editclip.h"
#include "app/editor/kindtools.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/msgtable.h"
#include "app/ui/objtools.h"
#include "app/ui/prompt.h"

#include <QAction>

#include <algorithm>

namespace {

constexpr std::int32_t kUnsetLevel = 255;
constexpr int kMsgRecordTooLong = 946; // an object's record too long to store: nothing changed
constexpr int kMsgNotStored = 947;     // %1 was not stored: an object's record too long
constexpr int kMsgScreen = 943;        // a window without a caption

} // namespace

// ---- Records too long to store

std::size_t TEditPage::UnstorableCount(const TObjList& objs) const
{
    std::size_t n = 0;
    kes::RecEncodeEnv env = EncodeEnv();
    env.OnTooLong = [&n](const TLxObj&) { ++n; };
    kes::Bytes scratch;
    kes::PgRecordsChx(scratch, 0, kes::kEncFile, nullptr, objs, env);
    return n;
}

bool TEditPage::RefuseUnstorable(const TObjList& objs) const
{
    if (UnstorableCount(objs) == 0)
        return false;
    kes::ShowError(host_.Ask(), kes::Msg(kMsgRecordTooLong));
    return true;
}

bool TEditPage::RefuseUnstorablePaste(kes::ByteSpan records)
{
    // Read apart from the window: a refused paste leaves it and its history alone.
    kes::PageData trial;
    trial.Zoom = Data().Zoom;
    trial.GridWidth = Data().GridWidth;
    trial.GridHeight = Data().GridHeight;
    trial.Pasting = 1;
    DecodeTrial(trial, records);
    return RefuseUnstorable(trial.ObjList);
}

bool TEditPage::KeepStorable(const UndoSnap& before)
{
    if (!before.Whole || UnstorableCount(Data().ObjList) == 0)
        return true;
    kes::ShowError(host_.Ask(), kes::Msg(kMsgRecordTooLong));
    if (TDlgProp* inspector = host_.Inspector())
        inspector->ShownObj = nullptr;
    RestoreSnap(before);
    EditStateRefresh();
    return false;
}

std::optional<kes::Bytes> TEditPage::StoreChecked(kes::Bytes encoded, std::size_t leftOut)
{
    // A record read in part and not changed since is stored as it was read, whatever its
    // objects encode to.
    if (!partialRecord_.empty() && encoded == partialReadBack_)
        return partialRecord_;
    if (leftOut > 0) {
        const QString name = windowTitle().isEmpty() ? kes::Msg(kMsgScreen) : windowTitle();
        kes::ShowError(host_.Ask(), kes::Msg(kMsgNotStored).arg(name));
        return std::nullopt;
    }
    return StoredForm(std::move(encoded));
}

// ---- The selected objects

void TEditPage::PopCopyClick() { CopySelected(); }

bool TEditPage::CopySelected()
{
    // Only the objects: the selection as list gives no page records.
    std::size_t leftOut = 0;
    const kes::Bytes records = EncodeObjs(Data().SelList, 2, &leftOut);
    DragPending = 0;
    if (leftOut > 0) {
        kes::ShowError(host_.Ask(), kes::Msg(kMsgRecordTooLong));
        EditStateRefresh();
        return false;
    }
    kes::PutOnClipboard(host_.ClipFmtObjects(), kes::MakeClipBlock(records));
    EditStateRefresh();
    return true;
}

void TEditPage::DestroyObjs(TObjList objs)
{
    canvas_->ForgetObjects();
    for (TLxObj* obj : objs) {
        if (TDlgProp* inspector = host_.Inspector(); inspector && inspector->ShownObj == obj)
            inspector->ShownObj = nullptr;
        outlined_.erase(obj);
        std::erase(OverlapList, obj);
        Data().DeleteObj(obj);
    }
}

void TEditPage::PopDelClick()
{
    MarkModified();
    UndoPush();
    TObjList gone;
    for (TLxObj* obj : Data().SelList)
        if (std::find(Data().ObjList.begin(), Data().ObjList.end(), obj) != Data().ObjList.end())
            gone.push_back(obj);
    DestroyObjs(gone);
    Data().SelList.clear();
    // A key the deleted objects held is free again unless another object holds it too.
    Data().RecountBtnKeys();
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

void TEditPage::PopCutClick()
{
    // What could not be copied stays on the window.
    if (!CopySelected())
        return;
    PopDelClick();
    DragPending = 0;
    EditStateRefresh();
    MarkModified();
}

void TEditPage::AfterDecode(std::size_t first)
{
    for (std::size_t i = first; i < Data().ObjList.size(); ++i) {
        TLxObj* obj = Data().ObjList[i];
        const kes::KindTools* tools = kes::KindToolsOf(*obj);
        if (tools && tools->Edits.PrintCaption) {
            const QAction* item = Cmds().Action(kes::ObjToolOf(tools->Kind).MenuItem);
            tools->Edits.PrintCaption(*obj, item ? item->text() : QString());
        }
        if (const kes::OperatorFields f = kes::OperatorFieldsOf(*obj); f.UserLevel && *f.UserLevel == kUnsetLevel)
            *f.UserLevel = 0;
    }
    Data().RecountBtnKeys();
}

void TEditPage::RefreshInspector()
{
    TDlgProp& inspector = *host_.Inspector();
    if (Data().CurObj && inspector.ShownObj == Data().CurObj) {
        inspector.ObjToProp();
        inspector.AdvStrGrid->GridInitial();
    } else {
        inspector.show();
        inspector.FormShow();
    }
}

void TEditPage::RefreshInspectorRows()
{
    if (TDlgProp* inspector = host_.Inspector(); inspector && host_.View().ObjInspectorOn && Data().CurObj) {
        inspector->ObjToProp();
        inspector->AdvStrGrid->GridInitial();
    }
}
