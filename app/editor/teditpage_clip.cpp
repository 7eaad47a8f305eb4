// Delete, cut and copy of the selected objects through the system clipboard, where they
// travel as their records, and the fix-ups after objects were decoded onto a window.
#include "app/editor/teditpage.h"

#include "app/editor/editclip.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/msgtable.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "platform/codepage.h"

#include <QAction>

#include <algorithm>

namespace {

constexpr int kMsgButtonTypes = 229;  // + button type: the type's name
constexpr std::int32_t kUnsetLevel = 255;

} // namespace

// ---- The selected objects

void TEditPage::PopCopyClick()
{
    // Only the objects: the selection as list gives no page records.
    const kes::Bytes records = EncodeObjs(SelList, 2);
    kes::PutOnClipboard(host_.ClipFmtObjects(), kes::MakeClipBlock(records));
    DragPending = 0;
    EditStateRefresh();
}

void TEditPage::DestroyObjs(TObjList objs)
{
    canvas_->ForgetObjects();
    for (TLxObj* obj : objs) {
        if (DlgProp && DlgProp->ShownObj == obj)
            DlgProp->ShownObj = nullptr;
        outlined_.erase(obj);
        std::erase(OverlapList, obj);
        DeleteObj(obj);
    }
}

void TEditPage::PopDelClick()
{
    MarkModified();
    UndoPush();
    TObjList gone;
    for (TLxObj* obj : SelList)
        if (std::find(ObjList.begin(), ObjList.end(), obj) != ObjList.end())
            gone.push_back(obj);
    DestroyObjs(gone);
    SelList.clear();
    // A key the deleted objects held is free again unless another object holds it too.
    RecountBtnKeys();
    DragPending = 0;
    EditStateRefresh();
    host_.SetObjEditTools(false);
    Cmds().SetItemChecked("TbBmp", false);
    Cmds().SetItemChecked("TbText", false);
    for (const char* n : {"TbState_Lab", "TbState_UD", "TbState_Box", "TbFont_Lab", "TbFont_Box"})
        Cmds().SetItemEnabled(n, false);
    MarkModified();
    canvas_->update();
}

void TEditPage::PopCutClick()
{
    PopCopyClick();
    PopDelClick();
    DragPending = 0;
    EditStateRefresh();
    MarkModified();
}

void TEditPage::AfterDecode(std::size_t first)
{
    const QAction* btnItem = Cmds().Action("MmBtn");
    const QString btnCaption = btnItem ? btnItem->text() : QString();
    for (std::size_t i = first; i < ObjList.size(); ++i) {
        TLxObj* obj = ObjList[i];
        // The kind first, as in RecountBtnKeys.
        if (!kes::IsKind(*obj, kes::ObjKind::LxBtn) && !kes::IsKind(*obj, kes::ObjKind::LxGetVal))
            continue;
        if (auto* btn = dynamic_cast<TLxBtn*>(obj)) {
            QString print = btnCaption;
            if (btn->BtnType != kes::BtnType::None)
                print += QLatin1Char('[') + kes::Msg(kMsgButtonTypes + kes::BtnCode(btn->BtnType)) + QLatin1Char(']');
            btn->PrintText = kes::QStringToAnsi(print);
            if (btn->UserLevel == kUnsetLevel)
                btn->UserLevel = 0;
        } else if (auto* entry = dynamic_cast<TLxGetVal*>(obj)) {
            if (entry->UserLevel == kUnsetLevel)
                entry->UserLevel = 0;
        }
    }
    RecountBtnKeys();
}

void TEditPage::RefreshInspector()
{
    if (CurObj && DlgProp->ShownObj == CurObj) {
        DlgProp->ObjToProp();
        DlgProp->AdvStrGrid->GridInitial();
    } else {
        DlgProp->show();
        DlgProp->FormShow();
    }
}

void TEditPage::RefreshInspectorRows()
{
    if (DlgProp && host_.Doc().ObjInspectorOn && CurObj) {
        DlgProp->ObjToProp();
        DlgProp->AdvStrGrid->GridInitial();
    }
}
