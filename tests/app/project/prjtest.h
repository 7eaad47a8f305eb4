#pragma once
// Shared by the project document tests: a project over the shipped model data in a
// temporary program folder, pages of given sizes, and the decoder library's header readers.
#include "app/model/lxtypecore.h"
#include "app/project/headerlib.h"
#include "app/project/imageheader.h"
#include "app/project/memimage.h"
#include "app/project/projectdoc.h"
#include "platform/fileio.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace kes::test {

// A program folder under the temp directory with the shipped HMI folder and an empty
// DocFiles folder; removed at the end. Named by the process too: test runs of other
// builds on the machine use the same temp directory.
class PrjDir {
public:
    explicit PrjDir(const std::string& name)
        : dir_(std::filesystem::temp_directory_path() / ("kes_prj_" + name + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "DocFiles");
        std::filesystem::copy(std::filesystem::path(KES_BIN_DIR) / "HMI", dir_ / "HMI",
                              std::filesystem::copy_options::recursive);
    }
    ~PrjDir() { std::filesystem::remove_all(dir_); }
    PrjDir(const PrjDir&) = delete;
    PrjDir& operator=(const PrjDir&) = delete;

    // Folder path with a trailing '/'.
    std::string Path() const { return dir_.string() + "/"; }
    std::string operator/(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

// A project of panel model 0 and controller 3 with the model's memory map loaded.
struct Prj {
    explicit Prj(const std::string& appDir, std::int16_t machineId = 3, std::int16_t model = 0)
    {
        doc.AppDir = appDir;
        core = std::make_unique<LxTypeCore>(doc);
        core->LoadModelList();
        core->LoadMachineList();
        doc.MachineId = machineId;
        doc.PanelModelIndex = model;
        core->SelectMachine();
        core->LoadModelData();
        doc.ResetHeaderRecords();
        ResetMemoryImage(doc);
    }
    // Appends a page of n bytes (a pattern that differs per page) and returns it.
    PgDataStr& AddPage(std::size_t n, const std::string& title = {})
    {
        auto page = std::make_unique<PgDataStr>();
        page->Title = title;
        for (std::size_t i = 0; i < n; ++i)
            page->Data.push_back(static_cast<std::uint8_t>(i * 7 + doc.PgDataList.size() * 31 + 1));
        doc.PgDataList.push_back(std::move(page));
        return *doc.PgDataList.back();
    }

    ProjectDoc doc;
    std::unique_ptr<LxTypeCore> core;
};

// The decoder library as the program loads it, from the program directory.
class HeaderLib : public kes::HeaderLib {
public:
    HeaderLib() : kes::HeaderLib(std::string(KES_BIN_DIR) + "/libMorvik.so"), dec(Decoders()) {}
    const HeaderDecoders& dec;
};

inline Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Bytes FileBytes(const std::string& path)
{
    Bytes b;
    ReadFileBytes(path, 1u << 30, b, nullptr);
    return b;
}

} // namespace kes::test
