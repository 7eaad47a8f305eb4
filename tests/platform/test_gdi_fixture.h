#pragma once
// Small helpers for the drawing tests: draw on a white picture, read it back as '#'/'.' rows.
#include "platform/gdi.h"

#include <functional>
#include <initializer_list>
#include <string>

namespace gditest {

// A white w x h picture with the default pen (black, solid, width 1) and brush (white,
// solid), after paint has drawn on its canvas, as text rows.
std::string Drawn(int w, int h, const std::function<void(TCanvas&)>& paint);

// Rows joined with line ends, as kes::PictureToText writes them.
std::string Rows(std::initializer_list<const char*> rows);

} // namespace gditest
