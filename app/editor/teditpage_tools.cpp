// The object tool panel's commands on the current object: the state box, the font box, the
// text box and its line selector, the text position buttons, the object's font and picture
// file. What each kind takes is its entry's edits (kindtools.cpp). An edit that leaves the
// object with a record too long to store is taken back (KeepStorable).
#include "app/editor/teditpage.h"

#include "app/editor/kindtools.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/model/lxtypecore.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/fontchoice.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

constexpr int kMsgPictureUnread = 944; // the picture could not be read

// The inspector (null: none), while it is on, is shown; its values again unless
// onlyWhenModified is set and the project is not modified.
void ShowInspector(TDlgProp* inspector, const kes::ProjectDoc& doc, const kes::ViewState& view, bool onlyWhenModified)
{
    if (!inspector || !view.ObjInspectorOn)
        return;
    if (inspector->isHidden()) {
        inspector->show();
        inspector->FormShow();
    } else if (!onlyWhenModified || doc.Modified) {
        inspector->FormShow();
    }
}

QSpinBox* LineSelector(const kes::CommandPanel& k) { return qobject_cast<QSpinBox*>(k.ToolWidget("TbMemo_UD")); }

const kes::KindEdits* EditsOf(const TLxObj* obj)
{
    const kes::KindTools* tools = obj ? kes::KindToolsOf(*obj) : nullptr;
    return tools ? &tools->Edits : nullptr;
}

} // namespace

// The object drawn again; the page is stored only when the project is marked modified.
void TEditPage::ToolEdited(TLxObj& obj)
{
    obj.BmpRePaint();
    RepaintObj(obj);
    MarkModified();
    if (TDlgProp* inspector = host_.Inspector(); inspector && inspector->isVisible()) {
        inspector->ObjToProp();
        inspector->AdvStrGrid->GridInitial();
    }
}

void TEditPage::SetToolMemo(QPlainTextEdit& memo, const QString& text)
{
    settingMemo_ = true;
    memo.setPlainText(text);
    settingMemo_ = false;
}

void TEditPage::StateBoxChange()
{
    TLxObj* obj = Data().CurObj;
    QComboBox* box = StateBox();
    const kes::KindEdits* edits = EditsOf(obj);
    if (!obj || !box || !edits || !edits->ChooseState)
        return;
    const int s = box->currentIndex();
    if (const std::optional<AnsiString> text = edits->ChooseState(*obj, s)) {
        if (QPlainTextEdit* memo = Memo()) {
            memo->setEnabled(s != -1);
            SetToolMemo(*memo, kes::AnsiToQString(*text));
        }
    }
    RepaintObj(*obj);
    ShowInspector(host_.Inspector(), host_.Doc(), host_.View(), true);
    EditStateRefresh();
}

void TEditPage::FontBoxChange()
{
    TLxObj* obj = Data().CurObj;
    QComboBox* box = FontBox();
    if (!obj || !box)
        return;
    const kes::ObjKindFacts* facts = kes::KindFactsOf(*obj);
    const UndoSnap before = UndoSnapshot();
    if (facts && facts->Font == kes::FontUse::PanelFont)
        obj->FontSet(box->currentIndex());
    if (!KeepStorable(before))
        return;
    ToolEdited(*obj);
    ShowInspector(host_.Inspector(), host_.Doc(), host_.View(), false);
}

void TEditPage::MemoChange()
{
    QPlainTextEdit* memo = Memo();
    if (settingMemo_ || !memo || Data().SelList.size() != 1)
        return;
    TLxObj* obj = Data().CurObj;
    if (!obj || obj != Data().SelList.front())
        return;
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    // The start-up and user-menu screens edit static texts only.
    if (host_.View().EditMode != kes::Editing::Pages && !(tools && tools->Texts == kes::TextTool::Lines))
        return;
    if (!tools || !tools->Edits.StoreText)
        return;
    const QComboBox* box = StateBox();
    const QSpinBox* line = LineSelector(Cmds());
    kes::TypedText typed{
        memo->toPlainText(), box ? box->currentIndex() : -1, line ? line->value() : 0, Data().GridWidth, {}};
    const UndoSnap before = UndoSnapshot();
    if (!tools->Edits.StoreText(*obj, typed) || !KeepStorable(before))
        return;
    if (typed.Retyped)
        SetToolMemo(*memo, *typed.Retyped);
    ToolEdited(*obj);
}

void TEditPage::MemoLineChange()
{
    TLxObj* obj = Data().CurObj;
    const kes::KindEdits* edits = EditsOf(obj);
    if (!edits || !edits->ChooseLine)
        return;
    const QSpinBox* line = LineSelector(Cmds());
    const UndoSnap before = UndoSnapshot();
    const std::optional<AnsiString> text = edits->ChooseLine(*obj, line ? line->value() : 0);
    if (!text || !KeepStorable(before))
        return;
    if (QPlainTextEdit* memo = Memo())
        SetToolMemo(*memo, kes::AnsiToQString(*text));
    ToolEdited(*obj);
}

void TEditPage::MemoExit(kes::ProjectDoc& doc, const kes::ViewState& view, TDlgProp* inspector)
{
    if (view.EditMode == kes::Editing::Pages || view.EditMode == kes::Editing::StartScreen)
        ShowInspector(inspector, doc, view, true);
}

void TEditPage::SetTextPosition(bool vertical, std::uint8_t code)
{
    TLxObj* obj = Data().CurObj;
    const kes::KindTools* tools = obj ? kes::KindToolsOf(*obj) : nullptr;
    const auto place = tools ? tools->Edits.PlaceText : nullptr;
    // The start-up screen places the texts of its own kinds only (the static text), and leaves
    // the inspector and the project's modified mark alone.
    if (host_.View().EditMode == kes::Editing::StartScreen) {
        if (place && tools->OnStartScreen && place(*obj, {vertical, code, false, false})) {
            obj->BmpRePaint();
            obj->Invalidate();
        }
        return;
    }
    const bool text = Cmds().ItemChecked("TbText");
    const bool picture = !text && Cmds().ItemChecked("TbBmp");
    if (place && place(*obj, {vertical, code, text, picture})) {
        obj->BmpRePaint();
        obj->Invalidate();
    }
    RefreshInspectorRows();
    MarkModified();
}

void TEditPage::ChooseObjFont()
{
    TLxObj* obj = Data().CurObj;
    if (!obj)
        return;
    TFont font = obj->Picture.Canvas()->Font;
    if (!kes::ChooseFont(host_.Ask(), host_.Window(), font, QStringLiteral("FontTypeDlg")))
        return;
    const UndoSnap before = UndoSnapshot();
    obj->Picture.Canvas()->Font = font;
    obj->BmpRePaint();
    if (!KeepStorable(before))
        return;
    obj->Invalidate();
    // The font is part of the object's record.
    MarkModified();
}

void TEditPage::LoadObjPicture(const std::string& file)
{
    TLxObj* obj = Data().CurObj;
    const kes::KindTools* tools = obj ? kes::KindToolsOf(*obj) : nullptr;
    const auto load = tools ? tools->Edits.LoadPicture : nullptr;
    if (!load)
        return;
    // The panel's size in panel pixels bounds the picture.
    const kes::LxTypeCore* model = host_.Model();
    const QComboBox* box = StateBox();
    const kes::PictureFile picture{file, model ? model->PanelWidth : 0, model ? model->PanelHeight : 0,
                                   box ? box->currentIndex() : -1, host_.Ask()};
    // The same on the start-up screen: its own kinds (the static picture), drawn again once
    // loaded.
    // A file that is no picture (or too large, or unreadable) leaves the object as it was; said.
    const auto said = [&](kes::PictureLoad loaded) {
        if (loaded == kes::PictureLoad::Failed)
            kes::ShowError(host_.Ask(), kes::Msg(kMsgPictureUnread) + QStringLiteral("\n") + kes::AnsiToQString(file));
        return loaded;
    };
    const UndoSnap before = UndoSnapshot();
    if (host_.View().EditMode == kes::Editing::StartScreen) {
        if (tools->OnStartScreen && said(load(*obj, picture)) == kes::PictureLoad::Loaded) {
            obj->BmpRePaint();
            KeepStorable(before);
        }
        return;
    }
    if (said(load(*obj, picture)) == kes::PictureLoad::NotTaken)
        return;
    obj->BmpRePaint();
    if (!KeepStorable(before))
        return;
    obj->Invalidate();
    MarkModified();
}
