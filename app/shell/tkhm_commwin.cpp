// The main window's communication windows: the modem dialler, the key settings window of the
// keypad types (kept in a QPointer: it frees itself when closed, and every use checks it) and
// the serial test display that window opens.
#include "app/comm/ui/tdlgmondisp.h"
#include "app/comm/ui/tfrmkeysetting.h"
#include "app/comm/ui/tmodem.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/shellwindows.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_comm.h"
#include "app/ui/prompt.h"

#include <QAction>

namespace kes {

void MainCommLink::MmModemSetClick()
{
    if (engine_.Busy() || preparer_.Busy())
        return;
    TModem form(&khm_, khm_.Ask(), dialer_, khm_.Doc.LangIndex);
    ExecModal(khm_.Ask(), &form);
}

namespace {

void OpenTestDisplay(TKhm& khm, MainCommLink& link, QWidget* owner)
{
    // The display takes the main port's device for as long as it is open.
    if (link.PortInUse())
        return;
    TestDisplayEnv env;
    if (khm.LxType) {
        env.panelWidth = khm.LxType->PanelWidth;
        env.panelHeight = khm.LxType->PanelHeight;
    }
    env.tickMs = link.Engine().Options().tickMs;
    TDlgMonDisp display(owner, khm.Ask(), khm.Doc, *khm.MMICom, std::move(env));
    ExecModal(khm.Ask(), &display);
}

} // namespace

void InstallCommWindows(TKhm& khm, MainCommLink& link)
{
    khm.Wire("MmModemSet", [&link] { link.MmModemSetClick(); });
}

QWidget* MainShellWindows::CreateKeySetting()
{
    KeySettingHooks hooks;
    hooks.setMainToolsEnabled = [&khm = khm_] { khm.SetMainToolsEnabled(); };
    hooks.openTestDisplay = [&khm = khm_, &link = *khm_.CommLink](QWidget* owner) {
        OpenTestDisplay(khm, link, owner);
    };
    return new TFrmKeySetting(&khm_, khm_.Ask(), khm_.Doc, std::move(hooks));
}

} // namespace kes

bool TKhm::StoreKeySettings()
{
    auto* form = dynamic_cast<TFrmKeySetting*>(FrmKeySettingWin.data());
    return !form || !form->isVisible() || form->StoreKeySettings();
}
