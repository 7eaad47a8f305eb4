#include "app/ui/commandpanel.h"

#include <QAction>

namespace kes {

void CommandPanel::SetItemChecked(const char* name, bool checked) const
{
    if (QAction* a = Action(name))
        a->setChecked(checked);
}

bool CommandPanel::ItemChecked(const char* name) const
{
    const QAction* a = Action(name);
    return a && a->isChecked();
}

} // namespace kes
