#include "app/dialogs/formrunner.h"

#include "app/ui/prompt.h"

#include <QAction>
#include <QDialog>
#include <QString>

#include <memory>

namespace kes {
namespace {

// Not "kesForm": the caption translator takes an object carrying that as a form of its own and
// would pass over the marked menu items.
const char* const kFormProperty = "kesCommandForm";

} // namespace

void FormRunner::Register(const std::string& className, FormMaker make) { makers_[className] = std::move(make); }

bool FormRunner::Registered(const std::string& className) const
{
    const auto it = makers_.find(className);
    return it != makers_.end() && it->second;
}

int FormRunner::Run(Prompt& prompt, const std::string& className, QWidget* owner, const QString* caption,
                    const std::function<void(QDialog&)>& prepare) const
{
    if (!Registered(className))
        return -1;
    std::unique_ptr<QDialog> dialog(makers_.at(className)(owner));
    if (!dialog)
        return -1;
    if (caption)
        dialog->setWindowTitle(*caption);
    if (prepare)
        prepare(*dialog);
    return ExecModal(prompt, dialog.get());
}

bool FormRunner::CommandReady(const QAction* action) const
{
    const QVariant form = action->property(kFormProperty);
    return !form.isValid() || Registered(form.toString().toStdString());
}

void SetCommandForm(QAction* action, const std::string& className)
{
    if (action)
        action->setProperty(kFormProperty, QString::fromStdString(className));
}

} // namespace kes
