#include "app/ui/codepageguard.h"

#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <algorithm>

namespace kes {
namespace {

bool TakesText(const QObject* o)
{
    if (qobject_cast<const QLineEdit*>(o) || qobject_cast<const QTextEdit*>(o) ||
        qobject_cast<const QPlainTextEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o))
        return true;
    // An editable list box hands its keys to its line edit directly, past any filter.
    const auto* box = qobject_cast<const QComboBox*>(o);
    return box && box->isEditable();
}

// The editor whose text a mouse, menu or drop event on o changes: a line edit takes them
// itself, a text edit on its viewport. Null for anything else.
QWidget* EditorOf(QObject* o)
{
    if (auto* line = qobject_cast<QLineEdit*>(o))
        return line;
    auto* area = qobject_cast<QAbstractScrollArea*>(o ? o->parent() : nullptr);
    if (!area || area->viewport() != o)
        return nullptr;
    if (qobject_cast<QTextEdit*>(area) || qobject_cast<QPlainTextEdit*>(area))
        return area;
    return nullptr;
}

bool IsReadOnly(const QWidget* editor)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(editor))
        return text->isReadOnly();
    const auto* plain = qobject_cast<const QPlainTextEdit*>(editor);
    return !plain || plain->isReadOnly();
}

// The text an editor takes from mime data: a rich text edit takes the HTML when there is some.
QString InsertedText(const QWidget* editor, const QMimeData* mime)
{
    if (!mime)
        return {};
    const auto* rich = qobject_cast<const QTextEdit*>(editor);
    if (rich && rich->acceptRichText() && mime->hasHtml())
        return QTextDocumentFragment::fromHtml(mime->html()).toPlainText();
    return mime->text();
}

void Paste(QWidget* editor)
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->paste();
    else if (auto* text = qobject_cast<QTextEdit*>(editor))
        text->paste();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor))
        plain->paste();
}

class CodePageGuard : public QObject {
public:
    CodePageGuard(QObject* owner, Prompt& prompt, const QWidget* menus) : QObject(owner), prompt_(prompt), menus_(menus)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
            if (TakesText(o)) {
                const auto* key = static_cast<QKeyEvent*>(e);
                return Refused(key->matches(QKeySequence::Paste) ? QApplication::clipboard()->text() : key->text());
            }
            return false;
        case QEvent::InputMethod:
            return TakesText(o) && Refused(static_cast<QInputMethodEvent*>(e)->commitString());
        case QEvent::Show:
            if (auto* menu = qobject_cast<QMenu*>(o))
                GuardPasteAction(menu);
            return false;
        case QEvent::Drop:
            if (QWidget* editor = EditorOf(o); editor && !IsReadOnly(editor)) {
                auto* drop = static_cast<QDropEvent*>(e);
                const QString refusal = CodePageRefusal(InsertedText(editor, drop->mimeData()), menus_);
                if (refusal.isEmpty())
                    return false;
                // Refused, so a text dragged from another field stays there. The message waits
                // until the drag has ended: its source may be another program waiting for the answer.
                drop->setDropAction(Qt::IgnoreAction);
                drop->ignore();
                QMetaObject::invokeMethod(
                    this, [this, refusal] { ShowError(prompt_, refusal); }, Qt::QueuedConnection);
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease: {
            // A middle click pastes the selection where the desktop has one.
            const QWidget* editor = EditorOf(o);
            if (editor && !IsReadOnly(editor) && static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton &&
                QApplication::clipboard()->supportsSelection())
                return Refused(QApplication::clipboard()->text(QClipboard::Selection));
            return false;
        }
        default:
            return false;
        }
    }

private:
    bool Refused(const QString& text)
    {
        const QString refusal = CodePageRefusal(text, menus_);
        if (refusal.isEmpty())
            return false;
        ShowError(prompt_, refusal);
        return true;
    }

    // A context menu's Paste runs the editor's paste with no event to filter, so its action is
    // rewired to check the clipboard first. A line edit's action is found by its connection, a
    // text edit's by its name.
    void GuardPasteAction(QMenu* menu)
    {
        QWidget* editor = menu->parentWidget();
        if (!qobject_cast<QTextEdit*>(editor) && !qobject_cast<QPlainTextEdit*>(editor))
            editor = EditorOf(editor);
        if (!editor)
            return;
        auto* line = qobject_cast<QLineEdit*>(editor);
        for (QAction* a : menu->actions()) {
            const bool paste = line ? QObject::disconnect(a, nullptr, line, SLOT(paste())) ||
                                          QObject::disconnect(a, &QAction::triggered, line, &QLineEdit::paste)
                                    : a->objectName() == QLatin1String("edit-paste") &&
                                          QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            if (!paste)
                continue;
            // Once the guard is gone (its window closed while the menu was up) the paste goes
            // unchecked, as every paste then does.
            QObject::connect(a, &QAction::triggered, editor, [editor, guard = QPointer<CodePageGuard>(this)] {
                const QString refusal =
                    guard ? CodePageRefusal(InsertedText(editor, QApplication::clipboard()->mimeData()), guard->menus_)
                          : QString();
                if (refusal.isEmpty())
                    Paste(editor);
                else
                    ShowError(guard->prompt_, refusal);
            });
        }
    }

    Prompt& prompt_;
    QPointer<const QWidget> menus_;
};

} // namespace

namespace {

// The refusal of text's first character the code page lacks, with message (the character and
// the code page its arguments), then between: what the refusal concerns, then how to start in
// a code page that holds it; empty when all fit.
QString Refusal(const QString& text, int message, const QString& between, const QWidget* menus)
{
    const qsizetype at = FirstUnencodable(text);
    if (at < 0)
        return {};
    const qsizetype len = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    const QString ch = text.mid(at, len);
    const QString named =
        QStringLiteral("\"%1\" (U+%2)")
            .arg(ch)
            .arg(QString::number(ch.toUcs4().value(0), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    const QString msg = Msg(message);
    // Without its message the refusal still names the character.
    QString refusal = msg.isEmpty() ? named : msg.arg(named, QString::number(AnsiCodePage()));
    if (!between.isEmpty())
        refusal += QLatin1Char('\n') + between;
    // Where it can be kept: the code page of the language in use when that one holds it.
    const std::vector<int> holding = CodePagesHolding(ch);
    if (!holding.empty()) {
        const int own = LangCodePage(MessageLanguage());
        const int cp = std::find(holding.begin(), holding.end(), own) != holding.end() ? own : holding.front();
        refusal += QLatin1Char('\n') + HowToUseCodePage(cp, menus);
    }
    return refusal;
}

} // namespace

QString CodePageRefusal(const QString& text, const QWidget* menus)
{
    return Refusal(text, kMsgCharNotInCodePage, QString(), menus);
}

bool PathFitsCodePage(const QString& path, Prompt& prompt, const QWidget* menus)
{
    const QString refusal = Refusal(path, kMsgPathNotInCodePage, QDir::toNativeSeparators(path), menus);
    if (refusal.isEmpty())
        return true;
    ShowError(prompt, refusal);
    return false;
}

QString HowToUseCodePage(int cp, const QWidget* menus)
{
    const char* const items[] = {"MmLangCht", "MmLangChs", "MmLangEng"};
    int lang = -1;
    for (int i : {LangCht, LangChs, LangEng})
        if (LangCodePage(i) == cp)
            lang = i;
    // The language chooses the code page at the next start unless the variable or the locale does.
    if (lang >= 0 && menus && CodePageFromEnvironment(cp) == cp) {
        QStringList path;
        for (const char* name : {"MmSetting", "MmLangSet", items[lang]})
            if (const QAction* a = menus->findChild<QAction*>(QLatin1String(name)))
                path << CaptionText(a->text());
        if (path.size() == 3)
            return Msg(kMsgUseCodePageByLanguage).arg(QString::number(cp), path.join(QStringLiteral(" > ")));
    }
    return Msg(kMsgUseCodePageByVariable).arg(cp);
}

QString CodePageMismatch(const std::vector<std::string>& texts, const QWidget* menus)
{
    const int cp = CodePageThatReads(texts, AnsiCodePage());
    if (cp == 0)
        return {};
    return Msg(kMsgTextsInOtherCodePage).arg(cp).arg(AnsiCodePage()) + QLatin1Char('\n') + HowToUseCodePage(cp, menus);
}

void InstallCodePageGuard(QObject* owner, Prompt& prompt, const QWidget* menus)
{
    new CodePageGuard(owner, prompt, menus);
}

} // namespace kes
