#pragma once
// The page and system settings dialogs of other subsystems, found by their form class name
// ("TPgJump", "TFunKeySet", "TSysSet"). The subsystem that builds a dialog registers how to
// create it; the page window's and the main window's commands create it through here, run it
// modally and free it. While a dialog is not registered its command does nothing.
#include <QString>

#include <functional>
#include <string>

class QAction;
class QDialog;
class QWidget;

namespace kes {

class Prompt;

// Creates the dialog with owner; it reads what it edits (the current page's current object,
// the page's or the system's records by EditScope) when it is shown.
using FormMaker = std::function<QDialog*(QWidget* owner)>;

void RegisterForm(const std::string& className, FormMaker make);
bool FormRegistered(const std::string& className);
// Creates the dialog, gives it the caption when one is given, runs it modally through prompt
// and deletes it. prepare runs before it is shown. Returns the dialog's result,
// or -1 when no dialog of that name is registered.
int RunForm(Prompt& prompt, const std::string& className, QWidget* owner, const QString* caption = nullptr,
            const std::function<void(QDialog&)>& prepare = {});

// Marks a command that does nothing but open the dialog of className, so that it can be
// chosen only while that dialog is registered.
void SetCommandForm(QAction* action, const std::string& className);
// False for a command so marked whose dialog is not registered; true for any other.
bool CommandFormReady(const QAction* action);

} // namespace kes
