// Commands that act on the selection without the mouse: the "." key, the z-order of the
// current object, aligning the selection to a common edge, the position step buttons and
// multiple copy. None of them but multiple copy records an undo step; each that changes the
// window marks the project modified, so that the change is stored when the window is left.
#include "app/editor/teditpage.h"

#include "app/editor/editorder.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"
#include "app/editor/tfrmmulticopy.h"
#include "app/project/objrefs.h"
#include "app/project/projectdoc.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <algorithm>

namespace {
constexpr int kMsgObjectNotFound = 992; // "Object not found!!"
} // namespace

// ---- Keys

void TEditPage::FormKeyPress(char key)
{
    if (LinkBusy())
        return;
    if (key == '.')
        PopDelClick();
}

// ---- Z-order: ObjList is the paint order, so re-stacking is re-ordering it.

void TEditPage::MmMovTopClick()
{
    if (!kes::MoveToTop(Data().ObjList, Data().CurObj))
        return;
    MarkModified();
    canvas_->update();
}

void TEditPage::MmMovbuttonClick()
{
    if (!kes::MoveToBottom(Data().ObjList, Data().CurObj))
        return;
    MarkModified();
    canvas_->update();
}

void TEditPage::MoveUPDOWN(int dir)
{
    if (!Data().CurObj ||
        std::find(Data().ObjList.begin(), Data().ObjList.end(), Data().CurObj) == Data().ObjList.end())
        return;
    switch (kes::MoveUpDown(Data().ObjList, Data().CurObj, dir, OverlapList)) {
    case kes::ZStep::Moved:
        MarkModified();
        canvas_->update();
        break;
    case kes::ZStep::NotFound:
        kes::ShowError(host_.Ask(), kes::Msg(kMsgObjectNotFound));
        break;
    case kes::ZStep::AtEnd:
        break;
    }
}

void TEditPage::MmMoveUpClick() { MoveUPDOWN(kes::kZUp); }

void TEditPage::MmMoveDnClick() { MoveUPDOWN(kes::kZDown); }

// ---- Alignment and steps

void TEditPage::AlignSelObjs(int mode)
{
    if (!kes::AlignObjs(Data().ObjList, Data().SelList, mode))
        return;
    MarkModified();
    FormResize();
    canvas_->update();
}

void TEditPage::StepSelObjs(int dir)
{
    if (Data().SelList.empty())
        return;
    // The page's own zoom, and the page's edges: a step never puts an object off the page.
    kes::StepObjs(Data().SelList, dir, Step(), ClientWidth(), ClientHeight());
    if (Data().SelList.size() == 1)
        RefreshInspectorRows();
    MarkModified();
    FormResize();
    canvas_->update();
}

// ---- Multiple copy

void TEditPage::MmMultiCopyClick()
{
    if (LinkBusy() || !EditsObjects() || !Data().CurObj)
        return;
    TFrmMultiCopy form(host_.Window(), *this, host_.Doc().LangIndex);
    kes::ExecModal(host_.Ask(), &form);
}

int TEditPage::MultiCopy(const MultiCopyPlan& plan)
{
    TLxObj* source = Data().CurObj;
    if (!source || std::find(Data().ObjList.begin(), Data().ObjList.end(), source) == Data().ObjList.end())
        return 0;
    if (plan.Columns <= 0 && plan.Rows <= 0)
        return 0;
    // The source's record travels in memory: the user's clipboard stays as it was.
    const TObjList sources{source};
    if (RefuseUnstorable(sources))
        return 0;
    const kes::Bytes records = EncodeObjs(sources, 2);
    if (records.empty())
        return 0;
    if (UndoesMultiCopy())
        UndoAppend();
    multiCopying_ = true;
    Data().Pasting = 1;
    const kes::LxTypeCore* model = host_.Model();
    int made = 0;
    bool refused = false;
    for (int i = 0; i < plan.Columns && !refused; ++i) {
        for (int j = 0; j < plan.Rows; ++j) {
            if (i == 0 && j == 0)
                continue;
            const std::size_t before = Data().ObjList.size();
            // The first copy the window refuses ends the copying: nothing else moves.
            if (!RoomFor(static_cast<int>(records.size()), false) ||
                (DecodeObjs(records, true), Data().ObjList.size() == before)) {
                refused = true;
                break;
            }
            TLxObj* c = Data().ObjList.back();
            std::erase(Data().SelList, c);
            c->SetSelected(false);
            c->Width = c->Picture.Width() * Data().Zoom;
            c->Height = c->Picture.Height() * Data().Zoom;
            c->Left = (plan.SpacingX * Data().GridWidth * Data().Zoom + c->Width) * i + c->Left;
            if (c->Left + c->Width > ClientWidth())
                c->Left = std::max(0, ClientWidth() - c->Width);
            c->Top = (plan.SpacingY * Data().GridHeight * Data().Zoom + c->Height) * j + c->Top;
            if (c->Top + c->Height > ClientHeight())
                c->Top = std::max(0, ClientHeight() - c->Height);
            c->RecordSelRgn();
            if (plan.StepAddresses && model) {
                const int k = plan.RowsFirst ? plan.Columns * j + i : plan.Rows * i + j;
                kes::StepObjAddresses(*c, *model, k);
                c->BmpRePaint();
            }
            ++made;
        }
    }
    Data().Pasting = 0;
    multiCopying_ = false;
    DeselectAll();
    Data().CurObj = source;
    Data().SelList.push_back(source);
    source->SetSelected(true);
    MarkModified();
    RefreshInspectorRows();
    EditStateRefresh();
    canvas_->update();
    return made;
}
