// After every edit, selection change, undo and activation the page brings its popup menu,
// the main window's menus and tool bars, the inspector and the object tool panel (state,
// text and font boxes) in line with the page's state.
#include "app/editor/thmpage.h"

#include "app/editor/editorinspector.h"
#include "app/editor/kindtools.h"
#include "app/editor/pagecanvas.h"
#include "app/inspector/tdlgprop.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "objects/lxstatebmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxdevbmp.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "platform/codepage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolBar>

namespace {


// The boxes of the object tool panel; null without a main window.
QComboBox* StateBox(const kes::CommandPanel& k) { return qobject_cast<QComboBox*>(k.ToolWidget("TbState_Box")); }
QComboBox* FontBox(const kes::CommandPanel& k) { return qobject_cast<QComboBox*>(k.ToolWidget("TbFont_Box")); }
QPlainTextEdit* Memo(const kes::CommandPanel& k) { return qobject_cast<QPlainTextEdit*>(k.ToolWidget("TbMemo")); }

void SetStateTools(kes::CommandPanel& k, bool enable)
{
    for (const char* n : {"TbState_Lab", "TbState_UD", "TbState_Box"})
        k.SetItemEnabled(n, enable);
}

bool ClipboardHas(const QString& format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(format);
}

// The state box lists states "0" .. count - 1 with the current one chosen.
void FillStateBox(kes::CommandPanel& k, int count, int current)
{
    SetStateTools(k, true);
    QComboBox* box = StateBox(k);
    if (!box)
        return;
    box->clear();
    if (count == 0)
        return;
    for (int i = 0; i < count; ++i)
        box->addItem(QString::number(i));
    box->setCurrentIndex(current >= 0 && current < count ? current : -1);
}

// The text of state i of a list, or "" when the list has none for it.
QString TextAt(const std::vector<AnsiString>& list, int i)
{
    if (i < 0 || i >= static_cast<int>(list.size()))
        return {};
    return kes::AnsiToQString(list[static_cast<std::size_t>(i)]);
}

} // namespace

void THmPage::StateToolRefresh(TLxObj* obj)
{
    kes::CommandPanel& k = Cmds();
    if (auto* vrg = dynamic_cast<TVrgBmp*>(obj))
        FillStateBox(k, vrg->TotalState, vrg->CurPt);
    else if (auto* st = dynamic_cast<kes::TStateBmpObj*>(obj))
        FillStateBox(k, st->TotalState, st->CurPt);
    else if (auto* btn = dynamic_cast<TLxBtn*>(obj))
        FillStateBox(k, btn->TotalState, btn->CurPt);
    else if (auto* msg = dynamic_cast<TMsgTxt*>(obj))
        FillStateBox(k, msg->TotalState, msg->CurPt);
}

void THmPage::TextToolRefresh(TLxObj* obj)
{
    kes::CommandPanel& k = Cmds();
    if (!obj)
        return;
    if (host_.Doc().EditMode == 3) {
        if (!HmPage || HmPage->SelList.size() != 1)
            return;
    }
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    if (!tools || (host_.Doc().EditMode == 1 && tools->Texts != kes::TextTool::Lines))
        return;
    k.SetItemEnabled("TbMemo_Lab", true);
    k.SetItemEnabled("TbMemo", true);
    QPlainTextEdit* memo = Memo(k);
    QComboBox* stateBox = StateBox(k);
    if (!memo || !stateBox)
        return;
    if (auto* txt = dynamic_cast<TStTxt*>(obj)) {
        memo->clear();
        if (auto* ud = qobject_cast<QSpinBox*>(k.ToolWidget("TbMemo_UD")))
            ud->setValue(0);
        memo->setPlainText(TextAt(txt->Lines, 0));
    } else if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
        memo->clear();
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setEnabled(stateBox->currentIndex() != -1);
        if (btn->TotalState < 2) {
            memo->setEnabled(true);
            btn->SetBtnPt(0);
        }
        if (btn->TxtList.empty())
            return;
        if (btn->TotalState < 2) {
            memo->setPlainText(TextAt(btn->TxtList, 0));
            if (btn->BtnType == kBtnInputValue && btn->ReadUsed == 1)
                memo->setEnabled(false);
        } else {
            memo->setPlainText(TextAt(btn->TxtList, btn->CurPt));
        }
    } else if (tools->Texts == kes::TextTool::StateTexts) {
        memo->clear();
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setEnabled(stateBox->currentIndex() != -1);
        const std::vector<AnsiString>* texts = nullptr;
        int count = 0;
        int current = 0;
        bool reverse = false;
        if (auto* msg = dynamic_cast<TMsgTxt*>(obj)) {
            texts = &msg->Messages;
            count = msg->TotalState;
            current = msg->CurPt;
            reverse = msg->StateReverse != 0;
        } else if (auto* st = dynamic_cast<kes::TStateBmpObj*>(obj)) {
            texts = &st->TxtList;
            count = st->TotalState;
            current = st->CurPt;
            reverse = st->StateReverse != 0;
        }
        // A state outside the list shows no text.
        if (texts && !texts->empty())
            memo->setPlainText(TextAt(*texts, reverse ? count - current - 1 : current));
    }
}

void THmPage::ObjToolbarRefresh(TLxObj* obj)
{
    if (!obj)
        return;
    host_.SetToolsForObj(obj);
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    switch (tools ? tools->States : kes::StateTool::None) {
    case kes::StateTool::OnOff:
        if (auto* bit = dynamic_cast<TLxDevBmp*>(obj)) {
            FillStateBox(Cmds(), 2, bit->CurPt == 1 ? 1 : 0);
            bit->SetCurPt(bit->CurPt == 1 ? 1 : 0);
            bit->Repaint();
        }
        break;
    case kes::StateTool::States:
        StateToolRefresh(obj);
        break;
    case kes::StateTool::None:
        SetStateTools(Cmds(), false);
        break;
    }
    Cmds().SetItemVisible("TbMemo_UD", false);
    if (const QWidget* memo = Cmds().ToolWidget("TbMemo"); memo && memo->isEnabled()) {
        switch (tools ? tools->Texts : kes::TextTool::None) {
        case kes::TextTool::Lines:
            Cmds().SetItemVisible("TbMemo_UD", true);
            TextToolRefresh(obj);
            break;
        case kes::TextTool::StateTexts:
            TextToolRefresh(obj);
            break;
        case kes::TextTool::None:
            Cmds().SetItemEnabled("TbMemo_Lab", false);
            Cmds().SetItemEnabled("TbMemo", false);
            break;
        }
    }
}

void THmPage::ObjFontBoxRefresh(TLxObj* obj)
{
    if (!obj)
        return;
    const kes::ObjKindFacts* facts = kes::KindFactsOf(*obj);
    const bool takesFont = facts && facts->Font == kes::FontUse::PanelFont;
    Cmds().SetItemEnabled("TbFont_Lab", takesFont);
    Cmds().SetItemEnabled("TbFont_Box", takesFont);
    if (QComboBox* box = FontBox(Cmds()))
        box->setCurrentIndex(takesFont && obj->fontsize >= 0 && obj->fontsize <= 3 ? obj->fontsize : -1);
}

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
    if (QComboBox* box = StateBox(k))
        box->setCurrentIndex(-1);
    SetStateTools(k, false);
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
    if (QComboBox* box = FontBox(k))
        box->setCurrentIndex(-1);
    Cmds().SetItemChecked("TbText", false);
    Cmds().SetItemChecked("TbBmp", false);
    if (QPlainTextEdit* memo = Memo(k))
        memo->clear();
    host_.SetObjEditTools(false);

    if (!SelList.empty()) {
        SetPopEnabled("MmCopyAll", false);
        k.SetItemEnabled("MmCopyAll", false);
        if (host_.Doc().EditMode == 3) {
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
            if (host_.Doc().EditMode == 3) {
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
            if (QPlainTextEdit* memo = Memo(k))
        memo->clear();
            host_.SetObjEditTools(false);
        }
    } else {
        CurObj = nullptr;
    }

    if (DlgProp && host_.Doc().ObjInspectorOn) {
        if (!DlgProp->Source())
            DlgProp->SetSource(&editor_.InspectorSource());
        if (CurObj && DlgProp->ShownObj == CurObj) {
            DlgProp->ObjToProp();
            DlgProp->AdvStrGrid->GridInitial();
        } else {
            DlgProp->show();
            DlgProp->FormShow();
        }
    }

    const bool pageActive = HmPage != nullptr && !editor_.Pages().empty();
    if (pageActive && ClipboardHas(host_.ClipFmtObjects())) {
        for (const char* n : {"TbPaste", "MmPaste"})
            k.SetItemEnabled(n, true);
        SetPopEnabled("PopPaste", true);
        both("MmPasteAll", "MmPasteAll", false);
    } else {
        for (const char* n : {"TbPaste", "MmPaste"})
            k.SetItemEnabled(n, false);
        SetPopEnabled("PopPaste", false);
        both("MmPasteAll", "MmPasteAll", pageActive && SelList.empty() && ClipboardHas(host_.ClipFmtPage()));
    }

    for (const char* n : {"MmUndo", "TbUndo"})
        k.SetItemEnabled(n, !UndoList.empty());
    SetPopEnabled("PopUndo", !UndoList.empty());
    for (const char* n : {"MmRedo", "TbRedo"})
        k.SetItemEnabled(n, !RedoList.empty());
    SetPopEnabled("PopRedo", !RedoList.empty());
    k.SetItemEnabled("TbComRead", true);
    k.SetItemEnabled("TbComWrt", true);
}
