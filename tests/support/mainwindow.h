#pragma once
// The main window a test started: tests start and end it here and reach it through Main(),
// as the program holds it in main(). For tests that link the shell.
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"

#include <QPointer>

namespace kes::test {

// The window the test started; it owns it. Null before a start and once the window is gone.
inline QPointer<TKhm>& StartedWindow()
{
    static QPointer<TKhm> window;
    return window;
}

inline TKhm* Main() { return StartedWindow().data(); }

// StartUp for a test: keeps the window for Main(); returns the splash while it is up.
inline QPointer<QWidget> StartMain(ProjectDoc& doc, const StartupOptions& options)
{
    Started started = StartUp(doc, options);
    StartedWindow() = started.window;
    return started.splash;
}

// ShutDown of the window the test started (nothing once it is gone).
inline void ShutDownMain() { ShutDown(Main()); }

} // namespace kes::test
