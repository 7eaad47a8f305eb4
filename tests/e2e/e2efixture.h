#pragma once
// Shared by the end-to-end tests: the started program driven as a user drives it (menu
// commands, the mouse on the page, each dialog's own controls by component name), with the
// dialogs a command opens answered by a callback. Set KES_E2E_SHOTS to a folder to keep a
// picture of each step.
#include "editortest.h"

#include "platform/bytes.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kes::test {

// A control of an open dialog by its component name; throws when there is none.
template <typename W> W& Control(QWidget& form, const char* name)
{
    W* w = form.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        throw std::runtime_error(std::string("no control ") + name + " on " + form.objectName().toStdString());
    return *w;
}

// Picks an item of a list box by its text, as a click in the open list does.
void Choose(QComboBox& box, const QString& text);
// Clears an edit and types the text into it.
void TypeInto(QLineEdit& edit, const QString& text);
void PushButton(QWidget& form, const char* button);
// Clicks radio button i of a radio group, as a user does.
void ClickItem(QWidget& form, const char* group, int i);

// The offset of the first record of the tag in one page's records (u16 tag, u16 length of the
// whole record, then its fields), or none.
std::optional<std::size_t> FindRecord(ByteSpan page, std::uint16_t tag);

// The caption keys of a form that no language file in dir holds (hints may be left out).
std::vector<std::string> MissingCaptions(QWidget& form, const std::string& dir);

class E2ETest : public EditorTest {
protected:
    void SetUp() override;

    // A picture of a window for the walk-through, when pictures are asked for.
    void Shot(QWidget& w, const char* name);
    // Runs a command of the main window whose dialog is answered by fill.
    void RunWithDialog(const char* command, const std::function<void(QDialog&)>& fill);
    // A file dialog answered with a path, as typed into its name field.
    std::function<void(QDialog&)> AnswerFile(const std::string& path, const char* shot);
    // A double click on the page: press, release, then the double click that opens the
    // settings, inside which the dialog runs; the last release goes to that dialog, as it
    // does for a user, so the page never sees it.
    void DoubleClickOn(QPoint p, const std::function<void(QDialog&)>& fill);
    // A new project: the sample controller and the panel model named, named by the user.
    void NewProjectNamed(const QString& name, const QString& model = QStringLiteral("LX-04"));
    // A dialog that another opens (the address picker of a settings dialog) is answered by
    // fill whenever it opens, without counting as the one a command or double click opened.
    void AnswerNested(const QString& form, std::function<void(QDialog&)> fill);
    // Saves the project as work/<name>.zqf, closes it (no question: it was saved) and opens
    // that file again; the two file dialogs are pictured as saveShot and openShot.
    void SaveCloseAndReopen(const std::string& name, const char* saveShot, const char* openShot);

private:
    // fill, counted (nested dialogs go to their own answers); a control it does not find
    // fails the test and closes the dialog.
    std::function<void(QDialog&)> Counted(const std::function<void(QDialog&)>& fill, int& runs);

    QString shots_;
    std::map<QString, std::function<void(QDialog&)>> nested_;
};

} // namespace kes::test
