#pragma once
// The program's start-up: the main window, the forms that live for the whole run, the splash
// and a project named on the command line.
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <string>

class TKhm;

namespace kes {

class ObjDialogFinder;
class ProjectDoc;
class Prompt;
class ScreenArea;

struct StartupOptions {
    QStringList arguments;   // the command line after the program name
    int splashMillis = 2000; // 0: no splash
    // What the main window asks the user through (a test's); null: the window's own message boxes.
    Prompt* prompt = nullptr;
    // Where the page windows find the object kinds' settings dialogs (a test's stand-ins); null:
    // the kind table.
    const ObjDialogFinder* dialogs = nullptr;
    // The screens the main window and its windows are fitted into (a test's screen); null: the
    // real screens.
    const ScreenArea* screen = nullptr;
};

// The whole command line as one path: the arguments joined by single blanks.
std::string CommandLinePath(const QStringList& arguments);

// What StartUp made: the main window, which the caller owns, and the splash while it is up.
struct Started {
    TKhm* window = nullptr;
    QPointer<QWidget> splash;
};

// Creates the main window over the program's project document doc (which outlives it), LxType
// and the splash (which removes itself after splashMillis without holding up anything, or goes
// with the window) and opens a project named on the command line. The caller shows the window
// and runs the event loop.
Started StartUp(ProjectDoc& doc, const StartupOptions& options);

// Deletes the forms StartUp created with window (tests; the program ends with its main window).
// A null window: nothing.
void ShutDown(TKhm* window);

} // namespace kes
