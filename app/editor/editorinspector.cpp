#include "app/editor/editorinspector.h"

#include "app/editor/imageeditor.h"
#include "app/editor/thmpage.h"
#include "app/shell/tkhm.h"

namespace kes {

namespace {

// The page window that edit mode 3 works on, when it holds live objects.
THmPage* LivePage()
{
    return Khm && Khm->Doc.EditMode == 3 && HmPage && HmPage->Live() ? HmPage : nullptr;
}

} // namespace

int EditorInspector::EditMode() const { return Khm ? Khm->Doc.EditMode : 3; }

TLxObj* EditorInspector::CurObj() const
{
    THmPage* page = LivePage();
    return page ? page->CurObj : nullptr;
}

int EditorInspector::SelCount() const
{
    if (THmPage* page = LivePage())
        return static_cast<int>(page->SelList.size());
    if (Khm && Khm->Doc.EditMode != 3 && ImageEditor().SelCount)
        return ImageEditor().SelCount(Khm->Doc.EditMode);
    return 0;
}

QSize EditorInspector::EditorClientSize() const
{
    THmPage* page = LivePage();
    return page ? QSize(page->ClientWidth(), page->ClientHeight()) : QSize();
}

void EditorInspector::ObjChanged(TLxObj& obj)
{
    if (THmPage* page = LivePage())
        page->InvalidateObj(obj);
}

void EditorInspector::MarkModified()
{
    if (Khm) {
        Khm->Doc.Modified = 1;
        Khm->Doc.Compiled = 0;
    }
}

void EditorInspector::TbTextClick()
{
    if (!Khm)
        return;
    Khm->tbPointToClick();
    if (THmPage* page = LivePage(); page && page->CurObj)
        page->ObjToolbarRefresh(page->CurObj);
}

void EditorInspector::PointerTool()
{
    if (Khm)
        Khm->tbPointToClick();
}

void EditorInspector::IgnoreNextMouse()
{
    if (THmPage* page = LivePage())
        page->MouseSuppressed = 1;
}

EditorInspector& EditorInspectorSource()
{
    static EditorInspector source;
    return source;
}

} // namespace kes
