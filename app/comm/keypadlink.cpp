#include "app/comm/keypadlink.h"

#include "objects/digtest.h"

#include <algorithm>

namespace kes {

namespace {

std::string_view Trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string ControlCharName(int value)
{
    static constexpr const char* kNames[] = {"nul", "soh", "stx", "etx", "eot", "enq", "ack", "bell", "bs",
                                             "tab", "if",  "vt",  "ff",  "cr",  "so",  "si",  "dle",  "dc1",
                                             "dc2", "dc3", "dc4", "nak", "syn", "etb", "can", "em",   "sub",
                                             "esc", "fs",  "gs",  "rs",  "us",  "''"};
    if (value < 0 || value >= static_cast<int>(std::size(kNames)))
        return {};
    return kNames[value];
}

std::optional<std::uint8_t> KeyCodeOfText(std::string_view text)
{
    // Valued without a 32-bit cut, so that a long run such as "100000020" is not taken as 0x20.
    const double v = HexTextToDouble(Trimmed(text));
    if (v < 0x20 || v > 0xFF)
        return std::nullopt;
    return static_cast<std::uint8_t>(v);
}

std::optional<std::uint8_t> FrameCharOfText(std::string_view text)
{
    text = Trimmed(text);
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > kFrameCharMax)
        return std::nullopt;
    return static_cast<std::uint8_t>(v);
}

int TestDisplayLineLimit(int fontItem, int panelModelIndex)
{
    const int limit = fontItem <= 1 ? 8 : fontItem <= 3 ? 5 : 4;
    return panelModelIndex == 1 ? limit / 2 : limit;
}

Bytes BuildTestDisplayRequest(const TestDisplayRequest& r)
{
    Bytes out;
    if (r.keyScan) {
        out = {'K', r.station};
        return out;
    }
    if (r.multidrop) {
        out.push_back('A');
        out.push_back(r.station);
    }
    out.push_back('F');
    out.push_back(r.fontItem);
    const std::size_t n = std::min(r.lines.size(), static_cast<std::size_t>(std::max(r.lineLimit, 0)));
    for (std::size_t i = 0; i < n; ++i) {
        out.insert(out.end(), r.lines[i].begin(), r.lines[i].end());
        if (i + 1 < n)
            out.push_back('\n');
    }
    out.push_back(r.terminator);
    return out;
}

std::vector<std::string> TextLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string TestDisplayReplyText(ByteSpan reply)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : reply) {
        if ((b >= 0x30 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A)) {
            out.push_back(static_cast<char>(b));
        } else {
            out += "/x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        }
    }
    return out;
}

LinkPortSettings TestDisplayPortSettings(std::uint8_t comSetByte, const std::string& name)
{
    LinkPortSettings s;
    s.name = name;
    switch (comSetByte >> 4) {
    case 1:
        s.baud = 19200;
        break;
    case 2:
        s.baud = 38400;
        break;
    case 3:
        s.baud = 57600;
        break;
    case 4:
        s.baud = 115200;
        break;
    case 5:
        s.baud = 4800;
        break;
    default:
        s.baud = 9600;
        break;
    }
    switch ((comSetByte >> 1) & 3) {
    case 1:
        s.parity = LinkParity::Odd;
        break;
    case 2:
        s.parity = LinkParity::Even;
        break;
    default:
        s.parity = LinkParity::None;
        break;
    }
    s.stopBits = (comSetByte & 1) ? 2 : 1;
    s.dataBits = (comSetByte & 8) ? 8 : 7;
    return s;
}

TestDisplayReceiver::Result TestDisplayReceiver::Feed(std::string_view chars)
{
    Result r;
    for (char ch : chars) {
        const auto b = static_cast<std::uint8_t>(ch);
        ++r.consumed;
        if (b == start_) {
            buf_.assign(1, b);
        } else if (b == '\r' && !buf_.empty()) {
            buf_.push_back(b);
            r.event = Event::Reply;
            return r;
        } else if (buf_.size() >= kMaxReply) {
            r.event = Event::Overflow;
            return r;
        } else {
            buf_.push_back(b);
        }
    }
    return r;
}

} // namespace kes
