#include "app/ui/prompt.h"

#include "app/ui/msgtable.h"
#include "app/ui/translate.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace kes {
namespace {

class WidgetPrompt : public Prompt {
public:
    Answer Message(QWidget* parent, const QString& text, Buttons buttons) override
    {
        QMessageBox::StandardButtons set = QMessageBox::Ok;
        QMessageBox::Icon icon = QMessageBox::Information;
        switch (buttons) {
        case Buttons::Ok: break;
        case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; icon = QMessageBox::Question; break;
        case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; icon = QMessageBox::Question; break;
        case Buttons::YesNoCancel:
            set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            icon = QMessageBox::Question;
            break;
        }
        QMessageBox box(icon, QApplication::applicationName(), text, set, parent);
        switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Ok: return Answer::Ok;
        default:
            // Closed with the window button or Escape.
            if (buttons == Buttons::YesNo)
                return Answer::No;
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        }
    }

    int Exec(QDialog* dialog) override { return dialog->exec(); }
};

Prompt* g_prompt = nullptr;

QWidget* PromptParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return MainForm();
}

} // namespace

Prompt& CurrentPrompt()
{
    static WidgetPrompt widgets;
    return g_prompt ? *g_prompt : widgets;
}

void SetPrompt(Prompt* prompt) { g_prompt = prompt; }

Answer ShowMessage(const QString& text, Buttons buttons)
{
    return CurrentPrompt().Message(PromptParent(), text, buttons);
}

void ShowMsg(int n) { ShowMessage(Msg(n)); }

int ExecModal(QDialog* dialog) { return CurrentPrompt().Exec(dialog); }

Answer ScriptedPrompt::Message(QWidget*, const QString& text, Buttons)
{
    shown.push_back(text);
    if (answers.empty())
        return Answer::Ok;
    Answer a = answers.front();
    answers.erase(answers.begin());
    return a;
}

int ScriptedPrompt::Exec(QDialog* dialog)
{
    ++execCount;
    dialog->setResult(QDialog::Rejected);
    // Shown (offscreen in tests) so that the dialog's show handling runs as under exec().
    dialog->show();
    if (onExec)
        onExec(*dialog);
    else
        dialog->reject();
    dialog->hide();
    return dialog->result();
}

} // namespace kes
