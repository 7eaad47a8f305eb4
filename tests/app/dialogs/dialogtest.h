#pragma once
// Shared by the dialog tests: a project state, a small controller table and a page without
// a window, the shipped language files of the build's program folder, and a scripted prompt
// that records every message box and answers nested dialogs.
//
// The controller table: M0..M999 bits (code 0x3000 + n), D0..D999 16-bit words (0x1000 + n),
// C0..C199 16-bit words (0x1200 + n) and C200..C255 32-bit-only words (0x1300 + 2(n - 200)).
#include "app/dialogs/dialogcontext.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "app/ui/prompt.h"

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kes::test {

class DialogTest : public ::testing::Test {
protected:
    DialogTest();
    ~DialogTest() override;

    // Message n of the English table.
    static QString M(int n);
    // The messages shown so far, and a readable list of them for failure output.
    const std::vector<QString>& Shown() const { return prompt.shown; }
    std::string ShownText() const;
    // The n of every shown text that is exactly message n (others as -1).
    std::vector<int> ShownNumbers() const;

    // A control of a dialog by its component name; fails the test when there is none.
    template <class W> W* C(QWidget* form, const char* name)
    {
        W* w = FindChild<W>(form, name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // The nested dialog runs: each is handed to the callback of its form name.
    void OnExec(const std::string& formName, std::function<void(QDialog&)> run);

    ScriptedPrompt prompt;
    ProjectState state;
    LxTypeCore model;
    PageData page;
    DialogContext ctx;

private:
    template <class W> static W* FindChild(QWidget* form, const char* name);

    std::string savedAppDir_;
    std::vector<std::pair<std::string, std::function<void(QDialog&)>>> runs_;
};

template <class W> W* DialogTest::FindChild(QWidget* form, const char* name)
{
    return form->findChild<W*>(QString::fromLatin1(name));
}

} // namespace kes::test
