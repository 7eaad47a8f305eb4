#include "app/shell/texttools.h"

#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/inspector/tdlgprop.h"
#include "app/shell/tkhm.h"
#include "objects/grid/tadvstringgrid.h"
#include "objects/objkind.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tlxdevbmp.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <algorithm>

namespace kes {

namespace {

constexpr int kMaxMessageWidth = 250; // screen pixels of one message text

QComboBox* StateBox(TKhm& k) { return qobject_cast<QComboBox*>(k.ToolWidget("TbState_Box")); }
QComboBox* FontBox(TKhm& k) { return qobject_cast<QComboBox*>(k.ToolWidget("TbFont_Box")); }
QPlainTextEdit* Memo(TKhm& k) { return qobject_cast<QPlainTextEdit*>(k.ToolWidget("TbMemo")); }
QSpinBox* MemoLine(TKhm& k) { return qobject_cast<QSpinBox*>(k.ToolWidget("TbMemo_UD")); }

// Set while the tools write into the memo themselves: that is not the user typing.
bool g_settingMemo = false;

void SetMemo(TKhm& k, const QString& text)
{
    if (QPlainTextEdit* m = Memo(k)) {
        g_settingMemo = true;
        m->setPlainText(text);
        g_settingMemo = false;
    }
}

// The active editor: the page in page editing, the start-up screen or the user-menu screen.
TEditPage* Page(TKhm& k)
{
    TEditPage* p = k.Doc.EditMode == 3 ? static_cast<TEditPage*>(HmPage)
                   : k.Doc.EditMode == 1 ? static_cast<TEditPage*>(FirstPage)
                   : k.Doc.EditMode == 2 ? static_cast<TEditPage*>(ImagePage)
                                         : nullptr;
    return p && p->Live() ? p : nullptr;
}

// The state and font tools serve page editing.
TLxObj* CurrentObj(TKhm& k)
{
    TEditPage* p = k.Doc.EditMode == 3 ? Page(k) : nullptr;
    return p ? p->CurObj : nullptr;
}

// The list index of state s of a list kept in reversed order when reversed is set.
int StateIndex(int s, int total, bool reversed) { return reversed ? total - 1 - s : s; }

QString TextAt(const std::vector<AnsiString>& list, int i)
{
    return i >= 0 && i < static_cast<int>(list.size()) ? AnsiToQString(list[static_cast<std::size_t>(i)]) : QString();
}

// Stores text at index i, growing the list to hold it.
void StoreAt(std::vector<AnsiString>& list, int i, const AnsiString& text)
{
    if (i < 0)
        return;
    if (static_cast<int>(list.size()) < i + 1)
        list.resize(static_cast<std::size_t>(i) + 1);
    list[static_cast<std::size_t>(i)] = text;
}

void ShowInspector(TKhm& k, bool onlyWhenModified)
{
    if (!DlgProp || !k.Doc.ObjInspectorOn)
        return;
    if (DlgProp->isHidden()) {
        DlgProp->show();
        DlgProp->FormShow();
    } else if (!onlyWhenModified || k.Doc.Modified) {
        DlgProp->FormShow();
    }
}

void Changed(TKhm& k, TLxObj& obj)
{
    obj.BmpRePaint();
    if (TEditPage* p = Page(k))
        p->RepaintObj(obj);
    // The page is stored only when the project is marked modified.
    k.Doc.Modified = 1;
    k.Doc.Compiled = 0;
    if (DlgProp && DlgProp->isVisible()) {
        DlgProp->ObjToProp();
        DlgProp->AdvStrGrid->GridInitial();
    }
}

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
    TLxObj* obj = CurrentObj(k);
    QComboBox* box = StateBox(k);
    if (!obj || !box)
        return;
    const int s = box->currentIndex();
    QPlainTextEdit* memo = Memo(k);
    if (auto* light = dynamic_cast<TLight*>(obj)) {
        light->SetBmpPt(s);
        if (memo)
            memo->setEnabled(s != -1);
        SetMemo(k, TextAt(light->TxtList, StateIndex(s, light->TotalState, light->StateReverse != 0)));
    } else if (auto* act = dynamic_cast<kes::TStateBmpObj*>(obj)) {
        act->SetBmpPt(s);
    } else if (auto* vrg = dynamic_cast<TVrgBmp*>(obj)) {
        vrg->SetCurPt(s);
    } else if (auto* dev = dynamic_cast<TLxDevBmp*>(obj)) {
        dev->SetCurPt(s);
    } else if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
        btn->SetBtnPt(s);
        if (memo)
            memo->setEnabled(s != -1);
        SetMemo(k, TextAt(btn->TxtList, btn->CurPt));
    } else if (auto* msg = dynamic_cast<TMsgTxt*>(obj)) {
        msg->SetMsgPt(s);
        if (memo)
            memo->setEnabled(s != -1);
        SetMemo(k, TextAt(msg->Messages, s));
    } else {
        return;
    }
    if (TEditPage* p = Page(k)) {
        p->RepaintObj(*obj);
        ShowInspector(k, true);
        p->EditStateRefresh();
    }
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
    TLxObj* obj = CurrentObj(k);
    QComboBox* box = FontBox(k);
    if (!obj || !box)
        return;
    for (ObjKind kind : {ObjKind::LxVal, ObjKind::LxGetVal, ObjKind::Scale, ObjKind::Rtc, ObjKind::CirMeter,
                         ObjKind::RectMeter, ObjKind::LxBtn})
        if (IsKind(*obj, kind)) {
            obj->FontSet(box->currentIndex());
            break;
        }
    Changed(k, *obj);
    ShowInspector(k, false);
}

void TbMemoChange(TKhm& k)
{
    TEditPage* page = Page(k);
    QPlainTextEdit* memo = Memo(k);
    if (g_settingMemo || !page || !memo || page->SelList.size() != 1)
        return;
    TLxObj* obj = page->CurObj;
    // The start-up and user-menu screens edit static texts only.
    if (!obj || obj != page->SelList.front() || (k.Doc.EditMode != 3 && !dynamic_cast<TStTxt*>(obj)))
        return;
    const AnsiString text = QStringToAnsi(memo->toPlainText());
    QComboBox* box = StateBox(k);
    const int s = box ? box->currentIndex() : -1;
    if (auto* txt = dynamic_cast<TStTxt*>(obj)) {
        const int p = MemoLine(k) ? MemoLine(k)->value() : 0;
        if (static_cast<int>(txt->Lines.size()) < p + 1)
            txt->Lines.push_back(text);
        else
            txt->Lines[static_cast<std::size_t>(p)] = text;
    } else if (auto* msg = dynamic_cast<TMsgTxt*>(obj)) {
        if (s < 0)
            return;
        TCanvas& c = *msg->Picture.Canvas();
        AnsiString stored = text;
        if (c.TextWidth(stored) > kMaxMessageWidth && !stored.empty()) {
            // Too wide: the character just typed goes again.
            QString shown = memo->toPlainText();
            shown.chop(1);
            SetMemo(k, shown);
            stored = QStringToAnsi(shown);
        }
        // Short texts are padded with spaces to the object's width, as the panel shows them.
        const int limit = msg->Picture.Width() / std::max(page->GridWidth, 1) - c.TextWidth(" ");
        if (!stored.empty())
            while (c.TextWidth(stored) < limit)
                stored += ' ';
        StoreAt(msg->Messages, StateIndex(s, msg->TotalState, msg->StateReverse != 0), stored);
    } else if (auto* light = dynamic_cast<TLight*>(obj)) {
        if (s < 0)
            return;
        const bool none = light->TxtList.empty();
        const AnsiString line = none ? text : text.substr(0, text.find('\n'));
        StoreAt(light->TxtList, StateIndex(s, light->TotalState, light->StateReverse != 0), line);
    } else if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
        if (s < 0) {
            if (btn->TotalState > 1)
                return;
            btn->TxtList = {text};
        } else {
            StoreAt(btn->TxtList, s, text);
        }
    } else {
        return;
    }
    Changed(k, *obj);
}

void TbMemo_UDClick(TKhm& k)
{
    TEditPage* page = Page(k);
    auto* txt = page ? dynamic_cast<TStTxt*>(page->CurObj) : nullptr;
    if (!txt)
        return;
    const int p = MemoLine(k) ? MemoLine(k)->value() : 0;
    if (static_cast<int>(txt->Lines.size()) < p + 1) {
        SetMemo(k, QString());
        txt->Lines.emplace_back();
    } else {
        SetMemo(k, TextAt(txt->Lines, p));
    }
    Changed(k, *txt);
}

void TbMemoExit(TKhm& k)
{
    if (k.Doc.EditMode == 3 || k.Doc.EditMode == 1)
        ShowInspector(k, true);
}

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
