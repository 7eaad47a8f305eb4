#include "app/dialogs/updown.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kes {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent)
{
    UpBtn = new QToolButton(this);
    UpBtn->setArrowType(Qt::UpArrow);
    DownBtn = new QToolButton(this);
    DownBtn->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {UpBtn, DownBtn}) {
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addWidget(UpBtn);
    lay->addWidget(DownBtn);
    QObject::connect(UpBtn, &QToolButton::clicked, this, [this] { Click(true); });
    QObject::connect(DownBtn, &QToolButton::clicked, this, [this] { Click(false); });
}

void TUpDown::Click(bool up)
{
    if (up && Position < Max)
        ++Position;
    else if (!up && Position > Min)
        --Position;
    if (OnClick)
        OnClick(up);
}

} // namespace kes
