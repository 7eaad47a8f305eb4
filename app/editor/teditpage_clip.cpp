// Delete, cut and copy of the selected objects through the system clipboard, where they
// travel as their records, and the fix-ups after objects were decoded onto a window.
#include "app/editor/teditpage.h"

#include "app/editor/editclip.h"
#include "app/editor/kindtools.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/objtools.h"

#include <QAction>

#include <algorithm>

namespace {

constexpr std::int32_t kUnsetLevel = 255;

} // namespace

// ---- The selected objects

void TEditPage::PopCopyClick()
{
    // Only the objects: the selection as list gives no page records.
    const kes::Bytes records = EncodeObjs(Data().SelList, 2);
    kes::PutOnClipboard(host_.ClipFmtObjects(), kes::MakeClipBlock(records));
    DragPending = 0;
    EditStateRefresh();
}

void TEditPage::DestroyObjs(TObjList objs)
{
    canvas_->ForgetObjects();
    for (TLxObj* obj : objs) {
        if (TDlgProp* inspector = host_.Inspector(); inspector && inspector->ShownObj == obj)
            inspector->ShownObj = nullptr;
        outlined_.erase(obj);
        std::erase(OverlapList, obj);
        Data().DeleteObj(obj);
    }
}

void TEditPage::PopDelClick()
{
    MarkModified();
    UndoPush();
    TObjList gone;
    for (TLxObj* obj : Data().SelList)
        if (std::find(Data().ObjList.begin(), Data().ObjList.end(), obj) != Data().ObjList.end())
            gone.push_back(obj);
    DestroyObjs(gone);
    Data().SelList.clear();
    // A key the deleted objects held is free again unless another object holds it too.
    Data().RecountBtnKeys();
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
    for (std::size_t i = first; i < Data().ObjList.size(); ++i) {
        TLxObj* obj = Data().ObjList[i];
        const kes::KindTools* tools = kes::KindToolsOf(*obj);
        if (tools && tools->Edits.PrintCaption) {
            const QAction* item = Cmds().Action(kes::ObjToolOf(tools->Kind).MenuItem);
            tools->Edits.PrintCaption(*obj, item ? item->text() : QString());
        }
        if (const kes::OperatorFields f = kes::OperatorFieldsOf(*obj); f.UserLevel && *f.UserLevel == kUnsetLevel)
            *f.UserLevel = 0;
    }
    Data().RecountBtnKeys();
}

void TEditPage::RefreshInspector()
{
    TDlgProp& inspector = *host_.Inspector();
    if (Data().CurObj && inspector.ShownObj == Data().CurObj) {
        inspector.ObjToProp();
        inspector.AdvStrGrid->GridInitial();
    } else {
        inspector.show();
        inspector.FormShow();
    }
}

void TEditPage::RefreshInspectorRows()
{
    if (TDlgProp* inspector = host_.Inspector(); inspector && host_.View().ObjInspectorOn && Data().CurObj) {
        inspector->ObjToProp();
        inspector->AdvStrGrid->GridInitial();
    }
}
