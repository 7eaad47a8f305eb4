#pragma once
// The object inspector in the main window: created by the layout (ShowObjInspector) and by
// the View menu's MmObjInspector, kept in the side panel PanelTreeView while it is docked,
// a tool window over the main window while it floats, and its "ObjInspector" section of
// Loc.ini written when the user closes it.

class TKhm;

namespace kes {

// Connects MmObjInspector.
void InstallObjInspector(TKhm& khm);

} // namespace kes
