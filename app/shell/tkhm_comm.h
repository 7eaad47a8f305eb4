#pragma once
// The main window's panel link: it owns the transfer engine over the window's port, the port
// preparation and the transfer commands, lends them what only the window has (model form,
// pages, image, menus, inspector, status bar) and connects the communication menu.
#include "app/comm/linkengine.h"
#include "app/comm/modemdialer.h"
#include "app/comm/projectlink.h"
#include "app/comm/ui/linkcommands.h"
#include "app/comm/ui/mainlinkhost.h"
#include "app/comm/ui/screenpictures.h"

#include <memory>

class TKhm;

namespace kes {

class PageData;

class MainCommLink {
public:
    explicit MainCommLink(TKhm& khm);
    MainCommLink(const MainCommLink&) = delete;
    MainCommLink& operator=(const MainCommLink&) = delete;

    LinkEngine& Engine() { return engine_; }
    LinkPreparer& Preparer() { return preparer_; }
    TransferCommands& Commands() { return commands_; }
    // The pictures the screen transfers send from now on: the main window's screen editor's
    // unless another is handed in (a test's); null: none, and those transfers can not be chosen.
    // pictures outlives its use.
    void UseScreenPictures(ScreenPictures* pictures) { pictures_ = pictures; }
    ModemDialer& Dialer() { return dialer_; }
    // One tick of the port's timer (55 ms): the reply time-out and the modem probe count in it.
    void SetTickMs(int ms);

    // The program is closing: a running transfer ends without a message, the port closes and
    // a port preparation still running starts nothing.
    void Stop();

    // MmComClick: the transfer items by edit mode (the screen transfers only while their
    // editors can draw them).
    void MmComClick();
    // Ask, then send the start-up screen (0xA1) or the user-menu pages (0xA0).
    void MmUserStartClick();
    void MmUserMenuClick();
    // The communication settings, with the port closed first.
    void MmComNumClick();
    // The panel port protocol dialog with its rewrite of the pages, the open page and the
    // inspector.
    void MmHMIProtoClick();
    // The modem dialler window (app/shell/tkhm_commwin.cpp).
    void MmModemSetClick();
    // Nothing else may use the port while the dialler works at a call (dialling, hanging up).
    bool PortInUse() const { return engine_.Busy() || preparer_.Busy() || dialer_.Busy(); }
    // The progress window of the transfer under way, null when none shows.
    TComProgBar* ProgressWindow() const { return host_.ProgressWindow.data(); }

private:
    MainLinkParts Parts();
    TransferCommandSteps Steps();
    void ShowProgressWindow();
    void CommitInspector();
    void RebuildUploadedProject(UploadResult& r);
    bool InspectorShown() const;
    PageData* ActivePage();

    TKhm& khm_;
    // The screen editor's pictures, and the pictures in use.
    std::unique_ptr<ScreenPictures> editorPictures_;
    ScreenPictures* pictures_;
    std::unique_ptr<UploadChecker> uploadChecker_; // the model data an upload is read with
    MainLinkHost host_;
    LinkEngine engine_;
    LinkPreparer preparer_;
    TransferCommands commands_;
    ModemDialer dialer_;
};

// The dialler's command (the key settings window of the keypad types, which opens the serial
// test display, is made by MainShellWindows::CreateKeySetting).
void InstallCommWindows(TKhm& khm, MainCommLink& link);

} // namespace kes
