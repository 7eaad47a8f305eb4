#pragma once
// The image header: the project's system-wide settings as tagged records at the start of
// the panel memory image, in a fixed order, and reading them back from a stored image.
#include "app/project/projectdoc.h"
#include "decoder/setlayout.h"
#include "platform/bytes.h"

#include <cstddef>

namespace kes {

// Writes the six sections at start, each right after the one before:
//   1009 power-on macro (when set) | 1012 parameter register (when set) |
//   1001 one per function key with an action, in key order | 1002 buzzer, then alarm lamp
//   (each when set) | 1000 one per system page jump | 1004 clock write (when set)
// Returns start plus the bytes written.
std::size_t WriteHeaderSections(const ProjectState& s, Bytes& out, std::size_t start);

// The six section writers, in that order. Each writes its records at start with the page
// records' writer (each field through PutHeadBytes at start + its offset) and returns the
// bytes written, 0 when the project has none to write.
std::size_t WriteMacroSection(const ProjectState& s, Bytes& out, std::size_t start);
std::size_t WriteParaDataSection(const ProjectState& s, Bytes& out, std::size_t start);
std::size_t WriteFunKeySection(const ProjectState& s, Bytes& out, std::size_t start);
std::size_t WriteSysSlotSection(const ProjectState& s, Bytes& out, std::size_t start);
std::size_t WritePgJumpSection(const ProjectState& s, Bytes& out, std::size_t start);
std::size_t WriteClockSection(const ProjectState& s, Bytes& out, std::size_t start);

// 1011, the key setting of the keypad and text panel types (24 bytes):
//   0 u16 1011 | 2 u16 24 | 4 communication address | 5 panel port (0 COM1, 1 COM2) |
//   6 start character | 7 terminating character | 8 16 key codes (F1..F10, UP, DOWN, LEFT,
//   RIGHT, ENTER, spare)
// Returns start + 24.
std::size_t WriteKeySetSection(const ProjectState& s, Bytes& out, std::size_t start);
constexpr std::size_t kKeySetSectionSize = layout::KeySet::Size;

// The whole header of the project: the key setting for the keypad types, else the sections.
Bytes BuildHeaderBytes(const ProjectState& s);

// The decoder library's entry points the header reader uses ("_DataToPgJmp", ...); each
// takes the record at its tag and its offset, and returns the bytes it consumed. All must
// be set.
struct HeaderDecoders {
    int (*PgJmp)(PgJmpRec*, const std::uint8_t*, int) = nullptr;
    int (*PgFunKey)(PgFunKeyRec*, const std::uint8_t*, int) = nullptr;
    int (*PgSys)(PgSysRec*, int slot, const std::uint8_t*, int) = nullptr;
    int (*PLCValSet)(PLCValSetRec*, const std::uint8_t*, int) = nullptr;
    int (*MacPowerOn)(MacPowerOnRec*, const std::uint8_t*, int) = nullptr;
    int (*ParaDataSet)(ParaDataSetRec*, const std::uint8_t*, int) = nullptr;
    bool Complete() const { return PgJmp && PgFunKey && PgSys && PLCValSet && MacPowerOn && ParaDataSet; }
};

// Resets the records the header carries and fills them from image bytes [start, end). The
// walk stops at the first tag that is not a header section, at a record whose framing
// leaves the range and at a record the decoder does not consume; what was read stays.
// Returns the offset where the walk stopped.
std::size_t ReadHeaderSections(ProjectDoc& doc, ByteSpan image, std::size_t start, std::size_t end,
                               const HeaderDecoders& dec);

// Reads section 1011 at pos into KeySetRec; returns the offset after it, or -1 when the
// bytes there are not a whole 1011 section.
long ReadKeySetSection(ProjectState& s, ByteSpan image, std::size_t pos);

} // namespace kes
