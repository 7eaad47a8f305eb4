#include "xlsxreader.h"

#include "platform/bytes.h"
#include "platform/fileio.h"

#include <zlib.h>

#include <regex>
#include <vector>

namespace kes::test {
namespace {

// Little-endian fields of the zip records.
std::uint32_t U32(const Bytes& b, std::size_t off) { return GetU32le(b, off).value_or(0); }
std::uint16_t U16(const Bytes& b, std::size_t off) { return GetU16le(b, off).value_or(0); }

std::string Inflate(const std::uint8_t* data, std::size_t size, std::size_t expected)
{
    std::string out(expected, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return {};
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string();
}

// Entry name to its bytes, read through the central directory.
std::map<std::string, std::string> Entries(const Bytes& zip)
{
    std::map<std::string, std::string> out;
    if (zip.size() < 22)
        return out;
    std::size_t end = zip.size() - 22;
    while (end > 0 && U32(zip, end) != 0x06054b50)
        --end;
    const std::size_t count = U16(zip, end + 10);
    std::size_t pos = U32(zip, end + 16);
    for (std::size_t i = 0; i < count && Has(zip, pos, 46) && U32(zip, pos) == 0x02014b50; ++i) {
        const std::uint16_t method = U16(zip, pos + 10);
        const std::size_t packed = U32(zip, pos + 20);
        const std::size_t size = U32(zip, pos + 24);
        const std::size_t nameLen = U16(zip, pos + 28);
        const std::size_t skip = nameLen + U16(zip, pos + 30) + U16(zip, pos + 32);
        const std::size_t local = U32(zip, pos + 42);
        if (!Has(zip, pos + 46, nameLen) || !Has(zip, local, 30))
            break;
        const std::string name(zip.begin() + static_cast<long>(pos + 46),
                               zip.begin() + static_cast<long>(pos + 46 + nameLen));
        const std::size_t data = local + 30 + U16(zip, local + 26) + U16(zip, local + 28);
        if (Has(zip, data, packed))
            out[name] = method == 0 ? std::string(zip.begin() + static_cast<long>(data),
                                                  zip.begin() + static_cast<long>(data + packed))
                                    : Inflate(zip.data() + data, packed, size);
        pos += 46 + skip;
    }
    return out;
}

std::string Unescape(std::string s)
{
    for (const auto& [from, to] : {std::pair<const char*, const char*>{"&lt;", "<"},
                                   {"&gt;", ">"},
                                   {"&quot;", "\""},
                                   {"&apos;", "'"},
                                   {"&amp;", "&"}}) {
        for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1))
            s.replace(at, std::string(from).size(), to);
    }
    return s;
}

} // namespace

std::map<std::string, std::string> ReadXlsxCells(const std::string& path)
{
    Bytes zip;
    if (!ReadFileBytes(path, 1u << 30, zip, nullptr))
        return {};
    const std::map<std::string, std::string> entries = Entries(zip);
    const auto strings = entries.find("xl/sharedStrings.xml");
    const auto sheet = entries.find("xl/worksheets/sheet1.xml");
    if (sheet == entries.end())
        return {};
    std::vector<std::string> shared;
    if (strings != entries.end()) {
        static const std::regex si(R"re(<si>\s*<t[^>]*>([^<]*)</t>\s*</si>)re");
        for (auto it = std::sregex_iterator(strings->second.begin(), strings->second.end(), si);
             it != std::sregex_iterator(); ++it)
            shared.push_back(Unescape((*it)[1].str()));
    }
    std::map<std::string, std::string> cells;
    static const std::regex cell(R"re(<c r="([A-Z]+[0-9]+)"[^>]*t="s"[^>]*><v>([0-9]+)</v></c>)re");
    for (auto it = std::sregex_iterator(sheet->second.begin(), sheet->second.end(), cell); it != std::sregex_iterator();
         ++it) {
        const std::size_t n = std::stoul((*it)[2].str());
        cells[(*it)[1].str()] = n < shared.size() ? shared[n] : std::string("?");
    }
    return cells;
}

} // namespace kes::test
