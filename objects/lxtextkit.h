#pragma once
// Small drawing steps the text, value, message, clock and unit kinds share: the text area
// inside a frame, the crop to panel pixels and back, and the device print line.
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <string>
#include <string_view>
#include <vector>

namespace kes {

// Offset of the text area inside an object's frame, at panel resolution (the area runs
// from (offset, offset) and is 2 x offset narrower and lower than the picture). A double
// frame needs both sides above 8, a thick one above 6, the thin ones (1, 4, 5) above
// thinAbove, which each kind chooses; otherwise the whole picture is used.
int FrameTextOffset(std::uint8_t frame, int width, int height, int thinAbove);

// Crops an object's picture to panel pixels (picture / grid, top-left kept). The grid
// factors are those of the object, never below 1.
void ShrinkToPanel(TLxObj& obj);
// Grows the picture back and replicates each panel pixel over its grid cell.
void GrowFromPanel(TLxObj& obj);

// The print line of an object with one device: "Reference Device:" and the device text
// below the basic caption lines; returns the next free y.
int PrintDeviceLine(TLxObj& obj, TBitmap& page, int x, int y, const std::string& devText);

// A device reference as new objects of these kinds hold it: the code and text given, a
// device name of the table, controller memory, station 1, the first link.
void NewDevRef(TLxDevRef& ref, std::int32_t code, const std::string& text);

// The characters of an ANSI text in the process code page, at most maxBytes bytes of it:
// a lead byte and the byte after it make one character; a lead byte the cut (or the end
// of the text) leaves alone is dropped, never paired with what follows.
std::vector<std::string> SplitAnsiChars(std::string_view text, std::size_t maxBytes);

// Where a run of size lands along a side of length outer by position code: 0 at inset,
// 1 against the far edge less inset, 2 centred (halves toward zero); other codes at inset.
int PlaceAlong(int code, int outer, int size, int inset);

} // namespace kes
