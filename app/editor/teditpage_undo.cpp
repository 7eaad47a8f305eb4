// Undo and redo as whole-window snapshots: the window's record stream as the memory encoder
// writes it over the object list (a page's setting records included). Restoring one destroys the
// live objects and decodes the snapshot in their place. The history lives while the page is
// live and is freed with its objects. A state holding an object whose record is too long to
// store would come back without it, so no such state enters either list.
#include "app/editor/teditpage.h"

#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"

UndoSnap TEditPage::UndoSnapshot()
{
    UndoSnap snap;
    // A page without objects keeps nothing, not even its page records.
    if (Data().ObjList.empty())
        return snap;
    std::size_t leftOut = 0;
    snap.Data = EncodeObjs(Data().ObjList, 2, &leftOut);
    snap.Whole = leftOut == 0;
    return snap;
}

void TEditPage::UndoPush(bool wholeState) { UndoPush(UndoSnapshot(), wholeState); }

void TEditPage::UndoPush(UndoSnap before, bool wholeState)
{
    MarkModified();
    redoList_.clear();
    // A state that would come back without an object is not kept: the step joins the one before.
    if (before.Whole) {
        if (static_cast<int>(undoList_.size()) >= kMaxUndo)
            undoList_.erase(undoList_.begin());
        undoList_.push_back(std::move(before));
    }
    if (wholeState)
        EditStateRefresh();
    else
        UndoStateRefresh();
}

void TEditPage::UndoAppend()
{
    if (UndoSnap snap = UndoSnapshot(); snap.Whole)
        undoList_.push_back(std::move(snap));
    MarkModified();
}

void TEditPage::RestoreSnap(const UndoSnap& snap)
{
    ClearPageObjs();
    if (snap.Size() != 0)
        DecodeObjs(snap.Data, false);
    canvas_->update();
}

void TEditPage::StepHistory(std::vector<UndoSnap>& from, std::vector<UndoSnap>& to)
{
    // The state left behind goes to the other list (an empty list still takes it).
    if (UndoSnap left = UndoSnapshot(); left.Whole)
        to.push_back(std::move(left));
    if (!from.empty()) {
        const UndoSnap snap = std::move(from.back());
        from.pop_back();
        RestoreSnap(snap);
    }
    MarkModified();
}

void TEditPage::UndoStep() { StepHistory(undoList_, redoList_); }

void TEditPage::RedoStep() { StepHistory(redoList_, undoList_); }

void TEditPage::ClearHistory()
{
    undoList_.clear();
    redoList_.clear();
}
