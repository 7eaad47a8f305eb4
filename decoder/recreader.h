#pragma once
// A bounded view on one stored record. Every read past the record's stored length returns
// 0 and marks the reader failed, so a reader can take its fields in layout order and
// check once; loops over counts check Ok() before each step so a damaged count ends them.
#include "platform/bytes.h"

#include <cstdint>
#include <string>

namespace kes::morvik {

class RecReader {
public:
    explicit RecReader(ByteSpan rec) : rec_(rec) {}

    // The record bounded by its stored length (bytes 2-3). The caller guarantees that the
    // head and the stored length lie inside the memory at p.
    static RecReader Framed(const std::uint8_t* p)
    {
        const std::size_t len = (std::size_t(p[2]) << 8) | p[3];
        return RecReader(ByteSpan(p, len));
    }

    ByteSpan Span() const { return rec_; }
    std::size_t Size() const { return rec_.size(); }
    bool Ok() const { return ok_; }
    // Marks the record unusable (a count the format does not allow, for example).
    void Fail() { ok_ = false; }
    // True when n bytes from off lie inside the record; fails the reader otherwise.
    bool Need(std::size_t off, std::size_t n)
    {
        if (!Has(rec_, off, n))
            ok_ = false;
        return ok_;
    }

    std::uint8_t U8(std::size_t off) { return Get(GetU8(rec_, off)); }
    std::uint16_t U16(std::size_t off) { return Get(GetU16be(rec_, off)); }
    std::uint32_t U32(std::size_t off) { return Get(GetU32be(rec_, off)); }
    std::int32_t I32(std::size_t off) { return static_cast<std::int32_t>(U32(off)); }
    // n bytes from off; empty (and failed) when they are not all inside.
    ByteSpan Bytes(std::size_t off, std::size_t n)
    {
        if (!Need(off, n))
            return {};
        return rec_.subspan(off, n);
    }
    // A NUL-terminated text of n bytes (the NUL counted); the text stops at the first NUL.
    std::string Text(std::size_t off, std::size_t n)
    {
        const ByteSpan b = Bytes(off, n);
        std::string s(b.begin(), b.end());
        if (const auto nul = s.find('\0'); nul != std::string::npos)
            s.resize(nul);
        return s;
    }

private:
    template <typename T> T Get(std::optional<T> v)
    {
        if (!v) {
            ok_ = false;
            return 0;
        }
        return *v;
    }

    ByteSpan rec_;
    bool ok_ = true;
};

} // namespace kes::morvik
