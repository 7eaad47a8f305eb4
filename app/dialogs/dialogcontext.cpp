#include "app/dialogs/dialogcontext.h"

#include "app/project/ui/tlxtype.h"
#include "app/ui/objtools.h"
#include "app/shell/tkhm.h"

#include <QAction>

namespace kes {

DialogContext MainDialogContext(PageData* page)
{
    DialogContext ctx(Khm->Doc, *LxType);
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
    return ctx;
}

} // namespace kes
