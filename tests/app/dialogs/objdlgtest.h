#pragma once
// Shared by the tests of the object dialogs: an object's record as a saved page holds it (what
// a dialog must change only on an OK that passed every check), and OK run on a dialog with
// what it showed.
#include "../objrecord.h"
#include "dialogtest.h"

#include "app/dialogs/settingsdialog.h"
#include "decoder/pgrecstream.h"
#include "platform/bytes.h"

#include <string>

namespace kes::test {

class ObjDialogTest : public DialogTest {
protected:
    // OK that must pass: the dialog closed with its settings stored and the project modified.
    void ExpectStored(SettingsDialog& d)
    {
        const std::size_t shown = prompt.shown.size();
        d.OkBtnClick();
        EXPECT_EQ(d.result(), QDialog::Accepted) << ShownText();
        EXPECT_EQ(prompt.shown.size(), shown) << ShownText();
        EXPECT_EQ(state.Modified, 1);
        EXPECT_EQ(state.Compiled, 0);
    }
    // OK that must be refused with exactly one message: the text shown, the dialog still
    // open, the object's record and the project's flags unchanged.
    void ExpectRefused(SettingsDialog& d, TLxObj& obj, const QString& message)
    {
        const Bytes before = RecordOf(obj);
        const std::size_t shown = prompt.shown.size();
        state.Modified = 0;
        d.OkBtnClick();
        ASSERT_EQ(prompt.shown.size(), shown + 1) << ShownText();
        EXPECT_EQ(prompt.shown.back(), message) << ShownText();
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(RecordOf(obj), before);
        EXPECT_EQ(state.Modified, 0);
    }
    void ExpectRefused(SettingsDialog& d, TLxObj& obj, int msg) { ExpectRefused(d, obj, M(msg)); }
    // Cancel after the changes: the record byte for byte as it was and nothing shown.
    void ExpectCancelKeeps(SettingsDialog& d, TLxObj& obj, const Bytes& before)
    {
        const std::size_t shown = prompt.shown.size();
        d.CancelBtnClick();
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_EQ(RecordOf(obj), before);
        EXPECT_EQ(prompt.shown.size(), shown);
        EXPECT_EQ(state.Modified, 0);
    }
};

} // namespace kes::test
