#include "app/editor/formregistry.h"

#include "app/shell/prompt.h"

#include <QDialog>
#include <QString>

#include <map>
#include <memory>

namespace kes {
namespace {

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

int RunForm(const std::string& className, QWidget* owner, const QString* caption,
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
    return ExecModal(dialog.get());
}

} // namespace kes
