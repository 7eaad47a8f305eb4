#include "app/project/ui/prjfiles.h"

#include "app/project/ui/prjcommands.h"

namespace kes {

bool HostProjectFiles::SaveProject() { return BuildAndSaveProject(host_) == 1; }

bool HostProjectFiles::WriteWorkingCopy() { return kes::WriteWorkingCopy(host_); }

bool HostProjectFiles::ReadProjectFiles() { return OpenProjectFromDlg(host_); }

int HostProjectFiles::SaveUserMenu() { return kes::SaveUserMenu(host_); }

} // namespace kes
