// Opening an object's settings: each kind of device state picture, scale, meter, curve and
// clock opens its own dialog under its tool button's hint, and after an OK the opener refreshes
// what shows the object (the state tools for the state pictures, the inspector for all).
#include "objdlgtest.h"

#include "app/dialogs/objdialogs.h"
#include "objects/tcirmeter.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxcurve.h"
#include "objects/trectmeter.h"
#include "objects/trtc.h"
#include "objects/tscale.h"

#include <functional>
#include <memory>
#include <type_traits>

namespace kes::test {
namespace {

class ObjOpeners : public ObjDialogTest {};

template <class O> std::function<std::unique_ptr<TLxObj>()> Make(std::int32_t code)
{
    // Captured only by the kinds that use it.
    return [=] {
        auto o = std::make_unique<O>();
        if constexpr (std::is_base_of_v<TLxDevRef, O>)
            o->DevAddrCode = code;
        return std::unique_ptr<TLxObj>(std::move(o));
    };
}

TEST_F(ObjOpeners, EachKindOpensItsDialogAndRefreshesWhatShowsIt)
{
    struct Case {
        ObjKind kind;
        std::function<std::unique_ptr<TLxObj>()> make;
        const char* form;
        QString caption;
        bool stateTools;
    };
    const QString hint = QStringLiteral("tool hint");
    const Case cases[] = {
        {ObjKind::LxDevBmp, Make<TLxDevBmp>(0x3005), "DevStaSet", hint, true},
        {ObjKind::LxAdvDevBmp, Make<TLxAdvDevBmp>(0x3005), "DevStaSet", hint, true},
        {ObjKind::Scale, Make<TScale>(-1), "ScaleSet", hint, false},
        {ObjKind::CirMeter, Make<TCirMeter>(0x1005), "MeterSet", hint, false},
        {ObjKind::RectMeter, Make<TRectMeter>(0x1005), "MeterSet", hint, false},
        {ObjKind::LxCurve, Make<TLxCurve>(0x1005), "CurveSet", M(204) + " " + M(100), false},
        {ObjKind::LxXyCurve, Make<TLxXyCurve>(0x1005), "CurveSet", M(204) + " " + M(101), false},
        {ObjKind::Rtc, Make<TRtc>(0x1005), "RtcSet", hint, false},
    };
    ctx.ToolHint = [&](ObjKind) { return hint; };
    int toolRefreshes = 0;
    ctx.ObjToolbarRefresh = [&](TLxObj&) { ++toolRefreshes; };
    int inspectorRefreshes = 0;
    ctx.RefreshInspector = [&] { ++inspectorRefreshes; };
    QString form;
    QString caption;
    for (const Case& c : cases) {
        SCOPED_TRACE(KindCode(c.kind));
        const std::unique_ptr<TLxObj> obj = c.make();
        ASSERT_TRUE(IsKind(*obj, c.kind));
        page.CurObj = obj.get();
        form.clear();
        toolRefreshes = inspectorRefreshes = 0;
        state.Modified = 0;
        prompt.onExec = [&](QDialog& d) {
            form = d.objectName();
            caption = d.windowTitle();
            static_cast<SettingsDialog&>(d).OkBtnClick();
        };
        EXPECT_TRUE(OpenObjDialog(ctx, *obj, nullptr)) << ShownText();
        EXPECT_EQ(form, c.form);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(state.Modified, 1);
        EXPECT_EQ(toolRefreshes, c.stateTools ? 1 : 0);
        EXPECT_EQ(inspectorRefreshes, 1);
    }
    page.CurObj = nullptr;
}

} // namespace
} // namespace kes::test
