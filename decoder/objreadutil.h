#pragma once
// Small pieces the kind readers share: device references, NUL-terminated text runs and
// the stored length as a result.
#include "decoder/recreader.h"
#include "objects/lxdevref.h"

#include <string>

namespace kes::morvik {

inline int StoredLength(const RecReader& r) { return static_cast<int>(r.Size()); }

// The 9-byte device reference at off; fails the reader when it is cut off.
inline void LoadRef(RecReader& r, std::size_t off, TLxDevRef& ref, std::uint8_t& fourth)
{
    if (!ref.Load(r.Span(), off, fourth))
        r.Fail();
}

// Texts with their NULs packed into a run of `total` bytes from `off`, as the static
// text keeps its font name and lines: each text takes its length + 1.
class TextWalk {
public:
    TextWalk(RecReader& r, std::size_t off, std::size_t total)
        : run_(r.Bytes(off, total)), ok_(r.Ok())
    {
    }
    bool More() const { return ok_ && used_ < run_.size(); }
    // The next text; false when the run ends before its NUL.
    bool Next(std::string& s)
    {
        const ByteSpan rest = run_.subspan(used_);
        std::size_t n = 0;
        while (n < rest.size() && rest[n] != 0)
            ++n;
        if (n == rest.size())
            return ok_ = false;
        s.assign(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(n));
        used_ += n + 1;
        return true;
    }
    bool Ok() const { return ok_; }

private:
    ByteSpan run_;
    std::size_t used_ = 0;
    bool ok_;
};

} // namespace kes::morvik
