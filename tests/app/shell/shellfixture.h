#pragma once
// A program folder of its own for each test: the shipped data files copied into a temporary
// folder that becomes AppDir, so tests read and write Lxe.ini, Loc.ini and the language files
// without touching the build's program folder.
#include "app/project/projectdoc.h"
#include "app/ui/prompt.h"
#include "app/ui/screenfit.h"
#include "mainwindow.h"

#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kes {
class ObjDialogFinder;
} // namespace kes

namespace kes::test {

class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The folder with a trailing '/'.
    std::string Dir() const { return dir_; }
    std::string Path(const std::string& name) const { return dir_ + name; }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;

    // Answers what a window the test starts asks (handed to it as StartupOptions::prompt).
    ScriptedPrompt prompt;
    // The screen's available area the windows are fitted to: a common desktop's, whatever the
    // offscreen platform has. Handed to the windows the tests start (StartupOptions::screen),
    // which fit into what it holds then: tests may set another, before a start or after it.
    static constexpr QRect kDesktop{0, 0, 1920, 1080};
    ScreenArea screen{kDesktop};

    // The program's project document for the next StartUp: a new one each time, as each run
    // of the program has its own. It lives until the fixture ends, after the window.
    ProjectDoc& NewDoc();

private:
    std::unique_ptr<ProjectDoc> doc_;
    QTemporaryDir temp_;
    std::string dir_;
    std::string savedAppDir_;
};

// The same with the program started in it (no splash): the main window (Main()) and its model form
// (Main()->LxType) exist.
class StartedShell : public ShellFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // What the started window asks the user through: prompt, unless a test hands it another
    // before SetUp.
    Prompt* asks = &prompt;
    // Where the started window finds the object kinds' dialogs: the kind table, unless a test
    // hands its stand-ins before SetUp.
    const ObjDialogFinder* dialogs = nullptr;
};

} // namespace kes::test
