#pragma once
// Frames of the panel link: the tool sends one request and waits for one reply.
//
// Request, binary (multi-byte numbers big-endian), from the station byte on:
//   offset 0  u8   station (the panel's own station, HmiUnitAddr)
//   offset 1  u8   command character: '0' write, '1' read, '2' end, '3' identify, '4' set baud
//   offset 2  ...  body: write  = u32 address, u8 n, n data bytes
//                        read   = u32 address, u8 n (bytes wanted)
//                        set baud = the data bytes given (one baud code)
//                        end, identify = nothing
// On the wire: ':' + every binary byte as two upper-case hex digits + the LRC as two digits + CR LF.
// LRC = two's complement of the 8-bit sum of the binary bytes.
//
// Reply: ':' + hex pairs (station, function byte, data..., LRC) + CR LF. The station is summed but
// not compared; a function byte with bit 7 set is an error reply.
#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kes {

enum class LinkCmd : char { Write = '0', Read = '1', End = '2', Identify = '3', SetBaud = '4' };

inline constexpr std::size_t kLinkChunk = 32;   // data bytes per read or write request
inline constexpr std::size_t kLinkRxSize = 200; // reply characters held without a new ':'

std::uint8_t LinkLrc(ByteSpan bytes);

// Binary request from the station byte on. `data` is copied for write and set baud; for a read
// `length` is the number of bytes wanted; address and data are ignored where the command has none.
Bytes BuildLinkRequest(std::uint8_t station, LinkCmd cmd, std::uint32_t address, ByteSpan data, std::size_t length);

// The frame as sent: ':' + hex pairs of `request` (the binary request, LinkTxBin) + LRC + CR LF.
std::string LinkFrame(ByteSpan request);

inline std::string LinkRequestText(std::uint8_t station, LinkCmd cmd, std::uint32_t address, ByteSpan data,
                                   std::size_t length)
{
    return LinkFrame(BuildLinkRequest(station, cmd, address, data, length));
}

// Decodes a received line (the characters after ':' up to and including CR LF) pair by pair until
// the CR into linkTxBin: the function byte at 0, then the data (the station and the LRC are
// summed, not kept). True when the 8-bit sum of every pair is 0 and at least three pairs
// (station, function, LRC) were read.
bool CheckLrc(std::string_view line, Bytes& linkTxBin);
// A reply that CheckLrc accepted is no error reply: bit 7 of its function byte is clear.
bool CheckReplyOk(const Bytes& linkTxBin);

// LinkRx collects reply characters from the port: every ':' starts a new line (characters before
// it are dropped); a line is complete when more than three characters are held and the last two
// are CR LF.
class LinkRx {
public:
    enum class Event { None, Line, Overflow };
    struct Result {
        Event event = Event::None;
        std::size_t consumed = 0;
    };

    LinkRx() { buf_.reserve(kLinkRxSize); }

    // Takes characters until a line is complete or the buffer overflows; the rest is left to the
    // caller's next call.
    Result Feed(std::string_view chars);
    std::string_view Line() const { return buf_; }
    void Clear() { buf_.clear(); }

private:
    std::string buf_;
};

} // namespace kes
