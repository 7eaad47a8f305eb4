#include "app/shell/screencommands.h"

#include "app/comm/ui/commhooks.h"
#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/shell/tkhm.h"

namespace kes {

void MmStartPgClick(TKhm& k)
{
    if (!k.Doc.Opened)
        return;
    k.FirstPageWin = k.Screens->OpenStartScreen();
    k.FormActivate();
}

void MmLxeClick(TKhm& k)
{
    if (!k.PageEd->Pages().empty()) {
        k.Doc.EditMode = 3;
        THmPage* page = HmPage ? HmPage : k.PageEd->Pages().front();
        k.PageEd->ShowPage(page);
    } else if (!k.Doc.PgDataList.empty()) {
        k.Doc.EditMode = 3;
        k.PageEd->LoadPageWindow(0);
    }
    k.FormActivate();
}

void InstallScreenCommands(TKhm& k)
{
    k.Wire("MmStartPg", [&k] { MmStartPgClick(k); });
    k.Wire("MmLxe", [&k] { MmLxeClick(k); });
    CommWindowHooks& comm = CommHooks();
    comm.StartScreenPicture = [&k] { return k.Screens->StartScreenPicture(); };
    comm.UserMenuPictures = [&k] { return k.Screens->UserMenuPictures(); };
}

} // namespace kes
