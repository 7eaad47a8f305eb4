#include "app/dialogs/objdialogs.h"

#include "app/dialogs/tbtnset.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/project/pagedata.h"
#include "app/shell/tkhm.h"
#include "objects/tlxbtn.h"

#include <map>

namespace kes {
namespace {

bool OpenBtnSet(DialogContext& ctx, TLxObj& obj, QWidget* owner, const QString& caption)
{
    auto* btn = dynamic_cast<TLxBtn*>(&obj);
    return btn && RunBtnSet(ctx, *btn, owner, caption);
}

std::map<int, ObjDialog>& Dialogs()
{
    static std::map<int, ObjDialog> dialogs{
        {13, OpenBtnSet},
    };
    return dialogs;
}

} // namespace

void RegisterObjDialog(int kind, ObjDialog dialog)
{
    if (dialog)
        Dialogs()[kind] = std::move(dialog);
    else
        Dialogs().erase(kind);
}

const ObjDialog* FindObjDialog(int kind)
{
    const auto it = Dialogs().find(kind);
    return it == Dialogs().end() ? nullptr : &it->second;
}

ObjDialogHooks& DialogHooks()
{
    static ObjDialogHooks hooks;
    return hooks;
}

bool OpenObjDialog(DialogContext& ctx, TLxObj& obj, QWidget* owner)
{
    const int kind = obj.ObjType;
    const ObjDialog* dialog = FindObjDialog(kind);
    if (!dialog)
        return false;
    const bool stored = (*dialog)(ctx, obj, owner, ctx.ToolHintOf(kind));
    if (kind == 13 || kind == 18)
        obj.BmpRePaint();
    if ((kind == 3 || kind == 21) && ctx.ObjToolbarRefresh)
        ctx.ObjToolbarRefresh(obj);
    if (ctx.Page && ctx.Page->CurObj && DialogHooks().RefreshInspector)
        DialogHooks().RefreshInspector();
    return stored;
}

void InstallDialogCommands(TKhm& khm)
{
    khm.Wire("MmUserLevel", [&khm] {
        DialogContext ctx = MainDialogContext(nullptr);
        MmUserLevelClick(ctx, &khm);
    });
}

} // namespace kes
