#pragma once
// Byte layouts of the pieces of an object record the objects store themselves: the 14-byte
// header every record opens with, the 9-byte device reference and the geometry's whole
// record. Offsets from the start of the record (or of the reference); integers big-endian.
// The kinds' bodies are in decoder/kindlayout.h.
#include <cstddef>

namespace kes::layout {

using Off = std::size_t;

// The header:
//   0 u16 kind | 2 u16 record length | 4 u16 left | 6 u16 top | 8 u16 right | 10 u16 bottom
//   (panel pixels, right and bottom inclusive, signed) | 12 font style bits (bold 1,
//   italic 2, underline 4, strike-out 8) | 13 font point size
namespace ObjHead {
inline constexpr Off Kind = 0, Length = 2, Left = 4, Top = 6, Right = 8, Bottom = 10, FontStyle = 12, FontSize = 13,
                     Size = 14;
}

// A device reference:
//   0 u32 DevAddrCode (-1 none) | 4 (RefIntMem << 4) + RefDevForm | 5 RefStation | 6 RefLink |
//   7 the fourth address byte (ExtraByte, or RefDetail of a three-reference kind) | 8 RefBitNo
namespace ObjRef {
inline constexpr Off Code = 0, Flags = 4, Station = 5, Link = 6, Fourth = 7, BitNo = 8, Size = 9;
}

// The geometry's record (kind 17):
//   14 geometry kind | 15 pen style | 16 pen width | 17 DrawType | 18 transparent flag (1) |
//   19 point count n | 20 per point: u16 x / GridWidth, u16 y / GridHeight |
//   20 + 4n u16 picture width / GridWidth | 22 + 4n u16 picture height / GridHeight |
//   24 + 4n u16 picture byte count m | 26 + 4n the picture in band format
// The record length is 26 + 4n + m.
namespace ObjGeom {
inline constexpr Off Shape = 14, PenStyle = 15, PenWidth = 16, DrawType = 17, Transparent = 18, Count = 19, Points = 20;
inline constexpr std::size_t PointSize = 4;
// After the points: picture width, height and byte count.
inline constexpr Off TailWidth = 0, TailHeight = 2, TailCount = 4, TailSize = 6;
} // namespace ObjGeom

} // namespace kes::layout
