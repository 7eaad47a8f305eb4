#pragma once
// The main window's print and object table commands: each runs with a report context made from
// the main window when it is chosen, so the menu captions are those of the language in force.
#include "app/print/reportcontext.h"

class TKhm;

namespace kes {

// The main window's project, the model form, the captions of its menu items and the project's
// folder.
ReportContext MainReportContext(TKhm& k);

void InstallPrintCommands(TKhm& k);

} // namespace kes
