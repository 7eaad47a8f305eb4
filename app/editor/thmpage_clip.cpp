// Paste of objects onto a page, and copy and paste of a whole page, through the system
// clipboard. Objects travel as their page records; a block found under
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
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "platform/codepage.h"

#include <QAction>

#include <algorithm>

namespace {

constexpr int kMsgPastePage = 205;    // replace the page's objects and settings?
constexpr int kMsgPasteDamaged = 489; // "The page on the clipboard is damaged and was not pasted:"

void ShowPasteDamaged(kes::Prompt& prompt, const QString& why)
{
    kes::ShowError(prompt, kes::Msg(kMsgPasteDamaged) + QStringLiteral("\n") + why);
}

} // namespace

void THmPage::PopPasteClick()
{
    Data().Pasting = 1;
    const kes::Bytes block = kes::ClipboardBlock(host_.ClipFmtObjects());
    const auto records = kes::ClipBlockRecords(block);
    // The checks come before the undo step, so a refused paste records none.
    if (records && RoomFor(static_cast<int>(records->size()), false) && !RefuseUnstorablePaste(*records)) {
        UndoPush();
        DecodeObjs(*records, true);
        MarkModified();
    }
    DragPending = 0;
    Data().Pasting = 0;
    EditStateRefresh();
    canvas_->update();
}

// ---- The whole page

void THmPage::MmCopyAllClick()
{
    if (host_.View().EditMode != kes::Editing::Pages || Data().PgIndex < 0 ||
        Data().PgIndex >= static_cast<int>(host_.Doc().PgDataList.size()))
        return;
    // A page its record does not hold whole is not copied from that record.
    if (PgDataSave() < 0)
        return;
    const PgDataStr& rec = *host_.Doc().PgDataList[static_cast<std::size_t>(Data().PgIndex)];
    kes::PutOnClipboard(host_.ClipFmtPage(), kes::MakeClipBlock(rec.Data));
    DragPending = 0;
    EditStateRefresh();
}

void THmPage::MmPasteAllClick()
{
    if (host_.View().EditMode != kes::Editing::Pages)
        return;
    Data().Pasting = 1;
    const kes::Bytes block = kes::ClipboardBlock(host_.ClipFmtPage());
    if (const auto records = kes::ClipBlockRecords(block))
        PastePage(*records);
    else if (!block.empty())
        ShowPasteDamaged(host_.Ask(), kes::DecodeErrorText(kes::DecodeError::LengthPastEnd)); // shorter than its length
    DragPending = 0;
    MarkModified();
    Data().Pasting = 0;
    EditStateRefresh();
}

void THmPage::PastePage(kes::ByteSpan records)
{
    // The pasted stream takes the place of what the page stores now.
    if (host_.Doc().Modified)
        PgDataSave();
    std::int64_t stored = 0;
    if (Data().PgIndex >= 0 && Data().PgIndex < static_cast<int>(host_.Doc().PgDataList.size()))
        stored =
            static_cast<std::int64_t>(host_.Doc().PgDataList[static_cast<std::size_t>(Data().PgIndex)]->Data.size());
    if (kes::ImageWouldOverflow(host_.Doc(),
                                std::max<std::int64_t>(0, static_cast<std::int64_t>(records.size()) - stored)))
        return;
    // The block must read whole before anything on the page changes.
    {
        kes::PageData trial;
        const kes::PgReadResult r = kes::PgDataToObj(trial, Env(), records, 0, records.size());
        if (!r.Ok()) {
            ShowPasteDamaged(host_.Ask(), QStringLiteral("%1 (%2)").arg(r.Position).arg(kes::DecodeErrorText(r.Error)));
            return;
        }
        if (RefuseUnstorable(trial.ObjList))
            return;
    }
    // Judged from the page itself: the menus' check marks may be stale.
    const SettingsUse use = SettingsInUse();
    if (!Data().ObjList.empty() || use.Any()) {
        if (kes::ShowMessage(host_.Ask(), kes::Msg(kMsgPastePage), kes::Buttons::YesNo) != kes::Answer::Yes)
            return;
        UndoPush();
        if (!Data().ObjList.empty())
            ClearPageObjs();
        if (use.PgJumps)
            Data().ClearPgJumps();
        if (use.Hide)
            PgHideClear();
        if (use.Buzzer || use.AlarmLamp)
            Data().PgAlarmDefaults(host_.Doc());
        if (use.NumWrite)
            host_.Doc().InitDevRef(Data().PgNumWrite.Ref);
        if (use.FunKeys)
            Data().PgFunKeyDefaults(host_.Doc());
    } else {
        UndoPush();
    }
    const std::size_t first = Data().ObjList.size();
    kes::PageEnv env = Env();
    kes::PgDataToObj(Data(), env, records, 0, records.size());
    AfterDecode(first);
    FormActivate();
}

void THmPage::PgHideClear() { Data().PgHide = PgHideRec{}; }

// ---- What the page holds

THmPage::SettingsUse THmPage::SettingsInUse() const
{
    SettingsUse use;
    for (const PgFunKeyRec& k : Data().PgFunKeys)
        use.FunKeys = use.FunKeys || k.ButtonType != kes::BtnType::None;
    use.PgJumps = !Data().PgJmpList.empty();
    use.Buzzer = Data().PgSysRecs[0].Ref.DevAddrCode != -1;
    use.AlarmLamp = Data().PgSysRecs[1].Ref.DevAddrCode != -1;
    use.Hide = Data().PgHide.Hide != 0;
    use.NumWrite = Data().PgNumWrite.Ref.DevAddrCode != -1;
    return use;
}
