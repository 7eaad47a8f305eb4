#pragma once
// What the transfer engine needs of the program around it: the project's memory map and image,
// the system block fields, somewhere to put what an upload reads, and the progress and status
// displays. The main window implements it; tests implement it with plain data.
#include "app/comm/linkerror.h"
#include "app/comm/systemblock.h"
#include "decoder/decodeerror.h"
#include "platform/bytes.h"
#include "platform/fileio.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kes {

// The model's memory map; each area's start is inclusive and its end exclusive.
struct LinkMemoryMap {
    std::uint32_t ObjDataAddr = 0, ObjDataAddrEnd = 0;   // the compiled image
    std::uint32_t CommCodeAddr = 0, CommCodeAddrEnd = 0; // firmware
    std::uint32_t ObjPageAddr = 0, ObjPageEnd = 0;       // page table
    std::uint32_t StartCanvas = 0, EndCanvas = 0;        // start-up screen
    std::uint32_t MainMenuAddr = 0, MainMenuEnd = 0;     // user-menu pages
    std::uint32_t ParaAddr = 0, ParaEnd = 0;             // system block
};

enum class TransferKind : int {
    None = 0,
    Download = '0',
    Upload = '1',
    UserMenu = 0xA0,
    StartScreen = 0xA1,
};

// The identify reply, decoded bytes (index 0 = function byte):
//   3      low nibble panel model index, high nibble memory-map variant
//   4..5   u16 firmware version
//   6..7   u16 controller number
//   8, 9   COM1, COM2 ComSetByte
//  10..13  u32 firmware length on the panel
//  14..17  u32 firmware stamp on the panel
//  18..19  u16 kept
struct PanelIdentity {
    std::uint8_t modelIndex = 0;
    std::uint8_t memMapVariant = 0;
    std::uint16_t firmwareVersion = 0;
    std::uint16_t machineId = 0;
    std::uint8_t com1 = 0, com2 = 0;
    std::uint32_t firmwareLength = 0;
    std::uint32_t firmwareStamp = 0;
    std::uint16_t kept = 0;
};

// Controller numbers as an upload takes them into the project: 1..3 -> 3; 4, 5, 7..10 -> 4.
std::int16_t MapUploadedMachineId(std::int16_t id);

// The compiled image as a download sends it.
struct DownloadImage {
    Bytes image;                        // header sections and pages (the used length)
    std::vector<std::uint32_t> offsets; // every page's start, then the image end
};

// What an upload read from the panel.
struct UploadResult {
    PanelIdentity identity;
    SystemBlockFields systemBlock;
    std::vector<std::uint32_t> offsets; // entries 1..n: page starts, then the image end
    Bytes image;
};

// What the host found wrong with an upload before taking it (LinkError::BadProject): what the
// panel holds is read with the readers that open a project file, and a project that would not
// open again is refused.
struct UploadProblem {
    enum class Kind {
        None,
        UnknownModel,      // the panel model index is none the model list holds
        UnknownController, // the controller number is none the controller list holds
        BadLayout,         // the page table does not describe the image
        BadHeader,         // the image header does not read up to the first page
        BadPage,           // a page's records do not read to the page's end
    };
    Kind kind = Kind::None;
    int number = 0;                       // the model index or controller number named; the page
    std::size_t position = 0;             // BadHeader, BadPage: the byte where reading stopped
    DecodeError read = DecodeError::None; // BadHeader, BadPage: why the reader stopped, when it says
    explicit operator bool() const { return kind != Kind::None; }
};

// How a transfer ended. Exactly one per started transfer.
struct TransferOutcome {
    LinkError error = LinkError::None;
    FileError file;       // FirmwareMissing: the firmware file and what its read met
    std::string port;     // the port a NoReply went out on
    UploadProblem upload; // what a BadProject found
    bool Ok() const { return error == LinkError::None; }
};

class TransferHost {
public:
    virtual ~TransferHost() = default;

    virtual LinkMemoryMap MemoryMap() const = 0;
    virtual std::uint8_t PanelModelIndex() const = 0;
    virtual std::int16_t MachineId() const = 0;

    // The identify reply was accepted: take the model index and memory-map variant and reload the
    // model data. An upload changes nothing of the open project yet: the host keeps the reply
    // and gives the panel model's memory map; a panel model it does not know ends the upload.
    // The engine reads MemoryMap() again afterwards.
    virtual UploadProblem TakeIdentify(const PanelIdentity& id, TransferKind kind) = 0;

    // Download: rebuild the page part after the image header and hand over the image and offsets.
    virtual DownloadImage PrepareDownloadImage() = 0;
    // Download: the project's system block fields (firmware length and stamp are the engine's).
    virtual SystemBlockFields SystemBlock() const = 0;
    // Start-up screen or user-menu transfer: the one-bit pictures to write.
    virtual Bytes ScreenImage(TransferKind kind) = 0;

    // Upload: the system block was read.
    virtual void TakeSystemBlock(const SystemBlockFields& f, std::uint32_t panelFwVer) = 0;
    // Upload: everything arrived and the panel acknowledged the end. The host reads it as a
    // project before it takes it; a problem ends the upload as a failure.
    virtual UploadProblem TakeUpload(UploadResult result) = 0;

    // Progress window and status bar. Ratio text is empty outside the data areas.
    virtual void ShowProgress(int position, int maximum, const std::string& ratio) = 0;
    virtual void ShowStatus(int panel, const std::string& text) = 0;
    // Upload: the number of pages the panel holds, for panel 0 of the status bar.
    virtual void ShowPageCount(std::size_t count) = 0;

    // The transfer is over: the engine is idle and the port closed. Close the progress window,
    // show the message and refresh the main window's tools.
    virtual void TransferEnded(const TransferOutcome& outcome) = 0;
};

} // namespace kes
