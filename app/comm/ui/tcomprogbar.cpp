#include "app/comm/ui/tcomprogbar.h"

#include "app/ui/translate.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

TComProgBar::TComProgBar(QWidget* owner, TComProgBarLock lock, int langIndex)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      lock_(std::move(lock)), langIndex_(langIndex)
{
    setObjectName(QStringLiteral("ComProgBar"));
    setAttribute(Qt::WA_DeleteOnClose);
    ComBar = new QProgressBar(this);
    ComBar->setObjectName(QStringLiteral("ComBar"));
    ComBar->setRange(0, 100);
    ComBar->setValue(0);
    ComBar->setTextVisible(false);
    Ratio_Lab = new QLabel(this);
    Ratio_Lab->setObjectName(QStringLiteral("Ratio_Lab"));
    Ratio_Lab->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ComBar);
    layout->addWidget(Ratio_Lab);
    setMinimumWidth(320);
}

void TComProgBar::showEvent(QShowEvent* e)
{
    FormShow();
    if (QWidget* owner = parentWidget())
        move(owner->frameGeometry().center() - rect().center());
    QDialog::showEvent(e);
}

void TComProgBar::closeEvent(QCloseEvent* e)
{
    FormClose();
    QDialog::closeEvent(e);
}

void TComProgBar::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape)
        e->accept();
    else
        QDialog::keyPressEvent(e);
}

void TComProgBar::FormShow()
{
    TranslateForm(this, langIndex_);
    if (locked_)
        return;
    locked_ = true;
    menuEnabled_.clear();
    barEnabled_.clear();
    for (const QPointer<QAction>& a : lock_.menus) {
        menuEnabled_.push_back(a && a->isEnabled());
        if (a)
            a->setEnabled(false);
    }
    for (const QPointer<QWidget>& w : lock_.toolBars) {
        barEnabled_.push_back(w && w->isEnabled());
        if (w)
            w->setEnabled(false);
    }
}

void TComProgBar::FormClose()
{
    if (!locked_)
        return;
    locked_ = false;
    for (std::size_t i = 0; i < lock_.menus.size(); ++i)
        if (lock_.menus[i])
            lock_.menus[i]->setEnabled(menuEnabled_[i]);
    for (std::size_t i = 0; i < lock_.toolBars.size(); ++i)
        if (lock_.toolBars[i])
            lock_.toolBars[i]->setEnabled(barEnabled_[i]);
}

void TComProgBar::ShowProgress(int position, int maximum, const QString& ratio)
{
    if (ComBar->maximum() != maximum)
        ComBar->setRange(0, maximum);
    ComBar->setValue(std::min(position, maximum));
    Ratio_Lab->setText(ratio);
}
