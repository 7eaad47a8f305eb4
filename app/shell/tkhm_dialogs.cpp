// The settings dialogs' context in the running program, taken from the main window.
#include "app/shell/tkhm_hosts.h"

#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "app/ui/objtools.h"
#include "app/ui/translate.h"

#include <QAction>
#include <QPointer>

namespace kes {

DialogContext MainDialogContext(TKhm& k, PageData* page)
{
    DialogContext ctx(k.Doc, *k.LxType, k.Ask());
    ctx.Page = page;
    ctx.PageCount = static_cast<int>(k.Doc.PgDataList.size());
    ctx.UpDownKeysEnabled = k.Doc.EnableUpDown;
    if (QAction* a = k.Action("MmBtn"))
        ctx.BtnMenuCaption = a->text();
    ctx.BmpFolder = &k.BmpDlg.InitialDir;
    ctx.Dialogs = k.ObjDialogs();
    // A dialog may keep its context: what it calls later finds the window gone.
    const QPointer<TKhm> win(&k);
    ctx.ToolHint = [win](ObjKind kind) {
        const char* tool = ObjToolOf(kind).ToolButton;
        QAction* a = tool && win ? win->Action(tool) : nullptr;
        return a ? a->toolTip() : QString();
    };
    ctx.MenuCaption = [win](const char* item) {
        QAction* a = win ? win->Action(item) : nullptr;
        return a ? CaptionText(a->text()) : QString();
    };
    ctx.SetMenuEnabled = [win](const char* item, bool enabled) {
        if (win)
            win->SetItemEnabled(item, enabled);
    };
    ctx.ClearAllPgJumps = [win] {
        if (win)
            win->ClearAllPgJumps();
    };
    ctx.RefreshInspector = [win] {
        if (!win)
            return;
        const THmPage* page = win->PageEd->Current();
        if (win->Inspector() && win->View.ObjInspectorOn && page && page->Data().CurObj) {
            win->Inspector()->ObjToProp();
            win->Inspector()->AdvStrGrid->GridInitial();
        }
    };
    return ctx;
}

} // namespace kes
