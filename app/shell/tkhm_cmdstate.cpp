// The main window's drawing tools and the state of the commands that follow the editors: the
// pointer, object and figure tools, the line style, the object edit tools fitted to the one
// selected object, the File, Edit and Settings menus refreshed when they open, and undo, redo
// and select-all forwarded to the editor that EditMode names.
#include "app/editor/kindtools.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/project/prjcheck.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolBar>

#include <functional>

namespace {

constexpr int kMsgTooManyLinked = 302;
constexpr int kMsgTextInput = 92;
constexpr int kMsgGraphicInput = 93;

const char* const kLineStyles[] = {"TbSLine", "TbDLine", "TbTLine", "TbDot"};
const char* const kAlignButtons[] = {"TbLeftSide", "TbHMid", "TbRightSide", "TbTopSide", "TbVMid", "TbBottomSide"};

void Enable(TKhm& k, std::initializer_list<const char*> names, bool enable)
{
    for (const char* n : names)
        k.SetItemEnabled(n, enable);
}

void Press(TKhm& k, const char* name, bool down) { k.Action(name)->setChecked(down); }

QPlainTextEdit* Memo(TKhm& k) { return qobject_cast<QPlainTextEdit*>(k.ToolWidget("TbMemo")); }

void MemoWithoutScrollBars(TKhm& k)
{
    Memo(k)->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo(k)->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void SetMemoLabel(TKhm& k, int msg)
{
    if (auto* label = qobject_cast<QLabel*>(k.ToolWidget("TbMemo_Lab")))
        label->setText(kes::Msg(msg));
}

// The objects of the active editor that are selected, or -1 when EditMode names none.
int ActiveSelCount(const TKhm& k)
{
    if (k.View.EditMode == kes::Editing::Pages) {
        const THmPage* page = k.PageEd->Current();
        return page ? static_cast<int>(page->Data().SelList.size()) : 0;
    }
    if (k.View.EditMode == kes::Editing::StartScreen)
        return k.Screens->SelCount(kes::Editing::StartScreen);
    return -1;
}

// The figure tool of that sub-type in the active editor, with no polyline point yet.
void SetFigureTool(TKhm& k, int subType)
{
    if (k.View.EditMode == kes::Editing::Pages) {
        if (THmPage* page = k.PageEd->Current()) {
            page->ChooseFigureTool(subType);
        }
    } else {
        k.Screens->SetTool(k.View.EditMode, kes::KindCode(kes::ObjKind::Geom), subType);
    }
}

// A command of the page window in page editing, else of the image-page editor.
void ForwardToEditor(TKhm& k, void (THmPage::*pageCommand)(), void (kes::ScreenEditor::*imageCommand)())
{
    if (k.View.EditMode == kes::Editing::Pages) {
        if (THmPage* page = k.PageEd->Current())
            (page->*pageCommand)();
    } else {
        (*k.Screens.*imageCommand)();
    }
}

} // namespace

void TKhm::SelectPointerTool()
{
    for (QToolBar* bar : {ObjToolBar, GeomToolBar})
        for (QAction* a : bar->actions())
            if (a->isCheckable())
                a->setChecked(false);
    Press(*this, "tbPointTo", true);
}

void TKhm::tbPointToClick()
{
    Press(*this, "tbPointTo", true);
    if (View.EditMode == kes::Editing::StartScreen || View.EditMode == kes::Editing::UserMenu) {
        Screens->SetTool(View.EditMode, 0, 0);
    } else if (THmPage* page = PageEd->Current()) {
        page->PolyPointsCancel();
        page->Canvas()->setCursor(Qt::ArrowCursor);
        page->ChooseTool(0, 0);
    }
    SelectPointerTool();
}

void TKhm::SetToolKind(QAction* sender)
{
    const int tag = sender->property("Tag").toInt();
    if (View.EditMode == kes::Editing::Pages) {
        if (THmPage* page = PageEd->Current()) {
            page->PolyPointsCancel();
            // An object tool draws a box, whatever figure was chosen before.
            const bool figure = kes::IsKind(static_cast<TLxObjType>(tag), kes::ObjKind::Geom);
            page->ChooseTool(static_cast<std::int16_t>(tag), figure ? page->ToolSubType() : 0);
        }
    } else {
        Screens->SetTool(View.EditMode, tag, 0);
    }
    if (kes::IsKind(static_cast<TLxObjType>(tag), kes::ObjKind::Geom))
        GeomToolBar->show();
}

void TKhm::TbStTxtClick(QAction* sender)
{
    if (kes::CountLinkedRecords(Doc, PageEd->CurrentPage()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(Ask(), kMsgTooManyLinked);
        SelectPointerTool();
        return;
    }
    SelectPointerTool();
    sender->setChecked(true);
    Press(*this, "tbPointTo", false);
    SetToolKind(sender);
}

void TKhm::MmStTxtClick(QAction* sender)
{
    // The menu draws the same objects as the tool bar, so it keeps the same limit.
    if (kes::CountLinkedRecords(Doc, PageEd->CurrentPage()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(Ask(), kMsgTooManyLinked);
        SelectPointerTool();
        return;
    }
    SelectPointerTool();
    Press(*this, "tbPointTo", false);
    SetToolKind(sender);
}

void TKhm::TbPolyClick(QAction* sender)
{
    SelectPointerTool();
    Press(*this, "tbPointTo", false);
    sender->setChecked(true);
    SetFigureTool(*this, sender->property("Tag").toInt());
}

void TKhm::MmPolyClick(QAction* sender)
{
    SelectPointerTool();
    Press(*this, "tbPointTo", false);
    SetFigureTool(*this, sender->property("Tag").toInt());
}

void TKhm::TbSLineClick(QAction* sender)
{
    for (const char* n : kLineStyles)
        Press(*this, n, false);
    const int tag = sender->property("Tag").toInt();
    if (tag == 4) {
        LinePattern = 2;
        LineWidth = 1;
    } else {
        LineWidth = tag;
        LinePattern = 0;
    }
    sender->setChecked(true);
    if (THmPage* page = PageEd->Current(); View.EditMode == kes::Editing::Pages && page) {
        page->SetSelectedLineStyle(LineWidth, LinePattern);
    } else if (View.EditMode != kes::Editing::Pages) {
        Screens->LineStyleChanged(LineWidth, LinePattern);
    }
}

void TKhm::ShowLineStyle()
{
    for (const char* n : kLineStyles)
        Press(*this, n, false);
    if (LinePattern == 2)
        Press(*this, "TbDot", true);
    else if (LinePattern == 0 && LineWidth >= 1 && LineWidth <= 3)
        Press(*this, kLineStyles[LineWidth - 1], true);
}

void TKhm::EnableObjToolBar(bool enable)
{
    if (Action("tbPointTo")->isChecked())
        Press(*this, "tbPointTo", enable);
    for (QAction* a : ObjToolBar->actions())
        if (!a->isSeparator())
            SetItemEnabled(a->objectName().toLatin1().constData(), enable);
}

void TKhm::SetToolsForObj(TLxObj* obj)
{
    if (ActiveSelCount(*this) != 1)
        return;
    SetObjEditTools(true);
    SetMemoLabel(*this, kMsgTextInput);
    if (!obj || !obj->Selected) {
        Press(*this, "TbText", false);
        Press(*this, "TbBmp", false);
        Enable(*this, {"TbState_Box", "TbState_UD", "TbState_Lab"}, false);
        SetObjEditTools(false);
        SetItemVisible("TbMemo_UD", false);
        SetItemEnabled("TbMemo_UD", false);
        Memo(*this)->clear();
        return;
    }
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    kes::ToolPanel panel = tools ? tools->Panel : kes::ToolPanel::None;
    // The start-up screen has static texts and pictures only.
    if (View.EditMode == kes::Editing::StartScreen && !(tools && tools->OnStartScreen))
        panel = kes::ToolPanel::None;
    const kes::ObjKindFacts* facts = kes::KindFactsOf(*obj);
    const bool fontFace = facts && facts->Font == kes::FontUse::FontFace;
    switch (panel) {
    case kes::ToolPanel::Lines:
        Press(*this, "TbText", true);
        Press(*this, "TbBmp", false);
        Enable(*this, {"TbBmp", "TbBmpRead"}, false);
        SetItemVisible("TbMemo_UD", true);
        SetItemEnabled("TbMemo_UD", true);
        break;
    case kes::ToolPanel::Value:
        Press(*this, "TbText", false);
        Press(*this, "TbBmp", false);
        Enable(*this, {"TbText", "TbMemo", "TbBmp", "TbBmpRead", "TbFontType"}, false);
        if (!tools->AlignsVertically)
            Enable(*this, {"TbTopSide", "TbVMid", "TbBottomSide"}, false);
        SetItemVisible("TbMemo_UD", false);
        SetItemEnabled("TbMemo_UD", false);
        MemoWithoutScrollBars(*this);
        break;
    case kes::ToolPanel::Message:
        Enable(*this, {"TbBmp", "TbBmpRead"}, false);
        for (const char* n : kAlignButtons)
            SetItemEnabled(n, false);
        Press(*this, "TbText", true);
        Press(*this, "TbBmp", false);
        MemoWithoutScrollBars(*this);
        break;
    case kes::ToolPanel::StateTexts: {
        MemoWithoutScrollBars(*this);
        if (!fontFace)
            SetItemEnabled("TbFontType", false);
        if (!Action("TbText")->isChecked() && !Action("TbBmp")->isChecked())
            Press(*this, "TbText", true);
        const bool readsValue = tools->Edits.ShowsReadValue && tools->Edits.ShowsReadValue(*obj);
        if (Action("TbText")->isChecked()) {
            SetMemoLabel(*this, kMsgTextInput);
            SetItemEnabled("TbBmpRead", false);
            if (readsValue)
                SetItemEnabled("TbMemo", false);
        } else {
            SetItemEnabled("TbMemo", false);
            SetMemoLabel(*this, kMsgGraphicInput);
            SetItemEnabled("TbFontType", false);
            if (readsValue)
                SetItemEnabled("TbBmpRead", false);
        }
        break;
    }
    case kes::ToolPanel::Picture:
        MemoWithoutScrollBars(*this);
        Press(*this, "TbBmp", true);
        Press(*this, "TbText", false);
        SetMemoLabel(*this, kMsgGraphicInput);
        Enable(*this, {"TbText", "TbMemo", "TbFontType"}, false);
        for (const char* n : kAlignButtons)
            SetItemEnabled(n, false);
        Memo(*this)->clear();
        break;
    case kes::ToolPanel::None:
        SetItemVisible("TbMemo_UD", false);
        SetItemEnabled("TbMemo_UD", false);
        Memo(*this)->clear();
        MemoWithoutScrollBars(*this);
        Press(*this, "TbText", false);
        Press(*this, "TbBmp", false);
        SetObjEditTools(false);
        break;
    }
}

void TKhm::MmfileClick()
{
    if (!Doc.IsKeypadType()) {
        SetItemEnabled("MmMenuSet", true);
        Enable(*this, {"MmSave", "MmPgDataSave", "MmSaveAs", "MmClosePrj"}, !Doc.PgDataList.empty());
        if (View.EditMode == kes::Editing::UserMenu)
            SetItemEnabled("MmClosePrj", true);
        if (!Doc.ImagePgDataList.empty())
            SetItemEnabled("MmSave", true);
    } else {
        SetMainToolsEnabled();
    }
    RefreshRecentFileItems();
}

void TKhm::MmEditClick()
{
    if (View.EditMode != kes::Editing::Pages)
        return;
    if (PageEd->Pages().empty()) {
        SetItemEnabled("MmAddPg", true);
        Enable(*this,
               {"MmPgData", "MmPgJump", "MmFunKeyEt", "MmHide", "MmBuzzerSet", "MmLedSet", "MmUndo", "MmRedo", "MmDel",
                "MmCut", "MmCopy", "MmPaste", "MmSelAll"},
               false);
        return;
    }
    Enable(*this, {"MmAddPg", "MmPgData"}, true);
    if (const THmPage* page = PageEd->Current(); page && !page->Data().ObjList.empty())
        SetItemEnabled("MmSelAll", true);
}

void TKhm::MmSettingClick()
{
    if (View.EditMode != kes::Editing::Pages) {
        Screens->EditStateRefresh();
    } else if (THmPage* page = PageEd->Current()) {
        page->EditStateRefresh();
        FormActivate();
    }
}

void TKhm::TbUndoClick()
{
    ForwardToEditor(*this, &THmPage::PopUndoClick, &kes::ScreenEditor::Undo);
    SetObjEditTools(false);
}

void TKhm::TbRedoClick()
{
    ForwardToEditor(*this, &THmPage::PopRedoClick, &kes::ScreenEditor::Redo);
    SetObjEditTools(false);
}

void TKhm::MmSelAllClick()
{
    ForwardToEditor(*this, &THmPage::PopSelAllClick, &kes::ScreenEditor::SelectAll);
    Enable(*this, {"TbState_Lab", "TbState_UD", "TbState_Box", "TbFont_Lab", "TbFont_Box"}, false);
}
