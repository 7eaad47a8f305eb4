#include "app/project/prjfile.h"

#include "app/project/memimage.h"
#include "platform/fileio.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kes {

namespace {

// Project file header (little-endian; bytes not named are 0):
//   000 i16 machine id | 002 i16 panel model index | 004 u32 data version |
//   008 u8 panel unit address | 009 u8 port number of the panel link | 00a u32 its baud |
//   00e u8 2 | 00f u8 1 | 010 u8 7 | 011 u8 up/down key switch | 012 u8 default station |
//   013 system device reference 0, 025 reference 1, each 18 bytes:
//       +0 i32 address | +4 flags (read as 0/1) | +5 station | +6 second detail byte |
//       +7 first detail byte | +8 link index | +9 low byte of its value | +10 8 zero bytes
//   038 u8 use default port | 039 u8 use default station |
//   1b0 10 password slots of 7 bytes: 6 characters, level |
//   1f6 u8 COM1 port byte | 1f7 u8 COM2 port byte | 1f8 u8 link index |
//   1fb u8 up/down key switch (wins over 011) | 1fc u8 default station (wins over 012) |
//   1fd u8 panel-memory flags: COM1 in bits 4-7, COM2 in bits 0-3 | 1ff u8 pixels per inch
constexpr std::size_t kSysRef0 = 0x013;
constexpr std::size_t kSysRefSize = 0x12;
constexpr std::size_t kPasswords = 0x1b0;
constexpr std::size_t kPasswordSlotSize = 7;
constexpr std::size_t kStaHeaderSize = 0x200;

std::uint8_t U8(ByteSpan f, std::size_t off) { return f[off]; }

// Where the run of zero bytes that ends the file starts (the file's size when its last byte is
// not 0), looked for no further back than from. Whole blocks are compared at once: a file
// grown by zeros is megabytes of them.
std::size_t ZerosFrom(ByteSpan f, std::size_t from)
{
    static const std::array<std::uint8_t, 4096> zero{};
    std::size_t at = f.size();
    while (at - from >= zero.size() && std::memcmp(f.data() + at - zero.size(), zero.data(), zero.size()) == 0)
        at -= zero.size();
    while (at > from && f[at - 1] == 0)
        --at;
    return at;
}
std::uint16_t U16(ByteSpan f, std::size_t off) { return *GetU16le(f, off); }
std::uint32_t U32(ByteSpan f, std::size_t off) { return *GetU32le(f, off); }

} // namespace

Bytes EncodeProjectHeader(const ProjectState& s, const ProjectFileExtras& x)
{
    Bytes h(kPrjHeaderSize, 0);
    PutU16le(h, 0x000, static_cast<std::uint16_t>(s.MachineId));
    PutU16le(h, 0x002, static_cast<std::uint16_t>(s.PanelModelIndex));
    PutU32le(h, 0x004, s.DataVersion);
    h[0x008] = s.HmiUnitAddr;
    h[0x009] = x.PortNumber;
    PutU32le(h, 0x00a, x.Baud);
    h[0x00e] = 2;
    h[0x00f] = 1;
    h[0x010] = 7;
    h[0x011] = x.EnableUpDown ? 1 : 0;
    h[0x012] = s.DefStation;
    for (std::size_t r = 0; r < 2; ++r) {
        const std::size_t b = kSysRef0 + r * kSysRefSize;
        const DevRefHead& ref = s.SysDevRefs[r].Ref;
        PutU32le(h, b, static_cast<std::uint32_t>(ref.DevAddrCode));
        h[b + 4] = ref.Present;
        h[b + 5] = ref.Station;
        h[b + 6] = ref.Detail;
        h[b + 7] = ref.BitIndex;
        h[b + 8] = ref.LinkIndex;
        h[b + 9] = static_cast<std::uint8_t>(s.SysDevRefValue[r]);
    }
    h[0x038] = s.UseDefaultPort;
    h[0x039] = s.UseDefaultStation;
    for (std::size_t i = 0; i < s.UserPasswords.size(); ++i) {
        const std::size_t b = kPasswords + i * kPasswordSlotSize;
        const std::string& text = s.UserPasswords[i].Password;
        std::copy_n(text.begin(), std::min<std::size_t>(6, text.size()), h.begin() + b);
        h[b + 6] = s.UserPasswords[i].Level;
    }
    h[0x1f6] = s.ComSetByte[0];
    h[0x1f7] = s.ComSetByte[1];
    h[0x1f8] = s.LinkIndex;
    h[0x1fb] = x.EnableUpDown ? 1 : 0;
    h[0x1fc] = s.DefStation;
    h[0x1fd] = static_cast<std::uint8_t>(((s.PortSlaveMode[0] & 0x0F) << 4) | (s.PortSlaveMode[1] & 0x0F));
    h[0x1ff] = x.PixelsPerInch;
    return h;
}

// Body from 0x200: the keypad types hold their 20-byte key setting (communication address,
// port, start character, terminating character, 16 key codes); every other type a row of
// chunks {u32 start, u32 end, the image bytes [start, end)}: the header chunk from 0, then
// one chunk per page.
ProjectError EncodeProjectFile(const ProjectDoc& doc, const ProjectFileExtras& x, Bytes& out)
{
    out = EncodeProjectHeader(doc, x);
    if (doc.IsKeypadType()) {
        const KeySetData& k = doc.KeySetRec;
        out.insert(out.end(), {k.CommAddr, k.Port, k.StartChar, k.EndChar});
        out.insert(out.end(), k.KeyCodes.begin(), k.KeyCodes.end());
        return ProjectError::None;
    }
    std::vector<std::uint32_t> off;
    const std::uint32_t headerLen = static_cast<std::uint32_t>(std::max(doc.ImageHeaderLen, 0));
    if (!ImageHoldsEveryPage(doc) || !OffsetsOf(doc.OffsetList, off) || headerLen > doc.MemImage.size()) {
        out.clear();
        return ProjectError::Inconsistent;
    }
    const auto chunk = [&](std::uint32_t start, std::uint32_t end) {
        AppendU32le(out, start);
        AppendU32le(out, end);
        out.insert(out.end(), doc.MemImage.begin() + start, doc.MemImage.begin() + end);
    };
    chunk(0, headerLen);
    for (std::size_t k = 0; k + 1 < off.size(); ++k)
        chunk(off[k], off[k + 1]);
    return ProjectError::None;
}

std::string EncodeTitleFile(const ProjectDoc& doc)
{
    std::string text = "[Title]\r\n";
    for (const auto& page : doc.PgDataList)
        text += page->Title + "\r\n";
    return text;
}

// Start-up screen file: 512 zero bytes, then {u32 0, u32 length, the record stream}.
Bytes EncodeStartScreenFile(const PgDataStr& data)
{
    Bytes out(kStaHeaderSize, 0);
    AppendU32le(out, 0);
    AppendU32le(out, static_cast<std::uint32_t>(data.Data.size()));
    AppendBytes(out, data.Data);
    return out;
}

ProjectError ParseProjectFile(ByteSpan f, ParsedProjectFile& out)
{
    out = ParsedProjectFile{};
    if (f.size() < kPrjHeaderSize)
        return ProjectError::TooShort;
    ProjectFileHeader& h = out.Head;
    h.MachineId = static_cast<std::int16_t>(U16(f, 0x000));
    h.PanelModelIndex = static_cast<std::int16_t>(U16(f, 0x002));
    h.Version = U32(f, 0x004);
    h.HmiUnitAddr = U8(f, 0x008);
    h.PortNumber = U8(f, 0x009);
    h.Baud = U32(f, 0x00a);
    for (std::size_t r = 0; r < 2; ++r) {
        const std::size_t b = kSysRef0 + r * kSysRefSize;
        DevRefHead& ref = h.SysDevRefs[r];
        ref.DevAddrCode = static_cast<std::int32_t>(U32(f, b));
        ref.Present = U8(f, b + 4) != 0 ? 1 : 0;
        ref.Station = U8(f, b + 5);
        ref.Detail = U8(f, b + 6);
        ref.BitIndex = U8(f, b + 7);
        ref.LinkIndex = U8(f, b + 8);
        h.SysDevRefValue[r] = U8(f, b + 9);
    }
    h.UseDefaultPort = U8(f, 0x038) != 0 ? 1 : 0;
    h.UseDefaultStation = U8(f, 0x039) != 0 ? 1 : 0;
    for (std::size_t i = 0; i < h.Passwords.size(); ++i) {
        const std::size_t b = kPasswords + i * kPasswordSlotSize;
        std::string text(f.begin() + b, f.begin() + b + 6);
        if (const auto nul = text.find('\0'); nul != std::string::npos)
            text.resize(nul);
        h.Passwords[i].Password = text;
        h.Passwords[i].Level = U8(f, b + 6);
    }
    h.ComSetByte = {U8(f, 0x1f6), U8(f, 0x1f7)};
    h.LinkIndex = U8(f, 0x1f8);
    h.EnableUpDown = U8(f, 0x1fb) != 0 ? 1 : 0;
    h.DefStation = U8(f, 0x1fc);
    h.PortSlaveMode = {std::uint8_t((U8(f, 0x1fd) >> 4) != 0 ? 1 : 0),
                       std::uint8_t((U8(f, 0x1fd) & 0x0F) != 0 ? 1 : 0)};
    h.PixelsPerInch = U8(f, 0x1ff);

    out.Keypad = ProjectState::IsKeypadMachine(h.MachineId);
    if (out.Keypad) {
        if (f.size() < kPrjHeaderSize + kKeySetBodySize)
            return ProjectError::TooShort;
        const std::size_t b = kPrjHeaderSize;
        out.KeySet.CommAddr = f[b];
        out.KeySet.Port = f[b + 1];
        out.KeySet.StartChar = f[b + 2];
        out.KeySet.EndChar = f[b + 3];
        std::copy_n(f.begin() + b + 4, out.KeySet.KeyCodes.size(), out.KeySet.KeyCodes.begin());
        return ProjectError::None;
    }

    if (const ProjectError e =
            ReadChunkRow(f, kPrjHeaderSize, kMaxProjectPages + 1, ProjectError::TooManyPages, out.Chunks, out.TailAt);
        e != ProjectError::None)
        return e;
    if (out.Chunks.empty())
        return ProjectError::Damaged;
    return ProjectError::None;
}

std::size_t TrailingZeroPages(const ParsedProjectFile& f)
{
    std::size_t n = 0;
    for (std::size_t k = f.Chunks.size(); k > 1 && f.Chunks[k - 1].Start == 0 && f.Chunks[k - 1].End == 0; --k)
        ++n;
    return n;
}

std::size_t ModelPageLimit(const ProjectState& s)
{
    // The page table holds the header entry, one entry per page and the image's end.
    const std::int64_t entries = (std::int64_t(s.ObjPageEnd) - s.ObjPageAddr) / 4;
    return entries > 2 ? std::min<std::size_t>(std::size_t(entries - 2), kMaxProjectPages) : kMaxProjectPages;
}

LeftOutPart ZeroTail(const std::string& path, std::uint64_t bytes, bool seen)
{
    LeftOutPart p;
    p.What = LeftOutPart::Kind::ZeroTail;
    p.Path = path;
    p.Bytes = bytes;
    p.AllRead = seen;
    return p;
}

ProjectError ReadChunkRow(ByteSpan f, std::size_t pos, std::size_t maxChunks, ProjectError tooMany,
                          std::vector<ProjectChunk>& out, std::size_t& tail)
{
    tail = f.size();
    std::uint32_t next = 0;
    while (pos < f.size()) {
        ProjectChunk c;
        bool continues = f.size() - pos >= kChunkHeadSize;
        if (continues) {
            c.Start = U32(f, pos);
            c.End = U32(f, pos + 4);
            continues = c.Start == next && c.End >= c.Start && c.End - c.Start <= f.size() - pos - kChunkHeadSize;
        }
        if (!continues || out.size() == maxChunks) {
            if (ZerosFrom(f, pos) == pos) {
                tail = pos;
                return ProjectError::None;
            }
            return continues ? tooMany : ProjectError::Damaged;
        }
        pos += kChunkHeadSize;
        c.Bytes = f.subspan(pos, c.End - c.Start);
        pos += c.End - c.Start;
        next = c.End;
        out.push_back(c);
    }
    return ProjectError::None;
}

ProjectError CheckChunksFit(const ParsedProjectFile& f, std::size_t imageSize)
{
    if (f.Keypad)
        return ProjectError::None;
    if (imageSize == 0)
        return ProjectError::NoModel;
    for (const ProjectChunk& c : f.Chunks)
        if (c.End > imageSize)
            return ProjectError::OutOfImage;
    return ProjectError::None;
}

std::uint32_t ReadVersion(std::uint32_t stored, std::uint32_t dataVersion)
{
    if (stored <= 100)
        return 90;
    return std::min(stored, dataVersion);
}

void ApplyProjectHeader(ProjectState& s, const ProjectFileHeader& h)
{
    s.PrjVersion = ReadVersion(h.Version, s.DataVersion);
    s.HmiUnitAddr = h.HmiUnitAddr;
    s.DefStation = h.DefStation;
    for (std::size_t r = 0; r < 2; ++r) {
        DevRefHead& ref = s.SysDevRefs[r].Ref;
        const DevRefHead& in = h.SysDevRefs[r];
        ref.DevAddrCode = in.DevAddrCode;
        ref.Present = in.Present;
        ref.Station = in.Station;
        ref.Detail = in.Detail;
        ref.BitIndex = in.BitIndex;
        ref.LinkIndex = in.LinkIndex;
        s.SysDevRefValue[r] = h.SysDevRefValue[r];
    }
    s.UseDefaultPort = h.UseDefaultPort;
    s.UseDefaultStation = h.UseDefaultStation;
    s.UserPasswords = h.Passwords;
    s.ComSetByte = h.ComSetByte;
    s.LinkIndex = h.LinkIndex;
    s.PortSlaveMode = h.PortSlaveMode;
    s.PrjPixelsPerInch = h.PixelsPerInch;
}

void ApplyProjectBody(ProjectDoc& doc, const ParsedProjectFile& f, const HeaderDecoders& dec)
{
    doc.OffsetList.clear();
    doc.PgDataList.clear();
    if (f.Keypad) {
        doc.KeySetRec = f.KeySet;
        return;
    }
    const auto place = [&](const ProjectChunk& c) {
        std::copy(c.Bytes.begin(), c.Bytes.end(), doc.MemImage.begin() + c.Start);
    };
    const ProjectChunk& head = f.Chunks.front();
    place(head);
    doc.ImageHeaderLen = static_cast<std::int32_t>(head.End);
    ReadHeaderSections(doc, doc.MemImage, head.Start, head.End, dec);
    for (std::size_t k = 1; k < f.Chunks.size(); ++k) {
        const ProjectChunk& c = f.Chunks[k];
        place(c);
        doc.OffsetList.push_back(std::to_string(c.Start));
        auto page = std::make_unique<PgDataStr>();
        page->Data.assign(c.Bytes.begin(), c.Bytes.end());
        doc.PgDataList.push_back(std::move(page));
    }
    const std::uint32_t last = f.Chunks.back().End;
    doc.OffsetList.push_back(std::to_string(last));
    doc.MemImageLen = static_cast<std::int32_t>(last);
}

// Title file: "[Title]", then one line per page (CR LF ends, LF read alike).
int ApplyTitleFile(std::string_view text, PgDataVector& pages)
{
    // Only the lines the pages take are looked at, however many the file holds.
    std::size_t pos = 0;
    const auto nextLine = [&](std::string& line) {
        if (pos >= text.size())
            return false;
        const std::size_t nl = std::min(text.find('\n', pos), text.size());
        std::size_t end = nl;
        if (end > pos && text[end - 1] == '\r')
            --end;
        line.assign(text.substr(pos, end - pos));
        if (const auto nul = line.find('\0'); nul != std::string::npos)
            line.resize(nul);
        pos = nl + 1;
        return true;
    };
    std::string line;
    if (!nextLine(line) || line != "[Title]")
        return 0;
    int cut = 0;
    for (auto& page : pages) {
        if (!nextLine(line))
            line.clear();
        if (line.size() > kMaxPageTitleBytes) {
            line.resize(kMaxPageTitleBytes);
            ++cut;
        }
        page->Title = line;
    }
    return cut;
}

std::size_t TitleFileLimit(std::size_t pageCount)
{
    return std::min(9 + pageCount * (kMaxPageTitleBytes + 2), kMaxTitleFileBytes);
}

// Start-up screen file: a 0x200-byte head, then chunks {u32 0, u32 length, the records}; the
// writer writes one.
ProjectError ParseStartScreenFile(ByteSpan f, Bytes& data, std::size_t& tail)
{
    tail = f.size();
    if (f.size() < kStaHeaderSize)
        return ProjectError::TooShort;
    // Zeros from here to the end of the file.
    const std::size_t zerosFrom = ZerosFrom(f, kStaHeaderSize);
    ByteSpan screen;
    bool any = false;
    for (std::size_t pos = kStaHeaderSize; pos < f.size();) {
        const ByteSpan rest = f.subspan(pos);
        if (any && pos >= zerosFrom) {
            tail = pos;
            break;
        }
        if (rest.size() < kChunkHeadSize)
            return ProjectError::Damaged;
        const std::uint32_t start = U32(f, pos), end = U32(f, pos + 4);
        if (start != 0 || end > rest.size() - kChunkHeadSize)
            return ProjectError::Damaged;
        screen = rest.subspan(kChunkHeadSize, end);
        any = true;
        pos += kChunkHeadSize + end;
    }
    // The last chunk is the screen.
    data.assign(screen.begin(), screen.end());
    return ProjectError::None;
}

} // namespace kes
