#pragma once
// Tests reach a form the program made and owns by its objectName, the way a user finds it on
// the screen: nothing in the program keeps a global pointer to it.
#include <QApplication>
#include <QString>
#include <QWidget>

namespace kes::test {

// The living widget of class T named name (the first one Qt lists); null when there is none.
template <class T = QWidget> T* FindForm(const QString& name)
{
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == name)
            if (auto* form = dynamic_cast<T*>(w))
                return form;
    return nullptr;
}

} // namespace kes::test
