#pragma once
// Small pieces the communication dialogs share.
#include <QHBoxLayout>
#include <QPushButton>

namespace kes {

// A control under its component name.
template <class W> W* Component(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// The OK and Cancel buttons under their component names, right-aligned in a row.
inline QHBoxLayout* OkCancelRow(QWidget* form, QPushButton** ok, QPushButton** cancel)
{
    *ok = new QPushButton(QStringLiteral("OK"), form);
    (*ok)->setObjectName(QStringLiteral("Ok_Btn"));
    (*ok)->setDefault(true);
    *cancel = new QPushButton(QStringLiteral("Cancel"), form);
    (*cancel)->setObjectName(QStringLiteral("Cancel_Btn"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(*ok);
    row->addWidget(*cancel);
    return row;
}

} // namespace kes
