#include "app/comm/linkframe.h"

#include "objects/digtest.h"

#include <algorithm>

namespace kes {

std::uint8_t LinkLrc(ByteSpan bytes)
{
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    return static_cast<std::uint8_t>(-sum);
}

Bytes BuildLinkRequest(std::uint8_t station, LinkCmd cmd, std::uint32_t address, ByteSpan data, std::size_t length)
{
    Bytes req;
    req.reserve(8 + data.size());
    req.push_back(station);
    req.push_back(static_cast<std::uint8_t>(cmd));
    switch (cmd) {
    case LinkCmd::End:
    case LinkCmd::Identify:
        break;
    case LinkCmd::SetBaud:
        AppendBytes(req, data.first(std::min(length, data.size())));
        break;
    case LinkCmd::Read:
        AppendU32be(req, address);
        AppendU8(req, static_cast<std::uint8_t>(length));
        break;
    case LinkCmd::Write: {
        const std::size_t n = std::min(length, data.size());
        AppendU32be(req, address);
        AppendU8(req, static_cast<std::uint8_t>(n));
        AppendBytes(req, data.first(n));
        break;
    }
    }
    return req;
}

std::string LinkFrame(ByteSpan request)
{
    std::string text(1 + 2 * request.size() + 4, ':');
    char* out = text.data() + 1;
    for (std::uint8_t b : request) {
        ByteToHexPair(b, out);
        out += 2;
    }
    ByteToHexPair(LinkLrc(request), out);
    out[2] = '\r';
    out[3] = '\n';
    return text;
}

bool CheckLrc(std::string_view line, Bytes& linkTxBin)
{
    linkTxBin.clear();
    linkTxBin.reserve(line.size() / 2);
    const auto at = [&](std::size_t i) { return i < line.size() ? line[i] : '\0'; };
    unsigned sum = 0;
    std::size_t i = 0;
    for (; i < line.size() && line[i] != '\r'; i += 2) {
        const std::uint8_t b = HexPairToByte(at(i), at(i + 1));
        sum += b;
        if (i > 0)
            linkTxBin.push_back(b);
    }
    // Station, function byte and LRC at the least.
    if ((sum & 0xFF) != 0 || i <= 4)
        return false;
    linkTxBin.pop_back(); // the LRC
    return true;
}

bool CheckReplyOk(const Bytes& linkTxBin) { return !linkTxBin.empty() && (linkTxBin[0] & 0x80) == 0; }

LinkRx::Result LinkRx::Feed(std::string_view chars)
{
    Result r;
    while (r.consumed < chars.size()) {
        const char c = chars[r.consumed];
        if (c == ':') {
            ++r.consumed;
            buf_.clear();
            continue;
        }
        if (buf_.size() >= kLinkRxSize) {
            r.event = Event::Overflow;
            return r;
        }
        ++r.consumed;
        buf_.push_back(c);
        if (c == '\n' && buf_.size() > 3 && buf_[buf_.size() - 2] == '\r') {
            r.event = Event::Line;
            return r;
        }
    }
    return r;
}

} // namespace kes
