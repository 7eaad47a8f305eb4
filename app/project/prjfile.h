#pragma once
// The project files: the project file (a 512-byte header, then the image cut into chunks),
// the page title file and the start-up screen file. Integers of these files are
// little-endian; the panel data inside the chunks keep their own big-endian layout.
//
// Readers parse a whole file into plain values first and check every offset and length
// against the file, so a damaged file changes nothing; applying the values is a second step.
#include "app/project/imageheader.h"
#include "app/project/projectdoc.h"
#include "platform/bytes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kes {

constexpr std::size_t kPrjHeaderSize = 0x200;
constexpr std::size_t kKeySetBodySize = 20;
constexpr std::size_t kChunkHeadSize = 8;

// Bounds past anything real data reaches, so that a damaged file costs little to refuse.
// The panel counts its pages, plus one, in a u16 of its system block.
constexpr std::size_t kMaxProjectPages = 65534;
// Chunks lie in the panel's memory, so their bytes together are at most kMaxPanelAddress.
constexpr std::size_t kMaxProjectFileBytes =
    kPrjHeaderSize + kChunkHeadSize * (kMaxProjectPages + 1) + std::size_t(kMaxPanelAddress);
// The start-up screen file: its head, one chunk head and a record stream of that memory.
constexpr std::size_t kMaxStartScreenFileBytes = 0x200 + kChunkHeadSize + std::size_t(kMaxPanelAddress);
// The page title fields take 32767 characters (a line edit's length), each at most two bytes
// in the project code pages.
constexpr std::size_t kMaxPageTitleBytes = 2 * 32767;
// Titles are a few dozen bytes: no title file of a real project comes near 16 MiB.
constexpr std::size_t kMaxTitleFileBytes = 16u << 20;

// What the project file carries beside the project state.
struct ProjectFileExtras {
    bool EnableUpDown = false;   // the up/down key redefinition switch (MmEnableUD)
    std::uint8_t PortNumber = 1; // serial port number of the panel link
    std::uint32_t Baud = 0;      // its baud rate (not read back)
    std::uint8_t PixelsPerInch = 96;
};

// The header fields as stored.
struct ProjectFileHeader {
    std::int16_t MachineId = 0;
    std::int16_t PanelModelIndex = 0; // only the low four bits are used
    std::uint32_t Version = 0;
    std::uint8_t HmiUnitAddr = 0;
    std::uint8_t PortNumber = 0;
    std::uint32_t Baud = 0;
    std::uint8_t EnableUpDown = 0;
    std::uint8_t DefStation = 0;
    std::array<DevRefHead, 2> SysDevRefs{};
    std::array<std::uint8_t, 2> SysDevRefValue{};
    std::uint8_t UseDefaultPort = 0;
    std::uint8_t UseDefaultStation = 0;
    std::array<PassWordRec, kPasswordSlots> Passwords{};
    std::array<std::uint8_t, 2> ComSetByte{};
    std::uint8_t LinkIndex = 0;
    std::array<std::uint8_t, 2> PortSlaveMode{};
    std::uint8_t PixelsPerInch = 0;
};

// One chunk of the body: image bytes [Start, End).
struct ProjectChunk {
    std::uint32_t Start = 0;
    std::uint32_t End = 0;
    ByteSpan Bytes;
};

struct ParsedProjectFile {
    ProjectFileHeader Head;
    bool Keypad = false; // machine ids 95 and 99: a key setting instead of chunks
    KeySetData KeySet;
    std::vector<ProjectChunk> Chunks; // the header chunk first, then one per page
    // Where a run of zero bytes after the last page starts (damage that grew the file);
    // the file's size when there is none.
    std::size_t TailAt = 0;
};

// ---- Writing
// The 512-byte header of the project state.
Bytes EncodeProjectHeader(const ProjectState& s, const ProjectFileExtras& x);
// The whole project file from the last image build; Inconsistent when the image does not
// describe every stored page (nothing is encoded then).
ProjectError EncodeProjectFile(const ProjectDoc& doc, const ProjectFileExtras& x, Bytes& out);
// "[Title]", then one line per page, each ending with CR LF.
std::string EncodeTitleFile(const ProjectDoc& doc);
// 512 zero bytes, then the chunk {0, length, data}.
Bytes EncodeStartScreenFile(const PgDataStr& data);

// ---- Reading
// What a read left out of the file at path that zero bytes grew: the bytes past its data;
// seen: every byte left out was read (else only those up to the largest file of its kind).
LeftOutPart ZeroTail(const std::string& path, std::uint64_t bytes, bool seen);
// A row of chunks {u32 start, u32 end, end - start bytes} from pos, each starting where the
// one before ended, the first at 0, at most maxChunks of them. Where the row breaks (a chunk
// that does not continue it, a head or bytes cut off, one chunk too many) and every byte from
// there on is zero, the row ends and tail is set there (else tail is the file's size); any
// other break is Damaged, or tooMany past maxChunks.
ProjectError ReadChunkRow(ByteSpan file, std::size_t pos, std::size_t maxChunks, ProjectError tooMany,
                          std::vector<ProjectChunk>& out, std::size_t& tail);
// Checks: the file holds its header; the key setting is whole; the header chunk and the
// pages form a row (ReadChunkRow) of at most kMaxProjectPages pages.
ProjectError ParseProjectFile(ByteSpan file, ParsedProjectFile& out);
// The pages at the end of the file that are empty chunks at 0: zero bytes, which a file grown
// by zeros after an empty header or page holds as well.
std::size_t TrailingZeroPages(const ParsedProjectFile& f);
// The pages the panel model's page table holds (kMaxProjectPages when the model gives none).
std::size_t ModelPageLimit(const ProjectState& s);
// Every chunk inside an image of imageSize bytes, pages not inside the header chunk.
ProjectError CheckChunksFit(const ParsedProjectFile& f, std::size_t imageSize);
// The panel model index as stored: its low four bits.
inline std::int16_t StoredModelIndex(const ProjectFileHeader& h)
{
    return static_cast<std::int16_t>(h.PanelModelIndex & 0x0F);
}
// The stored version as the program takes it: 100 and below read as 90, above the
// program's own as its own.
std::uint32_t ReadVersion(std::uint32_t stored, std::uint32_t dataVersion);
// The header's fields from the data version on into the state; the controller and panel
// model (whose data the caller loads first) are the caller's.
void ApplyProjectHeader(ProjectState& s, const ProjectFileHeader& h);
// Chunks into the image (reset to the model's size by the caller), the page list and the
// offset list, and the header sections into the system records. The chunks must fit.
void ApplyProjectBody(ProjectDoc& doc, const ParsedProjectFile& f, const HeaderDecoders& dec);
// Titles from a title file: only when its first line is "[Title]"; one line per page, the
// rest stay empty. A NUL ends a line. A line longer than kMaxPageTitleBytes is cut there;
// the number of titles cut is returned.
int ApplyTitleFile(std::string_view text, PgDataVector& pages);
// The bytes of a title file worth reading for pageCount pages: every line at its longest, and
// never past kMaxTitleFileBytes.
std::size_t TitleFileLimit(std::size_t pageCount);
// The start-up screen's record stream: the last chunk, each starting at 0; Damaged when a
// chunk is cut off or does not start at 0. Zero bytes after the first chunk are a tail left
// out (tail set there, else to the file's size).
ProjectError ParseStartScreenFile(ByteSpan file, Bytes& data, std::size_t& tail);

} // namespace kes
