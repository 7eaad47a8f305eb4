#include "app/dialogs/objdialogs.h"

#include "app/dialogs/tbmpset.h"
#include "app/dialogs/tbtnset.h"
#include "app/dialogs/tcurveset.h"
#include "app/dialogs/tdevstaset.h"
#include "app/dialogs/tfrmuserlevel.h"
#include "app/dialogs/tmeterset.h"
#include "app/dialogs/tmetrolset.h"
#include "app/dialogs/tmsgset.h"
#include "app/dialogs/tprogbarset.h"
#include "app/dialogs/trtcset.h"
#include "app/dialogs/tscaleset.h"
#include "app/dialogs/ttxtedit.h"
#include "app/dialogs/tvalstaset.h"
#include "app/dialogs/tvalstget.h"
#include "app/dialogs/tvrgset.h"
#include "app/project/pagedata.h"
#include "app/ui/commandpanel.h"
#include "objects/lxstatebmp.h"
#include "objects/tcirmeter.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trectmeter.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

namespace kes {
namespace {

using A = AfterDialog;
using G = StateGrid;

// kind, dialog, after closing, state table columns
constexpr ObjDialogEntry kDialogs[] = {
    {ObjKind::StTxt, OpenAs<TStTxt, RunTxtEdit>, A::Nothing, G::None},
    {ObjKind::LxVal, OpenAs<TLxVal, RunValStaSet>, A::Nothing, G::None},
    {ObjKind::LxDevBmp, OpenAs<TLxDevBmp, RunDevStaSet>, A::RefreshTools, G::None},
    {ObjKind::VrgBmp, OpenAs<TVrgBmp, RunVrgSet>, A::Nothing, G::Values},
    {ObjKind::StBmp, nullptr, A::Nothing, G::None},
    {ObjKind::ActBmp, OpenAs<TStateBmpObj, RunBmpSet>, A::Nothing, G::ValuesTexts},
    {ObjKind::Scale, OpenAs<TScale, RunScaleSet>, A::Nothing, G::None},
    {ObjKind::ProgBar, OpenAs<TProgBar, RunProgBarSet>, A::Nothing, G::None},
    {ObjKind::CirMeter, OpenAs<TCirMeter, RunMeterSet>, A::Nothing, G::None},
    {ObjKind::RectMeter, OpenAs<TRectMeter, RunMeterSet>, A::Nothing, G::None},
    {ObjKind::LxPage, nullptr, A::Nothing, G::None},
    {ObjKind::MsgTxt, OpenAs<TMsgTxt, RunMsgSet>, A::Nothing, G::ValuesThenTexts},
    {ObjKind::LxBtn, OpenAs<TLxBtn, RunBtnSet>, A::RepaintPicture, G::Texts},
    {ObjKind::LxCurve, OpenAs<TLxCurve, RunCurveSet>, A::Nothing, G::None},
    {ObjKind::LxXyCurve, OpenAs<TLxXyCurve, RunXyCurveSet>, A::Nothing, G::None},
    {ObjKind::Rtc, OpenAs<TRtc, RunRtcSet>, A::Nothing, G::None},
    {ObjKind::Geom, nullptr, A::Nothing, G::None},
    {ObjKind::Light, OpenAs<TStateBmpObj, RunBmpSet>, A::RepaintPicture, G::ValuesTexts},
    {ObjKind::Metrol, OpenAs<TMetrol, RunMetrolSet>, A::Nothing, G::None},
    {ObjKind::LxGetVal, OpenAs<TLxGetVal, RunValStGet>, A::Nothing, G::None},
    {ObjKind::LxAdvDevBmp, OpenAs<TLxAdvDevBmp, RunAdvDevStaSet>, A::RefreshTools, G::None},
};
static_assert(CoversEveryKind(kDialogs));

} // namespace

const ObjDialogEntry& ObjDialogOf(ObjKind kind) { return EntryOf(kDialogs, kind); }

ObjDialog KindObjDialog(ObjKind kind)
{
    if (const ObjDialogFn open = ObjDialogOf(kind).Open)
        return open;
    return {};
}

ObjDialog FindObjDialog(const DialogContext& ctx, ObjKind kind)
{
    return ctx.Dialogs ? ctx.Dialogs->Find(kind) : KindObjDialog(kind);
}

bool OpenObjDialog(DialogContext& ctx, TLxObj& obj, QWidget* owner)
{
    const std::optional<ObjKind> kind = KindOfCode(obj.ObjType);
    if (!kind)
        return false;
    const ObjDialog dialog = FindObjDialog(ctx, *kind);
    if (!dialog)
        return false;
    const bool stored = dialog(ctx, obj, owner, ctx.ToolHintOf(*kind));
    switch (ObjDialogOf(*kind).After) {
    case AfterDialog::RepaintPicture:
        obj.BmpRePaint();
        break;
    case AfterDialog::RefreshTools:
        if (ctx.ObjToolbarRefresh)
            ctx.ObjToolbarRefresh(obj);
        break;
    case AfterDialog::Nothing:
        break;
    }
    if (ctx.Page && ctx.Page->CurObj && ctx.RefreshInspector)
        ctx.RefreshInspector();
    return stored;
}

void InstallDialogCommands(CommandPanel& commands, QWidget* owner, std::function<DialogContext()> context)
{
    commands.Wire("MmUserLevel", [owner, context = std::move(context)] {
        DialogContext ctx = context();
        MmUserLevelClick(ctx, owner);
    });
}

} // namespace kes
