#include "platform/codepage.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <map>

namespace kes {
namespace {

int g_codePage = 1252;

const char* IconvName(int cp)
{
    switch (cp) {
    case 950:
        return "CP950";
    case 936:
        return "CP936";
    default:
        return "CP1252";
    }
}

// iconv descriptors are costly to open; keep one per direction and code page.
iconv_t Converter(const char* to, const char* from)
{
    struct Cache {
        std::map<std::string, iconv_t> open;
        ~Cache()
        {
            for (auto& [key, cd] : open)
                if (cd != reinterpret_cast<iconv_t>(-1))
                    iconv_close(cd);
        }
    };
    thread_local Cache cache;
    std::string key = std::string(to) + "<" + from;
    auto it = cache.open.find(key);
    if (it != cache.open.end())
        return it->second;
    iconv_t cd = iconv_open(to, from);
    cache.open.emplace(key, cd);
    return cd;
}

// Converts with one replacement per undecodable input unit; never fails.
std::string Convert(std::string_view in, const char* to, const char* from, const char* replacement,
                    std::size_t skipOnError)
{
    std::string out;
    iconv_t cd = Converter(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::string(in);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out.reserve(in.size() * 2 + 8);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[256];
    while (srcLeft > 0) {
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated sequence): replace and step over it.
            out += replacement;
            std::size_t skip = std::min(skipOnError, srcLeft);
            if (errno == EILSEQ && std::strcmp(from, "UTF-8") == 0) {
                // Skip one whole UTF-8 character.
                skip = 1;
                while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80)
                    ++skip;
            }
            src += skip;
            srcLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

bool StartsWith(const char* s, const char* prefix) { return std::strncmp(s, prefix, std::strlen(prefix)) == 0; }

// Bytes below 0x80 are the same characters in every code page here and in UTF-8: most texts
// (names, numbers, English messages) need no conversion at all.
bool PlainAscii(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool PlainAscii(const QString& s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

int AnsiCodePage() { return g_codePage; }

void SetAnsiCodePage(int codePage) { g_codePage = (codePage == 950 || codePage == 936) ? codePage : 1252; }

int CodePageFromEnvironment(int otherLocale)
{
    if (const char* v = std::getenv("KESTROVA_CODEPAGE"); v && *v)
        return std::atoi(v) == 950 ? 950 : std::atoi(v) == 936 ? 936 : 1252;
    const char* loc = nullptr;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            loc = v;
            break;
        }
    }
    if (loc && (StartsWith(loc, "zh_TW") || StartsWith(loc, "zh_HK") || StartsWith(loc, "zh_MO")))
        return 950;
    if (loc && (StartsWith(loc, "zh_CN") || StartsWith(loc, "zh_SG")))
        return 936;
    return otherLocale == 950 || otherLocale == 936 ? otherLocale : 1252;
}

void InitAnsiCodePage() { SetAnsiCodePage(CodePageFromEnvironment()); }

std::string AnsiToUtf8(std::string_view ansi)
{
    if (PlainAscii(ansi))
        return std::string(ansi);
    return Convert(ansi, "UTF-8", IconvName(g_codePage), "\xEF\xBF\xBD", 1);
}

std::string Utf8ToAnsi(std::string_view utf8)
{
    if (PlainAscii(utf8))
        return std::string(utf8);
    return Convert(utf8, IconvName(g_codePage), "UTF-8", "?", 1);
}

QString AnsiToQString(std::string_view ansi)
{
    if (PlainAscii(ansi))
        return QString::fromLatin1(ansi.data(), static_cast<qsizetype>(ansi.size()));
    std::string u = AnsiToUtf8(ansi);
    return QString::fromUtf8(u.data(), static_cast<qsizetype>(u.size()));
}

std::string QStringToAnsi(const QString& text)
{
    if (PlainAscii(text)) {
        const QByteArray a = text.toLatin1();
        return std::string(a.constData(), static_cast<std::size_t>(a.size()));
    }
    QByteArray u = text.toUtf8();
    return Utf8ToAnsi(std::string_view(u.constData(), static_cast<std::size_t>(u.size())));
}

qsizetype FirstUnencodable(const QString& text)
{
    if (PlainAscii(text))
        return -1;
    iconv_t cd = Converter(IconvName(g_codePage), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return -1;
    // The whole text first: it mostly fits, and then no character needs trying on its own.
    {
        QByteArray u = text.toUtf8();
        char* src = u.data();
        std::size_t srcLeft = static_cast<std::size_t>(u.size());
        std::string out(srcLeft * 2 + 8, '\0');
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) && srcLeft == 0)
            return -1;
    }
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QByteArray u = text.mid(i, len).toUtf8();
        char* src = u.data();
        std::size_t srcLeft = static_cast<std::size_t>(u.size());
        char buf[16];
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
            return i;
        i += len;
    }
    return -1;
}

namespace {

constexpr int kCodePages[] = {950, 936, 1252};

bool IsIdeograph(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF);
}

// What a Chinese code page gives for the other one's characters; neither uses them in texts.
bool IsForeignToChinese(char32_t c)
{
    return (c >= 0x3040 && c <= 0x30FF)                                                                    // kana
           || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F) || (c >= 0xAC00 && c <= 0xD7AF) // Hangul
           || (c >= 0x0400 && c <= 0x04FF)                                                                 // Cyrillic
           || (c >= 0x2500 && c <= 0x257F)  // box drawing
           || (c >= 0xE000 && c <= 0xF8FF); // private use
}

// text in code page cp as UTF-32; false when some of its bytes are no character of cp.
bool DecodeStrict(int cp, std::string_view text, std::u32string& out)
{
    out.clear();
    iconv_t cd = Converter("UTF-32LE", IconvName(cp));
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(text.data());
    std::size_t srcLeft = text.size();
    std::string bytes(text.size() * 4 + 8, '\0');
    char* dst = bytes.data();
    std::size_t dstLeft = bytes.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
        return false;
    const std::size_t n = (bytes.size() - dstLeft) / 4;
    for (std::size_t i = 0; i < n; ++i) {
        const auto* u = reinterpret_cast<const unsigned char*>(bytes.data() + 4 * i);
        out.push_back(static_cast<char32_t>(u[0] | u[1] << 8 | u[2] << 16 | static_cast<char32_t>(u[3]) << 24));
    }
    return true;
}

// Two or more ideographs of a Chinese code page, at least half of its characters but blanks.
bool ReadsAsChinese(std::string_view text)
{
    std::u32string chars;
    for (const int cp : {950, 936}) {
        if (!DecodeStrict(cp, text, chars))
            continue;
        int ideographs = 0;
        int shown = 0;
        for (const char32_t c : chars) {
            ideographs += IsIdeograph(c) ? 1 : 0;
            shown += c != U' ' && c != U'\t' ? 1 : 0;
        }
        if (ideographs >= 2 && 2 * ideographs >= shown)
            return true;
    }
    return false;
}

// How a code page reads one text: its bytes all characters of it, of its own script.
bool ReadsIn(int cp, std::string_view text)
{
    std::u32string chars;
    if (!DecodeStrict(cp, text, chars))
        return false;
    if (cp == 1252)
        return !ReadsAsChinese(text);
    return std::none_of(chars.begin(), chars.end(), IsForeignToChinese);
}

// Double-byte characters of a Chinese code page's block of most used ones: Big5's first level
// (lead bytes A4..C6), GB2312's first level (lead B0..D7, trail A1..FE).
int MostUsedCharacters(int cp, std::string_view text)
{
    int n = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x81 || i + 1 >= text.size()) {
            ++i;
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (cp == 950)
            n += lead >= 0xA4 && lead <= 0xC6 && ((trail >= 0x40 && trail <= 0x7E) || trail >= 0xA1) ? 1 : 0;
        else if (cp == 936)
            n += lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1 && trail <= 0xFE ? 1 : 0;
        i += 2;
    }
    return n;
}

} // namespace

int CodePageThatReads(const std::vector<std::string>& texts, int inUse)
{
    auto readsAll = [&](int cp) {
        return std::all_of(texts.begin(), texts.end(), [cp](const std::string& t) { return ReadsIn(cp, t); });
    };
    if (readsAll(inUse))
        return 0;
    int best = 0;
    int bestUsed = -1;
    for (const int cp : kCodePages) {
        if (cp == inUse || !readsAll(cp))
            continue;
        int used = 0;
        for (const std::string& t : texts)
            used += MostUsedCharacters(cp, t);
        if (used > bestUsed) {
            best = cp;
            bestUsed = used;
        }
    }
    return best;
}

std::vector<int> CodePagesHolding(const QString& text)
{
    std::vector<int> holding;
    if (text.isEmpty())
        return holding;
    const qsizetype len = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    QByteArray u = text.left(len).toUtf8();
    for (const int cp : kCodePages) {
        iconv_t cd = Converter(IconvName(cp), "UTF-8");
        if (cd == reinterpret_cast<iconv_t>(-1))
            continue;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* src = u.data();
        std::size_t srcLeft = static_cast<std::size_t>(u.size());
        char buf[16];
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) && srcLeft == 0)
            holding.push_back(cp);
    }
    return holding;
}

bool IsDBCSLeadByte(unsigned char b)
{
    if (g_codePage == 950 || g_codePage == 936)
        return b >= 0x81 && b <= 0xFE;
    return false;
}

} // namespace kes
