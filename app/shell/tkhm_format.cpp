// The main window's commands on the selected objects: they route to the editor EditMode
// names (3 the current page, 1 the start-up screen, 2 the current user-menu page), which
// moves, aligns and re-stacks them and sets the current object's text position, font and
// picture.
#include "app/shell/formatcommands.h"

#include "app/dialogs/formrunner.h"
#include "app/editor/editorder.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/inspector/inspectordialogs.h"
#include "app/project/prjcheck.h"
#include "app/shell/tkhm.h"
#include "app/ui/codepageguard.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"

#include <QAction>
#include <QDialog>
#include <QKeySequence>

namespace kes {

namespace {

constexpr int kMsgLinkedRecordsFull = 299;
constexpr int kPgNumWriteMode = 1006; // the page-number write record, not the clock write

// The current page when pages are edited, holding its objects.
THmPage* LivePage(const TKhm& k)
{
    THmPage* page = k.PageEd->Current();
    return k.View.EditMode == Editing::Pages && page && page->Live() ? page : nullptr;
}

void Modified(TKhm& k)
{
    k.Doc.Modified = 1;
    k.Doc.Compiled = 0;
}

// A page command in page editing, else the command of the start-up screen or the current
// user-menu page.
void Route(TKhm& k, void (THmPage::*pageCommand)(), ImageCommand imageCommand)
{
    if (k.View.EditMode == Editing::Pages) {
        if (THmPage* page = LivePage(k))
            (page->*pageCommand)();
    } else if (k.View.EditMode == kes::Editing::StartScreen || k.View.EditMode == kes::Editing::UserMenu) {
        k.Screens->Command(k.View.EditMode, imageCommand);
    }
}

// The step and edge buttons: the page, or the start-up screen; nothing on user-menu pages.
void RouteStep(TKhm& k, void (THmPage::*pageCommand)(int), void (ScreenEditor::*imageCommand)(Editing, int), int arg)
{
    if (k.View.EditMode == Editing::Pages) {
        if (THmPage* page = LivePage(k))
            (page->*pageCommand)(arg);
    } else if (k.View.EditMode == kes::Editing::StartScreen) {
        (*k.Screens.*imageCommand)(kes::Editing::StartScreen, arg);
    }
}

// ---- Position tool bar: the selection one panel pixel up, down, left or right, and its tops,
// bottoms, lefts or rights to the outermost of them.

void TbStepUpClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, &ScreenEditor::StepSelObjs, kStepUp); }
void TbStepDownClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, &ScreenEditor::StepSelObjs, kStepDown); }
void TbStepLeftClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, &ScreenEditor::StepSelObjs, kStepLeft); }
void TbStepRightClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, &ScreenEditor::StepSelObjs, kStepRight); }
void TbSideUpClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, &ScreenEditor::AlignSelObjs, kAlignTops); }
void TbSideDownClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, &ScreenEditor::AlignSelObjs, kAlignBottoms); }
void TbSideLeftClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, &ScreenEditor::AlignSelObjs, kAlignLefts); }
void TbSideRightClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, &ScreenEditor::AlignSelObjs, kAlignRights); }

// ---- Z-order of the selection (Edit menu)

void MmMovTopClick(TKhm& k) { Route(k, &THmPage::MmMovTopClick, ImageCommand::MoveTop); }
void MmMovbuttonClick(TKhm& k) { Route(k, &THmPage::MmMovbuttonClick, ImageCommand::MoveBottom); }
void MmMultiCopyClick(TKhm& k) { Route(k, &THmPage::MmMultiCopyClick, ImageCommand::MultiCopy); }
void MmMoveUpClick(TKhm& k) { Route(k, &THmPage::MmMoveUpClick, ImageCommand::MoveUp); }
void MmMovDnClick(TKhm& k) { Route(k, &THmPage::MmMoveDnClick, ImageCommand::MoveDown); }

// The editor of that mode, whose commands act on its current object.
TEditPage* ObjEditor(const TKhm& k, Editing editMode)
{
    if (editMode == Editing::Pages)
        return LivePage(k);
    return k.Screens->Editor(editMode);
}

TLxObj* CurrentObj(const TKhm& k, Editing editMode)
{
    const TEditPage* editor = ObjEditor(k, editMode);
    return editor ? editor->Data().CurObj : nullptr;
}

// ---- Text position of the current object: horizontal 0 left, 1 right, 2 centre; vertical
// 0 top, 1 bottom, 2 middle. Pages take it while no page is open too: the project is marked
// modified all the same.

void SetTextPosition(TKhm& k, bool vertical, std::uint8_t code)
{
    k.tbPointToClick();
    if (k.View.EditMode == Editing::StartScreen) {
        if (TEditPage* screen = ObjEditor(k, Editing::StartScreen))
            screen->SetTextPosition(vertical, code);
        return;
    }
    if (THmPage* page = k.PageEd->Current())
        page->SetTextPosition(vertical, code);
    else
        Modified(k);
}

void TbLeftSideClick(TKhm& k) { SetTextPosition(k, false, 0); }
void TbHMidClick(TKhm& k) { SetTextPosition(k, false, 2); }
void TbRightSideClick(TKhm& k) { SetTextPosition(k, false, 1); }
void TbTopSideClick(TKhm& k) { SetTextPosition(k, true, 0); }
void TbVMidClick(TKhm& k) { SetTextPosition(k, true, 2); }
void TbBottomSideClick(TKhm& k) { SetTextPosition(k, true, 1); }

// ---- Text and picture mode of the tool bar

void TbTextClick(TKhm& k)
{
    k.tbPointToClick();
    k.Action("TbBmp")->setChecked(false);
    k.Action("TbText")->setChecked(true);
    if (k.View.EditMode == Editing::Pages) {
        if (TLxObj* obj = CurrentObj(k, Editing::Pages))
            k.PageEd->Current()->ObjToolbarRefresh(obj);
    } else if (k.View.EditMode == Editing::StartScreen && CurrentObj(k, Editing::StartScreen)) {
        k.Screens->Command(Editing::StartScreen, ImageCommand::ToolbarRefresh);
    }
}

void TbBmpClick(TKhm& k)
{
    k.tbPointToClick();
    k.Action("TbText")->setChecked(false);
    k.Action("TbBmp")->setChecked(true);
    k.SetToolsForObj(k.View.EditMode == Editing::Pages || k.View.EditMode == Editing::StartScreen
                         ? CurrentObj(k, k.View.EditMode)
                         : nullptr);
}

// ---- Font and picture of the current object

void TbFontTypeClick(TKhm& k)
{
    k.tbPointToClick();
    if (TEditPage* editor = ObjEditor(k, k.View.EditMode == Editing::Pages || k.View.EditMode == Editing::UserMenu
                                             ? k.View.EditMode
                                             : Editing::StartScreen))
        editor->ChooseObjFont();
}

// The file is chosen in the main window's picture dialog, which keeps the last one chosen.
void TbBmpReadClick(TKhm& k)
{
    k.tbPointToClick();
    if (k.View.EditMode == Editing::UserMenu)
        return;
    QString file = AnsiToQString(k.BmpDlg.FileName);
    if (!ChooseBitmapFile(k.Ask(), &k, file) || !PathFitsCodePage(file, k.Ask(), &k))
        return;
    k.BmpDlg.FileName = QStringToAnsi(file);
    if (TEditPage* editor =
            ObjEditor(k, k.View.EditMode == Editing::StartScreen ? Editing::StartScreen : Editing::Pages))
        editor->LoadObjPicture(QStringToAnsi(file));
}

} // namespace

void MmHideClick(TKhm& k)
{
    THmPage* page = LivePage(k);
    if (!page)
        return;
    // From the page's own flag: a checkable item has already flipped its mark when it runs.
    const bool hide = page->Data().PgHide.Hide == 0;
    page->Data().PgHide.Hide = hide ? 1 : 0;
    k.Action("MmHide")->setChecked(hide);
    page->SetPopChecked("ChkHideSet", hide);
    page->MarkModified();
}

void MmPgPageWriteSetClick(TKhm& k)
{
    THmPage* page = LivePage(k);
    if (!page)
        return;
    if (CountLinkedRecords(k.Doc, &page->Data()) > kMaxLinkedRecords) {
        ShowMsg(k.Ask(), kMsgLinkedRecordsFull);
        return;
    }
    if (page->Data().PgNumWrite.Ref.DevAddrCode == -1)
        k.Doc.InitDevRef(page->Data().PgNumWrite.Ref);
    // The dialog edits the clock write unless told the page-number write's record mode.
    k.Forms.Run(k.Ask(), "TFrmPLCValAddrSet", &k, nullptr,
                [](QDialog& d) { d.setProperty("RecordMode", kPgNumWriteMode); });
}

void InstallFormatCommands(TKhm& k)
{
    const std::pair<const char*, std::pair<void (THmPage::*)(), ImageCommand>> clipboard[] = {
        {"MmDel", {&THmPage::PopDelClick, ImageCommand::Delete}},
        {"TbDel", {&THmPage::PopDelClick, ImageCommand::Delete}},
        {"MmCut", {&THmPage::PopCutClick, ImageCommand::Cut}},
        {"TbCut", {&THmPage::PopCutClick, ImageCommand::Cut}},
        {"MmCopy", {&THmPage::PopCopyClick, ImageCommand::Copy}},
        {"TbCopy", {&THmPage::PopCopyClick, ImageCommand::Copy}},
        {"MmPaste", {&THmPage::PopPasteClick, ImageCommand::Paste}},
        {"TbPaste", {&THmPage::PopPasteClick, ImageCommand::Paste}},
    };
    for (const auto& item : clipboard) {
        const auto cmd = item.second;
        k.Wire(item.first, [&k, cmd] { Route(k, cmd.first, cmd.second); });
    }

    k.Wire("MmCopyAll", [&k] {
        if (THmPage* page = LivePage(k))
            page->MmCopyAllClick();
    });
    k.Wire("MmPasteAll", [&k] {
        if (THmPage* page = LivePage(k))
            page->MmPasteAllClick();
    });
    k.Action("MmCopyAll")->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+C")));
    k.Action("MmPasteAll")->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+V")));

    const std::pair<const char*, void (*)(TKhm&)> commands[] = {
        {"MmMovTop", MmMovTopClick},
        {"MmMovbutton", MmMovbuttonClick},
        {"MmMultiCopy", MmMultiCopyClick},
        {"MmMoveUp", MmMoveUpClick},
        {"MmMovDn", MmMovDnClick},
        {"TbStepUp", TbStepUpClick},
        {"TbStepDown", TbStepDownClick},
        {"TbStepLeft", TbStepLeftClick},
        {"TbStepRight", TbStepRightClick},
        {"TbSideUp", TbSideUpClick},
        {"TbSideDown", TbSideDownClick},
        {"TbSideLeft", TbSideLeftClick},
        {"TbSideRight", TbSideRightClick},
        {"TbLeftSide", TbLeftSideClick},
        {"TbHMid", TbHMidClick},
        {"TbRightSide", TbRightSideClick},
        {"TbTopSide", TbTopSideClick},
        {"TbVMid", TbVMidClick},
        {"TbBottomSide", TbBottomSideClick},
        {"TbText", TbTextClick},
        {"TbBmp", TbBmpClick},
        {"TbFontType", TbFontTypeClick},
        {"TbBmpRead", TbBmpReadClick},
        {"MmHide", MmHideClick},
        {"MmPgPageWriteSet", MmPgPageWriteSetClick},
    };
    for (const auto& [name, handler] : commands)
        k.Wire(name, [&k, handler = handler] { handler(k); });
    SetCommandForm(k.Action("MmPgPageWriteSet"), "TFrmPLCValAddrSet");
}

} // namespace kes
