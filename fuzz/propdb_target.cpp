#include "fuzz/propdb_target.h"
#include "fuzz/require.h"

#include "app/inspector/propdb.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kes::fuzz {

namespace {

std::string& InputPath()
{
    static std::string path;
    return path;
}

} // namespace

void PropDbSetup(const std::string&)
{
    // In memory where the system has such a folder: the input is written once per run.
    const std::filesystem::path shm("/dev/shm");
    const std::filesystem::path dir = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    InputPath() = (dir / ("kes_fuzz_propdb_" + std::to_string(::getpid()) + ".mdb")).string();
    std::atexit([] { std::filesystem::remove(InputPath()); });
}

void PropDbOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        // A plain write: the program's writer syncs to disk, which would slow the fuzzer down.
        std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        Require(static_cast<bool>(out));
    }
    const std::size_t maxText = static_cast<std::size_t>(PropDbBounds().MaxValueBytes);
    for (ObjKind kind : AllObjKinds()) {
        std::string table = PropTableName(kind);
        int limit = -1;
        if (table.empty()) {
            table = PropTableName(ObjKind::StTxt);
            limit = 5;
        }
        std::vector<PropRecord> records;
        DbError error;
        if (!ReadPropTable(InputPath(), table, records, error, limit)) {
            Require(error.Failed() && records.empty());
            if (error.Refusal == DbRefusal::ValueTooLong)
                Require(error.MaxValueBytes == PropDbBounds().MaxValueBytes);
            continue;
        }
        Require(!error.Failed());
        Require(records.size() <= static_cast<std::size_t>(limit >= 0 ? limit : kMaxPropRows));
        for (const PropRecord& r : records)
            Require(static_cast<std::size_t>(r.Name.size()) <= maxText &&
                    static_cast<std::size_t>(r.Text.size()) <= maxText);
        CheckPropLayout(kind, records);
    }
}

} // namespace kes::fuzz
