#pragma once
// Bounds-checked byte access. Panel data (page records, image header, serial frames) is
// big-endian; project files are little-endian (the byte order of the
// desktops the files were first written on).
// Every getter checks the span first: readers never trust a length they were given.
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kes {

using ByteSpan = std::span<const std::uint8_t>;
using Bytes = std::vector<std::uint8_t>;

inline bool Has(ByteSpan in, std::size_t off, std::size_t n) { return off <= in.size() && n <= in.size() - off; }

inline std::optional<std::uint8_t> GetU8(ByteSpan in, std::size_t off)
{
    if (!Has(in, off, 1))
        return std::nullopt;
    return in[off];
}
inline std::optional<std::uint16_t> GetU16be(ByteSpan in, std::size_t off)
{
    if (!Has(in, off, 2))
        return std::nullopt;
    return static_cast<std::uint16_t>((in[off] << 8) | in[off + 1]);
}
inline std::optional<std::uint32_t> GetU32be(ByteSpan in, std::size_t off)
{
    if (!Has(in, off, 4))
        return std::nullopt;
    return (std::uint32_t(in[off]) << 24) | (std::uint32_t(in[off + 1]) << 16) | (std::uint32_t(in[off + 2]) << 8) |
           std::uint32_t(in[off + 3]);
}
inline std::optional<std::uint16_t> GetU16le(ByteSpan in, std::size_t off)
{
    if (!Has(in, off, 2))
        return std::nullopt;
    return static_cast<std::uint16_t>(in[off] | (in[off + 1] << 8));
}
inline std::optional<std::uint32_t> GetU32le(ByteSpan in, std::size_t off)
{
    if (!Has(in, off, 4))
        return std::nullopt;
    return std::uint32_t(in[off]) | (std::uint32_t(in[off + 1]) << 8) | (std::uint32_t(in[off + 2]) << 16) |
           (std::uint32_t(in[off + 3]) << 24);
}

// Writers into a buffer the caller sized; they return false instead of writing past it.
inline bool PutU8(std::span<std::uint8_t> out, std::size_t off, std::uint8_t v)
{
    if (off >= out.size())
        return false;
    out[off] = v;
    return true;
}
inline bool PutU16be(std::span<std::uint8_t> out, std::size_t off, std::uint16_t v)
{
    if (!Has(ByteSpan(out.data(), out.size()), off, 2))
        return false;
    out[off] = static_cast<std::uint8_t>(v >> 8);
    out[off + 1] = static_cast<std::uint8_t>(v);
    return true;
}
inline bool PutU32be(std::span<std::uint8_t> out, std::size_t off, std::uint32_t v)
{
    if (!Has(ByteSpan(out.data(), out.size()), off, 4))
        return false;
    out[off] = static_cast<std::uint8_t>(v >> 24);
    out[off + 1] = static_cast<std::uint8_t>(v >> 16);
    out[off + 2] = static_cast<std::uint8_t>(v >> 8);
    out[off + 3] = static_cast<std::uint8_t>(v);
    return true;
}
inline bool PutU16le(std::span<std::uint8_t> out, std::size_t off, std::uint16_t v)
{
    if (!Has(ByteSpan(out.data(), out.size()), off, 2))
        return false;
    out[off] = static_cast<std::uint8_t>(v);
    out[off + 1] = static_cast<std::uint8_t>(v >> 8);
    return true;
}
inline bool PutU32le(std::span<std::uint8_t> out, std::size_t off, std::uint32_t v)
{
    if (!Has(ByteSpan(out.data(), out.size()), off, 4))
        return false;
    for (int i = 0; i < 4; ++i)
        out[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return true;
}

// Appending writers for growable buffers.
inline void AppendU8(Bytes& b, std::uint8_t v) { b.push_back(v); }
inline void AppendU16be(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}
inline void AppendU32be(Bytes& b, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> s));
}
inline void AppendU16le(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void AppendU32le(Bytes& b, std::uint32_t v)
{
    for (int s = 0; s <= 24; s += 8)
        b.push_back(static_cast<std::uint8_t>(v >> s));
}
inline void AppendBytes(Bytes& b, ByteSpan s) { b.insert(b.end(), s.begin(), s.end()); }

// dst[i] = src[n-1-i]: the byte-reversing copy at the boundary to panel data.
inline void ReverseCopy(std::uint8_t* dst, const std::uint8_t* src, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        dst[i] = src[n - 1 - i];
}

} // namespace kes
