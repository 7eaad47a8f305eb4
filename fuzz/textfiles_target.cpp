#include "fuzz/textfiles_target.h"
#include "fuzz/require.h"

#include "app/model/devicetablefile.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/ui/msgtable.h"
#include "platform/inifile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace kes::fuzz {

namespace {

struct Env {
    std::string dir; // program folder with a trailing '/'
    ProjectState state;
    std::unique_ptr<LxTypeCore> core;
};

Env& TheEnv()
{
    static Env env;
    return env;
}

// A plain write: the program's writer syncs to disk, which would slow the fuzzer down.
void Put(const std::string& path, std::string_view text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    Require(static_cast<bool>(out));
}

void ModelFile(std::string_view text)
{
    Env& e = TheEnv();
    Put(e.dir + "HMI/HMI.hmi", text);
    e.core->LoadModelList();
    Require(e.core->ModelNames.size() <= 16);
    for (int i = 0; i < static_cast<int>(e.core->ModelNames.size()); ++i) {
        for (const int variant : {0, 1}) {
            e.state.PanelModelIndex = static_cast<std::int16_t>(i);
            e.core->MemMapVariant = variant;
            e.core->LoadModelData();
            Require(e.core->PanelWidth >= 1 && e.core->PanelWidth <= 480);
            Require(e.core->PanelHeight >= 1 && e.core->PanelHeight <= 480);
            Require(e.state.GridWidth >= 1 && e.state.GridHeight >= 1);
            Require(e.state.ObjDataSize() >= 0 && e.state.ObjDataSize() <= (16 << 20));
        }
    }
}

void MachineList(std::string_view text)
{
    Env& e = TheEnv();
    Put(e.dir + "HMI/MachineList2.hmi", text);
    e.core->LoadMachineList();
    Require(e.core->MachineIds.size() <= 256 && e.core->BrandNames.size() <= 256);
    for (int b = 0; b < static_cast<int>(e.core->BrandNames.size()); ++b)
        e.core->ModelsOfBrand(b);
}

void DeviceTable(std::uint8_t machineId, std::string_view text)
{
    DeviceTableFile t;
    ModelWarnings w;
    if (!ParseDeviceTable(text, machineId, "M.hmi", t, w))
        Require(t.Records.empty() || !w.empty());
}

void IniFile(std::string_view text)
{
    TIniFile ini("");
    ini.SetText(std::string(text));
    for (const std::string& s : ini.ReadSections())
        for (const std::string& k : ini.ReadSection(s)) {
            Require(ini.ValueExists(s, k));
            ini.ReadInteger(s, k, 0);
        }
    // A write and a delete keep every look-up in step with the text.
    ini.WriteString("Fuzz", "Key", "1");
    Require(ini.ReadInteger("fuzz", "KEY", 0) == 1);
    ini.DeleteKey("Fuzz", "Key");
    Require(!ini.ValueExists("Fuzz", "Key"));
}

void MessageFile(std::string_view text)
{
    TMsgTable table;
    table.LoadFromText("MultiLanEng.txt", std::string(text), true, 1252);
    Require(table.Count() <= 65536);
    Require(table.Count() >= BuiltInMessages().ReadInteger("Message", "Count", 0));
}

void CaptionFile(std::string_view text)
{
    Env& e = TheEnv();
    Put(e.dir + "DATAEnu.Lan", text);
    TIniFile ini(e.dir + "DATAEnu.Lan");
    for (const std::string& s : ini.ReadSections())
        ini.ReadSection(s);
}

} // namespace

void TextFilesSetup(const std::string&)
{
    Env& e = TheEnv();
    e.dir = (std::filesystem::temp_directory_path() / ("kes_fuzz_text_" + std::to_string(::getpid()))).string() + "/";
    std::filesystem::create_directories(e.dir + "HMI");
    std::atexit([] { std::filesystem::remove_all(TheEnv().dir); });
    e.state.AppDir = e.dir;
    e.core = std::make_unique<LxTypeCore>(e.state);
}

void TextFilesOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    switch (data[0] & 7) {
    case 0:
        ModelFile(text);
        break;
    case 1:
        MachineList(text);
        break;
    case 2:
        DeviceTable(data[1], text);
        break;
    case 3:
        IniFile(text);
        break;
    case 4:
        MessageFile(text);
        break;
    case 5:
        CaptionFile(text);
        break;
    default:
        break;
    }
}

} // namespace kes::fuzz
