#pragma once
// A page's picture as the exports write it: the picture at panel resolution, its bytes in
// the panel's band format or as packed rows, and the two text forms of byte lists.
#include "platform/bytes.h"
#include "platform/gdi.h"

#include <string>

namespace kes {

// The picture at one pixel per panel pixel: each panel pixel is the top-left picture pixel of
// its gridW x gridH cell. Black stays black, every other colour becomes white.
TBitmap PanelPicture(const TBitmap& picture, int gridW, int gridH);

// Bands of 8 rows, one byte per column, bit 0 the top row, 1 black; a short last band is
// padded with white rows. width x ceil(height / 8) bytes.
Bytes PageBands(const TBitmap& panel);

// Rows from the top, ceil(width / 8) bytes each, the leftmost pixel the most significant bit,
// 1 black; the bits past the width are 0.
Bytes PackedRows(const TBitmap& panel);

// "0xHH," per byte (upper-case digits), each followed by a NUL byte when withNul is set.
std::string HexList(ByteSpan bytes, bool withNul);

} // namespace kes
