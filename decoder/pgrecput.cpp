#include "decoder/pgrecput.h"

#include "decoder/setlayout.h"

#include <array>
#include <vector>

namespace kes {

void PutHeadBytes(Bytes& out, std::size_t offset, bool reverse, std::size_t n, const void* source)
{
    if (n == 0)
        return;
    const auto* src = static_cast<const std::uint8_t*>(source);
    if (out.size() < offset + n)
        out.resize(offset + n, 0);
    if (reverse)
        ReverseCopy(out.data() + offset, src, n);
    else
        std::memcpy(out.data() + offset, src, n);
}

void RecOut::PutRecBytes(std::size_t start, bool reverse, std::size_t n, const void* source, std::size_t fieldOffset)
{
    if (Writes())
        PutHeadBytes(base_, start + fieldOffset, reverse, n, source);
}

void RecOut::Reach(std::size_t end)
{
    if (Writes() && base_.size() < end)
        base_.resize(end, 0);
}

RecWriter::RecWriter(RecOut& out, std::size_t start, std::uint16_t tag)
    : out_(out), start_(start), sizeBefore_(out.Base().size())
{
    U16(layout::RecHead::Tag, tag);
}

void RecWriter::U8(std::size_t off, std::uint8_t v) { out_.PutRecBytes(start_, false, 1, &v, off); }

void RecWriter::U16(std::size_t off, std::uint32_t v)
{
    const std::array<std::uint8_t, 2> b{static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    out_.PutRecBytes(start_, false, b.size(), b.data(), off);
}

void RecWriter::U32(std::size_t off, std::uint32_t v)
{
    const std::array<std::uint8_t, 4> b{static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                                        static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    out_.PutRecBytes(start_, false, b.size(), b.data(), off);
}

void RecWriter::Raw(std::size_t off, ByteSpan bytes)
{
    out_.PutRecBytes(start_, false, bytes.size(), bytes.data(), off);
}

std::size_t RecWriter::Text(std::size_t off, const std::string& text)
{
    out_.PutRecBytes(start_, false, text.size(), text.data(), off);
    U8(off + text.size(), 0);
    return text.size() + 1;
}

void RecWriter::SetRef(std::size_t off, const DevRefHead& ref)
{
    namespace R = layout::SetRef;
    U32(off + R::Code, static_cast<std::uint32_t>(ref.DevAddrCode));
    U8(off + R::Flags, static_cast<std::uint8_t>((ref.LinkFlag << 4) + ref.Present));
    U8(off + R::Station, ref.Station);
    U8(off + R::Link, ref.LinkIndex);
    U8(off + R::Fourth, ref.Detail);
    U8(off + R::BitNo, ref.BitIndex);
}

void RecWriter::ObjRef(std::size_t off, const TLxDevRef& ref, std::uint8_t fourth)
{
    Bytes stored;
    ref.Store(stored, fourth);
    Raw(off, stored);
}

int RecWriter::Finish(std::size_t length)
{
    if (length > 0xFFFF) {
        // Its length would wrap and every record after it would be misread.
        if (out_.Writes() && sizeBefore_ <= start_)
            out_.Base().resize(sizeBefore_);
        return kTooLong;
    }
    U16(layout::RecHead::Length, static_cast<std::uint32_t>(length));
    out_.Reach(start_ + length);
    return static_cast<int>(length);
}

} // namespace kes
