// Text that reaches a field without a key press must pass the same code page check as typed
// text: Paste from the field's own context menu and a drop refuse a character the code page
// lacks with a message naming it (and where it can be kept) and leave the field as it was, in
// every kind of editor the program uses; text that fits still goes in.
#include "app/ui/codepageguard.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace kes::test {
namespace {

// An editor as the user meets it: the widget, where a right click and a drop land (null: it
// takes none), its text.
struct Field {
    std::unique_ptr<QWidget> widget;
    QWidget* menuTarget = nullptr;
    QWidget* dropTarget = nullptr;
    std::function<QString()> text;
};

Field LineEdit()
{
    auto* e = new QLineEdit(QStringLiteral("1"));
    return {std::unique_ptr<QWidget>(e), e, e, [e] { return e->text(); }};
}
Field SpinBox()
{
    auto* s = new QSpinBox;
    s->setRange(0, 99999);
    s->setValue(1);
    // A spin box takes no drops.
    auto* line = s->findChild<QLineEdit*>();
    return {std::unique_ptr<QWidget>(s), s, nullptr, [line] { return line->text(); }};
}
Field ComboBox()
{
    auto* c = new QComboBox;
    c->setEditable(true);
    c->setEditText(QStringLiteral("1"));
    QLineEdit* line = c->lineEdit();
    return {std::unique_ptr<QWidget>(c), line, line, [line] { return line->text(); }};
}
Field PlainTextEdit()
{
    auto* e = new QPlainTextEdit(QStringLiteral("1"));
    return {std::unique_ptr<QWidget>(e), e->viewport(), e->viewport(), [e] { return e->toPlainText(); }};
}
Field TextEdit()
{
    auto* e = new QTextEdit(QStringLiteral("1"));
    return {std::unique_ptr<QWidget>(e), e->viewport(), e->viewport(), [e] { return e->toPlainText(); }};
}

// A right click on the field, then its menu's Paste chosen with the keyboard. A spin box runs
// its menu in a loop of its own, so the choice is made from a timer.
void PasteFromContextMenu(QWidget* target)
{
    bool chosen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            if (a->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Paste")))
                menu->setActiveAction(a);
        ASSERT_NE(menu->activeAction(), nullptr);
        QTest::keyClick(menu, Qt::Key_Return);
        chosen = true;
    });
    const QPoint at(4, 4);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &click);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chosen; }, 30000));
}

// A drag over the field and its drop there: the drop goes to the widget that took the drag.
void Drop(QWidget* target, const QString& text)
{
    QMimeData mime;
    mime.setText(text);
    const QPoint at(4, 4);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

class CodePageGuardTest : public ::testing::Test {
protected:
    ScopedCodePage codePage{950};
    ScriptedPrompt prompt;
    QObject owner;
    void SetUp() override
    {
        LoadMessageTable(LangEng);
        InstallCodePageGuard(&owner, prompt, nullptr);
    }
};

TEST_F(CodePageGuardTest, ContextMenuPasteAndDropRefuseACharacterTheCodePageLacksInEveryEditor)
{
    const struct {
        const char* name;
        Field (*make)();
    } editors[] = {
        {"line edit", LineEdit},         {"spin box", SpinBox},
        {"editable list box", ComboBox}, {"plain text edit", PlainTextEdit},
        {"text edit", TextEdit},
    };
    const QString thai = QString::fromUtf8("ก");
    const QString refused = QStringLiteral("42") + thai;
    const QString fits = QStringLiteral("42");
    for (const auto& e : editors) {
        SCOPED_TRACE(e.name);
        Field f = e.make();
        f.widget->show();
        f.widget->activateWindow();
        f.widget->setFocus();
        const QString before = f.text();
        std::vector<std::function<void(const QString&)>> ways = {[&](const QString& text) {
            QApplication::clipboard()->setText(text);
            PasteFromContextMenu(f.menuTarget);
        }};
        if (f.dropTarget)
            ways.push_back([&](const QString& text) { Drop(f.dropTarget, text); });
        // A middle click pastes the selection on desktops that have one (not offscreen).
        if (f.dropTarget && QApplication::clipboard()->supportsSelection())
            ways.push_back([&](const QString& text) {
                QApplication::clipboard()->setText(text, QClipboard::Selection);
                QTest::mouseClick(f.dropTarget, Qt::MiddleButton, {}, QPoint(4, 4));
            });
        for (const auto& insert : ways) {
            prompt.shown.clear();
            insert(refused);
            QApplication::processEvents();
            EXPECT_EQ(f.text(), before);
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_TRUE(prompt.shown[0].contains(thai) && prompt.shown[0].contains(QStringLiteral("950")))
                << prompt.shown[0].toStdString();
        }
        for (const auto& insert : ways) {
            prompt.shown.clear();
            insert(fits);
            QApplication::processEvents();
            EXPECT_TRUE(f.text().contains(fits)) << f.text().toStdString();
            EXPECT_TRUE(prompt.shown.empty());
        }
    }
}

// A refusal also says where the character can be kept: the code page of the language in use
// when it holds the character, else the first that does, and how to start in it (without a
// language menu to name, by the environment variable).
TEST_F(CodePageGuardTest, TheRefusalSaysHowToKeepTheCharacter)
{
    const struct {
        int inUse;
        int lang;
        const char* ch;
        int keeps; // 0: no code page of the program holds it
    } cases[] = {
        {1252, LangEng, "中", 950}, {1252, LangChs, "中", 936}, {1252, LangEng, "这", 936},
        {950, LangEng, "ß", 1252},  {950, LangCht, "ก", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ch);
        const ScopedCodePage inUse(c.inUse);
        LoadMessageTable(c.lang);
        const QString refusal = CodePageRefusal(QStringLiteral("1") + QString::fromUtf8(c.ch), nullptr);
        EXPECT_TRUE(refusal.contains(QString::number(c.inUse))) << refusal.toStdString();
        if (c.keeps != 0) {
            EXPECT_TRUE(refusal.endsWith(QLatin1Char('\n') + Msg(kMsgUseCodePageByVariable).arg(c.keeps)))
                << refusal.toStdString();
        } else {
            EXPECT_FALSE(refusal.contains(QLatin1Char('\n'))) << refusal.toStdString();
        }
    }
    LoadMessageTable(LangEng);
}

} // namespace
} // namespace kes::test
