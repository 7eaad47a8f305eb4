// Reading the panel model list, the controller list and the device tables: the values
// each key and line gives, and that missing or damaged files never leave the editor
// with a 0 x 0 panel, a grid or zoom of 0 or a half-read table, but say what is wrong.
#include "modeltestutil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace kes;
using kes::test::Model;
using kes::test::TempAppDir;
using kes::test::WarningLog;

namespace {

bool Has(const ModelWarnings& w, ModelError code)
{
    for (const auto& x : w)
        if (x.Code == code)
            return true;
    return false;
}

const char* const kModels = "[HMI_TYPE]\r\nCount=3\r\nHMI0=Small\r\nHMI1=Big\r\nHMI2=Broken\r\n"
                            "[Small]\r\nWidth=128\r\nHeight=64\r\nDefault_PageSize=4\r\nGridWidth=1\r\nGridHeight=1\r\n"
                            "ObjDataAddr=0x1000\r\nObjDataAddrEnd=0x2000\r\n"
                            "[Big]\nWidth=240\nHeight=128\nDefault_PageSize=2\nGridWidth=2\nGridHeight=1\nRTC=0\n"
                            "MemType=1\nObjDataAddr=0x1000\nObjDataAddrEnd=0x2000\n"
                            "ObjDataAddr_1=0x8000\nObjDataAddrEnd_1=0x9000\nParaEnd_1=7\n"
                            "[Broken]\nWidth=0\nHeight=-3\nDefault_PageSize=3\nGridWidth=x\nGridHeight=0\n"
                            "ObjDataAddr=0x2000\nObjDataAddrEnd=0x1000\n";

} // namespace

TEST(ModelList, ReadsModelsAndTheirData)
{
    TempAppDir dir("models");
    dir.Write("HMI.hmi", kModels);
    Model m(dir.Path());
    EXPECT_TRUE(m.core->LoadModelList().empty());
    EXPECT_EQ(m.core->ModelNames, (std::vector<std::string>{"Small", "Big", "Broken"}));

    m.state.PanelModelIndex = 0;
    EXPECT_TRUE(m.core->LoadModelData().empty());
    EXPECT_EQ(m.core->PanelWidth, 128);
    EXPECT_EQ(m.state.DefaultZoom, 4);
    EXPECT_TRUE(m.state.HasRtc); // "RTC" missing reads as a clock
    EXPECT_EQ(m.state.ObjDataSize(), 0x1000);

    struct {
        int variant;
        std::int32_t objData;
        std::int32_t paraEnd;
    } const maps[] = {{0, 0x1000, 0}, {1, 0x8000, 7}, {2, 0x1000, 0}};
    for (const auto& c : maps) {
        m.state.PanelModelIndex = 1;
        m.core->MemMapVariant = c.variant;
        EXPECT_TRUE(m.core->LoadModelData().empty());
        EXPECT_EQ(m.state.ObjDataAddr, c.objData) << c.variant;
        EXPECT_EQ(m.state.ParaEnd, c.paraEnd) << c.variant;
        EXPECT_FALSE(m.state.HasRtc);
        EXPECT_EQ(m.state.GridWidth, 2);
        EXPECT_EQ(m.core->PanelHeight, 128);
    }
    // "MemType" of 0 keeps the plain map whatever the panel reports.
    m.state.PanelModelIndex = 0;
    m.core->MemMapVariant = 1;
    m.core->LoadModelData();
    EXPECT_EQ(m.state.ObjDataAddr, 0x1000);

    // A negative index reads the model loaded last.
    m.state.PanelModelIndex = 1;
    m.core->LoadModelData();
    m.state.PanelModelIndex = -1;
    m.core->LoadModelData();
    EXPECT_EQ(m.core->ModelSection, "Big");
    EXPECT_EQ(m.core->PanelWidth, 240);
}

TEST(ModelList, DamagedModelKeepsSafeValues)
{
    TempAppDir dir("broken");
    dir.Write("HMI.hmi", kModels);
    Model m(dir.Path());
    m.core->LoadModelList();
    m.state.PanelModelIndex = 2;
    const ModelWarnings w = m.core->LoadModelData();
    EXPECT_EQ(m.core->PanelWidth, 128);
    EXPECT_EQ(m.core->PanelHeight, 64);
    EXPECT_EQ(m.state.GridWidth, 1);
    EXPECT_EQ(m.state.GridHeight, 1);
    EXPECT_EQ(m.state.DefaultZoom, 4);
    EXPECT_TRUE(Has(w, ModelError::BadValue));
    EXPECT_GE(w.size(), 7u); // width, height, zoom, grid x2 (one not a number), inverted map, empty data area

    // An index past the list, and a file that is not there at all.
    m.state.PanelModelIndex = 9;
    EXPECT_TRUE(Has(m.core->LoadModelData(), ModelError::MissingEntry));
    EXPECT_GT(m.state.GridWidth, 0);

    Model none("/nonexistent/kestrova/");
    none.state.GridWidth = 0;
    const ModelWarnings missing = none.core->LoadModelData();
    EXPECT_TRUE(Has(missing, ModelError::FileMissing));
    EXPECT_EQ(none.core->PanelWidth, 128);
    EXPECT_EQ(none.core->PanelHeight, 64);
    EXPECT_EQ(none.state.GridWidth, 1);
    EXPECT_EQ(none.state.DefaultZoom, 4);
    EXPECT_TRUE(Has(none.core->LoadModelList(), ModelError::FileMissing));
    EXPECT_TRUE(none.core->ModelNames.empty());
}

TEST(ModelList, CountsAndMissingNames)
{
    TempAppDir dir("counts");
    Model m(dir.Path());
    dir.Write("HMI.hmi", "[HMI_TYPE]\nCount=0\n");
    EXPECT_TRUE(m.core->LoadModelList().empty());
    EXPECT_TRUE(m.core->ModelNames.empty());

    dir.Write("HMI.hmi", "[HMI_TYPE]\nCount=5\nHMI0=A\nHMI1=B\nHMI2=C\nHMI4=E\n");
    EXPECT_TRUE(Has(m.core->LoadModelList(), ModelError::MissingEntry));
    EXPECT_EQ(m.core->ModelNames, (std::vector<std::string>{"A", "B", "C", "None", "E"}));

    // Only four bits of the index are stored with a project.
    dir.Write("HMI.hmi", "[HMI_TYPE]\nCount=40\n");
    EXPECT_TRUE(Has(m.core->LoadModelList(), ModelError::BadValue));
    EXPECT_EQ(m.core->ModelNames.size(), 16u);
}

TEST(MachineList, BrandsModelsAndIds)
{
    TempAppDir dir("machines");
    dir.Write("MachineList2.hmi",
              "[FactoryType]\r\nTotalMachine=5\r\nTotalFactory=2\r\nF0=Alpha\r\nF1=Beta\r\n"
              "[Alpha]\r\nTotalOption=3\r\nOptionID_0=87\r\nOption_0=A0\r\nOptionID_1=3\r\n"
              "Option_1=A1\r\nOptionID_2=300\r\nOption_2=A2\r\n"
              "[Beta]\r\nTotalOption=2\r\nOptionID_0=96\r\nOption_0=B0\r\nOptionID_1=3\r\nOption_1=B1\r\n");
    Model m(dir.Path());
    const ModelWarnings w = m.core->LoadMachineList();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Code, ModelError::BadValue); // 300 does not fit a byte
    EXPECT_EQ(m.core->BrandNames, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(m.core->MachineIds, (std::vector<std::uint8_t>{87, 3, 44, 96, 3}));
    EXPECT_EQ(m.core->BrandFirstIndex(1), 3);
    EXPECT_EQ(m.core->MachineIdOf(1, 0), 96);
    EXPECT_EQ(m.core->MachineIndexOf(3), 1); // the first brand listing it
    EXPECT_EQ(m.core->MachineIndexOf(5), -1);
    EXPECT_EQ(m.core->ModelsOfBrand(1), (std::vector<std::string>{"B0", "B1"}));
    EXPECT_EQ(m.core->MachineCaptionOf(96), "Beta B0");
    EXPECT_EQ(m.core->MachineCaptionOf(3), "Alpha A1");
    EXPECT_EQ(m.core->MachineCaptionOf(5), "");
    for (auto [brand, model] : {std::pair{-1, 0}, {0, -1}, {0, 3}, {2, 0}})
        EXPECT_EQ(m.core->MachineIdOf(brand, model), -1) << brand << "," << model;
}

TEST(MachineList, MissingOrInconsistentFiles)
{
    TempAppDir dir("machines2");
    Model m(dir.Path());
    m.core->BrandNames = {"kept"};
    EXPECT_TRUE(Has(m.core->LoadMachineList(), ModelError::FileMissing));
    EXPECT_EQ(m.core->BrandNames, std::vector<std::string>{"kept"}); // lists stay as they were

    // More models than TotalMachine: every model keeps its id.
    dir.Write("MachineList2.hmi", "[FactoryType]\nTotalMachine=1\nTotalFactory=1\nF0=A\n"
                                  "[A]\nTotalOption=3\nOptionID_0=1\nOption_0=x\nOptionID_1=2\nOption_1=y\n"
                                  "OptionID_2=4\nOption_2=z\n");
    EXPECT_TRUE(Has(m.core->LoadMachineList(), ModelError::Inconsistent));
    EXPECT_EQ(m.core->MachineIds, (std::vector<std::uint8_t>{1, 2, 4}));
    EXPECT_EQ(m.core->MachineIdOf(0, 2), 4);
}

namespace {

// A device table: X (octal, 16 bits a unit), W (hexadecimal), D with a bit separator.
std::string TableText(const std::string& trailer = "PortInternalCode=0\nAddrTextFmt=0x00\n")
{
    return "Count=3\n"
           "[0]\nName=X\nKind=0\nRadix=1\nSeparator=\nSubRadix=1\nSubLimit=0\nSubSeparator=\nBitRadix=1\n"
           "BitLimit=0\nBitSeparator=\nBitsPerUnit=16\nRangeCount=1\nMin=0\nMax=17\nAccess=0\nStep=1\nBase=1000\n"
           "[1]\nName=W\nKind=1\nRadix=3\nSeparator=\nSubRadix=1\nSubLimit=0\nSubSeparator=\nBitRadix=1\n"
           "BitLimit=0\nBitSeparator=\nBitsPerUnit=1\nRangeCount=1\nMin=0\nMax=1FF\nAccess=0\nStep=1\nBase=2000\n"
           "[2]\r\nName=D\r\nKind=2\r\nRadix=2\r\nSeparator=\r\nSubRadix=1\r\nSubLimit=0\r\nSubSeparator=\r\n"
           "BitRadix=2\r\nBitLimit=16\r\nBitSeparator=.\r\nBitsPerUnit=1\r\nRangeCount=1\r\nMin=0\r\nMax=99\r\n"
           "Access=0\r\nStep=1\r\nBase=3000\r\n"
           "[Trailer]\nKept=9\n[Defaults]\nWord=3000\nBit=1000\n[Station]\nStation=1F\nLength=0\nCOM1=24\n"
           "COM2=8\n" +
           trailer;
}

} // namespace

TEST(DeviceTable, ReadsRecordsAndTrailer)
{
    TempAppDir dir("table");
    dir.Write("M3.hmi", TableText("PortInternalCode=0\nAddrTextFmt=0x15\n"));
    Model m(dir.Path());
    m.state.MachineId = 2;
    EXPECT_TRUE(m.core->SelectMachine().empty());
    EXPECT_EQ(m.state.MachineId, 3);
    EXPECT_EQ(m.core->TableMachineId, 3);
    ASSERT_EQ(m.core->DeviceTable.size(), 3u);
    const auto& t = m.core->DeviceTable;
    EXPECT_EQ(t[0].Ranges[0].Max, 15);  // octal 17
    EXPECT_EQ(t[1].Ranges[0].Max, 511); // hexadecimal 1FF
    EXPECT_EQ(t[1].Ranges[0].Base, 0x2000);
    EXPECT_EQ(t[0].Separator, "");
    EXPECT_EQ(t[2].BitSeparator, ".");
    EXPECT_EQ(m.core->TrailerByte, 9);
    EXPECT_EQ(m.core->DefWordCode, 0x3000);
    EXPECT_EQ(m.core->DefBitCode, 0x1000);
    EXPECT_EQ(m.state.DefStation, 0x1F);
    EXPECT_EQ(m.state.ComSetByte[0], 24);
    EXPECT_EQ(m.state.ComSetByte[1], 8);
    EXPECT_EQ(m.core->AddrTextFmt, 0x15); // digit count 5, zero padding on

    // Machine id 1 reads the same file.
    m.state.MachineId = 1;
    EXPECT_TRUE(m.core->LoadDeviceTable(1).empty());
    EXPECT_EQ(m.core->DeviceTable.size(), 3u);
}

TEST(DeviceTable, PanelMemoryPortsGiveInternalDefaults)
{
    struct {
        int code;
        std::uint8_t link;
        std::uint8_t com1, com2;
        const char* word;
    } const cases[] = {
        {0, 0, 0, 0, "D0"}, {1, 0, 1, 1, "@V0"}, {1, 1, 1, 1, "@V0"}, {2, 0, 1, 0, "@V0"},
        {2, 1, 1, 0, "D0"}, {3, 0, 0, 1, "D0"},  {3, 1, 0, 1, "@V0"}, {7, 0, 0, 0, "D0"},
    };
    TempAppDir dir("ports");
    for (const auto& c : cases) {
        dir.Write("M5.hmi", TableText("PortInternalCode=" + std::to_string(c.code) + "\nAddrTextFmt=0x00\n"));
        Model m(dir.Path());
        m.state.LinkIndex = c.link;
        EXPECT_TRUE(m.core->LoadDeviceTable(5).empty());
        EXPECT_EQ(m.state.PortSlaveMode[0], c.com1) << c.code;
        EXPECT_EQ(m.state.PortSlaveMode[1], c.com2) << c.code;
        EXPECT_EQ(m.core->DefWordText, c.word) << c.code << " link " << int(c.link);
        EXPECT_EQ(m.core->DefBitText, std::string(c.word) == "@V0" ? "@B0" : "X0");
    }
}

TEST(DeviceTable, DamagedOrMissingFilesGiveAnEmptyTable)
{
    const std::string good = TableText();
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"ends early", good.substr(0, good.find("[Trailer]"))},
        {"line without =", replace("Kind=1\n", "Kind 1\n")},
        {"long name", replace("Name=W\n", "Name=WORDS1\n")},
        {"empty name", replace("Name=W\n", "Name=\n")},
        {"step 0", replace("Step=1\nBase=2000", "Step=0\nBase=2000")},
        {"bits per unit 0", replace("BitsPerUnit=16", "BitsPerUnit=0")},
        {"inverted range", replace("Max=1FF", "Max=0\nAccess=0\nStep=1\nBase=0\nRangeCount=0")},
        {"negative count", replace("Count=3", "Count=-1")},
        {"empty", ""},
    };
    TempAppDir dir("damaged");
    for (const auto& c : cases) {
        dir.Write("M5.hmi", c.text);
        Model m(dir.Path());
        m.core->DefWordCode = 0x77;
        const ModelWarnings w = m.core->LoadDeviceTable(5);
        EXPECT_TRUE(Has(w, ModelError::TableDamaged)) << c.what;
        EXPECT_TRUE(m.core->DeviceTable.empty()) << c.what;
        EXPECT_EQ(m.core->DefWordCode, 0x77) << c.what; // the trailer keeps its values
        EXPECT_EQ(m.state.InternalDevRecords[kInternalWord].Ranges.at(0).Base, 0x30000);
    }

    Model m(dir.Path());
    const ModelWarnings w = m.core->LoadDeviceTable(42);
    EXPECT_TRUE(Has(w, ModelError::FileMissing));
    EXPECT_TRUE(m.core->DeviceTable.empty());
    EXPECT_EQ(m.core->FormatDeviceAddress(0x3000, 1, 0, 0, true, false), "");
    EXPECT_FALSE(m.core->ValidateDeviceAddress("D0", 0x10, 0, true, false));
    EXPECT_EQ(m.core->FormatDeviceAddress(0x30001, 1, 0, 0, true, true), "@V1");
}

TEST(DeviceTable, NoNumbersAreReportedAndReadAsLeadingDigits)
{
    TempAppDir dir("badvalue");
    std::string t = TableText();
    t.replace(t.find("Kept=9"), 6, "Kept=9x");
    dir.Write("M5.hmi", t);
    Model m(dir.Path());
    const ModelWarnings w = m.core->LoadDeviceTable(5);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].Code, ModelError::BadValue);
    EXPECT_GT(w[0].Line, 0);
    EXPECT_EQ(m.core->TrailerByte, 9);
    EXPECT_EQ(m.core->DeviceTable.size(), 3u);
}

// The extended lines belong to machine id 96 alone: the same file read for another id
// does not fit its format.
TEST(DeviceTable, ExtendedLinesOnlyForMachine96)
{
    const std::string ext = "Count=1\n[0]\nName=N\nKind=2\nRadix=2\nStations=1\nDefault=7\nLow=9\nHigh=20\nA=N\nB=\n"
                            "Separator=:\nSubRadix=1\nSubLimit=0\nSubSeparator=\nBitRadix=2\nBitLimit=16\n"
                            "BitSeparator=/\nBitNames=1\nBit=15\nName=EN\nBitsPerUnit=1\nFieldLimit=3\nFields=1\n"
                            "Field=2\nName=ACC\nRangeCount=1\nMin=0\nMax=255\nAccess=0\nStep=1\nBase=70000\n"
                            "[T]\nKept=0\n[D]\nWord=70000\nBit=70000\n[S]\nStation=1\nLength=0\nCOM1=4\nCOM2=4\n"
                            "Port=0\nFmt=0x00\n";
    TempAppDir dir("ext");
    dir.Write("M96.hmi", ext);
    dir.Write("M95.hmi", ext);
    Model m(dir.Path());
    EXPECT_TRUE(m.core->LoadDeviceTable(96).empty());
    ASSERT_EQ(m.core->DeviceTable.size(), 1u);
    const DevRecord& n = m.core->DeviceTable[0];
    EXPECT_EQ(n.ExtStation, 7);
    EXPECT_EQ(n.ExtCount(), 1);
    EXPECT_EQ(n.ExtCharA[0], 'N');
    EXPECT_EQ(n.ExtCharB[0], '\0');
    EXPECT_EQ(n.BitNames, std::vector<std::string>{"EN"});
    EXPECT_EQ(n.FieldNames, std::vector<std::string>{"ACC"});
    EXPECT_EQ(m.core->DefWordText, "N:0");
    EXPECT_EQ(m.core->DefBitText, "N:0/0");

    EXPECT_TRUE(Has(m.core->LoadDeviceTable(95), ModelError::BadValue));
}

TEST(DeviceTable, PortInternalFlags)
{
    Model m("/nonexistent/");
    const struct {
        std::uint8_t code, com1, com2;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 1, 0}, {3, 0, 1}, {4, 0, 0}, {255, 0, 0}};
    for (const auto& c : cases) {
        m.core->SetPortInternalFlags(c.code);
        EXPECT_EQ(m.state.PortSlaveMode[0], c.com1) << int(c.code);
        EXPECT_EQ(m.state.PortSlaveMode[1], c.com2) << int(c.code);
    }
}

// Hostile model files: counts, areas and sizes past anything real data reaches are cut to a
// bound or replaced, with a warning, so start-up neither hangs nor allocates without bound.
TEST(ModelFiles, HostileValuesAreBounded)
{
    TempAppDir dir("hostile");
    Model m(dir.Path());
    dir.Write("MachineList2.hmi", "[FactoryType]\nTotalMachine=1\nTotalFactory=2147483647\nF0=A\n"
                                  "[A]\nTotalOption=1\nOptionID_0=87\nOption_0=x\n");
    ModelWarnings w = m.core->LoadMachineList();
    EXPECT_TRUE(Has(w, ModelError::BadValue));
    EXPECT_EQ(m.core->BrandNames.size(), 256u);
    EXPECT_EQ(m.core->MachineIds, std::vector<std::uint8_t>{87});

    // Every brand claims 255 models: the lists stop at 256 models in all.
    std::string many = "[FactoryType]\nTotalMachine=0\nTotalFactory=3\nF0=A\nF1=B\nF2=C\n";
    for (const char* b : {"A", "B", "C"})
        many += std::string("[") + b + "]\nTotalOption=255\n";
    dir.Write("MachineList2.hmi", many);
    w = m.core->LoadMachineList();
    EXPECT_EQ(m.core->MachineIds.size(), 256u);
    EXPECT_EQ(m.core->BrandFirstIndex(3), 256);

    const struct {
        const char* what;
        const char* keys;
    } models[] = {
        {"area across the sign", "Width=128\nHeight=64\nObjDataAddr=0x80000000\nObjDataAddrEnd=0x7FFFFFFF\n"},
        {"area past any panel", "Width=128\nHeight=64\nObjDataAddr=0\nObjDataAddrEnd=0x7FFFFFFF\n"},
        {"huge panel", "Width=2048\nHeight=2048\nObjDataAddr=0x1000\nObjDataAddrEnd=0x2000\n"},
    };
    for (const auto& c : models) {
        dir.Write("HMI.hmi", std::string("[HMI_TYPE]\nCount=1\nHMI0=P\n[P]\nDefault_PageSize=16\nGridWidth=1\n"
                                         "GridHeight=1\n") +
                                 c.keys);
        m.core->LoadModelList();
        m.state.PanelModelIndex = 0;
        w = m.core->LoadModelData();
        EXPECT_TRUE(Has(w, ModelError::BadValue)) << c.what;
        EXPECT_LE(m.state.ObjDataSize(), 16 << 20) << c.what;
        EXPECT_LE(m.core->PanelWidth * m.state.DefaultZoom, 480 * 16) << c.what;
        EXPECT_LE(m.core->PanelHeight * m.state.DefaultZoom, 480 * 16) << c.what;
    }
}

// A model file that is there but can not be read is said as such, naming the file and why,
// never taken for one that is missing or for one without models; a missing one is said
// missing. A FIFO is not waited on (the alarm fails a test that would wait).
TEST(ModelFiles, AFileThatIsThereButDoesNotReadIsSaidUnreadable)
{
    namespace fs = std::filesystem;
    using Load = ModelWarnings (*)(LxTypeCore&);
    const struct {
        const char* file;
        Load load;
    } files[] = {
        {"HMI.hmi", [](LxTypeCore& c) { return c.LoadModelList(); }},
        {"HMI.hmi", [](LxTypeCore& c) { return c.LoadModelData(); }},
        {"MachineList2.hmi", [](LxTypeCore& c) { return c.LoadMachineList(); }},
        {"M5.hmi", [](LxTypeCore& c) { return c.LoadDeviceTable(5); }},
    };
    const struct {
        const char* name;
        void (*make)(const fs::path&);
        ModelError code;
        FileFault fault; // Unreadable: what the read met
    } damages[] = {
        {"missing", [](const fs::path&) {}, ModelError::FileMissing, FileFault::System},
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, ModelError::Unreadable,
         FileFault::NoPlainFile},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, ModelError::Unreadable, FileFault::Folder},
        {"2 GB of zeros",
         [](const fs::path& p) {
             std::ofstream(p).close();
             fs::resize_file(p, 2ull << 30);
         },
         ModelError::Unreadable, FileFault::TooLarge},
    };
    TempAppDir dir("unreadable");
    for (const auto& f : files)
        for (const auto& d : damages) {
            SCOPED_TRACE(std::string(f.file) + ", " + d.name);
            const fs::path path = fs::path(dir.Path()) / "HMI" / f.file;
            fs::remove_all(path);
            d.make(path);
            Model m(dir.Path());
            ::alarm(10);
            const ModelWarnings w = f.load(*m.core);
            ::alarm(0);
            ASSERT_FALSE(w.empty());
            EXPECT_EQ(w.front().Code, d.code) << WarningLog(w.front());
            EXPECT_EQ(w.front().File, path.string());
            EXPECT_EQ(w.front().Read.Failed(), d.code == ModelError::Unreadable) << WarningLog(w.front());
            if (w.front().Read.Failed()) {
                EXPECT_EQ(w.front().Read.Fault, d.fault) << WarningLog(w.front());
                EXPECT_EQ(w.front().Read.Path, path.string());
            }
            fs::remove_all(path);
        }
}
