// After every edit, selection change, undo and activation the page brings its popup menu,
// the main window's menus and tool bars and the inspector in line with the page's state.
#include "app/editor/thmpage.h"

#include "app/editor/editorinspector.h"
#include "app/editor/editclip.h"
#include "app/editor/pagecanvas.h"
#include "app/inspector/tdlgprop.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolBar>

void THmPage::EditStateRefresh()
{
    if (LinkBusy())
        return;
    kes::CommandPanel& k = Cmds();
    const auto both = [&](const char* pop, const char* main, bool enable) {
        SetPopEnabled(pop, enable);
        k.SetItemEnabled(main, enable);
    };

    // Everything off, then on by the selection.
    SetPopEnabled("PopSelAll", !ObjList.empty());
    if (QComboBox* box = StateBox())
        box->setCurrentIndex(-1);
    SetStateTools(false);
    both("MmMultiCopy", "MmMultiCopy", false);
    both("MmMoveUp", "MmMoveUp", false);
    both("MmMoveDn", "MmMovDn", false);
    both("MmMovTop", "MmMovTop", false);
    both("MmMovbutton", "MmMovbutton", false);
    for (const char* n : {"TbDel", "TbCut", "TbCopy", "MmDel", "MmCut", "MmCopy"})
        k.SetItemEnabled(n, false);
    for (const char* n : {"PopDel", "PopCut", "PopCopy"})
        SetPopEnabled(n, false);
    SetPopEnabled("PopPgJump", !host_.Doc().ParaDataSetDefined());
    k.SetItemVisible("MmCopyAll", true);
    k.SetItemVisible("MmPasteAll", true);
    SetPopEnabled("MmCopyAll", true);
    k.SetItemEnabled("MmCopyAll", !editor_.Pages().empty());
    both("MmPasteAll", "MmPasteAll", false);
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

    if (!SelList.empty()) {
        SetPopEnabled("MmCopyAll", false);
        k.SetItemEnabled("MmCopyAll", false);
        if (host_.Doc().EditMode == kes::Editing::Pages) {
            for (const char* n : {"TbDel", "TbCut", "TbCopy", "MmDel", "MmCut", "MmCopy"})
                k.SetItemEnabled(n, true);
            for (const char* n : {"PopDel", "PopCut", "PopCopy"})
                SetPopEnabled(n, true);
            for (const char* n : {"TbStepUp", "TbStepDown", "TbStepLeft", "TbStepRight"})
                k.SetItemEnabled(n, true);
            k.SetItemEnabled("PostSetToolBar", true);
        }
        if (SelList.size() == 1) {
            // The one selected object is the one the commands and the inspector act on.
            CurObj = SelList.front();
            if (host_.Doc().EditMode == kes::Editing::Pages) {
                both("MmMultiCopy", "MmMultiCopy", true);
                both("MmMoveUp", "MmMoveUp", true);
                both("MmMoveDn", "MmMovDn", true);
                both("MmMovTop", "MmMovTop", true);
                both("MmMovbutton", "MmMovbutton", true);
            }
            ObjToolbarRefresh(CurObj);
            ObjFontBoxRefresh(CurObj);
        } else {
            CurObj = nullptr;
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
        CurObj = nullptr;
    }

    if (DlgProp && host_.Doc().ObjInspectorOn) {
        if (!DlgProp->Source())
            DlgProp->SetSource(&editor_.InspectorSource());
        RefreshInspector();
    }

    const bool pageActive = editor_.Current() != nullptr && !editor_.Pages().empty();
    if (pageActive && kes::ClipboardHas(host_.ClipFmtObjects())) {
        for (const char* n : {"TbPaste", "MmPaste"})
            k.SetItemEnabled(n, true);
        SetPopEnabled("PopPaste", true);
        both("MmPasteAll", "MmPasteAll", false);
    } else {
        for (const char* n : {"TbPaste", "MmPaste"})
            k.SetItemEnabled(n, false);
        SetPopEnabled("PopPaste", false);
        both("MmPasteAll", "MmPasteAll", pageActive && SelList.empty() && kes::ClipboardHas(host_.ClipFmtPage()));
    }

    UndoStateRefresh();
    k.SetItemEnabled("TbComRead", true);
    k.SetItemEnabled("TbComWrt", true);
}

void THmPage::UndoStateRefresh()
{
    kes::CommandPanel& k = Cmds();
    for (const char* n : {"MmUndo", "TbUndo"})
        k.SetItemEnabled(n, !UndoList.empty());
    SetPopEnabled("PopUndo", !UndoList.empty());
    for (const char* n : {"MmRedo", "TbRedo"})
        k.SetItemEnabled(n, !RedoList.empty());
    SetPopEnabled("PopRedo", !RedoList.empty());
}
