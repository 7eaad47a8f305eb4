#include "app/shell/tkhm_inspector.h"

#include "app/editor/pageeditor.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/shellwindows.h"
#include "app/shell/tkhm.h"
#include "platform/inifile.h"

#include <QAction>
#include <QDockWidget>
#include <QLayout>
#include <QSplitter>

namespace {

const char* const kSection = "ObjInspector";

void InspectorGoing(TKhm& k, const bool& windowGoing, TDlgProp& d)
{
    // Also run while the main window itself is being destroyed: then there is nothing to do.
    if (windowGoing)
        return;
    k.View.ObjInspectorOn = false;
    k.ShowStateChecks();
    k.ToolWindowGoing(d);
}

QWidget* CreateInspector(TKhm& k)
{
    if (!k.LxType)
        return nullptr;
    auto* d = new TDlgProp(&k, k.Ask(), *k.LxType);
    d->SetSource(&k.PageEd->InspectorSource());
    d->WriteLayout = [&k](TDlgProp& w) { k.WriteClosedToolWindow(w, kSection); };
    // Docked below what the side panel holds.
    d->DockIntoPanel = [&k, d](kes::PanelToolWindow::DockAsk) { k.DockToolWindow(*d, false); };
    d->Undock = [&k, d] { k.FloatToolWindow(*d); };
    d->Destroying = [&k, going = k.GoingFlag()](TDlgProp& w) { InspectorGoing(k, *going, w); };
    return d;
}

} // namespace

TDlgProp* TKhm::Inspector() const { return dynamic_cast<TDlgProp*>(DlgPropWin.data()); }

void TKhm::ShowObjInspector(kes::TIniFile& ini)
{
    ShowToolWindow(ini, View.ObjInspectorOn, "ObjInspector", DlgPropWin, [this] { return CreateObjInspector(); });
    TDlgProp* d = Inspector();
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
    View.ObjInspectorOn = !View.ObjInspectorOn;
    ShowStateChecks();
    kes::TIniFile ini(LocIniPath());
    if (View.ObjInspectorOn) {
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

QWidget* MainShellWindows::CreateObjInspector() { return CreateInspector(khm_); }

void InstallObjInspector(TKhm& khm)
{
    khm.Wire("MmObjInspector", [&khm] { khm.MmObjInspectorClick(); });
}

} // namespace kes
