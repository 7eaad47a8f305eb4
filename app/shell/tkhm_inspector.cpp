#include "app/shell/tkhm_inspector.h"

#include "app/editor/pageeditor.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "platform/inifile.h"

#include <QAction>
#include <QDockWidget>
#include <QLayout>
#include <QSplitter>

#include <algorithm>

namespace {

const char* const kSection = "ObjInspector";
constexpr int kFloatGap = 16;

TDlgProp* Inspector(const TKhm& k) { return dynamic_cast<TDlgProp*>(k.DlgPropWin.data()); }

// A floating inspector is a tool window of the main window, where it stays on top.
void FloatInspector(TKhm& k, TDlgProp& d, const QRect& rect)
{
    d.setParent(&k, TDlgProp::kFloatFlags);
    d.setGeometry(rect);
    d.show();
    k.PanelTreeView->setVisible(k.PanelTreeViewHost->count() > 0);
}

// Docked: at the bottom of the side panel, filling it when it holds nothing else.
void DockInspector(TKhm& k, TDlgProp& d)
{
    const int width = d.width();
    const bool panelWasHidden = k.PanelTreeView->isHidden();
    k.PanelTreeView->show();
    if (d.parentWidget() != k.PanelTreeViewHost)
        k.PanelTreeViewHost->addWidget(&d);
    d.show();
    if (panelWasHidden || width > k.PanelTreeView->width())
        k.resizeDocks({k.PanelTreeView}, {width}, Qt::Horizontal);
    // The panel takes its new width now, so the columns are fitted to it.
    k.layout()->activate();
}

void InspectorGoing(TKhm& k, TDlgProp& d)
{
    // Also run while the main window itself is being destroyed: then there is nothing to do.
    if (Khm != &k)
        return;
    k.Doc.ObjInspectorOn = false;
    k.ShowStateChecks();
    if (!d.isWindow() && k.PanelTreeViewHost->count() == 1 && k.PanelTreeViewHost->widget(0) == &d)
        k.PanelTreeView->hide();
}

void WriteClosedInspector(TKhm& k, TDlgProp& d)
{
    kes::TIniFile ini(k.LocIniPath());
    k.WriteDockState(ini, &d, kSection, k.PanelTreeViewHost);
    ini.WriteBool(kSection, "Visible", false);
    k.UpdateLayoutFile(ini);
}

QWidget* CreateInspector(TKhm& k)
{
    if (!LxType)
        return nullptr;
    auto* d = new TDlgProp(&k, *LxType);
    d->SetSource(&k.PageEd->InspectorSource());
    d->WriteLayout = [&k](TDlgProp& w) { WriteClosedInspector(k, w); };
    d->DockIntoPanel = [&k](TDlgProp& w) { DockInspector(k, w); };
    d->Undock = [&k](TDlgProp& w) {
        // The float button made it a window where it stood; it becomes the main window's,
        // right of the side panel, away from the left edge where a move would dock it again.
        QRect rect(w.mapToGlobal(QPoint(0, 0)), w.size());
        const int panelRight = k.PanelTreeView->mapToGlobal(QPoint(k.PanelTreeView->width(), 0)).x();
        rect.moveLeft(std::max(rect.left(), panelRight + kFloatGap));
        FloatInspector(k, w, rect);
    };
    d->Destroying = [&k](TDlgProp& w) { InspectorGoing(k, w); };
    return d;
}

} // namespace

void TKhm::ShowObjInspector(kes::TIniFile& ini)
{
    // A window restored floating is given the inspector's own frame before it is placed.
    if (Doc.ObjInspectorOn && CreateObjInspector && ini.ReadBool(kSection, "Location", true)) {
        if (!DlgPropWin)
            DlgPropWin = CreateObjInspector();
        if (TDlgProp* d = Inspector(*this); d && !d->isWindow())
            d->setParent(this, TDlgProp::kFloatFlags);
    }
    ShowToolWindow(ini, Doc.ObjInspectorOn, "ObjInspector", DlgPropWin, CreateObjInspector);
    TDlgProp* d = Inspector(*this);
    if (!d)
        return;
    if (d->isWindow()) {
        d->FormShow();
        return;
    }
    layout()->activate();
    d->Docked(PanelTreeView->width(), false);
}

void TKhm::MmObjInspectorClick()
{
    Doc.ObjInspectorOn = !Doc.ObjInspectorOn;
    ShowStateChecks();
    kes::TIniFile ini(LocIniPath());
    if (Doc.ObjInspectorOn) {
        ShowObjInspector(ini);
        return;
    }
    if (DlgPropWin) {
        WriteDockState(ini, DlgPropWin, kSection, PanelTreeViewHost);
        ini.WriteBool(kSection, "Visible", false);
        delete DlgPropWin.data();
        DlgPropWin = nullptr;
    }
    if (PanelTreeViewHost->count() == 0)
        PanelTreeView->hide();
    UpdateLayoutFile(ini);
}

namespace kes {

void InstallObjInspector(TKhm& khm)
{
    khm.CreateObjInspector = [&khm] { return CreateInspector(khm); };
    khm.Wire("MmObjInspector", [&khm] { khm.MmObjInspectorClick(); });
}

} // namespace kes
