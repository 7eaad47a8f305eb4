#pragma once
// The print and object table commands: print the pages or the start-up screen (MmPrintmmPg,
// MmPrintStartPg, the print tool button) and show the object table (MmPgDataSave). Each first
// stores the open editors into their records, since the reports read the stored project. The
// main window wires them with a report context of its own.
#include "app/print/reportcontext.h"

class QWidget;

namespace kes {

// In page editing the pages, in start-up screen editing the start-up screen; nothing while
// user-menu pages are edited.
void MmPrintmmPgClick(ReportContext& ctx, QWidget* owner);
void MmPrintStartPgClick(ReportContext& ctx, QWidget* owner);
void MmPgDataSaveClick(ReportContext& ctx, QWidget* owner);

} // namespace kes
