#pragma once
// The windowless core of the new-project form TLxType: the panel model list, the
// controller brand and model lists, the device table of one controller and the
// device-address codec over it. The form derives from it; everything here runs headless.
//
// It reads and fills the main window's project state (model data, memory map, port
// defaults, the internal "@B"/"@V" records) through the reference it is given.
#include "app/model/devicetablefile.h"
#include "app/model/devrecord.h"
#include "app/model/modelwarning.h"
#include "objects/addrmode.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kes {

class ProjectState;

class LxTypeCore {
public:
    // Reads nothing; the form's constructor calls LoadMachineList and LoadModelList.
    explicit LxTypeCore(ProjectState& state);
    virtual ~LxTypeCore();
    LxTypeCore(const LxTypeCore&) = delete;
    LxTypeCore& operator=(const LxTypeCore&) = delete;

    ProjectState& State() const { return state_; }
    // The folder of the model data files: AppDir + "HMI/".
    std::string ModelDir() const;

    // ---- Panel models and controller lists
    // Each loader returns what it found wrong; an empty list means the file was sound.
    ModelWarnings LoadMachineList();
    ModelWarnings LoadModelList();
    // The model at the project's PanelModelIndex (a negative index keeps ModelSection).
    // Values that would break the editor (a 0 x 0 panel, a grid or zoom of 0) are
    // replaced by safe ones and reported.
    ModelWarnings LoadModelData();

    // Flat index of model j of brand b: the models of the brands before b, plus j.
    int BrandFirstIndex(int brand) const;
    std::vector<std::string> ModelsOfBrand(int brand) const;
    // Machine id of model j of brand b; -1 when either index is out of the lists.
    int MachineIdOf(int brand, int model) const;
    // First flat index whose machine id is id (compared as a byte), or -1.
    int MachineIndexOf(int id) const;
    // Brand and model position of a flat index; false when out of the lists.
    bool BrandAndModelOf(int flatIndex, int& brand, int& model) const;
    // "<brand> <model>" of the first model with that id; empty when no model has it.
    std::string MachineCaptionOf(int id) const;

    // ---- Device table
    ModelWarnings LoadDeviceTable(int machineId);
    // For the project's controller: ids 1 to 3 become 3 in the project, then its table.
    ModelWarnings SelectMachine();
    void FreeDeviceTable();
    // Panel-memory flags of the two ports: 1 both, 2 COM1 only, 3 COM2 only, else none.
    void SetPortInternalFlags(std::uint8_t code);

    // Index of the device whose name begins the text (the last of several), 0 when none.
    int DeviceIndexOfText(const std::string& text) const;
    // The same, counted only over devices whose Kind is kind (a mode's code) or DevKind::Either.
    int DeviceListIndexOfText(const std::string& text, int kind) const;

    // ---- Device-address codec. Failure shows only in the result: "", -1, 0 or false.
    // mode: a kes::AddrMode code. access: value length 0 (16 bits), 1 (32 bits), 2/3 any.
    std::string FormatDeviceAddress(std::uint32_t code, std::uint8_t mode, std::uint8_t access, std::uint8_t bitIndex,
                                    bool deviceForm, bool internalMem) const;
    std::int32_t ParseDeviceAddress(const std::string& text, std::uint8_t mode, std::uint8_t bitIndex, bool deviceForm,
                                    bool internalMem) const;
    std::uint8_t ParseDeviceBitIndex(const std::string& text, bool deviceForm, bool internalMem) const;
    // modeFlags: a mode as kes::ModeFlags gives it. Sets LastAccess on success.
    bool ValidateDeviceAddress(const std::string& text, std::uint8_t modeFlags, std::uint8_t access, bool deviceForm,
                               bool internalMem);
    // The address that follows code (multiple copy); bitIndex is stepped in place.
    std::uint32_t NextDeviceAddress(std::uint32_t code, std::uint8_t mode, std::uint8_t access, std::uint8_t& bitIndex,
                                    bool deviceForm, bool internalMem) const;

    // ---- Fields (read by the form, the picker and the address map)
    std::uint8_t LastAccess = 0;

    std::vector<std::string> ModelNames;   // position = panel model index
    std::vector<std::string> MachineNames; // controller models of all brands, brand after brand
    std::vector<std::string> BrandNames;
    std::vector<std::uint8_t> BrandModelCounts;
    std::string ModelSection; // name of the chosen panel model

    std::vector<DevRecord> DeviceTable; // file order is the codec's search order
    std::uint8_t TrailerByte = 0;
    std::int32_t DefWordCode = -1; // word address of a new object
    std::int32_t DefBitCode = -1;  // bit address of a new object
    std::string DefWordText;
    std::string DefBitText;

    std::vector<std::uint8_t> MachineIds; // machine id of each MachineNames entry
    std::int32_t PanelWidth = 128;        // panel pixels
    std::int32_t PanelHeight = 64;
    std::int32_t MemMapVariant = 0; // 1 selects the model's "_1" memory map

    std::uint8_t AddrTextFmt = 0;     // low nibble digit count, high nibble zero-padded plain numbers
    bool LengthSelectsAccess = false; // the chosen value length gives the access class
    std::int32_t TableMachineId = 0;  // whose table is loaded

private:
    bool Extended() const { return TableMachineId == kExtendedMachineId; }
    std::string PlainNumberText(const std::string& text, std::uint8_t mode) const;
    const DevRecord* RecordForText(const std::string& upper, std::size_t* index = nullptr) const;

    // Machine id 96: station, device id, number and field bytes.
    std::string FormatExtended(std::uint32_t code, std::uint8_t mode, std::uint8_t bitIndex) const;
    std::int32_t ParseExtended(const std::string& text) const;
    std::uint8_t ParseExtendedBitIndex(const std::string& text) const;
    bool ValidateExtended(const std::string& text, std::uint8_t modeFlags, std::uint8_t access);
    std::uint32_t NextExtended(std::uint32_t code, std::uint8_t mode, std::uint8_t& bitIndex) const;
    const DevRecord* ExtendedRecordOfCode(std::uint32_t code) const;

    ProjectState& state_;
};

} // namespace kes
