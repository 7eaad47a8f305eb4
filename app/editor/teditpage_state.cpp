// The object tool panel of the main window fitted to one object: the state box to its
// states, the text box to the text of its shown state, the font box to its panel font.
#include "app/editor/teditpage.h"

#include "app/editor/kindtools.h"
#include "app/editor/pagehost.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "objects/lxstatebmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxdevbmp.h"
#include "objects/tmsgtxt.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

// The state box lists states "0" .. count - 1 with the current one chosen.
void FillStateBox(kes::CommandPanel& k, int count, int current)
{
    for (const char* n : {"TbState_Lab", "TbState_UD", "TbState_Box"})
        k.SetItemEnabled(n, true);
    QComboBox* box = qobject_cast<QComboBox*>(k.ToolWidget("TbState_Box"));
    if (!box)
        return;
    box->clear();
    if (count == 0)
        return;
    for (int i = 0; i < count; ++i)
        box->addItem(QString::number(i));
    box->setCurrentIndex(current >= 0 && current < count ? current : -1);
}

// The text of state i of a list, or "" when the list has none for it.
QString TextAt(const std::vector<AnsiString>& list, int i)
{
    if (i < 0 || i >= static_cast<int>(list.size()))
        return {};
    return kes::AnsiToQString(list[static_cast<std::size_t>(i)]);
}

} // namespace

void TEditPage::StateToolRefresh(TLxObj* obj)
{
    kes::CommandPanel& k = Cmds();
    if (auto* vrg = dynamic_cast<TVrgBmp*>(obj))
        FillStateBox(k, vrg->TotalState, vrg->CurPt);
    else if (auto* st = dynamic_cast<kes::TStateBmpObj*>(obj))
        FillStateBox(k, st->TotalState, st->CurPt);
    else if (auto* btn = dynamic_cast<TLxBtn*>(obj))
        FillStateBox(k, btn->TotalState, btn->CurPt);
    else if (auto* msg = dynamic_cast<TMsgTxt*>(obj))
        FillStateBox(k, msg->TotalState, msg->CurPt);
}

void TEditPage::TextToolRefresh(TLxObj* obj)
{
    kes::CommandPanel& k = Cmds();
    if (!obj)
        return;
    if (host_.Doc().EditMode == 3 && SelList.size() != 1)
        return;
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    if (!tools || (host_.Doc().EditMode == 1 && tools->Texts != kes::TextTool::Lines))
        return;
    k.SetItemEnabled("TbMemo_Lab", true);
    k.SetItemEnabled("TbMemo", true);
    QPlainTextEdit* memo = Memo();
    QComboBox* stateBox = StateBox();
    if (!memo || !stateBox)
        return;
    if (auto* txt = dynamic_cast<TStTxt*>(obj)) {
        memo->clear();
        if (auto* ud = qobject_cast<QSpinBox*>(k.ToolWidget("TbMemo_UD")))
            ud->setValue(0);
        memo->setPlainText(TextAt(txt->Lines, 0));
    } else if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
        memo->clear();
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setEnabled(stateBox->currentIndex() != -1);
        if (btn->TotalState < 2) {
            memo->setEnabled(true);
            btn->SetBtnPt(0);
        }
        if (btn->TxtList.empty())
            return;
        if (btn->TotalState < 2) {
            memo->setPlainText(TextAt(btn->TxtList, 0));
            if (btn->BtnType == kes::BtnType::InputValue && btn->ReadUsed == 1)
                memo->setEnabled(false);
        } else {
            memo->setPlainText(TextAt(btn->TxtList, btn->CurPt));
        }
    } else if (tools->Texts == kes::TextTool::StateTexts) {
        memo->clear();
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setEnabled(stateBox->currentIndex() != -1);
        const std::vector<AnsiString>* texts = nullptr;
        int count = 0;
        int current = 0;
        bool reverse = false;
        if (auto* msg = dynamic_cast<TMsgTxt*>(obj)) {
            texts = &msg->Messages;
            count = msg->TotalState;
            current = msg->CurPt;
            reverse = msg->StateReverse != 0;
        } else if (auto* st = dynamic_cast<kes::TStateBmpObj*>(obj)) {
            texts = &st->TxtList;
            count = st->TotalState;
            current = st->CurPt;
            reverse = st->StateReverse != 0;
        }
        // A state outside the list shows no text.
        if (texts && !texts->empty())
            memo->setPlainText(TextAt(*texts, reverse ? count - current - 1 : current));
    }
}

void TEditPage::ObjToolbarRefresh(TLxObj* obj)
{
    if (!obj)
        return;
    host_.SetToolsForObj(obj);
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    switch (tools ? tools->States : kes::StateTool::None) {
    case kes::StateTool::OnOff:
        if (auto* bit = dynamic_cast<TLxDevBmp*>(obj)) {
            FillStateBox(Cmds(), 2, bit->CurPt == 1 ? 1 : 0);
            bit->SetCurPt(bit->CurPt == 1 ? 1 : 0);
            bit->Repaint();
        }
        break;
    case kes::StateTool::States:
        StateToolRefresh(obj);
        break;
    case kes::StateTool::None:
        SetStateTools(false);
        break;
    }
    Cmds().SetItemVisible("TbMemo_UD", false);
    if (const QWidget* memo = Cmds().ToolWidget("TbMemo"); memo && memo->isEnabled()) {
        switch (tools ? tools->Texts : kes::TextTool::None) {
        case kes::TextTool::Lines:
            Cmds().SetItemVisible("TbMemo_UD", true);
            TextToolRefresh(obj);
            break;
        case kes::TextTool::StateTexts:
            TextToolRefresh(obj);
            break;
        case kes::TextTool::None:
            Cmds().SetItemEnabled("TbMemo_Lab", false);
            Cmds().SetItemEnabled("TbMemo", false);
            break;
        }
    }
}

void TEditPage::ObjFontBoxRefresh(TLxObj* obj)
{
    if (!obj)
        return;
    const kes::ObjKindFacts* facts = kes::KindFactsOf(*obj);
    const bool takesFont = facts && facts->Font == kes::FontUse::PanelFont;
    Cmds().SetItemEnabled("TbFont_Lab", takesFont);
    Cmds().SetItemEnabled("TbFont_Box", takesFont);
    if (QComboBox* box = FontBox())
        box->setCurrentIndex(takesFont && obj->fontsize >= 0 && obj->fontsize <= 3 ? obj->fontsize : -1);
}

