#include "fuzz/prjread_target.h"
#include "fuzz/require.h"

#include "app/model/lxtypecore.h"
#include "app/project/headerlib.h"
#include "app/project/memimage.h"
#include "app/project/prjcheck.h"
#include "app/project/prjfile.h"
#include "app/project/usermenu.h"

#include <cstdlib>
#include <memory>

namespace kes::fuzz {

namespace {

struct Env {
    ProjectDoc doc;
    std::unique_ptr<LxTypeCore> core;
    std::unique_ptr<HeaderLib> lib;
};

Env& TheEnv()
{
    static Env env;
    return env;
}

void ProjectFile(ByteSpan file)
{
    Env& e = TheEnv();
    ProjectDoc& doc = e.doc;
    ParsedProjectFile parsed;
    if (ParseProjectFile(file, parsed) != ProjectError::None)
        return;
    doc.MachineId = parsed.Head.MachineId;
    ResetMemoryImage(doc);
    ApplyProjectHeader(doc, parsed.Head);
    if (CheckChunksFit(parsed, doc.MemImage.size()) != ProjectError::None)
        return;
    ApplyProjectBody(doc, parsed, e.lib->Decoders());
    CheckProject(doc, CheckNames{}, 96, [](const std::string&) { return true; });

    // What reads is written again and reads back with the same pages.
    std::vector<Bytes> pages;
    for (const auto& p : doc.PgDataList)
        pages.push_back(p->Data);
    ResetMemoryImage(doc);
    if (!BuildPageImage(doc))
        return;
    Bytes again;
    Require(EncodeProjectFile(doc, ProjectFileExtras{}, again) == ProjectError::None);
    ParsedProjectFile back;
    Require(ParseProjectFile(again, back) == ProjectError::None);
    Require(back.Keypad || back.Chunks.size() == pages.size() + 1);
    for (std::size_t k = 0; !back.Keypad && k < pages.size(); ++k)
        Require(Bytes(back.Chunks[k + 1].Bytes.begin(), back.Chunks[k + 1].Bytes.end()) == pages[k]);
}

} // namespace

void PrjReadSetup(const std::string& programDir)
{
    Env& e = TheEnv();
    e.doc.AppDir = programDir;
    e.core = std::make_unique<LxTypeCore>(e.doc);
    e.core->LoadModelList();
    e.core->LoadMachineList();
    e.doc.MachineId = 3;
    e.core->SelectMachine();
    e.core->LoadModelData();
    e.lib = std::make_unique<HeaderLib>(programDir + "libMorvik.so");
}

void PrjReadOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const ByteSpan file(data + 1, size - 1);
    switch (data[0] & 3) {
    case 0:
        ProjectFile(file);
        break;
    case 1: {
        Bytes screen;
        std::size_t tail = 0;
        ParseStartScreenFile(file, screen, tail);
        break;
    }
    case 2: {
        ParsedUserMenu menu;
        ParseUserMenuFile(file, menu);
        break;
    }
    default: {
        PgDataVector pages;
        for (int i = 0; i < 3; ++i)
            pages.push_back(std::make_unique<PgDataStr>());
        ApplyTitleFile(std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), pages);
        break;
    }
    }
}

} // namespace kes::fuzz
