// The enabled, visible and checked state of the main window's commands, recomputed from the
// project state after every change of it, and the window's show and language handling.
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/shell/tkhm.h"

#include "app/shell/shelltools.h"
#include "app/shell/tframetreeview.h"

#include "app/inspector/tdlgprop.h"
#include "app/shell/lxeini.h"
#include "app/shell/taboutbox.h"
#include "app/ui/msgtable.h"
#include "app/ui/objtools.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/inifile.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

namespace {

void SetAll(TKhm& w, std::initializer_list<const char*> names, bool enable)
{
    for (const char* n : names)
        w.SetItemEnabled(n, enable);
}

// The check marks that show a switch of the project or the view, and the switch each shows.
struct StateCheck {
    const char* item;
    bool (*on)(const TKhm& k);
};

const StateCheck kStateChecks[] = {
    {"MmEnableUD", [](const TKhm& k) { return k.Doc.EnableUpDown; }},
    {"MmPtEnable", [](const TKhm& k) { return k.View.GridDotsOn; }},
    {"MmPtDisable", [](const TKhm& k) { return !k.View.GridDotsOn; }},
    {"MmTimeOut", [](const TKhm& k) { return k.Doc.ReplyTimeOutOn; }},
    {"MmTreeView", [](const TKhm& k) { return k.View.PageTreeOn; }},
    {"MmObjInspector", [](const TKhm& k) { return k.View.ObjInspectorOn; }},
    {"MmParaset", [](const TKhm& k) { return k.Doc.ParaDataSetDefined(); }},
};

} // namespace

void TKhm::ShowStateChecks()
{
    for (const StateCheck& c : kStateChecks)
        Action(c.item)->setChecked(c.on(*this));
}

void TKhm::FormActivate()
{
    ShowStateChecks();
    kes::RefreshPageTree(*this);
    if (View.EditMode == kes::Editing::Pages && Doc.IsKeypadType()) {
        SetMainToolsEnabled();
        return;
    }
    const bool pages = !Doc.PgDataList.empty();
    if (pages) {
        SetItemEnabled("Mmfile", true);
        if (View.EditMode == kes::Editing::Pages)
            SetItemEnabled("MmEle", true);
        SetAll(*this, {"MmPageSet",  "MmGlobalSet", "MmCom",        "MmSetting", "MmWin",     "MmReadMe",   "MmView",
                       "TbViewPg",   "MmSave",      "MmPgDataSave", "TbSave",    "TbPrint",   "MmSaveAs",   "MmPrint",
                       "MmClosePrj", "MmComWrt",    "TbComWrt",     "MmEdit",    "MmCompile", "TbTranslate"},
               true);
        SetItemEnabled("TbAddPg", View.EditMode == kes::Editing::Pages);
        if (View.EditMode != kes::Editing::Pages)
            SetItemEnabled("MmEle", false);
        SetAll(*this, {"MmComNum", "MmHMIProto", "MmWinFont"}, true);
    } else {
        SetAll(*this,
               {"MmGlobalSet", "MmView", "TbViewPg", "MmSave", "MmPgDataSave", "TbSave", "TbPrint", "MmSaveAs",
                "MmPrint", "MmClosePrj", "MmComWrt", "TbComWrt", "MmEdit", "MmCompile", "TbTranslate", "TbAddPg"},
               false);
    }
    if (!PageEd->Pages().empty()) {
        SetItemEnabled("MmPageSize", true);
    } else {
        SetAll(*this,
               {"TbZoomIn",   "TbZoomOut",  "TbPrePg",     "TbNextPg",    "TbUndo",     "TbRedo",     "TbDel",
                "TbCut",      "TbCopy",     "TbPaste",     "TbStepUp",    "TbStepDown", "TbStepLeft", "TbStepRight",
                "TbSideUp",   "TbSideDown", "TbSideLeft",  "TbSideRight", "MmEle",      "MmPageSet",  "MmPageSize",
                "TbFont_Box", "TbFont_Lab", "TbState_Box", "TbState_Lab", "TbState_UD"},
               false);
    }
    if (View.EditMode == kes::Editing::Pages && pages) {
        SetAll(*this,
               {"MmSysPgChgSet", "MmUserLevel", "MmPLCSet", "MmFunKeySet", "MmPLCRangeSet", "MmSysFunKeySet",
                "MmSysBuzzerSet", "MmSysLedSet", "MmSysPowerOnSet", "MmClock", "MmAutoSave", "MmHMIProto",
                "MmModemSet"},
               true);
    } else {
        SetAll(*this, {"MmCompile", "TbTranslate"}, false);
        if (View.EditMode == kes::Editing::UserMenu || !pages)
            for (QToolBar* bar : {GeomToolBar, ObjToolBar, PostSetToolBar, PosTooBar}) {
                bar->hide();
                if (QWidget* host = FloatHost(bar))
                    host->hide();
            }
        SetAll(*this,
               {"MmWin", "MmPgRatio", "MmPt", "MmModemSet", "MmPLCSet", "MmHMIProto", "MmPLCRangeSet", "MmFunKeySet",
                "MmUserLevel", "MmSysPgChgSet", "MmSysFunKeySet", "MmSysBuzzerSet", "MmSysLedSet", "MmSysPowerOnSet",
                "MmClock", "MmAutoSave"},
               false);
    }
    // A screen being edited offers its own commands and tools, whatever the project's are.
    if (View.EditMode == kes::Editing::StartScreen || View.EditMode == kes::Editing::UserMenu)
        Screens->CommandState();
}

void TKhm::SetMainToolsEnabled()
{
    for (QAction* a : EditToolBar->actions())
        a->setEnabled(false);
    SetAll(*this, {"TbNew", "TbOpen", "TbSave", "TbComWrt", "TbComRead", "MmComWrt", "MmComRead", "MmHMIProto"}, true);
    SetAll(*this, {"MmMenuSet", "MmUserStart", "MmUserMenu"}, false);
    SetAll(*this, {"MmSave", "MmSaveAs"}, true);
    SetItemEnabled("MmEdit", false);
    SetItemEnabled("MmClosePrj", true);
}

void TKhm::SetObjEditTools(bool enable)
{
    SetAll(*this,
           {"TbLeftSide", "TbHMid", "TbRightSide", "TbTopSide", "TbVMid", "TbBottomSide", "TbMemo_Lab", "TbMemo",
            "TbMemo_UD", "TbText", "TbBmp", "TbBmpRead", "TbFontType"},
           enable);
}

void TKhm::ApplyModelTools()
{
    switch (Doc.PanelModelIndex) {
    case 2:
        for (const char* n : {"MmMeter", "TbCurves", "TbXyCurve", "MmCurve", "MmXY", "MmInputVal", "MmActBmp",
                              "TbInputVal", "TbActBmp"})
            SetItemVisible(n, false);
        SetItemVisible("MmPLCRangeSet", true);
        break;
    case 1:
        for (const char* n : {"TbCirMeter", "MmMeter", "TbCurves", "TbXyCurve", "MmCurve", "MmXY", "MmPLCRangeSet"})
            SetItemVisible(n, false);
        break;
    default:
        SetItemVisible("MmPLCRangeSet", false);
        for (const char* n : {"TbCirMeter", "MmMeter", "TbCurves", "TbXyCurve", "MmCurve", "MmXY"})
            SetItemVisible(n, true);
        break;
    }
    // The second panel model draws the bit picture of a word with the bit tool and item.
    const kes::ObjKind bit = Doc.PanelModelIndex == 2 ? kes::ObjKind::LxAdvDevBmp : kes::ObjKind::LxDevBmp;
    for (const char* n : {kes::ObjToolOf(bit).ToolButton, kes::ObjToolOf(bit).MenuItem})
        Action(n)->setProperty("Tag", kes::KindCode(bit));
    SetItemVisible("TbBit", Doc.BitObjAllowed());
}

void TKhm::FormShow()
{
    // Every form of the program that is open takes the language in force.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (kes::IsForm(w) && w != this && w->isVisible())
            TranslateForm(w, Doc.LangIndex);
    TranslateForm(this, Doc.LangIndex);
    // The project's copy of the messages follows every load of the table for this window.
    Doc.MsgTable = kes::MessagesInCodePage();
    Doc.CaptionPrefix = kes::MsgAnsi(kes::kMsgProductName) + " - ";
    kes::TIniFile ini(LocIniPath());
    if (View.PageTreeOn)
        ShowPageTree(ini);
    if (View.ObjInspectorOn) {
        // Closing the window turns the switch off: it is the new window's again.
        delete DlgPropWin.data();
        View.ObjInspectorOn = true;
        ShowStateChecks();
        ShowObjInspector(ini);
    }
    RefreshRecentFileItems();
    for (const char* n : {"MmLangCht", "MmLangChs", "MmLangEng"})
        Action(n)->setChecked(Action(n)->property("Tag").toInt() == Doc.LangIndex);
}

void TKhm::RefreshRecentFileItems()
{
    const char* items[kes::kMaxRecentFiles] = {"MmFile1", "MmFile2", "MmFile3", "MmFile4", "MmFile5"};
    for (int i = 0; i < kes::kMaxRecentFiles; ++i) {
        QAction* a = Action(items[i]);
        const bool shown = i < static_cast<int>(Doc.RecentFiles.size());
        a->setVisible(shown);
        if (shown) {
            // The whole path is the caption; "&" would be taken as an accelerator.
            QString path = kes::AnsiToQString(Doc.RecentFiles[static_cast<std::size_t>(i)]);
            a->setText(path.replace(QLatin1Char('&'), QLatin1String("&&")));
            a->setData(kes::AnsiToQString(Doc.RecentFiles[static_cast<std::size_t>(i)]));
        }
    }
    SetItemVisible("MmOldFileRec", !Doc.RecentFiles.empty());
}

void TKhm::MmLangChtClick(int langIndex)
{
    if (langIndex == Doc.LangIndex)
        return;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (kes::IsForm(w) && w != this)
            TranslateForm(w, langIndex);
    // The page windows translate themselves when they are activated or their popup opens; the
    // start-up screen's title and the popups follow the switch at once.
    for (QMdiSubWindow* sub : findChildren<QMdiSubWindow*>())
        if (sub->widget() && kes::IsForm(sub->widget()))
            TranslateForm(sub->widget(), langIndex);
    TranslateForm(this, langIndex);
    Doc.MsgTable = kes::MessagesInCodePage();
    // The state box lists the selected object's states, which no caption file holds: the
    // translation emptied them, and the object fills them again.
    TEditPage* editing = View.EditMode == kes::Editing::Pages ? static_cast<TEditPage*>(PageEd->Current())
                                                              : Screens->Editor(View.EditMode);
    if (editing && editing->Data().SelList.size() == 1)
        editing->ObjToolbarRefresh(editing->Data().SelList.front());
    Doc.LangIndex = langIndex;
    Doc.CaptionPrefix = kes::MsgAnsi(kes::kMsgProductName) + " - ";
    for (const char* n : {"MmLangCht", "MmLangChs", "MmLangEng"})
        Action(n)->setChecked(Action(n)->property("Tag").toInt() == Doc.LangIndex);
    if (View.ObjInspectorOn && DlgPropWin) {
        DlgPropWin->show();
        // Its rows come from the new language's property table.
        if (Inspector())
            Inspector()->FormShow();
    }
    // The tree's caption and roots follow the language.
    if (TFrameTreeView* tree = kes::PageTreeOf(*this))
        tree->FormShow();
    kes::RefreshPageTree(*this);
    RefreshRecentFileItems();
    if (Doc.Opened)
        ShowModelStatus();
    // The code page of project texts can only change at start: say when it will.
    chosenLanguage_ = langIndex;
    const int next = kes::CodePageFromEnvironment(kes::LangCodePage(langIndex));
    if (next != kes::AnsiCodePage())
        kes::ShowMessage(Ask(), kes::Msg(kes::kMsgCodePageNextStart).arg(next));
}

void TKhm::MmVersionClick()
{
    TAboutBox box(this, Doc.LangIndex, *FileOpen);
    kes::ExecModal(Ask(), &box);
}
