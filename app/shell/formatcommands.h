#pragma once
// The main window's commands that act on the selected objects of the editor EditMode names:
// delete, cut, copy and paste, whole-page copy and paste, z-order, the position step and
// edge buttons, the text position buttons, the text and picture modes, the object's font and
// picture file, and the page's hide and page-number write items.

class TKhm;

namespace kes {

void InstallFormatCommands(TKhm& khm);

// The current page's hidden flag toggled, with the check marks of both hide items.
void MmHideClick(TKhm& khm);
// The current page's page-number write record in its dialog.
void MmPgPageWriteSetClick(TKhm& khm);

} // namespace kes
