#pragma once
// The panel's own port settings: the packed ComSetByte of each panel port, and the rewrite of
// the link index and station of every device reference when the project's defaults change.
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "platform/bytes.h"

#include <cstdint>

namespace kes {

// ComSetByte:
//   bits 7..4  baud code: 0 9600, 1 19200, 2 38400, 3 57600, 4 115200, 5 4800
//   bit 3      data bits: 0 = 7, 1 = 8
//   bits 2..1  parity: 0 none, 1 odd, 2 even
//   bit 0      stop bits: 0 = 1, 1 = 2
// As the dialog shows it: baud item 0 "4800", 1 "9600" .. 5 "115200"; data item 0 "7", 1 "8";
// parity item 0 none, 1 odd, 2 even; stop item 0 "1", 1 "2".
struct ComSetItems {
    int baud = 1;
    int dataBits = 0;
    int parity = 0;
    int stopBits = 0;
    bool operator==(const ComSetItems&) const = default;
};

// A baud code the list does not hold shows as "4800"; parity 3 shows as no item (-1).
ComSetItems UnpackComSetByte(std::uint8_t b);
// Packs the items; a field the user left as it was shown keeps the bits of `original`, so a
// byte the lists cannot show survives an OK unchanged.
std::uint8_t PackComSetByte(const ComSetItems& items, const ComSetItems& shown, std::uint8_t original);
inline std::uint8_t PackComSetByte(const ComSetItems& items)
{
    return PackComSetByte(items, ComSetItems{-1, -1, -1, -1}, 0);
}

// Which parts of each device reference to rewrite, and with what.
struct LinkRewrite {
    bool port = false; // write `link` into each reference's link byte
    std::uint8_t link = 0;
    bool station = false; // write `stationNo` into each reference's station byte
    std::uint8_t stationNo = 0;
};

// Rewrites the references of one stored page: records open with a u16 big-endian tag and a u16
// big-endian length that leads to the next record. A length below 4 or a record running past
// the buffer ends the walk; a byte past its record's length is not written.
void RewritePageLinks(Bytes& page, const LinkRewrite& rw);

// Rewrites the system-level records of the project: the 14 system function keys, buzzer and
// alarm lamp, both system device references, the system page jumps, the clock write (only
// when the panel has a clock) and the power-on macro.
void RewriteSystemLinks(ProjectState& s, const LinkRewrite& rw);

// One reference of a live record.
void RewriteLink(DevRefHead& ref, const LinkRewrite& rw);

// Rewrites the live state of an open page the same way: the references of its objects of the
// kinds whose records RewritePageLinks rewrites (all three of buttons and numeric inputs), its
// function keys, buzzer and alarm lamp, page jumps and its page-number write when it is set.
void RewriteLivePageLinks(PageData& page, const LinkRewrite& rw);

} // namespace kes
