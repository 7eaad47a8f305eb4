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

// What the project file carries beside the project state.
struct ProjectFileExtras {
    bool EnableUpDown = false;    // the up/down key redefinition switch (MmEnableUD)
    std::uint8_t PortNumber = 1;  // serial port number of the panel link
    std::uint32_t Baud = 0;       // its baud rate (not read back)
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
    bool Keypad = false;       // machine ids 95 and 99: a key setting instead of chunks
    KeySetData KeySet;
    std::vector<ProjectChunk> Chunks; // the header chunk first, then one per page
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
// Chunks {u32 start, u32 end, end - start bytes} from pos to the end of the file; Damaged
// when a chunk's head or bytes are cut off or its end lies below its start.
ProjectError ReadChunks(ByteSpan file, std::size_t pos, std::vector<ProjectChunk>& out);
// Checks: the file holds its header; the key setting is whole; every chunk's head and
// bytes lie inside the file, its end is not below its start, the first chunk starts at 0.
ProjectError ParseProjectFile(ByteSpan file, ParsedProjectFile& out);
// Every chunk inside an image of imageSize bytes, pages not inside the header chunk.
ProjectError CheckChunksFit(const ParsedProjectFile& f, std::size_t imageSize);
// The panel model index as stored: its low four bits.
inline std::int16_t StoredModelIndex(const ProjectFileHeader& h) { return static_cast<std::int16_t>(h.PanelModelIndex & 0x0F); }
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
// rest stay empty. A NUL ends a line.
void ApplyTitleFile(std::string_view text, PgDataVector& pages);
// The start-up screen's record stream; Damaged when the chunk is cut off or does not
// start at 0.
ProjectError ParseStartScreenFile(ByteSpan file, Bytes& data);

} // namespace kes
