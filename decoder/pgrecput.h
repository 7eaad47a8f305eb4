#pragma once
// Writing records of the page record stream. Every record is framed by a big-endian tag
// and a big-endian length (the whole record, head included) and its fields are written
// at fixed offsets from the record's start, integers big-endian, the length last.
//
// Both output modes write into a growable buffer: mode 1 gives the bytes a stored page
// holds (the order of a file written front to back), mode 2 those of the clipboard and
// undo snapshots. They differ only where a kind that writes its own record says so.
#include "decoder/pgsetrec.h"
#include "objects/lxdevref.h"
#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kes {

enum : int { kEncFile = 1, kEncMemory = 2 };

// Writes n bytes at offset: source copied as it is, or reversed (last byte first) when
// reverse is set, which puts a host number in big-endian order. The buffer grows with zeros
// to take them, so fields may be written in any order and a gap no field covers reads as 0.
// Every field of the image header's sections and of the page records is written through it.
void PutHeadBytes(Bytes& out, std::size_t offset, bool reverse, std::size_t n, const void* source);

// The target of one encoding: the buffer and its mode.
class RecOut {
public:
    RecOut(Bytes& base, int mode) : base_(base), mode_(mode) {}
    Bytes& Base() { return base_; }
    int Mode() const { return mode_; }
    // False for a mode that writes nothing (anything but 1 and 2).
    bool Writes() const { return mode_ == kEncFile || mode_ == kEncMemory; }

    // Writes n bytes of one field at start + fieldOffset with PutHeadBytes; a mode other
    // than 1 or 2 writes nothing.
    void PutRecBytes(std::size_t start, bool reverse, std::size_t n, const void* source, std::size_t fieldOffset);
    // Makes the buffer reach at least end (reserved bytes read as 0).
    void Reach(std::size_t end);

private:
    Bytes& base_;
    int mode_;
};

// One record in the making, at a fixed start in the output.
class RecWriter {
public:
    // Writes the tag.
    RecWriter(RecOut& out, std::size_t start, std::uint16_t tag);

    void U8(std::size_t off, std::uint8_t v);
    // Low 16 bits, big-endian.
    void U16(std::size_t off, std::uint32_t v);
    void U32(std::size_t off, std::uint32_t v);
    void Raw(std::size_t off, ByteSpan bytes);
    // Text bytes and a NUL; returns the bytes written (length + 1).
    std::size_t Text(std::size_t off, const std::string& text);
    // A setting record's 9-byte device reference (setlayout.h: SetRef).
    void SetRef(std::size_t off, const DevRefHead& ref);
    // An object's 9-byte device reference with its fourth byte.
    void ObjRef(std::size_t off, const TLxDevRef& ref, std::uint8_t fourth);
    // Writes the length, makes the record's bytes exist and returns length.
    // A record too long for its length field is taken back out and gives kTooLong.
    int Finish(std::size_t length);
    static constexpr int kTooLong = -1;

    RecOut& Out() { return out_; }
    std::size_t Start() const { return start_; }

private:
    RecOut& out_;
    std::size_t start_;
    std::size_t sizeBefore_;
};

} // namespace kes
