#pragma once
// The page and system settings dialogs of other subsystems, found by their form class name
// ("TPgJump", "TFunKeySet", "TSysSet"). The main window holds the runner and the subsystem that
// builds a dialog registers in it how to create it; the page windows' commands (through their
// host) and the main window's create the dialog through it, run it modally and free it. While a
// dialog is not registered its command does nothing and can not be chosen.
#include <QString>

#include <functional>
#include <map>
#include <string>

class QAction;
class QDialog;
class QWidget;

namespace kes {

class Prompt;

// Creates the dialog with owner; it reads what it edits (the current page's current object,
// the page's or the system's records by EditScope) when it is shown.
using FormMaker = std::function<QDialog*(QWidget* owner)>;

class FormRunner {
public:
    // An empty maker takes the dialog out again.
    void Register(const std::string& className, FormMaker make);
    bool Registered(const std::string& className) const;
    // Creates the dialog, gives it the caption when one is given, runs it modally through prompt
    // and deletes it. prepare runs before it is shown. Returns the dialog's result, or -1 when no
    // dialog of that name is registered.
    int Run(Prompt& prompt, const std::string& className, QWidget* owner, const QString* caption = nullptr,
            const std::function<void(QDialog&)>& prepare = {}) const;
    // False for a command marked by SetCommandForm whose dialog is not registered here; true for
    // any other.
    bool CommandReady(const QAction* action) const;

private:
    std::map<std::string, FormMaker> makers_;
};

// Marks a command that does nothing but open the dialog of className, so that it can be
// chosen only while a runner holds that dialog.
void SetCommandForm(QAction* action, const std::string& className);

} // namespace kes
