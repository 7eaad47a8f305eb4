// The object tool panel of the main window fitted to one object: the state box to its
// states, the text box to the text of its shown state, the font box to its panel font.
#include "app/editor/teditpage.h"

#include "app/editor/kindtools.h"
#include "app/editor/pagehost.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"

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

} // namespace

void TEditPage::StateToolRefresh(TLxObj* obj)
{
    const kes::KindTools* tools = obj ? kes::KindToolsOf(*obj) : nullptr;
    if (!tools || tools->States != kes::StateTool::States || !tools->Edits.States)
        return;
    const kes::ShownStates states = tools->Edits.States(*obj);
    FillStateBox(Cmds(), states.Total, states.Current);
}

void TEditPage::TextToolRefresh(TLxObj* obj)
{
    kes::CommandPanel& k = Cmds();
    if (!obj)
        return;
    if (host_.View().EditMode == kes::Editing::Pages && Data().SelList.size() != 1)
        return;
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    if (!tools || (host_.View().EditMode == kes::Editing::StartScreen && tools->Texts != kes::TextTool::Lines))
        return;
    k.SetItemEnabled("TbMemo_Lab", true);
    k.SetItemEnabled("TbMemo", true);
    QPlainTextEdit* memo = Memo();
    QComboBox* stateBox = StateBox();
    if (!memo || !stateBox || !tools->Edits.FillTextBox)
        return;
    tools->Edits.FillTextBox(*obj,
                             {*memo, qobject_cast<QSpinBox*>(k.ToolWidget("TbMemo_UD")), stateBox->currentIndex()});
}

void TEditPage::ObjToolbarRefresh(TLxObj* obj)
{
    if (!obj)
        return;
    host_.SetToolsForObj(obj);
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    switch (tools ? tools->States : kes::StateTool::None) {
    case kes::StateTool::OnOff:
        if (tools->Edits.States && tools->Edits.ChooseState) {
            const int on = tools->Edits.States(*obj).Current == 1 ? 1 : 0;
            FillStateBox(Cmds(), 2, on);
            tools->Edits.ChooseState(*obj, on);
            obj->Repaint();
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
