#pragma once
// Forms find their controls by component name (the caption translator and tests too).
#include <QLatin1String>

namespace kes {

// A control under its component name.
template <class W> W* Named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace kes
