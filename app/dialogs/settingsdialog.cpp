#include "app/dialogs/settingsdialog.h"

#include "app/model/projectstate.h"
#include "app/model/valrangetest.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kes {

void DialogContext::MarkModified()
{
    State.Modified = 1;
    State.Compiled = 0;
}

SettingsDialog::SettingsDialog(DialogContext& ctx, QWidget* owner, const char* formName)
    : QDialog(owner), ctx_(ctx)
{
    setObjectName(QLatin1String(formName));
    setModal(true);
}

void SettingsDialog::SetCaption(const QString& caption)
{
    caption_ = caption;
    setWindowTitle(caption);
}

void SettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void SettingsDialog::FormShow()
{
    TranslateForm(this, ctx_.State.LangIndex);
    if (!caption_.isEmpty())
        setWindowTitle(caption_);
    LoadFields();
}

void SettingsDialog::OkBtnClick()
{
    if (const Check f = Validate()) {
        ShowFailure(*f);
        return;
    }
    Store();
    ctx_.MarkModified();
    accept();
}

QString SettingsDialog::Msg(int n) { return kes::Msg(n); }

void SettingsDialog::ShowFailure(const Failure& f)
{
    if (f.msg >= 0)
        ShowMsg(f.msg);
    else
        ShowMessage(f.text);
}

QLabel* SettingsDialog::NewLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QLabel(text, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit* SettingsDialog::NewEdit(QWidget* parent, const char* name)
{
    auto* w = new QLineEdit(parent);
    w->setObjectName(QLatin1String(name));
    // Edits carry no hints: nothing of theirs is translated.
    SetComponentClass(w, "");
    return w;
}

QComboBox* SettingsDialog::NewCombo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* w = new QComboBox(parent);
    w->setObjectName(QLatin1String(name));
    w->addItems(items);
    w->setCurrentIndex(-1);
    return w;
}

QPushButton* SettingsDialog::NewButton(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QPushButton(text, parent);
    w->setObjectName(QLatin1String(name));
    w->setAutoDefault(false);
    return w;
}

QCheckBox* SettingsDialog::NewCheck(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QCheckBox(text, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QRadioButton* SettingsDialog::NewRadio(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QRadioButton(text, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QGroupBox* SettingsDialog::NewGroup(QWidget* parent, const char* name, const QString& title)
{
    auto* w = new QGroupBox(title, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QGroupBox* SettingsDialog::NewRadioGroup(QWidget* parent, const char* name, const QString& title,
                                         const QStringList& items, const char* itemPrefix)
{
    QGroupBox* g = NewGroup(parent, name, title);
    SetComponentClass(g, "TRadioGroup");
    auto* lay = new QVBoxLayout(g);
    for (int i = 0; i < items.size(); ++i) {
        // The items translate with their group; their names only serve tests and scripts.
        auto* r = new QRadioButton(items[i], g);
        r->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(itemPrefix)).arg(i));
        SetComponentClass(r, "");
        lay->addWidget(r);
    }
    return g;
}

void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* w : widgets)
        w->setEnabled(enabled);
}

bool ValueInRange(const QString& text, int type, int len)
{
    return ValRangeTest(QStringToAnsi(text), type < 0 ? 0 : type, len < 0 ? 0 : len);
}

int RadioGroupIndex(const QGroupBox* group)
{
    const QList<QRadioButton*> items = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

void SetRadioGroupIndex(QGroupBox* group, int index)
{
    const QList<QRadioButton*> items = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    if (index >= 0 && index < items.size())
        items[index]->setChecked(true);
}

} // namespace kes
