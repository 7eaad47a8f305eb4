#include "app/shell/translate.h"

#include "app/shell/msgtable.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>

#include <cctype>
#include <cstring>

namespace kes {
namespace {

const char* const kClassProperty = "kesClass";
const char* const kFormProperty = "kesForm";

QPointer<QWidget> g_mainForm;

// Exact Qt classes and the component classes they stand for.
struct ClassMap {
    const char* qtClass;
    const char* component;
};
const ClassMap kClassMap[] = {
    {"QLabel", "TLabel"},           {"QPushButton", "TButton"},   {"QCheckBox", "TCheckBox"},
    {"QRadioButton", "TRadioButton"}, {"QGroupBox", "TGroupBox"}, {"QComboBox", "TComboBox"},
    {"QLineEdit", "TEdit"},         {"QToolBar", "TToolBar"},     {"QTabWidget", "TPageControl"},
};

bool InMenu(const QAction* action)
{
    for (QObject* o : action->associatedObjects())
        if (qobject_cast<QMenu*>(o) || qobject_cast<QMenuBar*>(o))
            return true;
    return false;
}

// Texts of one caption file, decoded in its language's code page.
class CaptionFile {
public:
    CaptionFile(const std::string& path, int codePage) : ini_(path), codePage_(codePage) {}
    QString Read(const std::string& section, const std::string& key) const
    {
        ScopedCodePage cp(codePage_);
        return AnsiToQString(ini_.ReadString(section, key, ""));
    }

private:
    TIniFile ini_;
    int codePage_;
};

void SetCaption(QObject* o, const QString& text)
{
    if (auto* a = qobject_cast<QAction*>(o))
        a->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        g->setTitle(text);
    else if (auto* w = qobject_cast<QWidget*>(o))
        w->setWindowTitle(text);
}

void SetHint(QObject* o, const QString& text)
{
    if (auto* a = qobject_cast<QAction*>(o))
        a->setToolTip(text);
    else if (auto* w = qobject_cast<QWidget*>(o))
        w->setToolTip(text);
}

QList<QRadioButton*> RadioItems(QObject* group)
{
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

void TranslateComponent(QObject* o, const std::string& cls, const CaptionFile& file, const std::string& section)
{
    const std::string key = section + "." + o->objectName().toStdString();
    auto indexed = [&](const std::string& prefix, int i, const std::string& suffix) {
        return file.Read(section, prefix + "[" + std::to_string(i) + "]" + suffix);
    };
    if (cls == "TToolButton" || cls == "TEdit") {
        SetHint(o, file.Read(section, key + ".Hint"));
    } else if (cls == "TMenuItem" || cls == "TToolBar" || cls == "TPanel" || cls == "TButton"
               || cls == "TGroupBox" || cls == "TRadioButton") {
        SetCaption(o, file.Read(section, key + ".Caption"));
    } else if (cls == "TLabel" || cls == "TCheckBox") {
        SetCaption(o, file.Read(section, key + ".Caption"));
        SetHint(o, file.Read(section, key + ".Hint"));
    } else if (cls == "TComboBox") {
        if (auto* c = qobject_cast<QComboBox*>(o))
            for (int i = 0; i < c->count(); ++i)
                c->setItemText(i, indexed(key + ".Items", i, ""));
    } else if (cls == "TPageControl") {
        if (auto* t = qobject_cast<QTabWidget*>(o))
            for (int i = 0; i < t->count(); ++i)
                t->setTabText(i, indexed(key + ".Pages", i, ".Caption"));
    } else if (cls == "TDBGrid") {
        // No "." between the component name and "Columns".
        if (auto* v = qobject_cast<QTableView*>(o); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i)
                v->model()->setHeaderData(i, Qt::Horizontal, indexed(key + "Columns.Items", i, ".Title.Caption"));
    } else if (cls == "TRadioGroup") {
        SetCaption(o, file.Read(section, key + ".Caption"));
        const QList<QRadioButton*> items = RadioItems(o);
        for (int i = 0; i < items.size(); ++i)
            items[i]->setText(indexed(key + ".Items", i, ""));
    }
}

void TranslateChildren(QObject* parent, const CaptionFile& file, const std::string& section)
{
    for (QObject* child : parent->children()) {
        if (IsForm(child))
            continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            const std::string cls = ComponentClass(child);
            if (!cls.empty())
                TranslateComponent(child, cls, file, section);
        }
        TranslateChildren(child, file, section);
    }
}

bool IsMdiChild(const QWidget* form) { return qobject_cast<QMdiSubWindow*>(form->parentWidget()) != nullptr; }

} // namespace

void MarkForm(QWidget* widget) { widget->setProperty(kFormProperty, true); }

bool IsForm(const QObject* object)
{
    return qobject_cast<const QDialog*>(object) || qobject_cast<const QMainWindow*>(object)
        || object->property(kFormProperty).toBool();
}

void SetComponentClass(QObject* component, const char* className)
{
    component->setProperty(kClassProperty, QString::fromLatin1(className));
}

std::string ComponentClass(const QObject* object)
{
    QVariant marked = object->property(kClassProperty);
    if (marked.isValid())
        return marked.toString().toStdString();
    const char* qtClass = object->metaObject()->className();
    if (std::strcmp(qtClass, "QAction") == 0)
        return InMenu(static_cast<const QAction*>(object)) ? "TMenuItem" : "";
    for (const ClassMap& m : kClassMap)
        if (std::strcmp(qtClass, m.qtClass) == 0)
            return m.component;
    return "";
}

std::string FormSectionName(const std::string& formName)
{
    std::string s = formName;
    if (!s.empty() && std::isdigit(static_cast<unsigned char>(s.back())))
        s.erase(s.size() >= 2 ? s.size() - 2 : 0);
    if (std::size_t u = s.find('_'); u != std::string::npos)
        s.erase(u);
    return s;
}

void SetMainForm(QWidget* mainForm) { g_mainForm = mainForm; }

QWidget* MainForm() { return g_mainForm.data(); }

} // namespace kes

void TranslateForm(QWidget* form, int langIndex)
{
    using namespace kes;
    if (!form)
        return;
    form->setProperty("Tag", langIndex);
    const std::string path = AppDir() + CaptionFileName(langIndex);
    if (!FileExists(path))
        return;
    CaptionFile file(path, LangCodePage(langIndex));
    const std::string formName = form->objectName().toStdString();
    const bool mdiParent = qobject_cast<QMainWindow*>(form) != nullptr;
    const bool mdiChild = IsMdiChild(form);
    if (!mdiParent && !mdiChild)
        form->setWindowTitle(file.Read(formName, formName + ".Caption"));
    if (!mdiChild && MainForm() && MainForm() != form)
        form->setFont(MainForm()->font());
    const std::string section = FormSectionName(formName);
    form->setObjectName(QString::fromStdString(section));
    TranslateChildren(form, file, section);
    LoadMessageTable(langIndex);
}
