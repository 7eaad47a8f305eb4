// The object tool panel's commands on the current object: the text position buttons, the
// object's font and picture file. What each kind takes is its entry's edits (kindtools.cpp).
#include "app/editor/teditpage.h"

#include "app/editor/kindtools.h"
#include "app/editor/pagehost.h"
#include "app/model/lxtypecore.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/fontchoice.h"

#include <QComboBox>

void TEditPage::SetTextPosition(bool vertical, std::uint8_t code)
{
    TLxObj* obj = CurObj;
    const kes::KindTools* tools = obj ? kes::KindToolsOf(*obj) : nullptr;
    const auto place = tools ? tools->Edits.PlaceText : nullptr;
    // The start-up screen places the texts of its own kinds only (the static text), and leaves
    // the inspector and the project's modified mark alone.
    if (host_.Doc().EditMode == 1) {
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
    TLxObj* obj = CurObj;
    if (!obj)
        return;
    TFont font = obj->Picture.Canvas()->Font;
    if (!kes::ChooseFont(host_.Window(), font, QStringLiteral("FontTypeDlg")))
        return;
    obj->Picture.Canvas()->Font = font;
    obj->BmpRePaint();
    obj->Invalidate();
    // The font is part of the object's record.
    MarkModified();
}

void TEditPage::LoadObjPicture(const std::string& file)
{
    TLxObj* obj = CurObj;
    const kes::KindTools* tools = obj ? kes::KindToolsOf(*obj) : nullptr;
    const auto load = tools ? tools->Edits.LoadPicture : nullptr;
    if (!load)
        return;
    // The panel's size in panel pixels bounds the picture.
    const kes::LxTypeCore* model = host_.Model();
    const QComboBox* box = StateBox();
    const kes::PictureFile picture{file, model ? model->PanelWidth : 0, model ? model->PanelHeight : 0,
                                   box ? box->currentIndex() : -1};
    // The same on the start-up screen: its own kinds (the static picture), drawn again once
    // loaded.
    if (host_.Doc().EditMode == 1) {
        if (tools->OnStartScreen && load(*obj, picture) == kes::PictureLoad::Loaded)
            obj->BmpRePaint();
        return;
    }
    if (load(*obj, picture) == kes::PictureLoad::NotTaken)
        return;
    obj->BmpRePaint();
    obj->Invalidate();
    MarkModified();
}
