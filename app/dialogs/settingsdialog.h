#pragma once
// The frame every settings dialog is built on: when it is shown it translates its captions
// and loads its fields into the controls (LoadFields); OK checks the fields in the dialog's
// order and stops at the first failure with one message (Validate), and only when every
// check passed writes the fields back (Store), marks the project modified and closes.
// Nothing reaches the edited object or record before that: Cancel leaves it as it was.
#include "app/dialogs/dialogcontext.h"
#include "app/ui/named.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kes {

// The first failing check of an OK: a message of the table, or a text composed of messages.
struct Failure {
    int msg = -1;
    QString text;
};
inline Failure FailMsg(int n) { return Failure{n, {}}; }
inline Failure FailText(const QString& text) { return Failure{-1, text}; }
using Check = std::optional<Failure>;
// A failure naming a number between two messages: head, sep, n, sep, tail ("State 3 Setting
// Error!!").
Failure FailNumbered(int head, int n, int tail, const QString& sep = QStringLiteral(" "));

// Items of the boxes several dialogs share, in stored-index order.
QStringList FrameItems();   // frame styles 0..5
QStringList FontItems();    // panel fonts 0..3
QStringList HPosItems();    // left, right, centre
QStringList VPosItems();    // top, bottom, middle
QStringList ValTypeItems(); // unsigned, signed, hexadecimal, BCD (value formats 0..3)
QStringList ValLenItems();  // 16 bits, 32 bits
QStringList NumberItems(int from, int to);

class SettingsDialog : public QDialog {
public:
    SettingsDialog(DialogContext& ctx, QWidget* owner, const char* formName);

    DialogContext& Ctx() const { return ctx_; }

    // The caption the opener gives (a tool button hint or a menu caption); it stands over
    // the translated one.
    void SetCaption(const QString& caption);

    // Translates the captions and loads the fields; runs when the dialog is first shown.
    void FormShow();
    // Checks, stores, marks modified and closes; on a failure shows its message and stays.
    void OkBtnClick();
    void CancelBtnClick() { reject(); }

    // Message n of the table in force.
    static QString Msg(int n);
    void ShowFailure(const Failure& f) const;

protected:
    virtual void LoadFields() = 0;
    virtual Check Validate() = 0;
    virtual void Store() = 0;

    void showEvent(QShowEvent* event) override;

    // Controls under their component names, parented to parent.
    QLabel* NewLabel(QWidget* parent, const char* name, const QString& text);
    QLineEdit* NewEdit(QWidget* parent, const char* name);
    QComboBox* NewCombo(QWidget* parent, const char* name, const QStringList& items);
    QPushButton* NewButton(QWidget* parent, const char* name, const QString& text);
    QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& text);
    QRadioButton* NewRadio(QWidget* parent, const char* name, const QString& text);
    QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title);
    // A group whose radio buttons are its items (translated as one radio group).
    QGroupBox* NewRadioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& items,
                             const char* itemPrefix);
    // A box whose items read the same in every language (digits, font sizes): not translated.
    QComboBox* NewFixedCombo(QWidget* parent, const char* name, const QStringList& items);
    // An address edit and its "..." picker button (not translated) side by side.
    QHBoxLayout* NewAddressRow(QWidget* parent, const char* editName, QLineEdit*& edit, const char* buttonName,
                               QPushButton*& button);
    // The OK and Cancel buttons under their names, wired to OkBtnClick and CancelBtnClick,
    // at the right of the row returned.
    QHBoxLayout* NewOkCancel(QPushButton*& ok, const char* okName, QPushButton*& cancel, const char* cancelName);

    // Handlers of user actions only: loading sets the controls without running them.
    void OnActivated(QComboBox* box, std::function<void()> handler);
    void OnClicked(QAbstractButton* button, std::function<void()> handler);

private:
    DialogContext& ctx_;
    QString caption_;
    bool shown_ = false;
};

// Controls under their component names, parented to parent (the dialog's builders of the same
// names make these; a panel of controls inside a dialog makes them here).
QLabel* NewLabel(QWidget* parent, const char* name, const QString& text);
QLineEdit* NewEdit(QWidget* parent, const char* name);
QComboBox* NewCombo(QWidget* parent, const char* name, const QStringList& items);
QPushButton* NewButton(QWidget* parent, const char* name, const QString& text);
QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& text);
QRadioButton* NewRadio(QWidget* parent, const char* name, const QString& text);
QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& title);
QComboBox* NewFixedCombo(QWidget* parent, const char* name, const QStringList& items);
QHBoxLayout* NewAddressRow(QWidget* parent, const char* editName, QLineEdit*& edit, const char* buttonName,
                           QPushButton*& button);

// A new grid of AddRow rows.
QGridLayout* LabelledRows(std::initializer_list<std::pair<QWidget*, QWidget*>> rows);

// Controls side by side, pushed to the left, or to the right (a row of buttons).
QHBoxLayout* RowOf(std::initializer_list<QWidget*> widgets, bool right = false);

// Radio buttons side by side under a parent of their own. Qt keeps one radio checked among all
// those below one parent, nested groups included, so a click on the checked one of a few radios
// beside a radio group would uncheck it.
QWidget* RadioRow(QWidget* parent, std::initializer_list<QRadioButton*> radios);

// A label and its field in a new row of a grid (columns 0 and 1).
void AddRow(QGridLayout* grid, QWidget* label, QWidget* field);

// The whole number a text holds, blanks around it allowed; none for an empty text or
// anything else (how a typed count or limit is read, without a conversion error).
std::optional<int> IntOfText(const QString& text);

// A group whose radio buttons are its items (translated as one radio group), named
// itemPrefix_0, itemPrefix_1, ... and laid out in the given number of columns.
QGroupBox* NewRadioGroup(QWidget* parent, const char* name, const QString& title, const QStringList& items,
                         const char* itemPrefix, int columns = 1);

// Enables or disables several controls at once.
void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled);
void SetVisible(std::initializer_list<QWidget*> widgets, bool visible);

// A stored value as the text of a value format and length (1: 32 bits).
QString ValueQText(std::uint32_t value, int format, int len);
// An edit's text, trimmed, in the ANSI code page.
std::string TrimmedAnsi(const QLineEdit* edit);

// What a dialog hears of an edit beside what Qt reports: keyUp(key) after each typed change
// (key 0) and for the Up and Down arrows (Qt::Key_Up, Qt::Key_Down; the edit does not see
// them), dblClick on a double click, mouseUp when a mouse button is let go over it. Empty
// functions are left out.
struct EditHooks {
    std::function<void(int key)> keyUp;
    std::function<void()> dblClick;
    std::function<void()> mouseUp;
};
void WatchEdit(QLineEdit* edit, EditHooks hooks);

// The range test of a typed value (ValRangeTest); a type or length box with no choice (-1)
// counts as its first item.
bool ValueInRange(const QString& text, int type, int len);

// The index of the checked radio button among a radio group's items; -1 when none.
int RadioGroupIndex(const QGroupBox* group);
void SetRadioGroupIndex(QGroupBox* group, int index);

} // namespace kes
