// The main window's commands on the selected objects: they route to the editor EditMode
// names (3 the current page, 1 the start-up screen, 2 the current user-menu page), which
// moves, aligns and re-stacks; the text position, font and picture commands set the current
// object's own fields and then show it and the inspector again.
#include "app/shell/formatcommands.h"

#include "app/dialogs/formregistry.h"
#include "app/editor/editorder.h"
#include "app/editor/imageeditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/inspectordialogs.h"
#include "app/project/prjcheck.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "app/ui/prompt.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "platform/codepage.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QKeySequence>

namespace kes {

namespace {

constexpr int kMsgNoStateChosen = 64;
constexpr int kMsgLinkedRecordsFull = 299;
constexpr int kPgNumWriteMode = 1006; // the page-number write record, not the clock write

// The current page when pages are edited, holding its objects.
THmPage* LivePage(const TKhm& k) { return k.Doc.EditMode == 3 && HmPage && HmPage->Live() ? HmPage : nullptr; }

void Modified(TKhm& k)
{
    k.Doc.Modified = 1;
    k.Doc.Compiled = 0;
}

// A page command in page editing, else the command of the start-up screen (1) or the current
// user-menu page (2).
void Route(TKhm& k, void (THmPage::*pageCommand)(), ImageCommand imageCommand)
{
    if (k.Doc.EditMode == 3) {
        if (THmPage* page = LivePage(k))
            (page->*pageCommand)();
    } else if ((k.Doc.EditMode == 1 || k.Doc.EditMode == 2) && ImageEditor().Command) {
        ImageEditor().Command(k.Doc.EditMode, imageCommand);
    }
}

// The step and edge buttons: the page, or the start-up screen; nothing on user-menu pages.
void RouteStep(TKhm& k, void (THmPage::*pageCommand)(int), const std::function<void(int, int)>& imageCommand, int arg)
{
    if (k.Doc.EditMode == 3) {
        if (THmPage* page = LivePage(k))
            (page->*pageCommand)(arg);
    } else if (k.Doc.EditMode == 1 && imageCommand) {
        imageCommand(1, arg);
    }
}

// ---- Position tool bar: the selection one panel pixel up, down, left or right, and its tops,
// bottoms, lefts or rights to the outermost of them.

void TbStepUpClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, ImageEditor().StepSelObjs, kStepUp); }
void TbStepDownClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, ImageEditor().StepSelObjs, kStepDown); }
void TbStepLeftClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, ImageEditor().StepSelObjs, kStepLeft); }
void TbStepRightClick(TKhm& k) { RouteStep(k, &THmPage::StepSelObjs, ImageEditor().StepSelObjs, kStepRight); }
void TbSideUpClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, ImageEditor().AlignSelObjs, kAlignTops); }
void TbSideDownClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, ImageEditor().AlignSelObjs, kAlignBottoms); }
void TbSideLeftClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, ImageEditor().AlignSelObjs, kAlignLefts); }
void TbSideRightClick(TKhm& k) { RouteStep(k, &THmPage::AlignSelObjs, ImageEditor().AlignSelObjs, kAlignRights); }

// ---- Z-order of the selection (Edit menu)

void MmMovTopClick(TKhm& k) { Route(k, &THmPage::MmMovTopClick, ImageCommand::MoveTop); }
void MmMovbuttonClick(TKhm& k) { Route(k, &THmPage::MmMovbuttonClick, ImageCommand::MoveBottom); }
void MmMultiCopyClick(TKhm& k) { Route(k, &THmPage::MmMultiCopyClick, ImageCommand::MultiCopy); }
void MmMoveUpClick(TKhm& k) { Route(k, &THmPage::MmMoveUpClick, ImageCommand::MoveUp); }
void MmMovDnClick(TKhm& k) { Route(k, &THmPage::MmMoveDnClick, ImageCommand::MoveDown); }

// The current object of the editor of that mode.
TLxObj* CurrentObj(const TKhm& k, int editMode)
{
    if (editMode == 3)
        return LivePage(k) ? HmPage->CurObj : nullptr;
    return ImageEditor().CurObj ? ImageEditor().CurObj(editMode) : nullptr;
}

int ChosenState(TKhm& k)
{
    const auto* box = qobject_cast<QComboBox*>(k.ToolWidget("TbState_Box"));
    return box ? box->currentIndex() : -1;
}

// ---- Text position of the current object: horizontal 0 left, 1 right, 2 centre; vertical
// 0 top, 1 bottom, 2 middle.

// A kind that places both a text and a picture (the lamp, the button): the one the tool
// bar's text or picture mode names.
template <typename T> void SetTextOrPicturePos(T& obj, bool text, bool vertical, std::uint8_t code)
{
    if (text)
        vertical ? obj.SetTxtVPos(code) : obj.SetTxtHPos(code);
    else
        vertical ? obj.SetBmpVPos(code) : obj.SetBmpHPos(code);
}

void SetTextPosition(TKhm& k, bool vertical, std::uint8_t code)
{
    k.tbPointToClick();
    if (k.Doc.EditMode == 1) {
        if (auto* txt = dynamic_cast<TStTxt*>(CurrentObj(k, 1))) {
            vertical ? txt->SetVPos(code) : txt->SetHPos(code);
            txt->BmpRePaint();
            txt->Invalidate();
        }
        return;
    }
    TLxObj* obj = HmPage ? HmPage->CurObj : nullptr;
    const bool text = k.Action("TbText")->isChecked();
    const bool picture = !text && k.Action("TbBmp")->isChecked();
    bool changed = false;
    if (auto* txt = dynamic_cast<TStTxt*>(obj)) {
        vertical ? txt->SetVPos(code) : txt->SetHPos(code);
        changed = true;
    } else if (auto* lamp = dynamic_cast<TLight*>(obj); lamp && (text || picture)) {
        SetTextOrPicturePos(*lamp, text, vertical, code);
        changed = true;
    } else if (auto* btn = dynamic_cast<TLxBtn*>(obj); btn && (text || picture)) {
        SetTextOrPicturePos(*btn, text, vertical, code);
        changed = true;
    } else if (auto* val = dynamic_cast<TLxVal*>(obj); val && !vertical) {
        val->HPos = code;
        changed = true;
    } else if (auto* entry = dynamic_cast<TLxGetVal*>(obj)) {
        (vertical ? entry->VPos : entry->HPos) = code;
        changed = true;
    }
    if (changed) {
        obj->BmpRePaint();
        obj->Invalidate();
    }
    if (HmPage)
        HmPage->RefreshInspectorRows();
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
    if (k.Doc.EditMode == 3) {
        if (TLxObj* obj = CurrentObj(k, 3))
            HmPage->ObjToolbarRefresh(obj);
    } else if (k.Doc.EditMode == 1 && CurrentObj(k, 1) && ImageEditor().Command) {
        ImageEditor().Command(1, ImageCommand::ToolbarRefresh);
    }
}

void TbBmpClick(TKhm& k)
{
    k.tbPointToClick();
    k.Action("TbText")->setChecked(false);
    k.Action("TbBmp")->setChecked(true);
    k.SetToolsForObj(k.Doc.EditMode == 3 || k.Doc.EditMode == 1 ? CurrentObj(k, k.Doc.EditMode) : nullptr);
}

// ---- Font and picture of the current object

void TbFontTypeClick(TKhm& k)
{
    k.tbPointToClick();
    TLxObj* obj = CurrentObj(k, k.Doc.EditMode == 3 || k.Doc.EditMode == 2 ? k.Doc.EditMode : 1);
    if (!obj)
        return;
    TFont font = obj->Picture.Canvas()->Font;
    if (!ChooseFont(&k, font, QStringLiteral("FontTypeDlg")))
        return;
    obj->Picture.Canvas()->Font = font;
    obj->BmpRePaint();
    obj->Invalidate();
    // The font is part of the object's record.
    Modified(k);
}

// Loads the file into the current page object of a kind that takes a picture; false when
// the object takes none (or no state is chosen for it).
bool LoadPicture(TKhm& k, TLxObj* obj, const std::string& file, int w, int h)
{
    if (auto* act = dynamic_cast<TActBmp*>(obj)) {
        const int state = ChosenState(k);
        if (state == -1) {
            ShowMsg(kMsgNoStateChosen);
            return false;
        }
        act->SetBmpPt(state);
        act->BmpLoad(file, w, h);
    } else if (auto* bmp = dynamic_cast<TStBmp*>(obj)) {
        if (bmp->BmpLoad(file, w, h))
            bmp->FileName = file;
    } else if (auto* lamp = dynamic_cast<TLight*>(obj)) {
        lamp->BmpLoad(file, w, h);
    } else if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
        // A button of one state takes it into state 0, else into the state chosen.
        const int state = btn->TotalState <= 1 ? 0 : ChosenState(k);
        if (state < 0 || state >= btn->TotalState)
            return false;
        const int shown = btn->CurPt;
        btn->CurPt = state;
        if (btn->BmpLoad(file))
            if (TBitmap* pic = btn->StateBmp(state))
                TLxObj::BmpModify(*pic);
        btn->CurPt = shown;
    } else {
        return false;
    }
    obj->BmpRePaint();
    obj->Invalidate();
    return true;
}

void TbBmpReadClick(TKhm& k)
{
    k.tbPointToClick();
    if (k.Doc.EditMode == 2)
        return;
    QString file = AnsiToQString(k.BmpDlg.FileName);
    if (!ChooseBitmapFile(&k, file))
        return;
    k.BmpDlg.FileName = QStringToAnsi(file);
    const std::string path = QStringToAnsi(file);
    // The panel's size in panel pixels (the window's client size over zoom and grid).
    const int w = LxType ? LxType->PanelWidth : 0;
    const int h = LxType ? LxType->PanelHeight : 0;
    if (k.Doc.EditMode == 1) {
        if (auto* bmp = dynamic_cast<TStBmp*>(CurrentObj(k, 1)); bmp && bmp->BmpLoad(path, w, h)) {
            bmp->FileName = path;
            bmp->BmpRePaint();
        }
        return;
    }
    if (LoadPicture(k, CurrentObj(k, 3), path, w, h))
        Modified(k);
}

} // namespace

void MmHideClick(TKhm& k)
{
    THmPage* page = LivePage(k);
    if (!page)
        return;
    // From the page's own flag: a checkable item has already flipped its mark when it runs.
    const bool hide = page->PgHide.Hide == 0;
    page->PgHide.Hide = hide ? 1 : 0;
    k.Action("MmHide")->setChecked(hide);
    page->SetPopChecked("ChkHideSet", hide);
    page->MarkModified();
}

void MmPgPageWriteSetClick(TKhm& k)
{
    THmPage* page = LivePage(k);
    if (!page)
        return;
    if (CountLinkedRecords(k.Doc, page) > kMaxLinkedRecords) {
        ShowMsg(kMsgLinkedRecordsFull);
        return;
    }
    if (page->PgNumWrite.Ref.DevAddrCode == -1)
        k.Doc.InitDevRef(page->PgNumWrite.Ref);
    // The dialog edits the clock write unless told the page-number write's record mode.
    RunForm("TFrmPLCValAddrSet", &k, nullptr, [](QDialog& d) { d.setProperty("RecordMode", kPgNumWriteMode); });
}

void InstallFormatCommands(TKhm& k)
{
    const std::pair<const char*, std::pair<void (THmPage::*)(), ImageCommand>> clipboard[] = {
        {"MmDel", {&THmPage::PopDelClick, ImageCommand::Delete}},  {"TbDel", {&THmPage::PopDelClick, ImageCommand::Delete}},
        {"MmCut", {&THmPage::PopCutClick, ImageCommand::Cut}},     {"TbCut", {&THmPage::PopCutClick, ImageCommand::Cut}},
        {"MmCopy", {&THmPage::PopCopyClick, ImageCommand::Copy}},  {"TbCopy", {&THmPage::PopCopyClick, ImageCommand::Copy}},
        {"MmPaste", {&THmPage::PopPasteClick, ImageCommand::Paste}}, {"TbPaste", {&THmPage::PopPasteClick, ImageCommand::Paste}},
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
        {"MmMovTop", MmMovTopClick},       {"MmMovbutton", MmMovbuttonClick},
        {"MmMultiCopy", MmMultiCopyClick},
        {"MmMoveUp", MmMoveUpClick},       {"MmMovDn", MmMovDnClick},
        {"TbStepUp", TbStepUpClick},       {"TbStepDown", TbStepDownClick},
        {"TbStepLeft", TbStepLeftClick},   {"TbStepRight", TbStepRightClick},
        {"TbSideUp", TbSideUpClick},       {"TbSideDown", TbSideDownClick},
        {"TbSideLeft", TbSideLeftClick},   {"TbSideRight", TbSideRightClick},
        {"TbLeftSide", TbLeftSideClick},   {"TbHMid", TbHMidClick},
        {"TbRightSide", TbRightSideClick}, {"TbTopSide", TbTopSideClick},
        {"TbVMid", TbVMidClick},           {"TbBottomSide", TbBottomSideClick},
        {"TbText", TbTextClick},           {"TbBmp", TbBmpClick},
        {"TbFontType", TbFontTypeClick},   {"TbBmpRead", TbBmpReadClick},
        {"MmHide", MmHideClick},           {"MmPgPageWriteSet", MmPgPageWriteSetClick},
    };
    for (const auto& [name, handler] : commands)
        k.Wire(name, [&k, handler = handler] { handler(k); });
    SetCommandForm(k.Action("MmPgPageWriteSet"), "TFrmPLCValAddrSet");
}

} // namespace kes
