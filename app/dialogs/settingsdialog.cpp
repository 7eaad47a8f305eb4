#include "app/dialogs/settingsdialog.h"

#include "app/model/projectstate.h"
#include "app/model/valrangetest.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace kes {

void DialogContext::MarkModified()
{
    State.Modified = 1;
    State.Compiled = 0;
}

SettingsDialog::SettingsDialog(DialogContext& ctx, QWidget* owner, const char* formName) : QDialog(owner), ctx_(ctx)
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

void SettingsDialog::ShowFailure(const Failure& f) const
{
    if (f.msg >= 0)
        ShowMsg(ctx_.Ask, f.msg);
    else
        ShowError(ctx_.Ask, f.text);
}

QLabel* SettingsDialog::NewLabel(QWidget* parent, const char* name, const QString& text)
{
    return kes::NewLabel(parent, name, text);
}

QLineEdit* SettingsDialog::NewEdit(QWidget* parent, const char* name) { return kes::NewEdit(parent, name); }

QComboBox* SettingsDialog::NewCombo(QWidget* parent, const char* name, const QStringList& items)
{
    return kes::NewCombo(parent, name, items);
}

QPushButton* SettingsDialog::NewButton(QWidget* parent, const char* name, const QString& text)
{
    return kes::NewButton(parent, name, text);
}

QCheckBox* SettingsDialog::NewCheck(QWidget* parent, const char* name, const QString& text)
{
    return kes::NewCheck(parent, name, text);
}

QRadioButton* SettingsDialog::NewRadio(QWidget* parent, const char* name, const QString& text)
{
    return kes::NewRadio(parent, name, text);
}

QGroupBox* SettingsDialog::NewGroup(QWidget* parent, const char* name, const QString& title)
{
    return kes::NewGroup(parent, name, title);
}

QGroupBox* SettingsDialog::NewRadioGroup(QWidget* parent, const char* name, const QString& title,
                                         const QStringList& items, const char* itemPrefix)
{
    return kes::NewRadioGroup(parent, name, title, items, itemPrefix);
}

QGroupBox* NewRadioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& items,
                         const char* itemPrefix, int columns)
{
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QLatin1String(name));
    SetComponentClass(g, "TRadioGroup");
    auto* lay = new QGridLayout(g);
    for (int i = 0; i < items.size(); ++i) {
        // The items translate with their group; their names only serve tests and scripts.
        auto* r = new QRadioButton(items[i], g);
        r->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(itemPrefix)).arg(i));
        SetComponentClass(r, "");
        lay->addWidget(r, i / std::max(columns, 1), i % std::max(columns, 1));
    }
    return g;
}

QComboBox* SettingsDialog::NewFixedCombo(QWidget* parent, const char* name, const QStringList& items)
{
    return kes::NewFixedCombo(parent, name, items);
}

QHBoxLayout* SettingsDialog::NewAddressRow(QWidget* parent, const char* editName, QLineEdit*& edit,
                                           const char* buttonName, QPushButton*& button)
{
    return kes::NewAddressRow(parent, editName, edit, buttonName, button);
}

QHBoxLayout* SettingsDialog::NewOkCancel(QPushButton*& ok, const char* okName, QPushButton*& cancel,
                                         const char* cancelName)
{
    ok = NewButton(this, okName, QStringLiteral("OK"));
    ok->setDefault(true);
    cancel = NewButton(this, cancelName, QStringLiteral("Cancel"));
    OnClicked(ok, [this] { OkBtnClick(); });
    OnClicked(cancel, [this] { CancelBtnClick(); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void SettingsDialog::OnActivated(QComboBox* box, std::function<void()> handler)
{
    QObject::connect(box, &QComboBox::activated, this, [h = std::move(handler)] { h(); });
}

void SettingsDialog::OnClicked(QAbstractButton* button, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, this, [h = std::move(handler)] { h(); });
}

Failure FailNumbered(int head, int n, int tail, const QString& sep)
{
    return FailText(Msg(head) + sep + QString::number(n) + sep + Msg(tail));
}

QStringList FrameItems() { return {"No Frame", "Single Line", "Double Line", "Thick", "Dashed", "Dotted"}; }

QStringList FontItems() { return {"5x8", "8x8", "8x12", "8x16"}; }

QStringList HPosItems() { return {"Left", "Right", "Centre"}; }

QStringList VPosItems() { return {"Top", "Bottom", "Middle"}; }

QStringList ValTypeItems() { return {"Unsigned", "Signed", "Hexadecimal", "BCD"}; }

QStringList ValLenItems() { return {"16 bits", "32 bits"}; }

QStringList NumberItems(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
}

QGridLayout* LabelledRows(std::initializer_list<std::pair<QWidget*, QWidget*>> rows)
{
    auto* grid = new QGridLayout;
    for (const auto& [label, field] : rows)
        AddRow(grid, label, field);
    return grid;
}

QWidget* RadioRow(QWidget* parent, std::initializer_list<QRadioButton*> radios)
{
    auto* row = new QWidget(parent);
    auto* lay = new QHBoxLayout(row);
    lay->setContentsMargins(0, 0, 0, 0);
    for (QRadioButton* r : radios)
        lay->addWidget(r);
    lay->addStretch();
    return row;
}

QHBoxLayout* RowOf(std::initializer_list<QWidget*> widgets, bool right)
{
    auto* row = new QHBoxLayout;
    if (right)
        row->addStretch();
    for (QWidget* w : widgets)
        row->addWidget(w);
    if (!right)
        row->addStretch();
    return row;
}

void AddRow(QGridLayout* grid, QWidget* label, QWidget* field)
{
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
}

std::optional<int> IntOfText(const QString& text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* w : widgets)
        w->setEnabled(enabled);
}

void SetVisible(std::initializer_list<QWidget*> widgets, bool visible)
{
    for (QWidget* w : widgets)
        w->setVisible(visible);
}

QString ValueQText(std::uint32_t value, int format, int len)
{
    return QString::fromStdString(ValueToText(value, format, len == 1));
}

std::string TrimmedAnsi(const QLineEdit* edit) { return QStringToAnsi(edit->text().trimmed()); }

namespace {

// Hears an edit for WatchEdit; a child of the edit, so it goes with it.
class EditWatcher : public QObject {
public:
    EditWatcher(QLineEdit* edit, EditHooks hooks) : QObject(edit), hooks_(std::move(hooks))
    {
        edit->installEventFilter(this);
        if (hooks_.keyUp)
            QObject::connect(edit, &QLineEdit::textEdited, this, [this] { hooks_.keyUp(0); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (hooks_.keyUp && (key == Qt::Key_Up || key == Qt::Key_Down)) {
                hooks_.keyUp(key);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (hooks_.dblClick) {
                hooks_.dblClick();
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (hooks_.mouseUp)
                hooks_.mouseUp();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    EditHooks hooks_;
};

} // namespace

void WatchEdit(QLineEdit* edit, EditHooks hooks) { new EditWatcher(edit, std::move(hooks)); }

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

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QLabel(text, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit* NewEdit(QWidget* parent, const char* name)
{
    auto* w = new QLineEdit(parent);
    w->setObjectName(QLatin1String(name));
    // Edits carry no hints: nothing of theirs is translated.
    SetComponentClass(w, "");
    return w;
}

QComboBox* NewCombo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* w = new QComboBox(parent);
    w->setObjectName(QLatin1String(name));
    w->addItems(items);
    w->setCurrentIndex(-1);
    return w;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QPushButton(text, parent);
    w->setObjectName(QLatin1String(name));
    w->setAutoDefault(false);
    return w;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QCheckBox(text, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QRadioButton* NewRadio(QWidget* parent, const char* name, const QString& text)
{
    auto* w = new QRadioButton(text, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title)
{
    auto* w = new QGroupBox(title, parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QComboBox* NewFixedCombo(QWidget* parent, const char* name, const QStringList& items)
{
    QComboBox* w = NewCombo(parent, name, items);
    SetComponentClass(w, "");
    return w;
}

QHBoxLayout* NewAddressRow(QWidget* parent, const char* editName, QLineEdit*& edit, const char* buttonName,
                           QPushButton*& button)
{
    edit = NewEdit(parent, editName);
    button = NewButton(parent, buttonName, QStringLiteral("..."));
    button->setFixedWidth(28);
    SetComponentClass(button, "");
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    return row;
}

} // namespace kes
