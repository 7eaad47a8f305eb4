#include "app/ui/prompt.h"

#include "app/ui/msgtable.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <map>
#include <utility>

namespace kes {
namespace {

constexpr int kMsgFilesDamaged = 488; // "Some files the program reads are damaged or missing; ..."

// A message box of the product over parent.
Answer AskWithBox(QWidget* parent, const QString& text, Buttons buttons, MsgKind kind)
{
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    QMessageBox::Icon icon = kind == MsgKind::Error ? QMessageBox::Warning : QMessageBox::Information;
    switch (buttons) {
    case Buttons::Ok:
        break;
    case Buttons::OkCancel:
        set = QMessageBox::Ok | QMessageBox::Cancel;
        icon = QMessageBox::Question;
        break;
    case Buttons::YesNo:
        set = QMessageBox::Yes | QMessageBox::No;
        icon = QMessageBox::Question;
        break;
    case Buttons::YesNoCancel:
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox box(icon, QApplication::applicationName(), text, set, parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        // Closed with the window button or Escape.
        if (buttons == Buttons::YesNo)
            return Answer::No;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

// A message goes over the modal dialog in front, else over the window.
QWidget* ParentOver(QWidget* window)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return window;
}

} // namespace

WidgetPrompt::WidgetPrompt(QWidget* window) : window_(window) {}

Answer WidgetPrompt::Message(const QString& text, Buttons buttons, MsgKind kind)
{
    return AskWithBox(ParentOver(window_.data()), text, buttons, kind);
}

int WidgetPrompt::Exec(QDialog* dialog) { return dialog->exec(); }

Answer ShowMessage(Prompt& prompt, const QString& text, Buttons buttons, MsgKind kind)
{
    return prompt.Message(text, buttons, kind);
}

void ShowError(Prompt& prompt, const QString& text) { prompt.Message(text, Buttons::Ok, MsgKind::Error); }

void ShowMsg(Prompt& prompt, int n) { ShowError(prompt, Msg(n)); }

int ExecModal(Prompt& prompt, QDialog* dialog) { return prompt.Exec(dialog); }

Answer ScriptedPrompt::Message(const QString& text, Buttons, MsgKind kind)
{
    shown.push_back(text);
    kinds.push_back(kind);
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

void ReportFileProblems(Prompt& prompt)
{
    const std::vector<NotedProblem> problems = TakeFileProblems();
    if (problems.empty())
        return;
    // One line per file: its first problem and how many more.
    std::vector<std::pair<QString, int>> lines;
    std::map<std::string, std::size_t> lineOf;
    for (const NotedProblem& p : problems) {
        const auto [it, added] = lineOf.try_emplace(p.File, lines.size());
        if (added)
            lines.emplace_back(p.Text, 0);
        else
            ++lines[it->second].second;
    }
    QString text = Msg(kMsgFilesDamaged);
    for (const auto& [first, more] : lines) {
        text += QStringLiteral("\n") + first;
        if (more > 0)
            text += QStringLiteral(" (+%1)").arg(more);
    }
    ShowError(prompt, text);
}

} // namespace kes
