#include "app/ui/codepageguard.h"

#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace kes {
namespace {

bool TakesText(const QObject* o)
{
    if (qobject_cast<const QLineEdit*>(o) || qobject_cast<const QTextEdit*>(o) || qobject_cast<const QPlainTextEdit*>(o)
        || qobject_cast<const QAbstractSpinBox*>(o))
        return true;
    // An editable list box hands its keys to its line edit directly, past any filter.
    const auto* box = qobject_cast<const QComboBox*>(o);
    return box && box->isEditable();
}

class CodePageGuard : public QObject {
public:
    explicit CodePageGuard(QObject* owner) : QObject(owner) { qApp->installEventFilter(this); }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        QString text;
        if (e->type() == QEvent::KeyPress && TakesText(o)) {
            const auto* key = static_cast<QKeyEvent*>(e);
            text = key->matches(QKeySequence::Paste) ? QApplication::clipboard()->text() : key->text();
        } else if (e->type() == QEvent::InputMethod && TakesText(o)) {
            text = static_cast<QInputMethodEvent*>(e)->commitString();
        } else {
            return false;
        }
        const QString refusal = CodePageRefusal(text);
        if (refusal.isEmpty())
            return false;
        ShowError(refusal);
        return true;
    }
};

} // namespace

QString CodePageRefusal(const QString& text)
{
    const qsizetype at = FirstUnencodable(text);
    if (at < 0)
        return {};
    const qsizetype len = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    const QString ch = text.mid(at, len);
    const QString named = QStringLiteral("\"%1\" (U+%2)")
                              .arg(ch)
                              .arg(QString::number(ch.toUcs4().value(0), 16).toUpper().rightJustified(4, QLatin1Char('0')));
    const QString msg = Msg(kMsgCharNotInCodePage);
    // Without its message the refusal still names the character.
    return msg.isEmpty() ? named : msg.arg(named, QString::number(AnsiCodePage()));
}

void InstallCodePageGuard(QObject* owner) { new CodePageGuard(owner); }

} // namespace kes
