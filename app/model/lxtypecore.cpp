#include "app/model/lxtypecore.h"

#include "app/model/projectstate.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <algorithm>

namespace kes {

const char* ModelErrorName(ModelError code)
{
    switch (code) {
    case ModelError::FileMissing:
        return "FileMissing";
    case ModelError::BadValue:
        return "BadValue";
    case ModelError::MissingEntry:
        return "MissingEntry";
    case ModelError::Inconsistent:
        return "Inconsistent";
    case ModelError::TableDamaged:
        return "TableDamaged";
    case ModelError::Unreadable:
        return "Unreadable";
    }
    return "?";
}

LxTypeCore::LxTypeCore(ProjectState& state) : state_(state) {}

LxTypeCore::~LxTypeCore() = default;

std::string LxTypeCore::ModelDir() const { return state_.AppDir + "HMI/"; }

namespace {

constexpr int kMaxPanelModels = 16; // the project file keeps four bits of the index
// Monochrome panels of this kind are at most 320 x 240; the page window's picture is the
// panel at up to 16 times its size, so a side is bounded well below what memory allows.
constexpr int kMaxPanelSide = 480;
constexpr int kMaxGrid = 16;
// Machine ids are one byte: no list holds more models, nor more brands than models.
constexpr int kMaxMachines = 256;

// "[section] key=value", as the file has it.
std::string Entry(const std::string& section, const std::string& key, const std::string& value)
{
    return "[" + section + "] " + key + "=" + value;
}

// Reads an integer key and reports a value that is present but no number.
int ReadInt(const TIniFile& ini, const std::string& section, const std::string& key, int def, ModelWarnings& w,
            bool required)
{
    if (!ini.ValueExists(section, key)) {
        if (required)
            w.push_back({ModelError::MissingEntry, ini.FileName(), 0, "[" + section + "] " + key, {}});
        return def;
    }
    int v = def;
    if (!ParseIniInteger(ini.ReadString(section, key, ""), v)) {
        w.push_back(
            {ModelError::BadValue, ini.FileName(), 0, Entry(section, key, ini.ReadString(section, key, "")), {}});
        return def;
    }
    return v;
}

std::string ReadStr(const TIniFile& ini, const std::string& section, const std::string& key, const std::string& def,
                    ModelWarnings& w)
{
    if (!ini.ValueExists(section, key))
        w.push_back({ModelError::MissingEntry, ini.FileName(), 0, "[" + section + "] " + key, {}});
    return ini.ReadString(section, key, def);
}

// A model file that is missing, or there and not read (Loaded() false either way).
void NoteUnread(const TIniFile& ini, ModelWarnings& w)
{
    if (ini.Loaded())
        return;
    if (!ini.LoadError().Failed())
        w.push_back({ModelError::FileMissing, ini.FileName(), 0, {}, {}});
    else
        w.push_back({ModelError::Unreadable, ini.FileName(), 0, {}, ini.LoadError()});
}

// A value past 0..255: its low 8 bits are used.
std::uint8_t LowByte(int v, const TIniFile& ini, const std::string& section, const std::string& key, ModelWarnings& w)
{
    if (v < 0 || v > 255)
        w.push_back({ModelError::BadValue, ini.FileName(), 0, Entry(section, key, std::to_string(v)), {}});
    return static_cast<std::uint8_t>(v);
}

} // namespace

ModelWarnings LxTypeCore::LoadMachineList()
{
    ModelWarnings w;
    const std::string path = ModelDir() + "MachineList2.hmi";
    const TIniFile ini(path);
    if (!ini.Loaded()) {
        NoteUnread(ini, w);
        return w;
    }
    PanelWidth = 128;
    PanelHeight = 64;
    LengthSelectsAccess = false;
    MachineIds.clear();
    BrandModelCounts.clear();
    MachineNames.clear();
    BrandNames.clear();

    const std::string head = "FactoryType";
    const int totalMachine = ReadInt(ini, head, "TotalMachine", 0, w, true);
    int totalFactory = ReadInt(ini, head, "TotalFactory", 0, w, true);
    if (totalFactory < 0 || totalFactory > kMaxMachines) {
        w.push_back({ModelError::BadValue, path, 0, Entry(head, "TotalFactory", std::to_string(totalFactory)), {}});
        totalFactory = std::clamp(totalFactory, 0, kMaxMachines);
    }
    for (int i = 0; i < totalFactory; ++i)
        BrandNames.push_back(ReadStr(ini, head, "F" + std::to_string(i), "", w));
    for (const std::string& brand : BrandNames) {
        if (!ini.SectionExists(brand))
            w.push_back({ModelError::MissingEntry, path, 0, "[" + brand + "]", {}});
        const std::uint8_t count =
            LowByte(ReadInt(ini, brand, "TotalOption", 0, w, false), ini, brand, "TotalOption", w);
        // No more than kMaxMachines models in all.
        const int room = kMaxMachines - static_cast<int>(MachineIds.size());
        if (count > room)
            w.push_back({ModelError::BadValue, path, 0, Entry(brand, "TotalOption", std::to_string(count)), {}});
        const int taken = std::min<int>(count, room);
        BrandModelCounts.push_back(static_cast<std::uint8_t>(taken));
        for (int j = 0; j < taken; ++j) {
            const std::string n = std::to_string(j);
            const int id = ReadInt(ini, brand, "OptionID_" + n, 0, w, true);
            MachineIds.push_back(LowByte(id, ini, brand, "OptionID_" + n, w));
            MachineNames.push_back(ReadStr(ini, brand, "Option_" + n, "", w));
        }
    }
    // The lists hold one id per model read, whatever TotalMachine claims.
    if (totalMachine != static_cast<int>(MachineIds.size()))
        w.push_back({ModelError::Inconsistent, path, 0, Entry(head, "TotalMachine", std::to_string(totalMachine)), {}});
    return w;
}

ModelWarnings LxTypeCore::LoadModelList()
{
    ModelWarnings w;
    const std::string path = ModelDir() + "HMI.hmi";
    const TIniFile ini(path);
    NoteUnread(ini, w);
    int n = ReadInt(ini, "HMI_TYPE", "Count", 0, w, ini.Loaded());
    if (n < 0 || n > kMaxPanelModels) {
        w.push_back({ModelError::BadValue, path, 0, Entry("HMI_TYPE", "Count", std::to_string(n)), {}});
        n = std::clamp(n, 0, kMaxPanelModels);
    }
    ModelNames.clear();
    for (int i = 0; i < n; ++i)
        ModelNames.push_back(ReadStr(ini, "HMI_TYPE", "HMI" + std::to_string(i), "None", w));
    return w;
}

ModelWarnings LxTypeCore::LoadModelData()
{
    ModelWarnings w;
    const std::string path = ModelDir() + "HMI.hmi";
    const TIniFile ini(path);
    NoteUnread(ini, w);
    if (state_.PanelModelIndex >= 0)
        ModelSection = ReadStr(ini, "HMI_TYPE", "HMI" + std::to_string(state_.PanelModelIndex), "", w);
    const std::string& s = ModelSection;
    const bool present = ini.SectionExists(s);
    if (ini.Loaded() && !present)
        w.push_back({ModelError::MissingEntry, path, 0, "[" + s + "]", {}});

    PanelWidth = ReadInt(ini, s, "Width", 0, w, present);
    PanelHeight = ReadInt(ini, s, "Height", 0, w, present);
    state_.DefaultZoom = ReadInt(ini, s, "Default_PageSize", 0, w, present);
    state_.GridWidth = ReadInt(ini, s, "GridWidth", 0, w, present);
    state_.GridHeight = ReadInt(ini, s, "GridHeight", 0, w, present);
    state_.HasRtc = ini.ReadBool(s, "RTC", true);

    static const char* const keys[12] = {"ObjDataAddr",  "ObjDataAddrEnd", "CommCodeAddr", "CommCodeAddrEnd",
                                         "ObjPageAddr",  "ObjPageEnd",     "StartCanvas",  "EndCanvas",
                                         "MainMenuAddr", "MainMenuEnd",    "ParaAddr",     "ParaEnd"};
    std::int32_t* const fields[12] = {&state_.ObjDataAddr,     &state_.ObjDataAddrEnd, &state_.CommCodeAddr,
                                      &state_.CommCodeAddrEnd, &state_.ObjPageAddr,    &state_.ObjPageEnd,
                                      &state_.StartCanvas,     &state_.EndCanvas,      &state_.MainMenuAddr,
                                      &state_.MainMenuEnd,     &state_.ParaAddr,       &state_.ParaEnd};
    const bool second = MemMapVariant == 1 && ReadInt(ini, s, "MemType", 0, w, false) > 0;
    const auto key = [&](int i) { return std::string(keys[i]) + (second ? "_1" : ""); };
    // Only the object data area must be given; an absent area reads as 0 .. 0.
    for (int i = 0; i < 12; ++i)
        *fields[i] = ReadInt(ini, s, key(i), 0, w, present && i < 2);
    // An area's two keys as the file has them.
    const auto area = [&](int i) {
        return Entry(s, key(i), ini.ReadString(s, key(i), "")) + ", " + key(i + 1) + "=" +
               ini.ReadString(s, key(i + 1), "");
    };

    // Safe values: later code divides by the grid and zoom and sizes pictures by the panel.
    auto replace = [&](std::int32_t& v, int safe, const char* what) {
        w.push_back({ModelError::BadValue, path, 0, Entry(s, what, ini.ReadString(s, what, "")), {}});
        v = safe;
    };
    if (PanelWidth < 1 || PanelWidth > kMaxPanelSide)
        replace(PanelWidth, 128, "Width");
    if (PanelHeight < 1 || PanelHeight > kMaxPanelSide)
        replace(PanelHeight, 64, "Height");
    if (state_.GridWidth < 1 || state_.GridWidth > kMaxGrid)
        replace(state_.GridWidth, 1, "GridWidth");
    if (state_.GridHeight < 1 || state_.GridHeight > kMaxGrid)
        replace(state_.GridHeight, 1, "GridHeight");
    const int z = state_.DefaultZoom;
    if (z != 1 && z != 2 && z != 4 && z != 8 && z != 16)
        replace(state_.DefaultZoom, 4, "Default_PageSize");
    // An area that is none (or lies past any panel's memory) reads as empty, so that nothing
    // sizes a buffer by it.
    for (int i = 0; i < 12; i += 2)
        if (*fields[i] < 0 || *fields[i + 1] < *fields[i] || *fields[i + 1] > kMaxPanelAddress) {
            w.push_back({ModelError::BadValue, path, 0, area(i), {}});
            *fields[i] = *fields[i + 1] = 0;
        }
    // The object data area is empty.
    if (state_.ObjDataSize() == 0)
        w.push_back({ModelError::BadValue, path, 0, area(0), {}});
    return w;
}

int LxTypeCore::BrandFirstIndex(int brand) const
{
    int k = 0;
    for (int b = 0; b < brand && b < static_cast<int>(BrandModelCounts.size()); ++b)
        k += BrandModelCounts[static_cast<std::size_t>(b)];
    return k;
}

std::vector<std::string> LxTypeCore::ModelsOfBrand(int brand) const
{
    std::vector<std::string> r;
    if (brand < 0 || brand >= static_cast<int>(BrandModelCounts.size()))
        return r;
    const int first = BrandFirstIndex(brand);
    for (int j = 0; j < BrandModelCounts[static_cast<std::size_t>(brand)]; ++j)
        if (first + j < static_cast<int>(MachineNames.size()))
            r.push_back(MachineNames[static_cast<std::size_t>(first + j)]);
    return r;
}

int LxTypeCore::MachineIdOf(int brand, int model) const
{
    if (brand < 0 || brand >= static_cast<int>(BrandModelCounts.size()) || model < 0 ||
        model >= BrandModelCounts[static_cast<std::size_t>(brand)])
        return -1;
    const int k = BrandFirstIndex(brand) + model;
    return k < static_cast<int>(MachineIds.size()) ? MachineIds[static_cast<std::size_t>(k)] : -1;
}

int LxTypeCore::MachineIndexOf(int id) const
{
    for (std::size_t k = 0; k < MachineIds.size(); ++k)
        if (MachineIds[k] == static_cast<std::uint8_t>(id))
            return static_cast<int>(k);
    return -1;
}

bool LxTypeCore::BrandAndModelOf(int flatIndex, int& brand, int& model) const
{
    int first = 0;
    for (std::size_t b = 0; b < BrandModelCounts.size(); ++b) {
        if (flatIndex >= first && flatIndex < first + BrandModelCounts[b]) {
            brand = static_cast<int>(b);
            model = flatIndex - first;
            return true;
        }
        first += BrandModelCounts[b];
    }
    return false;
}

std::string LxTypeCore::MachineCaptionOf(int id) const
{
    int brand = 0, model = 0;
    const int k = MachineIndexOf(id);
    if (k < 0 || !BrandAndModelOf(k, brand, model) || k >= static_cast<int>(MachineNames.size()))
        return {};
    return BrandNames[static_cast<std::size_t>(brand)] + " " + MachineNames[static_cast<std::size_t>(k)];
}

void LxTypeCore::SetPortInternalFlags(std::uint8_t code)
{
    state_.PortSlaveMode[0] = (code == 1 || code == 2) ? 1 : 0;
    state_.PortSlaveMode[1] = (code == 1 || code == 3) ? 1 : 0;
}

void LxTypeCore::FreeDeviceTable() { DeviceTable.clear(); }

ModelWarnings LxTypeCore::LoadDeviceTable(int machineId)
{
    ModelWarnings w;
    FreeDeviceTable();
    state_.InternalDevRecords[kInternalBit] = MakeInternalDevRecord(kInternalBit);
    state_.InternalDevRecords[kInternalWord] = MakeInternalDevRecord(kInternalWord);

    const int id = DeviceTableFileId(machineId);
    const std::string path = ModelDir() + DeviceTableFileName(id);
    std::string text;
    FileError error;
    if (!ReadFileText(path, kMaxDeviceTableBytes, text, &error)) {
        if (!SomethingAt(path))
            w.push_back({ModelError::FileMissing, path, 0, {}, {}});
        else
            w.push_back({ModelError::Unreadable, path, 0, {}, error});
        return w;
    }
    DeviceTableFile t;
    if (!ParseDeviceTable(text, id, path, t, w))
        return w;

    TableMachineId = id;
    DeviceTable = std::move(t.Records);
    TrailerByte = t.TrailerByte;
    DefWordCode = t.DefWordCode;
    DefBitCode = t.DefBitCode;
    state_.DefStation = t.DefStation;
    LengthSelectsAccess = t.LengthSelectsAccess;
    state_.ComSetByte[0] = t.ComSet1;
    state_.ComSetByte[1] = t.ComSet2;
    state_.PortInternalCode = t.PortInternalCode;
    SetPortInternalFlags(state_.PortInternalCode);
    AddrTextFmt = t.AddrTextFmt;

    const std::uint8_t link = state_.LinkIndex;
    if (link < 2 && state_.PortSlaveMode[link]) {
        DefWordText = "@V0";
        DefBitText = "@B0";
    } else {
        DefBitText = FormatDeviceAddress(static_cast<std::uint32_t>(DefBitCode), 0, 0, 0, true, false);
        DefWordText = FormatDeviceAddress(static_cast<std::uint32_t>(DefWordCode), 1, 0, 0, true, false);
    }
    return w;
}

ModelWarnings LxTypeCore::SelectMachine()
{
    if (state_.MachineId >= 1 && state_.MachineId <= 3)
        state_.MachineId = 3;
    FreeDeviceTable();
    return LoadDeviceTable(state_.MachineId);
}

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

int LxTypeCore::DeviceIndexOfText(const std::string& text) const
{
    int found = 0;
    for (std::size_t i = 0; i < DeviceTable.size(); ++i) {
        const std::string& name = DeviceTable[i].Name;
        if (name.size() < text.size() && StartsWith(text, name))
            found = static_cast<int>(i);
    }
    return found;
}

int LxTypeCore::DeviceListIndexOfText(const std::string& text, int kind) const
{
    int found = 0, pos = 0;
    for (const DevRecord& r : DeviceTable) {
        if (r.Kind != kind && !IsDevKind(r.Kind, DevKind::Either))
            continue;
        if (r.Name.size() < text.size() && StartsWith(text, r.Name))
            found = pos;
        ++pos;
    }
    return found;
}

} // namespace kes
