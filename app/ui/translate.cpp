#include "app/ui/translate.h"

#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/qtlanguage.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>

#include <cctype>
#include <memory>
#include <typeinfo>
#include <utility>

namespace kes {
namespace {

const char* const kClassProperty = "kesClass";
const char* const kFormProperty = "kesForm";

// Exact Qt classes and the component classes they stand for. The dynamic type is compared,
// so a subclass (with or without its own meta object) is not translated.
struct ClassMap {
    const std::type_info& qtClass;
    const char* component;
};
const ClassMap kClassMap[] = {
    {typeid(QLabel), "TLabel"},           {typeid(QPushButton), "TButton"},
    {typeid(QCheckBox), "TCheckBox"},     {typeid(QRadioButton), "TRadioButton"},
    {typeid(QGroupBox), "TGroupBox"},     {typeid(QComboBox), "TComboBox"},
    {typeid(QLineEdit), "TEdit"},         {typeid(QToolBar), "TToolBar"},
    {typeid(QTabWidget), "TPageControl"},
};

bool InMenu(const QAction* action)
{
    for (QObject* o : action->associatedObjects())
        if (qobject_cast<QMenu*>(o) || qobject_cast<QMenuBar*>(o))
            return true;
    return false;
}

// Texts of one caption file, decoded in its language's code page. A file that lacks captions
// the built-in English file has is damaged: those come in English instead of blank.
class CaptionFile {
public:
    CaptionFile(std::string path, std::string text, int codePage)
        : ini_(""), path_(std::move(path)), text_(std::move(text)), codePage_(codePage)
    {
        ini_.SetText(text_);
        const TIniFile& builtIn = BuiltInCaptions();
        for (const std::string& section : builtIn.ReadSections())
            for (const std::string& key : builtIn.ReadSection(section))
                if (!ini_.ValueExists(section, key) && missing_++ == 0)
                    firstMissing_ = "[" + section + "] " + key;
    }
    bool Holds(const std::string& path, const std::string& text, int codePage) const
    {
        return path == path_ && text == text_ && codePage == codePage_;
    }
    // What was wrong with the file; empty when nothing was.
    QString Problem() const
    {
        if (missing_ == 0)
            return {};
        return MissingEntriesText(path_.substr(path_.find_last_of('/') + 1), firstMissing_, missing_);
    }
    QString Read(const std::string& section, const std::string& key) const
    {
        if (ini_.ValueExists(section, key)) {
            ScopedCodePage cp(codePage_);
            return AnsiToQString(ini_.ReadString(section, key, ""));
        }
        if (missing_ == 0)
            return {};
        ScopedCodePage cp(1252);
        return AnsiToQString(BuiltInCaptions().ReadString(section, key, ""));
    }

private:
    TIniFile ini_;
    std::string path_, text_;
    int codePage_;
    int missing_ = 0;
    std::string firstMissing_;
};

// Every form is translated from the same file: it is parsed again only when it changed
// (fresh true then).
const CaptionFile& CaptionFileOf(const std::string& path, int codePage, bool& fresh)
{
    static std::unique_ptr<CaptionFile> cached;
    std::string text;
    if (!ReadFileText(path, kMaxIniBytes, text, nullptr))
        text.clear();
    fresh = !cached || !cached->Holds(path, text, codePage);
    if (fresh)
        cached = std::make_unique<CaptionFile>(path, std::move(text), codePage);
    return *cached;
}

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

// Reads (or lists) the keys of one component. `read` returns the text of a key.
template <class Read>
void TranslateComponent(QObject* o, const std::string& cls, const std::string& section, Read read, bool apply)
{
    const std::string key = section + "." + o->objectName().toStdString();
    auto indexed = [&](const std::string& prefix, int i, const std::string& suffix) {
        return read(prefix + "[" + std::to_string(i) + "]" + suffix);
    };
    if (cls == "TToolButton" || cls == "TEdit") {
        QString hint = read(key + ".Hint");
        if (apply)
            SetHint(o, hint);
    } else if (cls == "TMenuItem" || cls == "TToolBar" || cls == "TPanel" || cls == "TButton" || cls == "TGroupBox" ||
               cls == "TRadioButton") {
        QString caption = read(key + ".Caption");
        if (apply)
            SetCaption(o, caption);
    } else if (cls == "TLabel" || cls == "TCheckBox") {
        QString caption = read(key + ".Caption");
        QString hint = read(key + ".Hint");
        if (apply) {
            SetCaption(o, caption);
            SetHint(o, hint);
        }
    } else if (cls == "TComboBox") {
        if (auto* c = qobject_cast<QComboBox*>(o))
            for (int i = 0; i < c->count(); ++i) {
                QString item = indexed(key + ".Items", i, "");
                if (apply)
                    c->setItemText(i, item);
            }
    } else if (cls == "TPageControl") {
        if (auto* t = qobject_cast<QTabWidget*>(o))
            for (int i = 0; i < t->count(); ++i) {
                QString page = indexed(key + ".Pages", i, ".Caption");
                if (apply)
                    t->setTabText(i, page);
            }
    } else if (cls == "TDBGrid") {
        // No "." between the component name and "Columns".
        if (auto* v = qobject_cast<QTableView*>(o); v && v->model())
            for (int i = 0; i < v->model()->columnCount(); ++i) {
                QString title = indexed(key + "Columns.Items", i, ".Title.Caption");
                if (apply)
                    v->model()->setHeaderData(i, Qt::Horizontal, title);
            }
    } else if (cls == "TRadioGroup") {
        QString caption = read(key + ".Caption");
        if (apply)
            SetCaption(o, caption);
        const QList<QRadioButton*> items = RadioItems(o);
        for (int i = 0; i < items.size(); ++i) {
            QString item = indexed(key + ".Items", i, "");
            if (apply)
                items[i]->setText(item);
        }
    }
}

// Walks the components of a form (not into nested forms), in ownership order.
template <class Visit> void WalkComponents(QObject* parent, Visit visit)
{
    for (QObject* child : parent->children()) {
        if (IsForm(child))
            continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            const std::string cls = ComponentClass(child);
            if (!cls.empty())
                visit(child, cls);
        }
        WalkComponents(child, visit);
    }
}

bool IsMdiChild(const QWidget* form) { return qobject_cast<QMdiSubWindow*>(form->parentWidget()) != nullptr; }

// The main window a form belongs to: the one its chain of owners ends in; null for none.
QWidget* MainWindowOf(QWidget* form)
{
    QWidget* top = form;
    while (QWidget* owner = top->parentWidget())
        top = owner;
    return qobject_cast<QMainWindow*>(top);
}

} // namespace

void MarkForm(QWidget* widget) { widget->setProperty(kFormProperty, true); }

bool IsForm(const QObject* object)
{
    // Only a widget can be a form: a menu item is a component whatever properties it carries.
    return qobject_cast<const QDialog*>(object) || qobject_cast<const QMainWindow*>(object) ||
           (object->isWidgetType() && object->property(kFormProperty).toBool());
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
    const std::type_info& type = typeid(*object);
    if (type == typeid(QAction))
        return InMenu(static_cast<const QAction*>(object)) ? "TMenuItem" : "";
    for (const ClassMap& m : kClassMap)
        if (type == m.qtClass)
            return m.component;
    return "";
}

QString CaptionText(const QString& caption)
{
    QString text = caption;
    static const QRegularExpression kBracketed(QStringLiteral("\\(&[^&]\\)"));
    const QRegularExpressionMatch m = kBracketed.match(text);
    if (m.hasMatch())
        text.remove(m.capturedStart(), m.capturedLength());
    else if (const int amp = text.indexOf(QLatin1Char('&')); amp >= 0)
        text.remove(amp, 1);
    if (text.endsWith(QStringLiteral("...")))
        text.chop(3);
    return text.trimmed();
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

std::vector<CaptionKey> FormCaptionKeys(QWidget* form)
{
    std::vector<CaptionKey> keys;
    const std::string formName = form->objectName().toStdString();
    const bool mdiParent = qobject_cast<QMainWindow*>(form) != nullptr;
    if (!mdiParent && !IsMdiChild(form))
        keys.push_back({formName, formName + ".Caption", ""});
    const std::string section = FormSectionName(formName);
    WalkComponents(form, [&](QObject* o, const std::string& cls) {
        auto read = [&](const std::string& key) {
            keys.push_back({section, key, cls});
            return QString();
        };
        TranslateComponent(o, cls, section, read, false);
    });
    return keys;
}

namespace {

QString CaptionOf(const QObject* o)
{
    if (auto* a = qobject_cast<const QAction*>(o))
        return a->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(o))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(o))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(o))
        return g->title();
    if (auto* w = qobject_cast<const QWidget*>(o))
        return w->windowTitle();
    return {};
}

QString HintOf(const QObject* o)
{
    if (auto* a = qobject_cast<const QAction*>(o))
        return a->toolTip();
    if (auto* w = qobject_cast<const QWidget*>(o))
        return w->toolTip();
    return {};
}

} // namespace

std::vector<CaptionLine> FormCaptionLines(QWidget* form)
{
    const std::string name = form->objectName().toStdString();
    std::vector<CaptionLine> lines{{name + ".Caption", form->windowTitle()}};
    WalkComponents(form, [&](QObject* o, const std::string& cls) {
        const std::string key = name + "." + o->objectName().toStdString();
        auto items = [&](const std::string& prefix, const std::string& suffix, const QStringList& texts) {
            for (int i = 0; i < texts.size(); ++i)
                lines.push_back({prefix + "[" + std::to_string(i) + "]" + suffix, texts[i]});
        };
        if (cls == "TToolButton") {
            lines.push_back({key + ".Hint", HintOf(o)});
        } else if (cls == "TMenuItem" || cls == "TLabel" || cls == "TCheckBox" || cls == "TPanel" || cls == "TButton" ||
                   cls == "TGroupBox" || cls == "TRadioButton") {
            lines.push_back({key + ".Caption", CaptionOf(o)});
        } else if (cls == "TComboBox") {
            QStringList texts;
            if (auto* c = qobject_cast<QComboBox*>(o))
                for (int i = 0; i < c->count(); ++i)
                    texts.append(c->itemText(i));
            items(key + ".Items", "", texts);
        } else if (cls == "TDBGrid") {
            QStringList texts;
            if (auto* v = qobject_cast<QTableView*>(o); v && v->model())
                for (int i = 0; i < v->model()->columnCount(); ++i)
                    texts.append(v->model()->headerData(i, Qt::Horizontal).toString());
            items(name + "." + o->objectName().toStdString() + "Columns.Items", ".Title.Caption", texts);
        } else if (cls == "TPageControl") {
            QStringList texts;
            if (auto* t = qobject_cast<QTabWidget*>(o))
                for (int i = 0; i < t->count(); ++i)
                    texts.append(t->tabText(i));
            items(key + ".Pages", ".Caption", texts);
        } else if (cls == "TRadioGroup") {
            lines.push_back({key + ".Caption", CaptionOf(o)});
            QStringList texts;
            for (QRadioButton* r : RadioItems(o))
                texts.append(r->text());
            items(key + ".Items", "", texts);
        }
    });
    return lines;
}

} // namespace kes

void TranslateForm(QWidget* form, int langIndex)
{
    using namespace kes;
    if (!form)
        return;
    form->setProperty("Tag", langIndex);
    const std::string path = AppDir() + CaptionFileName(langIndex);
    // Without the file the windows keep their design texts.
    if (!FileExists(path)) {
        FileError read;
        std::string ignored;
        ReadFileText(path, kMaxIniBytes, ignored, &read);
        NoteFileProblem(path, FileErrorText(read));
        return;
    }
    bool fresh = false;
    const CaptionFile& file = CaptionFileOf(path, LangCodePage(langIndex), fresh);
    const std::string formName = form->objectName().toStdString();
    const bool mdiParent = qobject_cast<QMainWindow*>(form) != nullptr;
    const bool mdiChild = IsMdiChild(form);
    if (!mdiParent && !mdiChild)
        form->setWindowTitle(file.Read(formName, formName + ".Caption"));
    if (QWidget* main = mdiChild ? nullptr : MainWindowOf(form); main && main != form)
        form->setFont(main->font());
    const std::string section = FormSectionName(formName);
    form->setObjectName(QString::fromStdString(section));
    auto read = [&](const std::string& key) { return file.Read(section, key); };
    WalkComponents(form, [&](QObject* o, const std::string& cls) { TranslateComponent(o, cls, section, read, true); });
    LoadMessageTable(langIndex);
    // Said in the language of the file.
    if (fresh)
        NoteFileProblem(path, file.Problem());
    UseQtLanguage(langIndex);
    // What the form writes itself (names of values, titles from messages) it writes again, now
    // that the file has emptied or replaced it; Qt's own widgets take their texts anew.
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(form, &changed);
}
