#include "app/shell/editorcommands.h"

#include "app/dialogs/formrunner.h"
#include "app/editor/imageeditor.h"
#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/shell/formatcommands.h"
#include "app/shell/tkhm.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

#include <algorithm>
#include <utility>

namespace kes {

namespace {

// Runs handler with the action that was triggered.
void WireWithSender(TKhm& k, const char* name, void (TKhm::*handler)(QAction*))
{
    QAction* a = k.Action(name);
    if (a)
        k.Wire(name, [&k, a, handler] { (k.*handler)(a); });
}

void WireOnShow(TKhm& k, const char* menu, void (TKhm::*handler)())
{
    if (auto* m = k.findChild<QMenu*>(QString::fromLatin1(menu) + QStringLiteral("_menu")))
        QObject::connect(m, &QMenu::aboutToShow, &k, [&k, handler] { (k.*handler)(); });
}

} // namespace

void InstallEditorCommands(TKhm& k)
{
    k.Wire("MmAddPg", [&k] { k.MmAddPgClick(); });
    k.Wire("TbAddPg", [&k] { k.MmAddPgClick(); });
    k.Wire("MmViewPg", [&k] { k.MmViewPgClick(); });
    k.Wire("TbViewPg", [&k] { k.MmViewPgClick(); });
    k.Wire("MmPgData", [&k] { k.MmViewPgClick(); });
    k.Wire("MmPgJump", [&k] { k.MmPgJumpClick(); });
    k.Wire("MmFunKeyEt", [&k] { k.MmFunKeyEtClick(); });
    SetCommandForm(k.Action("MmPgJump"), "TPgJump");
    SetCommandForm(k.Action("MmFunKeyEt"), "TFunKeySet");
    const std::pair<const char*, void (TKhm::*)()> zooms[] = {
        {"MmPgSize100", &TKhm::MmPgSize100Click},
        {"MmPgSize200", &TKhm::MmPgSize200Click},
        {"MmPgSize400", &TKhm::MmPgSize400Click},
        {"Mm800", &TKhm::Mm800Click},
        {"Mm1600", &TKhm::Mm1600Click},
        {"MmPgSize100All", &TKhm::MmPgSize100AllClick},
        {"MmPgSize200All", &TKhm::MmPgSize200AllClick},
        {"MmPgSize400All", &TKhm::MmPgSize400AllClick},
        {"Mm800All", &TKhm::Mm800AllClick},
        {"Mm1600All", &TKhm::Mm1600AllClick},
    };
    for (const auto& [n, handler] : zooms)
        k.Wire(n, [&k, handler = handler] { (k.*handler)(); });
    k.Wire("TbZoomIn", [&k] { k.TbZoomInClick(); });
    k.Wire("TbZoomOut", [&k] { k.TbZoomOutClick(); });
    k.Wire("TbPrePg", [&k] { k.TbPrePgClick(); });
    k.Wire("TbNextPg", [&k] { k.TbNextPgClick(); });
    k.Wire("MmHorz", [&k] { k.MmHorzClick(); });
    k.Wire("MmVert", [&k] { k.MmVertClick(); });
    k.Wire("MmCascade", [&k] { k.MmCascadeClick(); });
    k.Wire("LxeHelp", [&k] { k.LxeHelpClick(); });
    k.Wire("MmUndo", [&k] { k.TbUndoClick(); });
    k.Wire("TbUndo", [&k] { k.TbUndoClick(); });
    k.Wire("MmRedo", [&k] { k.TbRedoClick(); });
    k.Wire("TbRedo", [&k] { k.TbRedoClick(); });
    k.Wire("MmSelAll", [&k] { k.MmSelAllClick(); });

    // Drawing tools: the pointer, an object kind per button and menu item (its Tag), the
    // figures (Tag = figure) and the line styles.
    k.Wire("tbPointTo", [&k] { k.tbPointToClick(); });
    for (QAction* a : k.ObjToolBar->actions())
        if (!a->isSeparator() && a->objectName() != QStringLiteral("tbPointTo"))
            WireWithSender(k, a->objectName().toLatin1().constData(), &TKhm::TbStTxtClick);
    if (auto* ele = k.findChild<QMenu*>(QStringLiteral("MmEle_menu")))
        for (QAction* a : ele->actions())
            if (!a->isSeparator() && !a->menu())
                WireWithSender(k, a->objectName().toLatin1().constData(), &TKhm::MmStTxtClick);
    for (const char* n : {"MmCirMeter", "MmRectMeter"})
        WireWithSender(k, n, &TKhm::MmStTxtClick);
    for (const char* n : {"TbLine", "TbRect", "TbRectF", "TbCir", "TbCirF", "TbCurve", "TbChord", "TbChordF", "TbPie",
                          "TbPieF", "TbPoly"})
        WireWithSender(k, n, &TKhm::TbPolyClick);
    if (auto* geom = k.findChild<QMenu*>(QStringLiteral("MmGeom_menu")))
        for (QAction* a : geom->actions())
            WireWithSender(k, a->objectName().toLatin1().constData(), &TKhm::MmPolyClick);
    for (const char* n : {"TbSLine", "TbDLine", "TbTLine", "TbDot"})
        WireWithSender(k, n, &TKhm::TbSLineClick);

    // The grid's two items are one choice; the page shows the dots in the colour it gives.
    auto* grid = new QActionGroup(&k);
    for (const auto& [n, on] : {std::pair{"MmPtEnable", true}, std::pair{"MmPtDisable", false}}) {
        grid->addAction(k.Action(n));
        k.Wire(n, [&k, on = on] {
            k.View.GridDotsOn = on;
            k.ShowStateChecks();
            if (THmPage* page = k.PageEd->Current())
                page->Canvas()->update();
        });
    }
    // Items that only carry their own check mark.
    for (const char* n : {"MmUserStartSet", "MmUserMenuSet"})
        k.Wire(n, [] {});
    // The page menu's items show which of the page's settings are in use.
    for (const char* n : {"MmFunKeyEt", "MmPgJump", "MmBuzzerSet", "MmLedSet", "MmPgPageWriteSet"})
        k.Action(n)->setCheckable(true);

    InstallFormatCommands(k);

    WireOnShow(k, "Mmfile", &TKhm::MmfileClick);
    WireOnShow(k, "MmEdit", &TKhm::MmEditClick);
    WireOnShow(k, "MmPageSize", &TKhm::MmPageSizeClick);
    WireOnShow(k, "MmSetting", &TKhm::MmSettingClick);
}

} // namespace kes
