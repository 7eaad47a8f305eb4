// The main window's side of the text and state tools: their widgets' signals, routed to the
// editor of the edit mode, which changes the current object.
#include "app/shell/texttools.h"

#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/shell/tkhm.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <algorithm>

namespace kes {

namespace {

QComboBox* StateBox(TKhm& k) { return qobject_cast<QComboBox*>(k.ToolWidget("TbState_Box")); }
QComboBox* FontBox(TKhm& k) { return qobject_cast<QComboBox*>(k.ToolWidget("TbFont_Box")); }
QPlainTextEdit* Memo(TKhm& k) { return qobject_cast<QPlainTextEdit*>(k.ToolWidget("TbMemo")); }
QSpinBox* MemoLine(TKhm& k) { return qobject_cast<QSpinBox*>(k.ToolWidget("TbMemo_UD")); }

// The active editor: the page in page editing, the start-up screen or the user-menu screen.
TEditPage* Page(TKhm& k)
{
    TEditPage* p = k.View.EditMode == kes::Editing::Pages         ? static_cast<TEditPage*>(k.PageEd->Current())
                   : k.View.EditMode == kes::Editing::StartScreen ? static_cast<TEditPage*>(k.Screens->FirstPage())
                   : k.View.EditMode == kes::Editing::UserMenu    ? static_cast<TEditPage*>(k.Screens->ImagePage())
                                                                  : nullptr;
    return p && p->Live() ? p : nullptr;
}

// The state and font tools serve page editing.
TEditPage* PageEditing(TKhm& k) { return k.View.EditMode == kes::Editing::Pages ? Page(k) : nullptr; }

class MemoKeys : public QObject {
public:
    explicit MemoKeys(TKhm& k) : QObject(&k), k_(k) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // A line break is not typed: the text is taken as the user leaves it.
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                TbMemoExit(k_);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            TbMemoExit(k_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TKhm& k_;
};

} // namespace

void TbState_BoxChange(TKhm& k)
{
    k.SelectPointerTool();
    if (TEditPage* page = PageEditing(k))
        page->StateBoxChange();
}

void TbState_UDChange(TKhm& k, bool up)
{
    QComboBox* box = StateBox(k);
    if (!box)
        return;
    int i = box->currentIndex() + (up ? 1 : -1);
    i = std::clamp(i, 0, std::max(box->count() - 1, 0));
    box->setCurrentIndex(box->count() > 0 ? i : -1);
    TbState_BoxChange(k);
}

void TbFont_BoxChange(TKhm& k)
{
    k.SelectPointerTool();
    if (TEditPage* page = PageEditing(k))
        page->FontBoxChange();
}

void TbMemoChange(TKhm& k)
{
    if (TEditPage* page = Page(k))
        page->MemoChange();
}

void TbMemo_UDClick(TKhm& k)
{
    if (TEditPage* page = Page(k))
        page->MemoLineChange();
}

void TbMemoExit(TKhm& k) { TEditPage::MemoExit(k.Doc, k.View, k.Inspector()); }

void InstallTextTools(TKhm& k)
{
    if (QComboBox* box = StateBox(k))
        QObject::connect(box, &QComboBox::activated, &k, [&k] { TbState_BoxChange(k); });
    if (auto* ud = qobject_cast<QSpinBox*>(k.ToolWidget("TbState_UD"))) {
        // The up-down holds no value of its own: only the direction of a step counts.
        ud->setRange(-1000000, 1000000);
        QObject::connect(ud, &QSpinBox::valueChanged, &k, [&k, last = ud->value()](int v) mutable {
            const bool up = v > last;
            last = v;
            TbState_UDChange(k, up);
        });
    }
    if (QComboBox* box = FontBox(k))
        QObject::connect(box, &QComboBox::activated, &k, [&k] { TbFont_BoxChange(k); });
    if (QPlainTextEdit* memo = Memo(k)) {
        QObject::connect(memo, &QPlainTextEdit::textChanged, &k, [&k, memo] {
            // Only what the user types: the editor fills the memo while it does not have the focus.
            if (memo->hasFocus())
                TbMemoChange(k);
        });
        memo->installEventFilter(new MemoKeys(k));
    }
    if (QSpinBox* line = MemoLine(k))
        QObject::connect(line, &QSpinBox::valueChanged, &k, [&k, line] {
            if (line->hasFocus())
                TbMemo_UDClick(k);
        });
}

} // namespace kes
