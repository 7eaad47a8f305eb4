#pragma once
// The main window's project state: panel model and controller choice, memory map, ports,
// the system setting records and the flags of the open project. The main window owns one;
// model code takes it by reference so that it runs without windows.
#include "app/model/devrecord.h"
#include "app/model/editing.h"
#include "decoder/pgsetrec.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// ---- Setting records held by the project (their in-memory form is shared with the
// decoder library).

struct PassWordRec {
    std::string Password;   // six digits
    std::uint8_t Level = 0; // 0..4
};
constexpr int kPasswordSlots = 10;

namespace kes {

// The largest panel memory map ends at 1 MiB; an address past 16 MiB is damage, not a panel.
// Model data and project files alike are read within it.
constexpr std::int32_t kMaxPanelAddress = 16 << 20;

class ProjectState {
public:
    ProjectState();

    // ---- Panel model and controller
    std::string AppDir; // program folder ending with '/'; model files in AppDir + "HMI/"
    // The per-user folders ('/'-ended) used when the program folder can not be written; empty
    // while it can, and AppDir takes their place.
    std::string ConfigDir; // Lxe.ini, Loc.ini
    std::string DataDir;   // working copies, new projects, simulator files
    const std::string& SettingsDir() const { return ConfigDir.empty() ? AppDir : ConfigDir; }
    const std::string& WriteDir() const { return DataDir.empty() ? AppDir : DataDir; }
    std::int16_t MachineId = 87;      // controller type of the project
    std::int16_t PanelModelIndex = 0; // index into the model list
    std::int32_t DefaultZoom = 4;     // zoom of newly opened page windows (model "Default_PageSize")
    std::int32_t GridWidth = 1;       // screen pixels per panel pixel, horizontally
    std::int32_t GridHeight = 1;      // and vertically
    bool HasRtc = true;               // the panel has a real-time clock

    // Memory map of the panel image, from the model data (start/end pairs).
    std::int32_t ObjDataAddr = 0;
    std::int32_t ObjDataAddrEnd = 0;
    std::int32_t CommCodeAddr = 0;
    std::int32_t CommCodeAddrEnd = 0;
    std::int32_t ObjPageAddr = 0;
    std::int32_t ObjPageEnd = 0;
    std::int32_t StartCanvas = 0;
    std::int32_t EndCanvas = 0;
    std::int32_t MainMenuAddr = 0;
    std::int32_t MainMenuEnd = 0;
    std::int32_t ParaAddr = 0;
    std::int32_t ParaEnd = 0;

    std::uint8_t DefStation = 1;  // copied into every new device reference
    std::uint8_t HmiUnitAddr = 1; // the panel's own unit address
    std::uint8_t LinkIndex = 0;   // selected controller link: 0 COM1, 1 COM2
    // Packed port settings, [0] COM1, [1] COM2: bits 4-7 baud code (0 9600, 1 19200,
    // 2 38400, 3 57600, 4 115200, 5 4800), bit 3 eight data bits, bits 1-2 parity
    // (0 none, 1 odd, 2 even), bit 0 two stop bits.
    std::array<std::uint8_t, 2> ComSetByte{4, 4};
    std::uint8_t PortInternalCode = 0;               // device table trailer: which ports talk to panel memory
    std::array<std::uint8_t, 2> PortSlaveMode{0, 0}; // per link: new addresses go to panel memory
    // The panel protocol form's two switches (UseDefPort and UseDefStation there): OK rewrites
    // every device reference's link, and its station, to the defaults.
    std::uint8_t UseDefaultPort = 1;
    std::uint8_t UseDefaultStation = 1;
    // The panel's own memory: [kInternalBit] "@B", [kInternalWord] "@V".
    std::array<DevRecord, 2> InternalDevRecords;
    std::uint8_t DriverMode = 0; // index of the new-project form's driver list

    // ---- Open project
    std::string PrjName;       // bare name, no folder, no extension
    std::string CaptionPrefix; // message 32 + " - "
    // 0 a shared settings dialog (function keys, page changes, buzzer, alarm lamp) edits the
    // current page's records, 1 the system's; the dialogs know it as SysSetScope.
    std::uint8_t EditScope = 0;
    std::uint32_t DataVersion = 120;   // the project data version this program writes
    std::uint32_t PrjVersion = 120;    // data version of the open project
    std::int32_t PrjPixelsPerInch = 0; // 0 when the project holds none
    std::uint8_t Modified = 0;
    std::uint8_t Compiled = 0;
    std::uint8_t Opened = 0;
    std::uint8_t AutoSave = 0;
    std::int32_t SaveTimeInterval = -1;   // minutes; -1: a working copy only before compiling
    std::vector<std::string> RecentFiles; // at most 5, newest first
    std::uint8_t MsgWinFloat = 0;

    // ---- Language
    std::int32_t LangIndex = 2;        // 0 Traditional Chinese, 1 Simplified Chinese, 2 English
    std::vector<std::string> MsgTable; // message n at index n

    // ---- System setting records
    std::array<PassWordRec, kPasswordSlots> UserPasswords;
    std::array<PgFunKeyRec, kFunKeyCount> SysFunKeys;
    std::array<std::uint8_t, kFunKeyCount> SysFunKeyUsed{};
    std::vector<PgJmpRec> SysPgJumps; // at most kMaxPgJumps
    PLCValSetRec SysClockWrite;
    PgSysRec SysBuzzer;
    PgSysRec SysAlarmLamp;
    MacPowerOnRec PowerOnMacro;
    ParaDataSetRec ParaDataSet;
    KeySetData KeySetRec;
    std::array<PLCValSetRec, 2> SysDevRefs;
    std::array<std::int32_t, 2> SysDevRefValue{0, 0};

    // ---- Panel link
    std::uint32_t PanelFwVer = 0; // below 100 the system block is 88 bytes, else 130
    std::int32_t ReplyTimeoutTicks = 36;

    // ---- Switches the menus show as check marks (TKhm::ShowStateChecks). Commands change
    // these and the marks follow; nothing reads a mark. The view's switches are the main
    // window's (kes::ViewState).
    bool EnableUpDown = false;  // MmEnableUD: Up and Down are function keys (kept in the project file)
    bool ReplyTimeOutOn = true; // MmTimeOut: every request re-arms the reply time-out

    // ---- Pages and the panel memory image: added with the project document
    // (page data list, image-page list, start-up screen data, MemImage, OffsetList,
    // image header length).

    // ---- Operations on the state alone
    // A new device reference: default station and link, the link's panel-memory flag.
    void InitDevRef(DevRefHead& ref) const;
    // False for the controller types without bit devices (4, 6, 41..44).
    bool BitObjAllowed() const;
    // A password level an object may require: 0, or one a password slot has.
    bool UserLevelDefined(int level) const;
    // Keypad and text panel types: their projects have no pages.
    bool IsKeypadType() const { return IsKeypadMachine(MachineId); }
    static bool IsKeypadMachine(int machineId) { return machineId == 95 || machineId == 99; }
    // Both system device references to "none"; link flags and values keep theirs.
    void ResetSysDevRefs();
    // No power-on macro: default station and link, device-name form, everything else 0.
    void ResetPowerOnMacro();
    void ResetParaDataSet();
    // A parameter data set is defined (its register has an address); MmParaset shows it.
    bool ParaDataSetDefined() const { return ParaDataSet.Ref.DevAddrCode != -1; }
    // A new system page-change condition with the new-reference defaults, appended; null
    // (nothing added) when the list is full.
    PgJmpRec* AddSysPgJump();
    // Object data area size; 0 when the map is empty or inverted.
    std::int32_t ObjDataSize() const;
    // The main window's caption showing a project file (or a screen): CaptionPrefix and it;
    // the product name alone when there is none.
    std::string WindowCaption(const std::string& shown) const;
};

} // namespace kes
