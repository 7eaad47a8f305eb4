// The user menu reader as a fuzz target, shared by the libFuzzer build and the corpus replay.
#include "fuzz/usermenu_target.h"
#include "fuzz/require.h"

#include "app/model/lxtypecore.h"
#include "app/project/pagedata.h"
#include "app/project/usermenu.h"
#include "decoder/morvik.h"
#include "decoder/pgrecstream.h"
#include "platform/fileio.h"

#include <QGuiApplication>

#include <dlfcn.h>

#include <array>
#include <memory>

namespace kes::fuzz {

namespace {

// One panel family: its project state with the model's data, and a page environment over it.
struct Family {
    ProjectDoc doc;
    std::unique_ptr<LxTypeCore> core;
    std::unique_ptr<PageEnv> env;
};

std::array<Family, 2>* g_families = nullptr;

} // namespace

void UserMenuSetup(const std::string& programDir)
{
    if (g_families)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QGuiApplication::instance()) {
        static int argc = 1;
        static char name[] = "usermenu";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
    }
    SetAppDir(programDir);
    // Held for the whole run, as the page walk's target does.
    dlopen((programDir + kMorvikFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    g_families = new std::array<Family, 2>;
    for (std::size_t model = 0; model < g_families->size(); ++model) {
        Family& f = (*g_families)[model];
        f.doc.AppDir = programDir;
        f.doc.MachineId = 87;
        f.doc.PanelModelIndex = static_cast<std::int16_t>(model);
        f.core = std::make_unique<LxTypeCore>(f.doc);
        f.core->LoadModelList();
        f.core->LoadMachineList();
        f.core->SelectMachine();
        f.core->LoadModelData();
        f.env = std::make_unique<PageEnv>(f.doc, *f.core);
    }
}

void UserMenuOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!g_families)
        return;
    const ByteSpan file(data, size);
    ParsedUserMenu m;
    if (ParseUserMenuFile(file, m) != ProjectError::None)
        return;
    Require(m.TailAt <= file.size() && m.Screens.size() <= kMaxUserMenuScreens && m.Ranges.size() == m.Screens.size());

    // The screens written again read back as the same screens, with nothing left over.
    ProjectDoc copy;
    copy.MachineId = m.MachineId;
    copy.PanelModelIndex = m.PanelModelIndex;
    copy.DataVersion = m.Version;
    copy.HmiUnitAddr = m.HmiUnitAddr;
    for (const Bytes& screen : m.Screens) {
        copy.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        copy.ImagePgDataList.back()->Data = screen;
    }
    const Bytes again = EncodeUserMenuFile(copy, UserMenuPort{});
    ParsedUserMenu back;
    Require(ParseUserMenuFile(again, back) == ProjectError::None);
    Require(back.Screens == m.Screens && back.Ranges == m.Ranges && back.TailAt == again.size());
    Require(back.MachineId == m.MachineId && back.PanelModelIndex == m.PanelModelIndex && back.Version == m.Version);

    // What the program opens: a known controller, a family whose area holds the screens.
    if (m.PanelModelIndex != 0 && m.PanelModelIndex != 1)
        return;
    Family& f = (*g_families)[static_cast<std::size_t>(m.PanelModelIndex)];
    if (!UserMenuMachine(*f.core, m.MachineId))
        return;
    if (CheckUserMenu(m, f.doc, f.core->PanelWidth, f.core->PanelHeight) != ProjectError::None)
        return;
    const ScreenRead unread = FirstUnreadScreen(m, *f.env);
    Require(unread.Screen <= m.Screens.size());

    // Each screen that reads is stored again as its window stores it and reads back whole.
    RecEncodeEnv encodeEnv;
    encodeEnv.FontExists = [](const std::string&) { return true; };
    for (std::size_t i = 0; i < unread.Screen; ++i) {
        PageData page;
        const PgReadResult r = ScreenDataToObj(page, *f.env, m.Screens[i], 0, m.Screens[i].size(), false, &ScreenKind);
        Require(r.Ok());
        Bytes stored;
        const int n = PgRecordsChx(stored, 0, 1, nullptr, page.ObjList, encodeEnv);
        stored.resize(static_cast<std::size_t>(std::max(n, 0)));
        PageData readBack;
        Require(ScreenDataToObj(readBack, *f.env, stored, 0, stored.size(), false, &ScreenKind).Ok());
        Require(readBack.ObjList.size() == page.ObjList.size());
    }
}

} // namespace kes::fuzz
