// The settings dialogs' context in the running program, taken from the main window.
#include "app/shell/tkhm_hosts.h"

#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tlxtype.h"
#include "app/ui/objtools.h"
#include "app/ui/translate.h"
#include "app/shell/tkhm.h"

#include <QAction>

namespace kes {

DialogContext MainDialogContext(PageData* page)
{
    DialogContext ctx(Khm->Doc, *Khm->LxType);
    ctx.Page = page;
    ctx.PageCount = static_cast<int>(Khm->Doc.PgDataList.size());
    ctx.UpDownKeysEnabled = Khm->Doc.EnableUpDown;
    if (QAction* a = Khm->Action("MmBtn"))
        ctx.BtnMenuCaption = a->text();
    ctx.BmpFolder = &Khm->BmpDlg.InitialDir;
    ctx.ToolHint = [](ObjKind kind) {
        const char* tool = ObjToolOf(kind).ToolButton;
        QAction* a = tool && Khm ? Khm->Action(tool) : nullptr;
        return a ? a->toolTip() : QString();
    };
    ctx.MenuCaption = [](const char* item) {
        QAction* a = Khm ? Khm->Action(item) : nullptr;
        return a ? CaptionText(a->text()) : QString();
    };
    ctx.SetMenuEnabled = [](const char* item, bool enabled) {
        if (Khm)
            Khm->SetItemEnabled(item, enabled);
    };
    ctx.ClearAllPgJumps = [] {
        if (Khm)
            Khm->ClearAllPgJumps();
    };
    ctx.RefreshInspector = [] {
        const THmPage* page = Khm->PageEd->Current();
        if (DlgProp && Khm->Doc.ObjInspectorOn && page && page->CurObj) {
            DlgProp->ObjToProp();
            DlgProp->AdvStrGrid->GridInitial();
        }
    };
    return ctx;
}

} // namespace kes
