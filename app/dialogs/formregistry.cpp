#include "app/dialogs/formregistry.h"

#include "app/ui/prompt.h"

#include <QAction>
#include <QDialog>
#include <QString>

#include <map>
#include <memory>

namespace kes {
namespace {

// Not "kesForm": the caption translator takes an object carrying that as a form of its own and
// would pass over the marked menu items.
const char* const kFormProperty = "kesCommandForm";

std::map<std::string, FormMaker>& Registry()
{
    static std::map<std::string, FormMaker> registry;
    return registry;
}

} // namespace

void RegisterForm(const std::string& className, FormMaker make) { Registry()[className] = std::move(make); }

bool FormRegistered(const std::string& className)
{
    const auto it = Registry().find(className);
    return it != Registry().end() && it->second;
}

int RunForm(Prompt& prompt, const std::string& className, QWidget* owner, const QString* caption,
            const std::function<void(QDialog&)>& prepare)
{
    if (!FormRegistered(className))
        return -1;
    std::unique_ptr<QDialog> dialog(Registry()[className](owner));
    if (!dialog)
        return -1;
    if (caption)
        dialog->setWindowTitle(*caption);
    if (prepare)
        prepare(*dialog);
    return ExecModal(prompt, dialog.get());
}

void SetCommandForm(QAction* action, const std::string& className)
{
    if (action)
        action->setProperty(kFormProperty, QString::fromStdString(className));
}

bool CommandFormReady(const QAction* action)
{
    const QVariant form = action->property(kFormProperty);
    return !form.isValid() || FormRegistered(form.toString().toStdString());
}

} // namespace kes
