#pragma once
// The link's view of the project state: the memory map, and the system block built from and
// read back into the project (TKhm::BuildSystemBlock and TKhm::ParseSystemBlock).
#include "app/comm/systemblock.h"
#include "app/comm/transferhost.h"
#include "app/model/projectstate.h"
#include "app/project/imageheader.h"
#include "app/project/projectdoc.h"

#include <span>

namespace kes {

LinkMemoryMap MemoryMapOf(const ProjectState& s);

// What the block carries beyond the project state: the page count, the MmEnableUD check mark
// and the firmware length and stamp kept from the last identify (or of the file being sent).
struct SystemBlockExtras {
    std::size_t pageCount = 0;
    bool enableUpDown = false;
    std::uint32_t firmwareLength = 0;
    std::uint32_t firmwareStamp = 0;
};

SystemBlockFields SystemBlockFieldsOf(const ProjectState& s, const SystemBlockExtras& extras);

// TKhm::BuildSystemBlock: fills `block`, sized SystemBlockSize(s.PanelFwVer) and filled with
// 0xFF by the caller. The simulator file writer calls it too.
void BuildSystemBlock(const ProjectState& s, const SystemBlockExtras& extras, std::span<std::uint8_t> block);

// TKhm::ParseSystemBlock: takes an uploaded block into the project (data version, port bytes,
// controller number, passwords and, from firmware 100 on, the link fields and both system
// device references with their paired values). Returns the MmEnableUD check mark. Selecting
// the controller and reloading the model data is the caller's.
bool ApplySystemBlock(ProjectState& s, const SystemBlockFields& f);

// A download's image: the page part rebuilt after the image header (AppendPagesToImage), then
// the used bytes and the offsets. Empty offsets, which the engine refuses with message 26,
// when a page does not fit the image or the offset list is not a list of numbers.
DownloadImage DownloadImageOf(ProjectDoc& doc);

// The end of an upload: the image the panel held becomes the project's, for page editing. The
// header sections are read back (the key setting for the keypad types), every pair of
// neighbouring offsets becomes a page record, and the offset list, header length and used
// length follow the offsets. False, with nothing taken, when the offsets do not describe the
// image or the image does not fit the object data area.
bool TakeUploadedProject(ProjectDoc& doc, const UploadResult& r, const HeaderDecoders& dec);

} // namespace kes
