// After every edit, selection change, undo and activation the page brings its popup menu,
// the main window's menus and tool bars and the inspector in line with the page's state.
#include "app/editor/thmpage.h"

#include "app/editor/editclip.h"
#include "app/editor/editorinspector.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>

#include <initializer_list>

void THmPage::EditStateRefresh()
{
    if (LinkBusy())
        return;
    ShowSelectionStatus();
    kes::CommandPanel& k = Cmds();
    using kes::PopRule;
    // A popup rule and the main window's items that follow it.
    const auto both = [&](PopRule pop, std::initializer_list<const char*> main, bool enable) {
        SetPopRule(pop, enable);
        for (const char* n : main)
            k.SetItemEnabled(n, enable);
    };
    const std::initializer_list<const char*> orderItems = {"MmMultiCopy", "MmMoveUp", "MmMovDn", "MmMovTop",
                                                           "MmMovbutton"};

    // Everything off, then on by the selection.
    SetPopRule(PopRule::Objects, !Data().ObjList.empty());
    if (QComboBox* box = StateBox())
        box->setCurrentIndex(-1);
    SetStateTools(false);
    both(PopRule::OneSelected, orderItems, false);
    both(PopRule::Selection, {"TbDel", "TbCut", "TbCopy", "MmDel", "MmCut", "MmCopy"}, false);
    SetPopRule(PopRule::ChangeConds, !host_.Doc().ParaDataSetDefined());
    k.SetItemVisible("MmCopyAll", true);
    k.SetItemVisible("MmPasteAll", true);
    SetPopRule(PopRule::CopyPage, true);
    k.SetItemEnabled("MmCopyAll", !editor_.Pages().empty());
    both(PopRule::PastePage, {"MmPasteAll"}, false);
    for (const char* n : {"TbStepUp", "TbStepDown", "TbStepLeft", "TbStepRight", "TbSideUp", "TbSideDown", "TbSideLeft",
                          "TbSideRight", "TbFont_Lab", "TbFont_Box"})
        k.SetItemEnabled(n, false);
    if (QComboBox* box = FontBox())
        box->setCurrentIndex(-1);
    Cmds().SetItemChecked("TbText", false);
    Cmds().SetItemChecked("TbBmp", false);
    if (QPlainTextEdit* memo = Memo())
        memo->clear();
    host_.SetObjEditTools(false);

    if (!Data().SelList.empty()) {
        both(PopRule::CopyPage, {"MmCopyAll"}, false);
        if (host_.View().EditMode == kes::Editing::Pages) {
            both(PopRule::Selection, {"TbDel", "TbCut", "TbCopy", "MmDel", "MmCut", "MmCopy"}, true);
            for (const char* n : {"TbStepUp", "TbStepDown", "TbStepLeft", "TbStepRight"})
                k.SetItemEnabled(n, true);
            k.SetItemEnabled("PostSetToolBar", true);
        }
        if (Data().SelList.size() == 1) {
            // The one selected object is the one the commands and the inspector act on.
            Data().CurObj = Data().SelList.front();
            if (host_.View().EditMode == kes::Editing::Pages)
                both(PopRule::OneSelected, orderItems, true);
            ObjToolbarRefresh(Data().CurObj);
            ObjFontBoxRefresh(Data().CurObj);
        } else {
            Data().CurObj = nullptr;
            canvas_->update();
            for (const char* n : {"TbSideUp", "TbSideDown", "TbSideLeft", "TbSideRight"})
                k.SetItemEnabled(n, true);
            Cmds().SetItemChecked("TbText", false);
            Cmds().SetItemChecked("TbBmp", false);
            if (QPlainTextEdit* memo = Memo())
                memo->clear();
            host_.SetObjEditTools(false);
        }
    } else {
        Data().CurObj = nullptr;
    }

    if (TDlgProp* inspector = host_.Inspector(); inspector && host_.View().ObjInspectorOn) {
        if (!inspector->Source())
            inspector->SetSource(&editor_.InspectorSource());
        RefreshInspector();
    }

    const bool pageActive = editor_.Current() != nullptr && !editor_.Pages().empty();
    if (pageActive && kes::ClipboardHas(host_.ClipFmtObjects())) {
        both(PopRule::Paste, {"TbPaste", "MmPaste"}, true);
        both(PopRule::PastePage, {"MmPasteAll"}, false);
    } else {
        both(PopRule::Paste, {"TbPaste", "MmPaste"}, false);
        both(PopRule::PastePage, {"MmPasteAll"},
             pageActive && Data().SelList.empty() && kes::ClipboardHas(host_.ClipFmtPage()));
    }

    UndoStateRefresh();
    k.SetItemEnabled("TbComRead", true);
    k.SetItemEnabled("TbComWrt", true);
}

void THmPage::UndoStateRefresh()
{
    kes::CommandPanel& k = Cmds();
    for (const char* n : {"MmUndo", "TbUndo"})
        k.SetItemEnabled(n, !UndoList().empty());
    SetPopRule(kes::PopRule::Undo, !UndoList().empty());
    for (const char* n : {"MmRedo", "TbRedo"})
        k.SetItemEnabled(n, !RedoList().empty());
    SetPopRule(kes::PopRule::Redo, !RedoList().empty());
}
