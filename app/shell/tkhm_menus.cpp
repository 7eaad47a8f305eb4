// The main window's menus, tool bars, dock panels and status bar. Every item carries its
// component name (objectName) so that the caption translator and the commands find it; the
// texts below are the design captions, replaced by the language file when the form is shown.
#include "app/shell/tkhm.h"

#include "app/shell/toolicons.h"
#include "app/ui/objtools.h"
#include "app/ui/translate.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

namespace {

enum ItemFlags : unsigned {
    None = 0,
    Sub = 1 << 0, // opens a submenu
    Sep = 1 << 1, // a separator (its name is kept for the recent-file rules)
    Checkable = 1 << 2,
    Checked = 1 << 3,
    Hidden = 1 << 4,
    Disabled = 1 << 5,
};

struct MenuItemDef {
    const char* parent; // null: the menu bar
    const char* name;
    const char* caption;
    int tag;
    const char* shortcut;
    unsigned flags;
};

// In menu order. The first nine top-level menus are the ones a transfer locks.
const MenuItemDef kMenu[] = {
    {nullptr, "Mmfile", "&File", 0, nullptr, Sub},
    {"Mmfile", "MmNew", "&New...", 0, "Ctrl+N", None},
    {"Mmfile", "MmOpen", "&Open...", 0, "Ctrl+O", None},
    {"Mmfile", "MmMenuSet", "User &Menu", 0, nullptr, Sub},
    {"MmMenuSet", "LX041", "LX-04(&4)", 0, nullptr, None},
    {"MmMenuSet", "LX021", "LX-02(&2)", 0, nullptr, None},
    {"Mmfile", "MmPgDataSave", "Object &Table...", 0, nullptr, Disabled},
    {"Mmfile", "MmSave", "&Save", 0, "Ctrl+S", Disabled},
    {"Mmfile", "MmSaveAs", "Save &As...", 0, nullptr, Disabled},
    {"Mmfile", "MmPrint", "&Print", 0, nullptr, Sub | Disabled},
    {"MmPrint", "MmPrintmmPg", "&Pages...", 0, "Ctrl+P", None},
    {"MmPrint", "MmPrintStartPg", "&Start-up Screen...", 0, nullptr, None},
    {"Mmfile", "MmClosePrj", "&Close Project", 0, nullptr, Disabled},
    {"Mmfile", "MmBmpSave", "Picture &Data", 0, nullptr, Sub | Hidden},
    {"MmBmpSave", "MmObjBmpSave", "&Object Picture Bytes", 0, nullptr, None},
    {"MmBmpSave", "MmPageSave", "&Page Picture Bytes", 0, nullptr, None},
    {"MmBmpSave", "MmPage1Save", "Page &Bitmap as Hex List...", 0, nullptr, None},
    {"Mmfile", "MmChar", "C&haracters", 0, nullptr, Hidden},
    {"Mmfile", "N9", "", 0, nullptr, Sep},
    {"Mmfile", "MmFile1", "", 0, nullptr, Hidden},
    {"Mmfile", "MmFile2", "", 0, nullptr, Hidden},
    {"Mmfile", "MmFile3", "", 0, nullptr, Hidden},
    {"Mmfile", "MmFile4", "", 0, nullptr, Hidden},
    {"Mmfile", "MmFile5", "", 0, nullptr, Hidden},
    {"Mmfile", "MmOldFileRec", "", 0, nullptr, Sep | Hidden},
    {"Mmfile", "MmExit", "E&xit", 0, nullptr, None},

    {nullptr, "MmEdit", "&Edit", 0, nullptr, Sub | Disabled},
    {"MmEdit", "MmUndo", "&Undo", 0, "Ctrl+Z", None},
    {"MmEdit", "MmRedo", "&Redo", 0, "Ctrl+Y", None},
    {"MmEdit", "N11", "", 0, nullptr, Sep},
    {"MmEdit", "MmCut", "Cu&t", 0, "Ctrl+X", None},
    {"MmEdit", "MmCopy", "&Copy", 0, "Ctrl+C", None},
    {"MmEdit", "MmPaste", "&Paste", 0, "Ctrl+V", None},
    {"MmEdit", "MmDel", "&Delete", 0, "Del", None},
    {"MmEdit", "MmSelAll", "Select &All", 0, "Ctrl+A", None},
    {"MmEdit", "N12", "", 0, nullptr, Sep},
    {"MmEdit", "MmCopyAll", "Copy &Whole Page", 0, nullptr, None},
    {"MmEdit", "MmPasteAll", "Paste W&hole Page", 0, nullptr, Disabled},
    {"MmEdit", "MmMultiCopy", "&Multiple Copy...", 0, nullptr, None},
    {"MmEdit", "MmPgImageCopy", "Page P&icture", 0, nullptr, Sub},
    {"MmPgImageCopy", "MmImageToClipBrd", "To &Clipboard", 0, "Ctrl+Shift+P", None},
    {"MmPgImageCopy", "MmImageToFile", "To &File...", 0, "Ctrl+Shift+F", None},
    {"MmEdit", "N13", "", 0, nullptr, Sep},
    {"MmEdit", "MmMovTop", "Bring to &Front", 0, "Ctrl+T", None},
    {"MmEdit", "MmMovbutton", "Send to &Back", 0, "Ctrl+B", None},
    {"MmEdit", "MmMoveUp", "Bring F&orward", 0, "Ctrl+U", None},
    {"MmEdit", "MmMovDn", "Se&nd Backward", 0, "Ctrl+D", None},
    {"MmEdit", "N14", "", 0, nullptr, Sep},
    {"MmEdit", "MmAddPg", "Add Pa&ge", 0, nullptr, None},
    {"MmEdit", "MmPgData", "Page &List...", 0, nullptr, None},

    {nullptr, "MmCompile", "&Compile", 0, nullptr, Sub | Disabled},
    {"MmCompile", "MmTranslate", "&Compile", 0, "F9", None},
    {"MmCompile", "MmSimOnLine", "Simulate &On-line", 0, nullptr, Hidden},
    {"MmCompile", "MmSimOFFLine", "Simulate O&ff-line", 0, nullptr, Hidden},
    {"MmCompile", "MmCheck", "Chec&k", 0, nullptr, Sub | Hidden},
    {"MmCheck", "MmChkFile", "Check &File", 0, nullptr, None},

    {nullptr, "MmEle", "&Objects", 0, nullptr, Sub | Disabled},
    {"MmEle", "MmStTxt", "Static &Text", 0, nullptr, None},
    {"MmEle", "MmVal", "&ReadOut", 0, nullptr, None},
    {"MmEle", "MmBit", "&Indicator", 0, nullptr, None},
    {"MmEle", "MmValRange", "&Multi-State Indicator", 0, nullptr, None},
    {"MmEle", "MmStBmp", "Static &Bitmap", 0, nullptr, None},
    {"MmEle", "MmActBmp", "&Dynamic Bitmap", 0, nullptr, None},
    {"MmEle", "MmScale", "&Scale", 0, nullptr, None},
    {"MmEle", "MmProgBar", "&Progress Bar", 0, nullptr, None},
    {"MmEle", "MmMeter", "M&eter", 0, nullptr, Sub},
    {"MmMeter", "MmCirMeter", "&Circle Meter", 0, nullptr, None},
    {"MmMeter", "MmRectMeter", "&Square-swatch", 0, nullptr, Hidden},
    {"MmEle", "MmPgNum", "Page &Number", 0, nullptr, Hidden},
    {"MmEle", "MmMsg", "Messa&ge Display", 0, nullptr, None},
    {"MmEle", "MmBtn", "Butt&on", 0, nullptr, None},
    {"MmEle", "MmCurve", "Cur&ve", 0, nullptr, None},
    {"MmEle", "MmXY", "&X-Y Curve", 0, nullptr, None},
    {"MmEle", "MmRtc", "C&lock Display", 0, nullptr, None},
    {"MmEle", "MmGeom", "Geometric &Figure", 0, nullptr, Sub},
    {"MmGeom", "MmGeomLine", "&Line", 1, nullptr, None},
    {"MmGeom", "MmGeomRect", "&Rectangle", 2, nullptr, None},
    {"MmGeom", "MmGeomRectF", "&Filled Rectangle", 3, nullptr, None},
    {"MmGeom", "MmGeomCir", "&Ellipse", 4, nullptr, None},
    {"MmGeom", "MmGeomCirF", "Fille&d Ellipse", 5, nullptr, None},
    {"MmGeom", "MmGeomArc", "&Arc", 6, nullptr, None},
    {"MmGeom", "MmGeomChord", "&Chord", 7, nullptr, None},
    {"MmGeom", "MmGeomChordF", "Filled C&hord", 8, nullptr, None},
    {"MmGeom", "MmGeomPie", "&Pie", 9, nullptr, None},
    {"MmGeom", "MmGeomPieF", "Filled P&ie", 10, nullptr, None},
    {"MmGeom", "MmGeomPoly", "P&olyline", 11, nullptr, None},
    {"MmEle", "MmLighter", "L&amp", 0, nullptr, None},
    {"MmEle", "MmMetrol", "&Units", 0, nullptr, None},
    {"MmEle", "MmInputVal", "Numeri&c Input", 0, nullptr, None},

    {nullptr, "MmView", "&View", 0, nullptr, Sub | Disabled},
    {"MmView", "MmViewPg", "Page &List...", 0, nullptr, None},
    {"MmView", "N21", "", 0, nullptr, Sep},
    {"MmView", "MmTreeView", "Page &Tree", 0, nullptr, Checkable},
    {"MmView", "MmObjInspector", "Object &Inspector", 0, nullptr, Checkable},
    {"MmView", "MmMsgShow", "Check &Results", 0, nullptr, Hidden},
    {"MmView", "N22", "", 0, nullptr, Sep},
    {"MmView", "StandTbarSet", "&Standard Tool Bar", 0, nullptr, Checkable | Checked},
    {"MmView", "ObjTBarSet", "&Object Tool Bar", 1, nullptr, Checkable | Checked},
    {"MmView", "GeomTBarSet", "&Figure Tool Bar", 2, nullptr, Checkable | Checked},
    {"MmView", "PosTBarSet", "Te&xt Tool Bar", 0, nullptr, Checkable | Checked},
    {"MmView", "PostTBarSet", "&Position Tool Bar", 0, nullptr, Checkable | Checked},
    {"MmView", "N23", "", 0, nullptr, Sep},
    {"MmView", "MmPageSize", "&Zoom", 0, nullptr, Sub},
    {"MmPageSize", "MmPgSize100", "&100%", 1, nullptr, Checkable},
    {"MmPageSize", "MmPgSize200", "&200%", 2, nullptr, Checkable},
    {"MmPageSize", "MmPgSize400", "&400%", 4, nullptr, Checkable | Checked},
    {"MmPageSize", "Mm800", "&800%", 8, nullptr, Checkable},
    {"MmPageSize", "Mm1600", "1&600%", 16, nullptr, Checkable},
    {"MmView", "MmPgRatio", "Zoom &All Pages", 0, nullptr, Sub | Disabled},
    {"MmPgRatio", "MmPgSize100All", "&100%", 1, nullptr, None},
    {"MmPgRatio", "MmPgSize200All", "&200%", 2, nullptr, None},
    {"MmPgRatio", "MmPgSize400All", "&400%", 4, nullptr, None},
    {"MmPgRatio", "Mm800All", "&800%", 8, nullptr, None},
    {"MmPgRatio", "Mm1600All", "1&600%", 16, nullptr, None},
    {"MmView", "MmPt", "&Grid", 0, nullptr, Sub | Disabled},
    {"MmPt", "MmPtEnable", "Grid &On", 0, nullptr, Checkable},
    {"MmPt", "MmPtDisable", "Grid O&ff", 0, nullptr, Checkable},
    {"MmView", "N24", "", 0, nullptr, Sep},
    {"MmView", "MmFullScreen", "F&ull Screen", 0, nullptr, Hidden},
    {"MmView", "MmFullScrnNpoint", "Full Screen &with Addresses", 1, nullptr, None},

    {nullptr, "MmCom", "Co&mmunication", 0, nullptr, Sub},
    {"MmCom", "MmComWrt", "&Download", 0, nullptr, None},
    {"MmCom", "MmComRead", "&Upload", 0, nullptr, None},
    {"MmCom", "N31", "", 0, nullptr, Sep},
    {"MmCom", "MmUserStart", "Send &Start-up Screen", 0, nullptr, None},
    {"MmCom", "MmUserMenu", "Send User &Menu", 0, nullptr, None},
    {"MmCom", "N32", "", 0, nullptr, Sep},
    {"MmCom", "MmComNum", "&Communication Settings...", 0, nullptr, None},
    {"MmCom", "MmHMIProto", "&Panel Protocol...", 0, nullptr, None},
    {"MmCom", "MmModemSet", "M&odem...", 0, nullptr, None},
    {"MmCom", "MmPLCMoni", "PLC Mo&nitor", 0, nullptr, Hidden | Disabled},
    {"MmCom", "MmTestPLCRange", "&Test PLC Range", 0, nullptr, Hidden},
    {"MmCom", "MmTimeOut", "&Reply Time-out", 0, nullptr, Checkable | Hidden},

    {nullptr, "MmPageSet", "&Page", 0, nullptr, Sub},
    {"MmPageSet", "MmPgJump", "Page &Change Conditions...", 0, nullptr, None},
    {"MmPageSet", "MmFunKeyEt", "&Function Keys...", 0, nullptr, None},
    {"MmPageSet", "MmBuzzerSet", "&Buzzer...", 1002, "Ctrl+F3", None},
    {"MmPageSet", "MmLedSet", "&Alarm Lamp...", 1003, "Ctrl+F4", None},
    {"MmPageSet", "MmHide", "&Hide Page", 0, nullptr, Checkable},
    {"MmPageSet", "MmPgPageWriteSet", "Page Number &Write...", 0, nullptr, None},

    {nullptr, "MmGlobalSet", "&System", 0, nullptr, Sub},
    {"MmGlobalSet", "MmParaset", "&Parameter Setting...", 0, nullptr, Checkable},
    {"MmGlobalSet", "MmSysPgChgSet", "Page &Change Conditions...", 0, "Ctrl+F1", Checkable},
    {"MmGlobalSet", "MmSysFunKeySet", "&Function Keys...", 0, "Ctrl+F2", Checkable},
    {"MmGlobalSet", "MmSysBuzzerSet", "&Buzzer...", 1002, nullptr, Checkable},
    {"MmGlobalSet", "MmSysLedSet", "&Alarm Lamp...", 1003, nullptr, Checkable},
    {"MmGlobalSet", "MmClock", "C&lock Write...", 0, "Ctrl+F5", Checkable},
    {"MmGlobalSet", "MmSysPowerOnSet", "Power-&on Macro...", 0, nullptr, Checkable},
    {"MmGlobalSet", "N41", "", 0, nullptr, Sep},
    {"MmGlobalSet", "MmFunKeySet", "Function &Key Settings", 0, nullptr, Sub},
    {"MmFunKeySet", "MmEnableUD", "Redefine &Up/Down Keys", 0, nullptr, Checkable},
    {"MmGlobalSet", "MmUserLevel", "User Pass&words...", 0, nullptr, None},

    {nullptr, "MmTool", "&Tools", 0, nullptr, Sub},
    {"MmTool", "MmStartPg", "&Start-up Screen Editing", 0, nullptr, None},
    {"MmTool", "MmLxe", "&Page Editing", 0, nullptr, None},
    {"MmTool", "N51", "", 0, nullptr, Sep},
    {"MmTool", "MmPLCSet", "PLC &Address Map...", 0, nullptr, None},
    {"MmTool", "MmPLCRangeSet", "PLC &Range...", 0, nullptr, Hidden},

    {nullptr, "MmSetting", "Settin&gs", 0, nullptr, Sub},
    {"MmSetting", "MmAutoSave", "&Auto Save...", 0, nullptr, None},
    {"MmSetting", "MmWinFont", "Window &Font...", 0, nullptr, Hidden},
    {"MmSetting", "MmLangSet", "&Language", 0, nullptr, Sub},
    {"MmLangSet", "MmLangCht", "Traditional Chinese", 0, nullptr, Checkable},
    {"MmLangSet", "MmLangChs", "Simplified Chinese", 1, nullptr, Checkable},
    {"MmLangSet", "MmLangEng", "English", 2, nullptr, Checkable | Checked},
    {"MmSetting", "MmWriteLan", "&Write Caption Lists", 0, nullptr, Hidden},
    {"MmSetting", "MmUserStartSet", "Edit Start-up Screen of the Panel", 0, nullptr, Checkable | Hidden},
    {"MmSetting", "MmUserMenuSet", "Edit User Menu of the Panel", 0, nullptr, Checkable | Hidden},

    {nullptr, "MmWin", "&Window", 0, nullptr, Sub},
    {"MmWin", "MmCascade", "&Cascade", 0, nullptr, None},
    {"MmWin", "MmHorz", "Tile &Horizontally", 0, nullptr, None},
    {"MmWin", "MmVert", "Tile &Vertically", 0, nullptr, None},

    {nullptr, "MmReadMe", "&Help", 0, nullptr, Sub},
    {"MmReadMe", "LxeHelp", "&Help Topics", 0, "F1", None},
    {"MmReadMe", "MmVersion", "&About...", 0, nullptr, None},
};

enum ToolFlags : unsigned { TNone = 0, TCheck = 1, TDown = 2, TSep = 4 };

struct ToolDef {
    const char* name;
    const char* hint;
    int tag;
    unsigned flags;
};

const ToolDef kEditTools[] = {
    {"TbNew", "New", 0, TNone},
    {"TbOpen", "Open", 0, TNone},
    {"TbSave", "Save", 0, TNone},
    {"TbPrint", "Print", 0, TNone},
    {"", "", 0, TSep},
    {"TbCut", "Cut", 0, TNone},
    {"TbCopy", "Copy", 0, TNone},
    {"TbPaste", "Paste", 0, TNone},
    {"TbDel", "Delete", 0, TNone},
    {"TbUndo", "Undo", 0, TNone},
    {"TbRedo", "Redo", 0, TNone},
    {"", "", 0, TSep},
    {"TbAddPg", "Add Page", 0, TNone},
    {"TbViewPg", "Page List", 0, TNone},
    {"TbPrePg", "Previous Page", 0, TNone},
    {"TbNextPg", "Next Page", 0, TNone},
    {"", "", 0, TSep},
    {"TbZoomIn", "Zoom In", 0, TNone},
    {"TbZoomOut", "Zoom Out", 0, TNone},
    {"", "", 0, TSep},
    {"TbTranslate", "Compile", 0, TNone},
    {"TbComWrt", "Download", 0, TNone},
    {"TbComRead", "Upload", 0, TNone},
};

const ToolDef kObjTools[] = {
    {"tbPointTo", "Pointer", 0, TCheck | TDown},
    {"TbStTxt", "Static Text", 0, TCheck},
    {"TbVal", "ReadOut", 0, TCheck},
    {"TbBit", "Indicator", 0, TCheck},
    {"TbValRange", "Multi-State Indicator", 0, TCheck},
    {"TbStBmp", "Static Bitmap", 0, TCheck},
    {"TbActBmp", "Dynamic Bitmap", 0, TCheck},
    {"TbScale", "Scale", 0, TCheck},
    {"TbProgBar", "Progress Bar", 0, TCheck},
    {"TbCirMeter", "Circle Meter", 0, TCheck},
    {"TbPgNum", "Page Number", 0, TCheck},
    {"TbMsg", "Message Display", 0, TCheck},
    {"TbBtn", "Button", 0, TCheck},
    {"TbCurves", "Curve", 0, TCheck},
    {"TbXyCurve", "X-Y Curve", 0, TCheck},
    {"TbRtc", "Clock Display", 0, TCheck},
    {"TbLighter", "Lamp", 0, TCheck},
    {"TbMetrol", "Units", 0, TCheck},
    {"TbInputVal", "Numeric Input", 0, TCheck},
};

const ToolDef kGeomTools[] = {
    {"TbLine", "Line", 1, TCheck},
    {"TbRect", "Rectangle", 2, TCheck},
    {"TbRectF", "Filled Rectangle", 3, TCheck},
    {"TbCir", "Ellipse", 4, TCheck},
    {"TbCirF", "Filled Ellipse", 5, TCheck},
    {"TbCurve", "Arc", 6, TCheck},
    {"TbChord", "Chord", 7, TCheck},
    {"TbChordF", "Filled Chord", 8, TCheck},
    {"TbPie", "Pie", 9, TCheck},
    {"TbPieF", "Filled Pie", 10, TCheck},
    {"TbPoly", "Polyline", 11, TCheck},
    {"", "", 0, TSep},
    {"TbSLine", "Line Width 1", 1, TCheck | TDown},
    {"TbDLine", "Line Width 2", 2, TCheck},
    {"TbTLine", "Line Width 3", 3, TCheck},
    {"TbDot", "Dotted Line", 4, TCheck},
};

const ToolDef kPosTools[] = {
    {"TbText", "Text", 0, TCheck},
    {"TbBmp", "Picture", 0, TCheck},
    {"TbBmpRead", "Load Picture", 0, TNone},
    {"TbFontType", "Font", 0, TNone},
    {"", "", 0, TSep},
    {"TbLeftSide", "Align Left", 0, TNone},
    {"TbHMid", "Center Horizontally", 0, TNone},
    {"TbRightSide", "Align Right", 0, TNone},
    {"TbTopSide", "Align Top", 0, TNone},
    {"TbVMid", "Center Vertically", 0, TNone},
    {"TbBottomSide", "Align Bottom", 0, TNone},
    {"", "", 0, TSep},
};

const ToolDef kPostSetTools[] = {
    {"TbStepUp", "Move Up", 0, TNone},
    {"TbStepDown", "Move Down", 0, TNone},
    {"TbStepLeft", "Move Left", 0, TNone},
    {"TbStepRight", "Move Right", 0, TNone},
    {"", "", 0, TSep},
    {"TbSideUp", "Align Tops", 0, TNone},
    {"TbSideDown", "Align Bottoms", 0, TNone},
    {"TbSideLeft", "Align Lefts", 0, TNone},
    {"TbSideRight", "Align Rights", 0, TNone},
};

} // namespace

void TKhm::BuildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("KhmPopMenu"));
    for (const MenuItemDef& d : kMenu) {
        QMenu* parentMenu =
            d.parent ? findChild<QMenu*>(QString::fromLatin1(d.parent) + QStringLiteral("_menu")) : nullptr;
        QAction* a = nullptr;
        if (d.flags & Sub) {
            auto* menu = new QMenu(QString::fromUtf8(d.caption), this);
            menu->setObjectName(QString::fromLatin1(d.name) + QStringLiteral("_menu"));
            a = menu->menuAction();
            if (parentMenu)
                parentMenu->addMenu(menu);
            else
                bar->addMenu(menu);
        } else if (d.flags & Sep) {
            a = parentMenu->addSeparator();
        } else {
            a = new QAction(QString::fromUtf8(d.caption), this);
            parentMenu->addAction(a);
        }
        a->setObjectName(QString::fromLatin1(d.name));
        // Separators carry no caption of their own.
        kes::SetComponentClass(a, (d.flags & Sep) ? "TSeparator" : "TMenuItem");
        a->setProperty("Tag", d.tag);
        if (d.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
        a->setCheckable(d.flags & Checkable);
        a->setChecked(d.flags & Checked);
        a->setVisible(!(d.flags & Hidden));
        a->setEnabled(!(d.flags & Disabled));
    }
}

namespace {

QToolBar* MakeToolBar(TKhm* w, const char* name, const char* caption, const ToolDef* defs, std::size_t n)
{
    auto* bar = new QToolBar(QString::fromUtf8(caption), w);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (std::size_t i = 0; i < n; ++i) {
        const ToolDef& d = defs[i];
        if (d.flags & TSep) {
            bar->addSeparator();
            continue;
        }
        auto* a = new QAction(kes::ToolIcon(d.name), QString::fromUtf8(d.hint), w);
        a->setObjectName(QString::fromLatin1(d.name));
        a->setToolTip(QString::fromUtf8(d.hint));
        kes::SetComponentClass(a, "TToolButton");
        a->setProperty("Tag", d.tag);
        a->setCheckable(d.flags & TCheck);
        a->setChecked(d.flags & TDown);
        bar->addAction(a);
    }
    return bar;
}

template <class W> W* AddToolWidget(QToolBar* bar, W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    bar->addWidget(widget);
    return widget;
}

} // namespace

void TKhm::BuildToolBars()
{
    EditToolBar = MakeToolBar(this, "EditToolBar", "Standard", kEditTools, std::size(kEditTools));
    ObjToolBar = MakeToolBar(this, "ObjToolBar", "Objects", kObjTools, std::size(kObjTools));
    GeomToolBar = MakeToolBar(this, "GeomToolBar", "Figures", kGeomTools, std::size(kGeomTools));
    PosTooBar = MakeToolBar(this, "PosTooBar", "Text", kPosTools, std::size(kPosTools));
    PostSetToolBar = MakeToolBar(this, "PostSetToolBar", "Position", kPostSetTools, std::size(kPostSetTools));
    // An object tool button and menu item carry the kind they draw as their Tag.
    for (kes::ObjKind kind : kes::AllObjKinds()) {
        const kes::ObjToolEntry& tool = kes::ObjToolOf(kind);
        for (const char* name : {tool.ToolDraws ? tool.ToolButton : nullptr, tool.MenuDraws ? tool.MenuItem : nullptr})
            if (QAction* a = name ? Action(name) : nullptr)
                a->setProperty("Tag", kes::KindCode(kind));
    }

    // Drawing tools: the pointer and the object and figure buttons are one exclusive group;
    // so are the four line styles.
    auto* styles = new QActionGroup(this);
    for (const char* n : {"TbSLine", "TbDLine", "TbTLine", "TbDot"})
        styles->addAction(Action(n));
    auto* tools = new QActionGroup(this);
    for (QToolBar* bar : {ObjToolBar, GeomToolBar})
        for (QAction* a : bar->actions())
            if (a->isCheckable() && a->actionGroup() == nullptr)
                tools->addAction(a);

    AddToolWidget(PosTooBar, new QLabel(QStringLiteral("State"), this), "TbState_Lab");
    auto* stateBox = AddToolWidget(PosTooBar, new QComboBox(this), "TbState_Box");
    stateBox->setMinimumContentsLength(4);
    AddToolWidget(PosTooBar, new QSpinBox(this), "TbState_UD")->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    AddToolWidget(PosTooBar, new QLabel(QStringLiteral("Font"), this), "TbFont_Lab");
    auto* fontBox = AddToolWidget(PosTooBar, new QComboBox(this), "TbFont_Box");
    fontBox->addItems({QStringLiteral("5x8"), QStringLiteral("8x8"), QStringLiteral("8x12"), QStringLiteral("8x16")});
    AddToolWidget(PosTooBar, new QLabel(QStringLiteral("Text Input"), this), "TbMemo_Lab");
    auto* memo = AddToolWidget(PosTooBar, new QPlainTextEdit(this), "TbMemo");
    memo->setFixedSize(140, 24);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AddToolWidget(PosTooBar, new QSpinBox(this), "TbMemo_UD");

    // Three rows, as the shipped layout file has them.
    addToolBar(Qt::TopToolBarArea, EditToolBar);
    addToolBar(Qt::TopToolBarArea, PostSetToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, ObjToolBar);
    addToolBar(Qt::TopToolBarArea, GeomToolBar);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, PosTooBar);
}

void TKhm::BuildDockPanels()
{
    PanelTreeView = new QDockWidget(QStringLiteral("Project"), this);
    PanelTreeView->setObjectName(QStringLiteral("PanelTreeView"));
    PanelTreeView->setFeatures(QDockWidget::NoDockWidgetFeatures);
    kes::SetComponentClass(PanelTreeView, "TPanel");
    PanelTreeViewHost = new QSplitter(Qt::Vertical, PanelTreeView);
    PanelTreeViewHost->setObjectName(QStringLiteral("PanelTreeViewHost"));
    PanelTreeView->setWidget(PanelTreeViewHost);
    addDockWidget(Qt::LeftDockWidgetArea, PanelTreeView);
    PanelTreeView->hide();

    CtBarErr = new QDockWidget(QStringLiteral("Check Results"), this);
    CtBarErr->setObjectName(QStringLiteral("CtBarErr"));
    // The check results float and dock again as the user likes; the layout file keeps which.
    CtBarErr->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    // Docked only at the bottom: the side panel holds the page tree and the inspector alone.
    CtBarErr->setAllowedAreas(Qt::BottomDockWidgetArea);
    connect(CtBarErr, &QDockWidget::topLevelChanged, this,
            [this](bool floating) { Doc.MsgWinFloat = floating ? 1 : 0; });
    kes::SetComponentClass(CtBarErr, "TPanel");
    addDockWidget(Qt::BottomDockWidgetArea, CtBarErr);
    CtBarErr->hide();

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setBackground(QBrush(QColor(0x80, 0x80, 0x80)));
    // A page window larger than the area (a big zoom, the docked inspector) stays reachable.
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(MdiArea);
}

namespace {

// A status panel as wide as it is designed where the window has room, narrower on a small
// screen: the panels never hold the main window wider than the screen.
class StatusPanel : public QLabel {
public:
    StatusPanel(int width, QWidget* parent) : QLabel(parent), width_(width) {}
    QSize sizeHint() const override { return {width_, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override
    {
        constexpr int kNarrowest = 40;
        return {std::min(width_, kNarrowest), QLabel::minimumSizeHint().height()};
    }

private:
    int width_;
};

} // namespace

void TKhm::BuildStatusBar()
{
    KhmStaBar = new QStatusBar(this);
    KhmStaBar->setObjectName(QStringLiteral("KhmStaBar"));
    setStatusBar(KhmStaBar);
    const int widths[5] = {160, 160, 160, 220, 160};
    for (int i = 0; i < 5; ++i) {
        auto* l = new StatusPanel(widths[i], KhmStaBar);
        l->setObjectName(QStringLiteral("KhmStaPanel%1").arg(i));
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Status texts are set by the commands, never from the caption file.
        kes::SetComponentClass(l, "TStatusPanel");
        KhmStaBar->addPermanentWidget(l, i == 4 ? 1 : 0);
        KhmStaPanels[static_cast<std::size_t>(i)] = l;
    }
}
