#pragma once
// Small pieces the kind readers share: device references, NUL-terminated text runs and
// the stored length as a result.
#include "decoder/kindlayout.h"
#include "decoder/morvik.h"
#include "decoder/objread.h"
#include "decoder/recreader.h"
#include "objects/lxdevref.h"
#include "objects/tlxobj.h"

#include <string>

namespace kes::morvik {

inline int StoredLength(const RecReader& r) { return static_cast<int>(r.Size()); }

// The 9-byte device reference at off; fails the reader when it is cut off.
inline void LoadRef(RecReader& r, std::size_t off, TLxDevRef& ref, std::uint8_t& fourth)
{
    if (!ref.Load(r.Span(), off, fourth))
        r.Fail();
}

// The object's header read and the record's first `fixed` bytes present; false with err set
// to the reader's result otherwise.
inline bool OpenKind(TLxObj& obj, RecReader& r, std::size_t fixed, int& err)
{
    if (const int h = ReadObjHeader(obj, r); h < 0) {
        err = h;
        return false;
    }
    if (!r.Need(0, fixed)) {
        err = kDecTruncated;
        return false;
    }
    return true;
}

// The state head of the kinds with states (the multi-state picture, the message text, the
// lamp: the same three bytes at the same offsets): (StateReverse << 4) + ValType, StateMode,
// and the state count, which is returned for the kind's own SetStateNum.
template <typename Kind> std::uint8_t ReadStateHead(RecReader& r, Kind& o)
{
    namespace L = layout::ActBmp;
    static_assert(L::RevType == layout::MsgTxt::RevType && L::RevType == layout::Light::RevType);
    static_assert(L::StateMode == layout::MsgTxt::StateMode && L::StateMode == layout::Light::StateMode);
    static_assert(L::TotalState == layout::MsgTxt::TotalState && L::TotalState == layout::Light::TotalState);
    const std::uint8_t revType = r.U8(L::RevType);
    o.StateReverse = revType >> 4;
    o.ValType = revType & 0x0F;
    o.StateMode = r.U8(L::StateMode);
    return r.U8(L::TotalState);
}

// A text block at at, then the sized picture of the rendered text (stepped over). Moves at
// past both; false when they do not lie inside the record.
inline bool ReadStateText(RecReader& r, std::size_t& at, std::string& text)
{
    namespace T = layout::TextBlock;
    namespace P = layout::SizedPic;
    const std::uint16_t len = r.U16(at + T::Length);
    text = r.Text(at + T::Text, len);
    const std::size_t pic = at + T::Text + len;
    const std::uint16_t bytes = r.U16(pic + P::Count);
    if (!r.Need(pic + P::Bands, bytes))
        return false;
    at = pic + P::Bands + bytes;
    return true;
}

// Texts with their NULs packed into a run of `total` bytes from `off`, as the static
// text keeps its font name and lines: each text takes its length + 1.
class TextWalk {
public:
    TextWalk(RecReader& r, std::size_t off, std::size_t total) : run_(r.Bytes(off, total)), ok_(r.Ok()) {}
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
