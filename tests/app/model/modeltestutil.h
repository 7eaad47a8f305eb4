#pragma once
// Shared by the model tests: a project state and core over the shipped data or over a
// temporary program folder, and small table builders.
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "platform/fileio.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace kes::test {

// A warning in a test's failure message, by code.
inline std::string WarningLog(const ModelWarning& w)
{
    std::string t = w.File + ":" + std::to_string(w.Line) + ": " + ModelErrorName(w.Code) + ": " + w.Detail;
    if (w.Read.Failed())
        t += " (fault " + std::to_string(static_cast<int>(w.Read.Fault)) + ", errno " + std::to_string(w.Read.Errno) +
             ")";
    return t;
}

// A program folder under the temp directory with its own HMI folder; removed at the end.
class TempAppDir {
public:
    explicit TempAppDir(const std::string& name) : dir_(std::filesystem::temp_directory_path() / ("kes_model_" + name))
    {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "HMI");
    }
    ~TempAppDir() { std::filesystem::remove_all(dir_); }
    TempAppDir(const TempAppDir&) = delete;
    TempAppDir& operator=(const TempAppDir&) = delete;

    std::string Path() const { return dir_.string() + "/"; }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(dir_ / "HMI" / name, std::ios::binary) << text;
    }

private:
    std::filesystem::path dir_;
};

// A project state whose program folder is dir, and a core over it.
struct Model {
    explicit Model(const std::string& dir)
    {
        state.AppDir = dir;
        core = std::make_unique<LxTypeCore>(state);
    }
    ProjectState state;
    std::unique_ptr<LxTypeCore> core;
};

inline std::string ShippedDir() { return std::string(KES_BIN_DIR) + "/"; }

inline DevRecord Device(const std::string& name, std::uint8_t kind, std::uint8_t radix, std::int32_t min,
                        std::int32_t max, std::int32_t base, std::uint8_t bitsPerUnit = 1, std::uint8_t access = 0,
                        std::uint8_t step = 1)
{
    DevRecord r;
    r.Name = name;
    r.Kind = kind;
    r.Radix = radix;
    r.SubRadix = DevRadixCode(DevRadix::Octal);
    r.BitRadix = DevRadixCode(DevRadix::Decimal);
    r.BitsPerUnit = bitsPerUnit;
    r.Ranges.push_back(DevRange{min, max, access, step, base});
    return r;
}

} // namespace kes::test
