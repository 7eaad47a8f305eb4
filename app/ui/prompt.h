#pragma once
// The one seam for every modal question, message box and modal dialog run, so that tests can
// answer them without a user. A window of the program asks through the prompt it was handed;
// the program's is a WidgetPrompt of the main window (QMessageBox and QDialog::exec).
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace kes {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
// What a message with an OK button says: a notice, or a refusal or failure (a warning icon).
enum class MsgKind { Info, Error };

class Prompt {
public:
    virtual ~Prompt() = default;
    // A message box with the product name as its title; returns the button chosen
    // (closing the box counts as Cancel, or No where there is no Cancel, or Ok).
    // kind matters only to a message with an OK button alone; questions show a question icon.
    virtual Answer Message(const QString& text, Buttons buttons, MsgKind kind) = 0;
    // Runs a dialog modally and returns its result code (QDialog::Accepted = 1 for OK).
    virtual int Exec(QDialog* dialog) = 0;
};

// The prompt of a window: a message box is parented to the modal dialog in front, else to
// the window (none once the window is gone).
class WidgetPrompt : public Prompt {
public:
    explicit WidgetPrompt(QWidget* window);
    Answer Message(const QString& text, Buttons buttons, MsgKind kind) override;
    int Exec(QDialog* dialog) override;

private:
    QPointer<QWidget> window_;
};

// Shorthands over the prompt handed in.
Answer ShowMessage(Prompt& prompt, const QString& text, Buttons buttons = Buttons::Ok, MsgKind kind = MsgKind::Info);
// A refusal or failure with an OK button.
void ShowError(Prompt& prompt, const QString& text);
// Shows message n of the message table with an OK button: each one the commands show alone
// refuses something or reports a failure.
void ShowMsg(Prompt& prompt, int n);
// Shows, once, the problems noted in the files the program ships (language files, model data,
// device tables) since the last report (TakeFileProblems); nothing when there were none.
void ReportFileProblems(Prompt& prompt);
int ExecModal(Prompt& prompt, QDialog* dialog);

// A prompt for tests: answers are taken from a queue (Ok when empty) and every text shown
// is recorded; Exec hands the dialog to a callback, which fills and accepts or rejects it.
class ScriptedPrompt : public Prompt {
public:
    Answer Message(const QString& text, Buttons buttons, MsgKind kind) override;
    int Exec(QDialog* dialog) override;

    std::vector<Answer> answers;          // taken from the front
    std::vector<QString> shown;           // every message text, in order
    std::vector<MsgKind> kinds;           // the kind of each
    std::function<void(QDialog&)> onExec; // null: the dialog is rejected
    int execCount = 0;
};

} // namespace kes
