// The main window carries every menu item and tool button the program's commands are wired
// to, under their component names; a command whose subsystem is not built yet is there but
// cannot be chosen, and the start-up state is the designed one.
#include "shellfixture.h"

#include "app/project/ui/tlxtype.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "tests/support/formfinder.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include <functional>

namespace kes::test {
namespace {

class MainWindowTest : public StartedShell {};

// Names the commands of later subsystems look up.
const char* const kItems[] = {
    "Mmfile",
    "MmNew",
    "MmOpen",
    "MmMenuSet",
    "LX041",
    "LX021",
    "MmPgDataSave",
    "MmSave",
    "MmSaveAs",
    "MmPrint",
    "MmPrintmmPg",
    "MmPrintStartPg",
    "MmClosePrj",
    "MmBmpSave",
    "MmObjBmpSave",
    "MmPageSave",
    "MmPage1Save",
    "MmChar",
    "N9",
    "MmFile1",
    "MmFile2",
    "MmFile3",
    "MmFile4",
    "MmFile5",
    "MmOldFileRec",
    "MmExit",
    "MmEdit",
    "MmUndo",
    "MmRedo",
    "MmCut",
    "MmCopy",
    "MmPaste",
    "MmDel",
    "MmSelAll",
    "MmCopyAll",
    "MmPasteAll",
    "MmMultiCopy",
    "MmPgImageCopy",
    "MmImageToClipBrd",
    "MmImageToFile",
    "MmMovTop",
    "MmMovbutton",
    "MmMoveUp",
    "MmMovDn",
    "MmAddPg",
    "MmPgData",
    "MmCompile",
    "MmTranslate",
    "MmSimOnLine",
    "MmSimOFFLine",
    "MmCheck",
    "MmChkFile",
    "MmEle",
    "MmStTxt",
    "MmVal",
    "MmBit",
    "MmValRange",
    "MmStBmp",
    "MmActBmp",
    "MmScale",
    "MmProgBar",
    "MmMeter",
    "MmCirMeter",
    "MmRectMeter",
    "MmPgNum",
    "MmMsg",
    "MmBtn",
    "MmCurve",
    "MmXY",
    "MmRtc",
    "MmGeom",
    "MmLighter",
    "MmMetrol",
    "MmInputVal",
    "MmView",
    "MmViewPg",
    "MmTreeView",
    "MmObjInspector",
    "MmMsgShow",
    "StandTbarSet",
    "ObjTBarSet",
    "GeomTBarSet",
    "PosTBarSet",
    "PostTBarSet",
    "MmPageSize",
    "MmPgSize100",
    "MmPgSize200",
    "MmPgSize400",
    "Mm800",
    "Mm1600",
    "MmPgRatio",
    "MmPgSize100All",
    "MmPgSize200All",
    "MmPgSize400All",
    "Mm800All",
    "Mm1600All",
    "MmPt",
    "MmPtEnable",
    "MmPtDisable",
    "MmFullScreen",
    "MmFullScrnNpoint",
    "MmCom",
    "MmComWrt",
    "MmComRead",
    "MmUserStart",
    "MmUserMenu",
    "MmComNum",
    "MmHMIProto",
    "MmModemSet",
    "MmPLCMoni",
    "MmTestPLCRange",
    "MmTimeOut",
    "MmPageSet",
    "MmPgJump",
    "MmFunKeyEt",
    "MmBuzzerSet",
    "MmLedSet",
    "MmHide",
    "MmPgPageWriteSet",
    "MmGlobalSet",
    "MmParaset",
    "MmSysPgChgSet",
    "MmSysFunKeySet",
    "MmSysBuzzerSet",
    "MmSysLedSet",
    "MmClock",
    "MmSysPowerOnSet",
    "MmFunKeySet",
    "MmEnableUD",
    "MmUserLevel",
    "MmTool",
    "MmStartPg",
    "MmLxe",
    "MmPLCSet",
    "MmPLCRangeSet",
    "MmSetting",
    "MmAutoSave",
    "MmWinFont",
    "MmLangSet",
    "MmLangCht",
    "MmLangChs",
    "MmLangEng",
    "MmWriteLan",
    "MmUserStartSet",
    "MmUserMenuSet",
    "MmWin",
    "MmCascade",
    "MmHorz",
    "MmVert",
    "MmReadMe",
    "LxeHelp",
    "MmVersion",
    "TbNew",
    "TbOpen",
    "TbSave",
    "TbPrint",
    "TbCut",
    "TbCopy",
    "TbPaste",
    "TbDel",
    "TbUndo",
    "TbRedo",
    "TbAddPg",
    "TbViewPg",
    "TbPrePg",
    "TbNextPg",
    "TbZoomIn",
    "TbZoomOut",
    "TbTranslate",
    "TbComWrt",
    "TbComRead",
    "tbPointTo",
    "TbStTxt",
    "TbVal",
    "TbBit",
    "TbValRange",
    "TbStBmp",
    "TbActBmp",
    "TbScale",
    "TbProgBar",
    "TbCirMeter",
    "TbPgNum",
    "TbMsg",
    "TbBtn",
    "TbCurves",
    "TbXyCurve",
    "TbRtc",
    "TbLighter",
    "TbMetrol",
    "TbInputVal",
    "TbLine",
    "TbRect",
    "TbRectF",
    "TbCir",
    "TbCirF",
    "TbCurve",
    "TbChord",
    "TbChordF",
    "TbPie",
    "TbPieF",
    "TbPoly",
    "TbSLine",
    "TbDLine",
    "TbTLine",
    "TbDot",
    "TbText",
    "TbBmp",
    "TbBmpRead",
    "TbFontType",
    "TbLeftSide",
    "TbHMid",
    "TbRightSide",
    "TbTopSide",
    "TbVMid",
    "TbBottomSide",
    "TbStepUp",
    "TbStepDown",
    "TbStepLeft",
    "TbStepRight",
    "TbSideUp",
    "TbSideDown",
    "TbSideLeft",
    "TbSideRight",
};

const char* const kToolWidgets[] = {"TbState_Lab", "TbState_Box", "TbState_UD", "TbFont_Lab",
                                    "TbFont_Box",  "TbMemo_Lab",  "TbMemo",     "TbMemo_UD"};

// The commands this window runs itself.
const char* const kWired[] = {"MmNew",       "TbNew",      "MmClosePrj", "MmExit",       "MmVersion",
                              "MmLangCht",   "MmLangChs",  "MmLangEng",  "StandTbarSet", "ObjTBarSet",
                              "GeomTBarSet", "PosTBarSet", "PostTBarSet"};

TEST_F(MainWindowTest, EveryCommandIsThereAndOnlyBuiltOnesCanBeChosen)
{
    for (const char* name : kItems)
        EXPECT_NE(Main()->Action(name), nullptr) << name;
    for (const char* name : kToolWidgets)
        EXPECT_NE(Main()->ToolWidget(name), nullptr) << name;
    for (const char* name : kWired)
        EXPECT_TRUE(Main()->IsWired(Main()->Action(name))) << name;
    for (QAction* a : Main()->findChildren<QAction*>()) {
        if (a->menu() || a->isSeparator() || a->objectName().isEmpty())
            continue;
        if (!Main()->IsWired(a)) {
            EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
        }
    }
}

TEST_F(MainWindowTest, StartsInTheDesignedState)
{
    // Names of the five tool bars and the section each has in the layout file.
    EXPECT_EQ(Main()->EditToolBar->objectName(), "EditToolBar");
    EXPECT_EQ(Main()->PosTooBar->objectName(), "PosTooBar");
    for (const char* n : {"MmEdit", "MmCompile", "MmEle", "MmView", "MmPgRatio", "MmPt", "MmClosePrj"})
        EXPECT_FALSE(Main()->Action(n)->isEnabled()) << n;
    for (const char* n : {"MmChar", "MmCheck", "MmTestPLCRange", "MmPLCRangeSet", "MmFullScreen", "MmTimeOut",
                          "MmRectMeter", "MmPgNum", "MmFile1", "MmOldFileRec"})
        EXPECT_FALSE(Main()->Action(n)->isVisible()) << n;
    // Hidden in the design, offered since they are built.
    for (const char* n : {"MmBmpSave", "MmWinFont", "MmModemSet"})
        EXPECT_TRUE(Main()->Action(n)->isVisible()) << n;
    for (const char* n : {"tbPointTo", "MmPgSize400", "MmPtEnable", "MmTimeOut", "StandTbarSet", "PostTBarSet"})
        EXPECT_TRUE(Main()->Action(n)->isChecked()) << n;
    EXPECT_EQ(Main()->View.EditMode, kes::Editing::Pages);
    EXPECT_EQ(Main()->Doc.LangIndex, 2);
    EXPECT_EQ(Main()->Doc.DefaultZoom, 4);
    EXPECT_EQ(Main()->Doc.MachineId, 87);
    EXPECT_EQ(Main()->Doc.Opened, 0);
    EXPECT_EQ(Main()->Doc.CaptionPrefix, "Kestrova - ");
    EXPECT_EQ(Main()->ClipFmtObjects, "CF_MYFORMAT");
    EXPECT_EQ(Main()->ClipFmtPage, "CF_ALLPAGEFORMAT");
    EXPECT_NE(Main()->LxType, nullptr);
    EXPECT_EQ(FindForm(QStringLiteral("PgListFrm")), nullptr);
}

// A switch of the project state is shown by its item's check mark; the item's command
// changes the switch, and the mark follows.
TEST_F(MainWindowTest, CheckMarksShowTheSwitchesOfTheProjectState)
{
    struct Case {
        const char* item;
        std::function<void(bool)> set;
    };
    const Case cases[] = {
        {"MmEnableUD", [](bool on) { Main()->Doc.EnableUpDown = on; }},
        {"MmPtEnable", [](bool on) { Main()->View.GridDotsOn = on; }},
        {"MmPtDisable", [](bool on) { Main()->View.GridDotsOn = !on; }},
        {"MmTimeOut", [](bool on) { Main()->Doc.ReplyTimeOutOn = on; }},
        {"MmTreeView", [](bool on) { Main()->View.PageTreeOn = on; }},
        {"MmObjInspector", [](bool on) { Main()->View.ObjInspectorOn = on; }},
        {"MmParaset", [](bool on) { Main()->Doc.ParaDataSet.Ref.DevAddrCode = on ? 0x100 : -1; }},
    };
    for (const Case& c : cases)
        for (bool on : {true, false, true}) {
            c.set(on);
            Main()->FormActivate();
            EXPECT_EQ(Main()->Action(c.item)->isChecked(), on) << c.item << " " << on;
        }

    Main()->Action("MmPtDisable")->trigger();
    EXPECT_FALSE(Main()->View.GridDotsOn);
    EXPECT_TRUE(Main()->Action("MmPtDisable")->isChecked());
    EXPECT_FALSE(Main()->Action("MmPtEnable")->isChecked());
    Main()->Action("MmPtEnable")->trigger();
    EXPECT_TRUE(Main()->View.GridDotsOn);
    Main()->Action("MmTimeOut")->trigger();
    EXPECT_FALSE(Main()->Doc.ReplyTimeOutOn);
    EXPECT_FALSE(Main()->Action("MmTimeOut")->isChecked());
}

} // namespace
} // namespace kes::test
