#pragma once
// Builds stored records byte by byte for the decoder tests: a tag, a length written when
// the record is done, then the fields in layout order (big-endian).
#include "platform/bytes.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace kes::test {

class RecBuild {
public:
    explicit RecBuild(std::uint16_t tag)
    {
        AppendU16be(b_, tag);
        AppendU16be(b_, 0);
    }
    RecBuild& U8(std::uint8_t v)
    {
        b_.push_back(v);
        return *this;
    }
    RecBuild& U16(std::uint16_t v)
    {
        AppendU16be(b_, v);
        return *this;
    }
    RecBuild& U32(std::uint32_t v)
    {
        AppendU32be(b_, v);
        return *this;
    }
    RecBuild& Fill(std::size_t n, std::uint8_t v = 0)
    {
        b_.insert(b_.end(), n, v);
        return *this;
    }
    RecBuild& Raw(std::initializer_list<std::uint8_t> bytes)
    {
        b_.insert(b_.end(), bytes);
        return *this;
    }
    // A text with its NUL.
    RecBuild& Text(const std::string& s)
    {
        b_.insert(b_.end(), s.begin(), s.end());
        b_.push_back(0);
        return *this;
    }
    // A 9-byte device reference.
    RecBuild& Ref(std::uint32_t code, std::uint8_t flags = 1, std::uint8_t station = 1, std::uint8_t link = 0,
                  std::uint8_t detail = 0, std::uint8_t bit = 0)
    {
        return U32(code).U8(flags).U8(station).U8(link).U8(detail).U8(bit);
    }
    // The 14-byte object header after the tag and length: box and font.
    RecBuild& Head(std::uint16_t left, std::uint16_t top, std::uint16_t right, std::uint16_t bottom,
                   std::uint8_t style = 0, std::uint8_t size = 8)
    {
        return U16(left).U16(top).U16(right).U16(bottom).U8(style).U8(size);
    }
    std::size_t Size() const { return b_.size(); }
    // The record with its length field set to its size (or to `length` when given).
    Bytes Done(int length = -1) const
    {
        Bytes out = b_;
        const auto n = static_cast<std::uint16_t>(length < 0 ? out.size() : static_cast<std::size_t>(length));
        out[2] = static_cast<std::uint8_t>(n >> 8);
        out[3] = static_cast<std::uint8_t>(n);
        return out;
    }

private:
    Bytes b_;
};

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace kes::test
