// The page walk as a fuzz target, shared by the libFuzzer build and the corpus replay.
#include "fuzz/pagewalk_target.h"
#include "fuzz/storedobjects.h"

#include "app/model/lxtypecore.h"
#include "app/project/pgdataenc.h"
#include "app/project/pgread.h"
#include "decoder/morvik.h"
#include "platform/fileio.h"

#include <QGuiApplication>

#include <dlfcn.h>

#include <cstdlib>
#include <memory>

namespace kes::fuzz {

namespace {

struct World {
    ProjectState state;
    std::unique_ptr<LxTypeCore> core;
    std::unique_ptr<PageEnv> env;
};

World* g_world = nullptr;

} // namespace

void PageWalkSetup(const std::string& programDir)
{
    if (g_world)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QGuiApplication::instance()) {
        static int argc = 1;
        static char name[] = "pagewalk";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
    }
    SetAppDir(programDir);
    // Held for the whole run: every walk binds and releases the library, and the fuzzer
    // keeps reading the coverage counters of a library once it has seen it loaded.
    dlopen((programDir + kMorvikFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    g_world = new World;
    g_world->state.AppDir = programDir;
    g_world->core = std::make_unique<LxTypeCore>(g_world->state);
    g_world->core->LoadDeviceTable(g_world->state.MachineId);
    g_world->env = std::make_unique<PageEnv>(g_world->state, *g_world->core);
}

void PageWalkOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!g_world || size < 1)
        return;
    const std::uint8_t mode = data[0];
    const ByteSpan stream(data + 1, size - 1);
    ProjectState& state = g_world->state;
    state.GridWidth = (mode & 0x10) ? 2 : 1;
    PageData page;
    page.Zoom = 1 << ((mode >> 2) & 3);
    page.GridWidth = state.GridWidth;
    page.Pasting = (mode & 0x02) ? 1 : 0;
    const PageEnv& env = *g_world->env;
    PgReadResult res = (mode & 0x01) ? PastePgData(page, env, stream, 0, stream.size())
                                     : PgDataToObj(page, env, stream, 0, stream.size());
    if (!res.Ok())
        return;
    // What was read is stored again and must read back.
    Bytes stored;
    // An object can read from a short record and write a longer one (its state pictures
    // stored as they are held); one past 64 KB is left out of the stream and said: the program
    // keeps the bytes it read for it, or refuses its paste. It is not read back.
    std::size_t tooLong = 0;
    RecEncodeEnv encodeEnv;
    encodeEnv.OnTooLong = [&tooLong](const TLxObj&) { ++tooLong; };
    PgDataChx(page, stored, 0, 2, &page.ObjList, encodeEnv);
    PageData again;
    again.Zoom = page.Zoom;
    again.GridWidth = page.GridWidth;
    res = PgDataToObj(again, env, stored, 0, stored.size());
    if (!res.Ok() || again.ObjList.size() + tooLong != StoredObjects(page))
        std::abort();
}

} // namespace kes::fuzz
