#pragma once
// The drawing routines as they were before the faster ones took their place: the ellipse
// family testing every pixel of the box, and text rendered afresh for every call. The
// equivalence test draws the same random figures and texts with both and requires the same
// pixels; these go once it has passed.
#include "platform/gdi.h"

#include <string>

namespace kes::gdi::ref {

void Ellipse(TCanvas& canvas, int x1, int y1, int x2, int y2);
void Arc(TCanvas& canvas, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
void Chord(TCanvas& canvas, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
void Pie(TCanvas& canvas, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

// TextOut without moving the pen, TextRect and TextExtent.
void TextOut(TCanvas& canvas, int x, int y, const std::string& text);
void TextRect(TCanvas& canvas, const TRect& r, int x, int y, const std::string& text);
TSize TextExtent(const TCanvas& canvas, const std::string& text);

} // namespace kes::gdi::ref
