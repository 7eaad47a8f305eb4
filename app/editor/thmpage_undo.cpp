// Undo and redo of a page as whole-page snapshots: the page's record stream as the memory
// encoder writes it over the object list (page records included). Restoring one destroys the
// live objects and decodes the snapshot in their place. The history lives while the page is
// live and is freed with its objects.
#include "app/editor/thmpage.h"

#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/project/pgread.h"

UndoSnap THmPage::UndoSnapshot()
{
    UndoSnap snap;
    // A page without objects keeps nothing, not even its page records.
    if (ObjList.empty())
        return snap;
    const int n = kes::PgDataChx(*this, snap.Data, 0, 2, &ObjList, EncodeEnv());
    snap.Data.resize(static_cast<std::size_t>(std::max(n, 0)));
    return snap;
}

void THmPage::UndoPush()
{
    MarkModified();
    if (static_cast<int>(UndoList.size()) >= kMaxUndo)
        UndoList.erase(UndoList.begin());
    RedoList.clear();
    UndoList.push_back(UndoSnapshot());
    EditStateRefresh();
}

void THmPage::UndoAppend()
{
    UndoList.push_back(UndoSnapshot());
    MarkModified();
}

void THmPage::RestoreSnap(const UndoSnap& snap)
{
    ClearPageObjs();
    if (snap.Size() != 0) {
        kes::PageEnv env = Env();
        kes::PgDataToObj(*this, env, snap.Data, 0, snap.Data.size());
    }
    AfterDecode(0);
    canvas_->update();
}

void THmPage::StepHistory(std::vector<UndoSnap>& from, std::vector<UndoSnap>& to)
{
    // The state left behind goes to the other list (an empty list still takes it).
    to.push_back(UndoSnapshot());
    if (!from.empty()) {
        const UndoSnap snap = std::move(from.back());
        from.pop_back();
        RestoreSnap(snap);
    }
    MarkModified();
}

void THmPage::UndoStep() { StepHistory(UndoList, RedoList); }

void THmPage::RedoStep() { StepHistory(RedoList, UndoList); }
