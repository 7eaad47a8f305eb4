#pragma once
// The caption translator: applies a language to a form from the caption file of that language
// ("DATACht.Lan", "DATAChs.Lan", "DATAEnu.Lan" in AppDir()) and reloads the message table.
//
// A form is a QDialog, a QMainWindow or any widget marked with MarkForm. Its components are
// the objects below it (not below a nested form) that have an objectName and a component
// class. The class is taken from the property set by SetComponentClass, else from the exact
// Qt class (a subclass is not translated):
//   QAction in a menu -> TMenuItem, QLabel -> TLabel, QPushButton -> TButton,
//   QCheckBox -> TCheckBox, QRadioButton -> TRadioButton, QGroupBox -> TGroupBox,
//   QComboBox -> TComboBox, QLineEdit -> TEdit, QToolBar -> TToolBar, QTabWidget -> TPageControl.
// Tool buttons (QAction or QToolButton) are marked "TToolButton", radio groups "TRadioGroup"
// (a QGroupBox whose items are its QRadioButton children in order), grids "TDBGrid" (a
// QTableWidget or QTableView, column titles from the header), panels "TPanel".
//
// Keys: section = the form's name with a final digit's last two characters and anything from
// the first "_" removed; key = section + "." + component name + suffix (".Caption", ".Hint",
// ".Items[i]", ".Pages[i].Caption", "Columns.Items[i].Title.Caption"). A missing key empties
// the text it would set; a missing caption file leaves the form and the message table alone.
#include <QString>

#include <string>
#include <vector>

class QObject;
class QWidget;

// Sets the form's Tag (property "Tag") to the language, translates its captions and reloads
// the message table of that language, and puts Qt's own texts in that language
// (kes::UseQtLanguage). A form that is not a page of the MDI area takes the font of the main
// window it belongs to (the QMainWindow its chain of owners ends in). Then it sends the form a
// QEvent::LanguageChange (which reaches every widget below it): a form that writes texts of its
// own after the captions (a name for a value, a title from a message) writes them again in its
// changeEvent.
void TranslateForm(QWidget* form, int langIndex);

namespace kes {

// Marks a widget as a form of its own (its components are translated with its section).
void MarkForm(QWidget* widget);
bool IsForm(const QObject* object);

// Gives a component its class name for the translator ("TToolButton", "TRadioGroup", ...).
void SetComponentClass(QObject* component, const char* className);
// The class name the translator uses for an object; empty when it does not translate it.
std::string ComponentClass(const QObject* object);

// A key the translator reads for a form: its section, the key and the component class.
struct CaptionKey {
    std::string section;
    std::string key;
    std::string componentClass; // empty for the form's own caption
};
// Every key TranslateForm would read for the form in its present state, in walk order
// (the form is not changed).
std::vector<CaptionKey> FormCaptionKeys(QWidget* form);

// The caption list of a form as its present texts: the form's caption first, then per
// component in walk order the lines the caption file would hold for it (tool button hints,
// captions, combo items, grid column titles, tab captions, radio group caption and items).
struct CaptionLine {
    std::string key;
    QString text;
};
std::vector<CaptionLine> FormCaptionLines(QWidget* form);

// A menu caption as a name (a dialog's title, a printed heading, a word of a message): without
// its access key ("&F"; "(&F)" after a Chinese caption goes whole) and the "..." that says the
// item opens a dialog.
QString CaptionText(const QString& caption);

// The section name of a form name ("HmPage_12" -> "HmPage", "Form1" -> "For").
std::string FormSectionName(const std::string& formName);

} // namespace kes
