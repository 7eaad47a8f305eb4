// The decoder library's dynamic symbol table holds exactly its nine entry points under
// their underscore names, and the program's binding reports what it cannot find.
#include "tests/decoder/morviktest.h"

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

namespace {

using kes::test::MorvikPath;

// Defined dynamic symbols of a shared library, from nm's "address type name" lines.
std::set<std::string> DefinedDynamicSymbols(const std::string& path, std::set<std::string>& types)
{
    const std::string cmd = "nm -D --defined-only '" + path + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(cmd.c_str(), "r"), pclose);
    std::set<std::string> names;
    if (!pipe)
        return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe.get())) {
        std::istringstream in(line);
        std::string addr, type, name;
        in >> addr >> type >> name;
        names.insert(name);
        types.insert(type);
    }
    return names;
}

TEST(MorvikExports, ExactlyTheNineEntryPoints)
{
    std::set<std::string> types;
    const std::set<std::string> names = DefinedDynamicSymbols(MorvikPath(), types);
    const std::set<std::string> expected = {
        "_DataToLxObj",  "_DatatoObjInfo",   "_DataToPgJmp",      "_DataToPgFunKey",    "_DataToPgSys",
        "_DataToPgHide", "_DataToPLCValSet", "_DataToMacPowerOn", "_DataToParaDataSet",
    };
    EXPECT_EQ(names, expected);
    EXPECT_EQ(types, std::set<std::string>{"T"}) << "every export is a function in the text section";
}

TEST(MorvikExports, BindingReportsMissingLibraryAndEntryPoint)
{
    kes::MorvikLib lib;
    EXPECT_EQ(lib.Open(kes::kExpDatatoObjInfo, std::string(KES_BIN_DIR) + "/no-such-library.so"),
              kes::DecodeError::LibraryMissing);
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_NE(lib.Detail().find("no-such-library.so"), std::string::npos);

    // Another of the program's libraries loads but lacks the entry points.
    EXPECT_EQ(lib.Open(kes::kExpDatatoObjInfo, std::string(KES_BIN_DIR) + "/libLxObject.so"),
              kes::DecodeError::ExportMissing);
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_NE(lib.Detail().find("_DatatoObjInfo"), std::string::npos);

    ASSERT_EQ(lib.Open(kes::test::kAllMorvikExports, MorvikPath()), kes::DecodeError::None);
    EXPECT_NE(lib.Fns().DataToParaDataSet, nullptr);
    lib.Close();
    EXPECT_EQ(lib.Fns().DatatoObjInfo, nullptr);
}

TEST(MorvikExports, NullArgumentsAreRefused)
{
    kes::MorvikLib lib;
    ASSERT_EQ(lib.Open(kes::test::kAllMorvikExports, MorvikPath()), kes::DecodeError::None);
    const std::uint8_t rec[] = {0x03, 0xEB, 0x00, 0x08, 1, 0, 0, 0};
    EXPECT_EQ(lib.Fns().DataToPgHide(nullptr, rec, 0), kes::kDecBadArgument);
    PgHideRec hide;
    EXPECT_EQ(lib.Fns().DataToPgHide(&hide, nullptr, 0), kes::kDecBadArgument);
    EXPECT_EQ(lib.Fns().DatatoObjInfo(nullptr, rec, 0), kes::kDecBadArgument);
}

} // namespace
