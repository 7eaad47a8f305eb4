#include "app/editor/editorinspector.h"

#include "app/editor/imageeditor.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/editor/thmpage.h"
#include "app/project/projectdoc.h"

namespace kes {

namespace {

// The page window that edit mode 3 works on, when it holds live objects.
THmPage* LivePage(const PageEditor& editor)
{
    return editor.Host().Doc().EditMode == 3 && HmPage && HmPage->Live() ? HmPage : nullptr;
}

} // namespace

int EditorInspector::EditMode() const { return editor_.Host().Doc().EditMode; }

TLxObj* EditorInspector::CurObj() const
{
    THmPage* page = LivePage(editor_);
    return page ? page->CurObj : nullptr;
}

int EditorInspector::SelCount() const
{
    if (THmPage* page = LivePage(editor_))
        return static_cast<int>(page->SelList.size());
    const int mode = editor_.Host().Doc().EditMode;
    if (mode != 3 && ImageEditor().SelCount)
        return ImageEditor().SelCount(mode);
    return 0;
}

QSize EditorInspector::EditorClientSize() const
{
    THmPage* page = LivePage(editor_);
    return page ? QSize(page->ClientWidth(), page->ClientHeight()) : QSize();
}

void EditorInspector::ObjChanged(TLxObj& obj)
{
    if (THmPage* page = LivePage(editor_))
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
    if (THmPage* page = LivePage(editor_); page && page->CurObj)
        page->ObjToolbarRefresh(page->CurObj);
}

void EditorInspector::PointerTool() { editor_.Host().PointerTool(); }

void EditorInspector::IgnoreNextMouse()
{
    if (THmPage* page = LivePage(editor_))
        page->MouseSuppressed = 1;
}

} // namespace kes
