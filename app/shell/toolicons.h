#pragma once
// Pictures of the main window's tool buttons, drawn in code (16 x 16, black on transparent).
#include <QIcon>

namespace kes {

// The picture of a tool button by its component name; an empty icon for an unknown name.
QIcon ToolIcon(const char* name);

} // namespace kes
