#include "app/editor/editorinspector.h"

#include "app/dialogs/tdevref.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/project/projectdoc.h"

namespace kes {

namespace {

// The editor window the edit mode works on: the page window while it holds live objects,
// the start-up screen.
TEditPage* LivePage(const PageEditor& editor)
{
    const Editing mode = editor.Host().View().EditMode;
    if (mode == Editing::Pages) {
        THmPage* page = editor.Current();
        return page && page->Live() ? page : nullptr;
    }
    return mode == Editing::StartScreen ? editor.Host().StartScreenEditor() : nullptr;
}

} // namespace

Editing EditorInspector::EditMode() const { return editor_.Host().View().EditMode; }

TLxObj* EditorInspector::CurObj() const
{
    TEditPage* page = LivePage(editor_);
    return page ? page->Data().CurObj : nullptr;
}

int EditorInspector::SelCount() const
{
    const TEditPage* page = LivePage(editor_);
    return page ? static_cast<int>(page->Data().SelList.size()) : 0;
}

QSize EditorInspector::EditorClientSize() const
{
    TEditPage* page = LivePage(editor_);
    return page ? QSize(page->ClientWidth(), page->ClientHeight()) : QSize();
}

void EditorInspector::BeforeChange()
{
    notedPage_ = LivePage(editor_);
    UndoSnap snap = notedPage_ ? notedPage_->UndoSnapshot() : UndoSnap{};
    noted_ = std::move(snap.Data);
    notedWhole_ = snap.Whole;
}

bool EditorInspector::AfterChange()
{
    TEditPage* page = LivePage(editor_);
    const TEditPage* noted = notedPage_;
    UndoSnap before{std::move(noted_), notedWhole_};
    notedPage_ = nullptr;
    noted_ = {};
    if (!page || page != noted)
        return true;
    if (!page->KeepStorable(before))
        return false;
    if (page->UndoSnapshot().Data != before.Data)
        page->UndoPush(std::move(before), false);
    return true;
}

void EditorInspector::ObjChanged(TLxObj& obj)
{
    if (TEditPage* page = LivePage(editor_))
        page->InvalidateObj(obj);
}

void EditorInspector::MarkModified()
{
    ProjectDoc& doc = editor_.Host().Doc();
    doc.Modified = 1;
    doc.Compiled = 0;
}

void EditorInspector::TbTextClick()
{
    editor_.Host().PointerTool();
    if (TEditPage* page = LivePage(editor_); page && page->Data().CurObj)
        page->ObjToolbarRefresh(page->Data().CurObj);
}

void EditorInspector::PointerTool() { editor_.Host().PointerTool(); }

void EditorInspector::IgnoreNextMouse()
{
    if (TEditPage* page = LivePage(editor_))
        page->SuppressMouse(true);
}

PageData* EditorInspector::Page() const { return DataOf(LivePage(editor_)); }

int EditorInspector::PageCount() const { return static_cast<int>(editor_.Host().Doc().PgDataList.size()); }

bool EditorInspector::PickAddress(QWidget* owner, LxTypeCore& model, AddressPick& io)
{
    DevRefRequest r;
    r.Text = io.Text;
    r.Station = io.Station;
    r.WantKind = io.WantKind;
    r.AccessClass = io.Access;
    r.Link = io.Link;
    r.DeviceForm = io.DeviceForm;
    r.PanelMemory = io.PanelMemory;
    if (!RunDevRef(editor_.Host().Ask(), owner, model, r))
        return false;
    io.Text = r.Text;
    io.Station = r.Station;
    io.Link = r.Link;
    io.DeviceForm = r.DeviceForm;
    io.PanelMemory = r.PanelMemory;
    return true;
}

} // namespace kes
