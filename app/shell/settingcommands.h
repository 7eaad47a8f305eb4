#pragma once
// The main window's page and system settings commands: the dialogs they open (registered
// here by their form names in the window's FormRunner, so that the page popup opens them too
// through its host), the limit of
// device-linked records each checks first, the check marks of the two settings menus, and the
// redefinition of the Up and Down keys.

class QAction;
class TKhm;

namespace kes {

void InstallSettingCommands(TKhm& khm);

// The menus as they open: which items can be chosen and which carry a check mark.
void MmPageSetClick(TKhm& khm);
void MmGlobalSetClick(TKhm& khm);

// MmEnableUD: switching on asks first and shows every hidden page; switching off frees the
// Up and Down keys everywhere.
void MmEnableUDClick(TKhm& khm);

} // namespace kes
