#pragma once
// The link's view of the project state: the memory map, and the system block built from and
// read back into the project (TKhm::BuildSystemBlock and TKhm::ParseSystemBlock).
#include "app/comm/systemblock.h"
#include "app/comm/transferhost.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/imageheader.h"
#include "app/project/projectdoc.h"

#include <optional>
#include <span>
#include <string>

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

// Reads an upload as opening a project file would, in a document and model data of its own,
// so that the open project stays untouched until the upload is known good: the panel model and
// the controller must be ones the lists hold, the page table must describe the image, the image
// header must read up to the first page (the key setting for the keypad types) and every page
// must read to its end.
class UploadChecker {
public:
    // appDir: the program folder (model data in HMI/, the decoder library beside it unless
    // libraryPath names one).
    explicit UploadChecker(const std::string& appDir, const std::string& libraryPath = {});
    UploadChecker(const UploadChecker&) = delete;
    UploadChecker& operator=(const UploadChecker&) = delete;

    // The memory map of the identified panel model; nullopt when the model list lacks it.
    std::optional<LinkMemoryMap> MemoryMapOf(std::uint8_t modelIndex, std::uint8_t variant);
    // What is wrong with the upload; no problem when it reads as a project.
    UploadProblem Check(const UploadResult& r);

private:
    bool SelectModel(std::uint8_t modelIndex, std::uint8_t variant);

    ProjectDoc doc_;
    LxTypeCore type_;
    std::string libraryPath_;
    int modelLoaded_ = -1; // model index and variant whose data is loaded
    int variantLoaded_ = -1;
    int machineLoaded_ = -1; // controller whose device table is loaded
};

} // namespace kes
