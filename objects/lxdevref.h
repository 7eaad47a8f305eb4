#pragma once
// The device reference block of a panel object: the controller address an object reads
// or writes, as the user typed it and as its 32-bit code, with the detail bytes the
// address picker fills. Stored in records as 9 bytes (objects/objlayout.h: ObjRef).
#include "objects/objlayout.h"
#include "platform/bytes.h"

#include <cstdint>
#include <string>

struct TLxDevRef {
    std::int32_t DevAddrCode = -1;
    std::string DevText;         // the address as typed or picked (ANSI)
    std::uint8_t RefDevForm = 1; // 1 device name of the table, 0 absolute "$" code
    std::uint8_t RefIntMem = 0;  // 1 panel memory ("@B", "@V")
    std::uint8_t RefStation = 1;
    std::uint8_t RefLink = 0;
    std::uint8_t RefBitNo = 0;
    std::uint8_t RefDetail = 0; // fourth stored byte of the button's and value entry's references

    static constexpr std::size_t kStoredSize = kes::layout::ObjRef::Size;

    std::uint8_t Flags() const { return static_cast<std::uint8_t>((RefIntMem << 4) + RefDevForm); }
    // Reading splits the nibbles: a non-zero nibble is 1.
    void SetFlags(std::uint8_t f)
    {
        RefDevForm = (f & 0x0F) != 0;
        RefIntMem = (f >> 4) != 0;
    }

    // Appends the 9 stored bytes with the given fourth byte, in ObjRef's order.
    void Store(kes::Bytes& out, std::uint8_t fourth) const
    {
        kes::AppendU32be(out, static_cast<std::uint32_t>(DevAddrCode));
        out.push_back(Flags());
        out.push_back(RefStation);
        out.push_back(RefLink);
        out.push_back(fourth);
        out.push_back(RefBitNo);
    }
    // Reads the 9 bytes at off; false (nothing changed) when in is too short.
    // DevText is not stored: the reader rebuilds it from the code.
    bool Load(kes::ByteSpan in, std::size_t off, std::uint8_t& fourth)
    {
        namespace L = kes::layout::ObjRef;
        if (!kes::Has(in, off, kStoredSize))
            return false;
        DevAddrCode = static_cast<std::int32_t>(*kes::GetU32be(in, off + L::Code));
        SetFlags(in[off + L::Flags]);
        RefStation = in[off + L::Station];
        RefLink = in[off + L::Link];
        fourth = in[off + L::Fourth];
        RefBitNo = in[off + L::BitNo];
        return true;
    }
};
