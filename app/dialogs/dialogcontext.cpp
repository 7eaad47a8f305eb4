#include "app/dialogs/dialogcontext.h"

#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"

#include <QAction>

namespace kes {
namespace {

// Tool buttons of the object kinds; their hints are the captions of the kinds' dialogs.
const char* ToolOfKind(int kind)
{
    switch (kind) {
    case 1: return "TbStTxt";
    case 2: return "TbVal";
    case 3:
    case 21: return "TbBit";
    case 4: return "TbValRange";
    case 5: return "TbStBmp";
    case 6: return "TbActBmp";
    case 7: return "TbScale";
    case 8: return "TbProgBar";
    case 9:
    case 10: return "TbCirMeter";
    case 11: return "TbPgNum";
    case 12: return "TbMsg";
    case 13: return "TbBtn";
    case 14: return "TbCurves";
    case 15: return "TbXyCurve";
    case 16: return "TbRtc";
    case 18: return "TbLighter";
    case 19: return "TbMetrol";
    case 20: return "TbInputVal";
    default: return nullptr;
    }
}

} // namespace

DialogContext MainDialogContext(PageData* page)
{
    DialogContext ctx(*Khm, *LxType);
    ctx.Page = page;
    ctx.PageCount = static_cast<int>(Khm->PgDataList.size());
    if (QAction* a = Khm->Action("MmEnableUD"))
        ctx.UpDownKeysEnabled = a->isChecked();
    if (QAction* a = Khm->Action("MmBtn"))
        ctx.BtnMenuCaption = a->text();
    ctx.BmpFolder = &Khm->BmpDlg.InitialDir;
    ctx.ToolHint = [](int kind) {
        const char* tool = ToolOfKind(kind);
        QAction* a = tool && Khm ? Khm->Action(tool) : nullptr;
        return a ? a->toolTip() : QString();
    };
    return ctx;
}

} // namespace kes
