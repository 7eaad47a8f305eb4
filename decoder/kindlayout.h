#pragma once
// Byte layouts of the object records: each field's offset from the record's start, one
// namespace per kind. The record readers (Morvik) and the record writers (the encoder)
// both take their offsets from here, so each layout is written once.
//
// Every record opens with the 14-byte header (objects/objlayout.h: ObjHead); the geometry
// writes and reads its whole record itself (ObjGeom there). Integers are big-endian. Below,
// "ref" is a 9-byte device reference (ObjRef), a picture block is u16 P then P band bytes
// (PicBlock), a text block is u16 L then the text and its NUL, L bytes (TextBlock).
#include "objects/objlayout.h"

#include <cstddef>

namespace kes::layout {

// A picture block: u16 byte count P | P band bytes.
namespace PicBlock {
inline constexpr Off Count = 0, Bands = 2;
}
// A text block: u16 L | L bytes, the text and its NUL.
namespace TextBlock {
inline constexpr Off Length = 0, Text = 2;
}
// A picture with its size, in panel pixels: u16 width | u16 height | a picture block.
namespace SizedPic {
inline constexpr Off Width = 0, Height = 2, Count = 4, Bands = 6;
}
// A state of the multi-state picture and the lamp: u32 state value (0 in bit mode) | a
// sized picture.
namespace StatePic {
inline constexpr Off Value = 0, Pic = 4;
}

// Every kind with one device reference stores it at 14.
inline constexpr Off SingleRef = 14;

// The write, read and notify references of the button and the value entry:
//   14 write ref | 23 read ref | 32 notify ref | 41 (notify state << 4) + notify order
namespace RefTriple {
inline constexpr Off WriteRef = 14, ReadRef = 23, NotifyRef = 32, NotifyBits = 41;
}

// Kind 1, static text:
//   14 ObjFrame | 15 TxtDir | 16 TxtHPos | 17 TxtVPos | 18 u16 T | 20 T bytes: the font
//   name, then each line, each with its NUL | 20 + T a picture block
namespace StTxt {
inline constexpr Off ObjFrame = 14, TxtDir = 15, TxtHPos = 16, TxtVPos = 17, TextBytes = 18, Texts = 20;
}

// Kind 2, value display:
//   14 ref | 23 ValType | 24 ValLen | 25 IntNum | 26 DecNum | 27 ObjFrame | 28 HZero |
//   29 HPos | 30 VPos; 31 bytes
namespace LxVal {
inline constexpr Off Ref = SingleRef, ValType = 23, ValLen = 24, IntNum = 25, DecNum = 26, ObjFrame = 27, HZero = 28,
                     HPos = 29, VPos = 30, Size = 31;
}

// Kind 3, bit picture: 14 ref | 23 OnBmp | 24 OffBmp; 25 bytes
namespace LxDevBmp {
inline constexpr Off Ref = SingleRef, OnBmp = 23, OffBmp = 24, Size = 25;
}

// Kind 21, bit picture of a word:
//   14 ref | 23 ValMode (high nibble) + BitNo (low nibble) | 24 OnBmp | 25 OffBmp; 26 bytes
namespace LxAdvDevBmp {
inline constexpr Off Ref = SingleRef, ModeBit = 23, OnBmp = 24, OffBmp = 25, Size = 26;
}

// Kind 4, multi-range picture:
//   14 ref | 23 (RangeOrder << 4) + ValType | 24 VarBounds (0 or 0x10) + ValLen |
//   25 per state 0..4: u32 StateBound (only when VarBounds is 0), then u8 StatePic;
//   50 bytes, or 30 with VarBounds
namespace VrgBmp {
inline constexpr Off Ref = SingleRef, OrderType = 23, BoundsLen = 24, States = 25;
inline constexpr Off Bound = 4; // bytes of a state's bound
} // namespace VrgBmp

// Kind 5, static picture: 14 a picture block
namespace StBmp {
inline constexpr Off Picture = 14;
}

// Kind 6, multi-state picture:
//   14 ref | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState |
//   26 per state: a state picture (StatePic)
// The stored box is that of the largest state picture.
namespace ActBmp {
inline constexpr Off Ref = SingleRef, RevType = 23, StateMode = 24, TotalState = 25, States = 26;
}

// Kind 7, scale:
//   14 ScaleDir | 15 MainDiv | 16 SubDiv | 17 u32 ScaleMax | 21 u32 ScaleMin | 25 ScaleOpt1 |
//   26 ValLen | 27 a picture block
namespace Scale {
inline constexpr Off ScaleDir = 14, MainDiv = 15, SubDiv = 16, ScaleMax = 17, ScaleMin = 21, ScaleOpt1 = 25,
                     ValLen = 26, Picture = 27;
}

// Kind 8, bar graph:
//   14 ref | 23 ValType | 24 ValLen | 25 u32 BarMax | 29 u32 BarMin | 33 ProgBarDirect; 34 bytes
namespace ProgBar {
inline constexpr Off Ref = SingleRef, ValType = 23, ValLen = 24, BarMax = 25, BarMin = 29, Direct = 33, Size = 34;
}

// Kind 9, round meter:
//   14 ref | 23 ValType | 24 u16 MeterMax | 26 u16 MeterMin (low 16 bits each) |
//   28 MajorTicks | 29 MinorTicks | 30 FullCircle | 31 LabelIntDigits | 32 LabelDecimals |
//   33 a picture block
namespace CirMeter {
inline constexpr Off Ref = SingleRef, ValType = 23, MeterMax = 24, MeterMin = 26, MajorTicks = 28, MinorTicks = 29,
                     FullCircle = 30, LabelIntDigits = 31, LabelDecimals = 32, Picture = 33;
}

// Kind 12, message text:
//   14 ref | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState | 26 MoveMode |
//   27 MoveInterval | 28 u16 F | 30 the font name and its NUL, F bytes |
//   30 + F per message: u32 StateVal (0 in bit mode) | a text block | a sized picture of the
//   rendered text (width x ceil(height / 8) band bytes)
namespace MsgTxt {
inline constexpr Off Ref = SingleRef, RevType = 23, StateMode = 24, TotalState = 25, MoveMode = 26, MoveInterval = 27,
                     FontBytes = 28, FontName = 30;
// Offsets in one message.
inline constexpr Off Value = 0, Text = 4;
} // namespace MsgTxt

// Kind 13, button:
//   the references (RefTriple; read and notify with code -1 when not in use) |
//   42 TotalState | 43 RefKey | 44-47 reserved |
//   48 Surface | 49 TxtHPos | 50 TxtVPos | 51 BmpHPos | 52 BmpVPos | 53 transparency (0) |
//   54 UserLevel (low byte) | 55-61 zero | 62 button type | 63 the function key's tail by
//   button type (setlayout.h: FunKeyTail) |
//   then per state: a sized picture | a text block | a sized picture of the rendered text
namespace LxBtn {
inline constexpr Off WriteRef = RefTriple::WriteRef, ReadRef = RefTriple::ReadRef, NotifyRef = RefTriple::NotifyRef,
                     NotifyBits = RefTriple::NotifyBits, TotalState = 42, RefKey = 43, Surface = 48, TxtHPos = 49,
                     TxtVPos = 50, BmpHPos = 51, BmpVPos = 52, Transparent = 53, UserLevel = 54, Zeros = 55,
                     BtnType = 62, Tail = 63;
inline constexpr std::size_t ZeroCount = 7;
} // namespace LxBtn

// Kind 14, trend curve:
//   14 ref | 23 u16 CurvePoints | 25 (ClearFlag << 4) + TrigFlag | 26 u16 CurveMin |
//   28 u16 CurveMax; 30 bytes
// Kind 15, X-Y curve: the same, then 30 u16 XMin | 32 u16 XMax; 34 bytes
namespace LxCurve {
inline constexpr Off Ref = SingleRef, CurvePoints = 23, Flags = 25, CurveMin = 26, CurveMax = 28, Size = 30;
}
namespace LxXyCurve {
inline constexpr Off XMin = 30, XMax = 32, Size = 34;
}

// Kind 16, clock: 14 ref | 23 RtcFormat | 24 ObjFrame | 25 RtcAlign | 26 RtcOpt1; 27 bytes
namespace Rtc {
inline constexpr Off Ref = SingleRef, RtcFormat = 23, ObjFrame = 24, RtcAlign = 25, RtcOpt1 = 26, Size = 27;
}

// Kind 18, lamp:
//   14 ref | 23 (StateReverse << 4) + ValType | 24 StateMode | 25 TotalState | 26 TxtHPos |
//   27 TxtVPos | 28 BmpHPos | 29 BmpVPos | 30 LampOpt | 31 u16 F | 33 the font name and its
//   NUL, F bytes | then per state: a state picture (StatePic) | a text block | a sized
//   picture of the rendered text
namespace Light {
inline constexpr Off Ref = SingleRef, RevType = 23, StateMode = 24, TotalState = 25, TxtHPos = 26, TxtVPos = 27,
                     BmpHPos = 28, BmpVPos = 29, LampOpt = 30, FontBytes = 31, FontName = 33;
}

// Kind 19, measurement unit: 14 MetrolType | 15 MetrolIndex | 16 a picture block
namespace Metrol {
inline constexpr Off MetrolType = 14, MetrolIndex = 15, Picture = 16;
}

// Kind 20, value entry:
//   the references (RefTriple, each stored as it is) | 42 ShowFlags | 43 RefKey | 44 UserLevel (low byte) | 45-47
//   reserved | 48 ObjFrame | 49 HPos | 50 VPos | 51 ValType | 52 ValLen | 53 IntNum | 54 DecNum | 55 u32 ValMax | 59
//   u32 ValMin; 63 bytes
namespace LxGetVal {
inline constexpr Off WriteRef = RefTriple::WriteRef, ReadRef = RefTriple::ReadRef, NotifyRef = RefTriple::NotifyRef,
                     NotifyBits = RefTriple::NotifyBits, ShowFlags = 42, RefKey = 43, UserLevel = 44, ObjFrame = 48,
                     HPos = 49, VPos = 50, ValType = 51, ValLen = 52, IntNum = 53, DecNum = 54, ValMax = 55,
                     ValMin = 59, Size = 63;
}

} // namespace kes::layout
