// The clipboard paste as a fuzz target, shared by the libFuzzer build and the corpus replay.
#include "fuzz/clipboard_target.h"
#include "fuzz/require.h"
#include "fuzz/storedobjects.h"

#include "app/editor/editclip.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/model/lxtypecore.h"
#include "app/project/memimage.h"
#include "app/project/pgread.h"
#include "app/project/projectdoc.h"
#include "app/ui/prompt.h"
#include "decoder/morvik.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QDialog>

#include <dlfcn.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace kes::fuzz {

namespace {

// Questions get the input's answer, messages are seen and dismissed, dialogs cancelled.
struct Answers : Prompt {
    Answer yesNo = Answer::No;

    Answer Message(const QString&, Buttons buttons, MsgKind) override
    {
        return buttons == Buttons::YesNo ? yesNo : Answer::Ok;
    }
    int Exec(QDialog*) override { return QDialog::Rejected; }
};

// A page window's host without the main window: the project and the model alone.
struct World : PageHost {
    ProjectDoc doc;
    std::unique_ptr<LxTypeCore> model;
    Answers prompt;

    ProjectDoc& Doc() override { return doc; }
    ViewState& View() override { return view; }
    Prompt& Ask() override { return prompt; }
    LxTypeCore* Model() const override { return model.get(); }
    ViewState view;
};

World* g_world = nullptr;

// An empty project: one empty page and an empty start-up screen, nothing stored yet.
void FreshProject(World& w)
{
    w.doc.PgDataList.clear();
    w.doc.PgDataList.push_back(std::make_unique<PgDataStr>());
    w.doc.StartScreenData = std::make_unique<PgDataStr>();
    w.doc.ResetSystemRecords();
    ResetMemoryImage(w.doc);
    w.doc.Modified = 0;
}

// Pastes, then checks what the paste left against its undo step; before: the window's
// snapshots before each paste that recorded a step.
void PasteChecked(TEditPage& win, const std::function<void()>& paste, std::vector<Bytes>& before)
{
    const UndoSnap was = win.UndoSnapshot();
    const std::size_t steps = win.UndoList().size();
    paste();
    if (win.UndoList().size() == steps) {
        Require(win.UndoSnapshot().Data == was.Data);
        return;
    }
    Require(win.UndoList().size() == steps + 1);
    before.push_back(was.Data);
}

// Every recorded step undone in turn brings back the window as it was before its paste.
void UndoAll(TEditPage& win, std::vector<Bytes>& before)
{
    while (!before.empty()) {
        win.UndoStep();
        Require(win.UndoSnapshot().Data == before.back());
        before.pop_back();
    }
}

void PasteOnPage(World& w, const Bytes& block, bool whole, int times, int zoom)
{
    w.view.EditMode = kes::Editing::Pages;
    PageEditor editor(w, nullptr);
    editor.LoadPageWindow(0);
    THmPage* page = editor.OpenPageOf(0);
    Require(page != nullptr);
    editor.SetPageZoom(page, zoom);
    PutOnClipboard(whole ? w.ClipFmtPage() : w.ClipFmtObjects(), block);
    std::vector<Bytes> before;
    for (int i = 0; i < times; ++i)
        PasteChecked(
            *page, [&] { whole ? page->MmPasteAllClick() : page->PopPasteClick(); }, before);

    // What the page holds stores (a paste never leaves an object too long to store) and
    // reads back whole.
    Require(page->PgDataSave() >= 0);
    const Bytes& stored = w.doc.PgDataList[0]->Data;
    PageData again;
    again.Zoom = page->Data().Zoom;
    again.GridWidth = page->Data().GridWidth;
    const PageEnv env(w.doc, *w.model);
    Require(PgDataToObj(again, env, stored, 0, stored.size()).Ok());
    Require(again.ObjList.size() == StoredObjects(page->Data()));
    UndoAll(*page, before);
}

void PasteOnStartScreen(World& w, const Bytes& block, int times, int zoom)
{
    w.view.EditMode = kes::Editing::StartScreen;
    TImagePage screen(w, -1);
    screen.PgSetZoom(zoom);
    PutOnClipboard(w.ClipFmtObjects(), block);
    std::vector<Bytes> before;
    for (int i = 0; i < times; ++i)
        PasteChecked(
            screen, [&] { screen.PopPasteClick(); }, before);

    Require(screen.PgDataSave() >= 0);
    const Bytes& stored = w.doc.StartScreenData->Data;
    PageData again;
    const PageEnv env(w.doc, *w.model);
    Require(ScreenDataToObj(again, env, stored, 0, stored.size(), false, &TImagePage::ScreenKind).Ok());
    Require(again.ObjList.size() == StoredObjects(screen.Data()));
    UndoAll(screen, before);
}

} // namespace

void ClipboardSetup(const std::string& programDir)
{
    if (g_world)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes on every window would drown the fuzzer's own output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type == QtFatalMsg)
            std::abort();
    });
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "clipboard";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    SetAppDir(programDir);
    // Held for the whole run, as the page walk target does: the fuzzer keeps reading the
    // coverage counters of a library once it has seen it loaded.
    dlopen((programDir + kMorvikFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    g_world = new World;
    World& w = *g_world;
    w.doc.AppDir = programDir;
    w.model = std::make_unique<LxTypeCore>(w.doc);
    w.model->LoadModelList();
    w.model->LoadMachineList();
    w.doc.MachineId = 87;
    w.doc.PanelModelIndex = 0;
    w.model->SelectMachine();
    w.model->LoadModelData();
}

void ClipboardOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!g_world || size < 1)
        return;
    World& w = *g_world;
    const std::uint8_t mode = data[0];
    const Bytes block(data + 1, data + size);
    const int times = (mode & 0x04) ? 2 : 1;
    const int zoom = 1 << ((mode >> 4) & 3);
    w.prompt.yesNo = (mode & 0x08) ? Answer::Yes : Answer::No;
    FreshProject(w);
    switch (mode & 0x03) {
    case 1:
        PasteOnPage(w, block, true, times, zoom);
        break;
    case 2:
        PasteOnStartScreen(w, block, times, zoom);
        break;
    default:
        PasteOnPage(w, block, false, times, zoom);
        break;
    }
    // What the windows left to the event loop (updates, deferred deletes) goes now, as it
    // would in the running program; kept, it would pile up from input to input.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace kes::fuzz
