// NewPageObj: one panel object per kind with its defaults.
#include "app/project/objfactory.h"

#include "app/model/lxtypecore.h"
#include "objects/addrmode.h"
#include "objects/lxdevref.h"
#include "objects/tactbmp.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxbtn.h"
#include "objects/tlxgetval.h"
#include "objects/tlxpage.h"
#include "objects/tmsgtxt.h"
#include "objects/valformat.h"

namespace kes {

namespace {

std::string MessageText(const ProjectState& state, int n)
{
    return n >= 0 && n < static_cast<int>(state.MsgTable.size()) ? state.MsgTable[n] : std::string();
}

bool LinkUsesPanelMemory(const ProjectState& state)
{
    return state.LinkIndex < state.PortSlaveMode.size() && state.PortSlaveMode[state.LinkIndex] != 0;
}

// The picture grown to the grid (content kept at the top-left).
void Scaled(TLxObj& obj, const ProjectState& state)
{
    obj.Picture.SetSize(obj.Picture.Width() * std::max(state.GridWidth, 1),
                        obj.Picture.Height() * std::max(state.GridHeight, 1));
}

// The picture grown to the grid with its old content spread over the whole.
void ScaledStretched(TLxObj& obj, const ProjectState& state)
{
    GridStretch(obj.Picture, state.GridWidth, state.GridHeight);
}

// A bit device in bit mode where the controller has bit devices, else a word device in
// value mode (the kinds with states).
template <typename Obj> void StateModeDefaults(Obj& obj, const PageEnv& env)
{
    const bool bits = env.State.BitObjAllowed();
    SetDefaultDevRef(obj, env, !bits);
    obj.StateMode = bits ? kBitFlags : kWordFlags;
}

void ButtonDefaults(TLxBtn& btn, const PageEnv& env)
{
    const ProjectState& state = env.State;
    if (state.BitObjAllowed()) {
        btn.BtnType = BtnType::SetOn;
    } else {
        btn.BtnType = BtnType::InputValue;
        btn.IntNum = 5;
        btn.DecNum = 0;
        btn.ValType = kes::FormatCode(kes::ValFormat::Unsigned);
        btn.ParamA = 65535;
        btn.ParamB = 0;
    }
    const bool valueType = IsValueBtnType(btn.BtnType);
    btn.SetStateNum(valueType ? 1 : 2);
    if (btn.BtnType == BtnType::MultiState) {
        SetDefaultDevRef(btn.WriteDev, env, !state.BitObjAllowed());
        btn.ValKind = state.BitObjAllowed() ? kBitFlags : kWordFlags;
    } else if (valueType) {
        SetDefaultDevRef(btn.WriteDev, env, true);
        btn.ValKind = kWordFlags;
    } else {
        SetDefaultDevRef(btn.WriteDev, env, false);
    }
    for (TLxDevRef* ref : {&btn.ReadDev, &btn.NotifyDev}) {
        ref->RefIntMem = btn.WriteDev.RefIntMem;
        ref->RefStation = state.DefStation;
        ref->RefLink = state.LinkIndex;
    }
}

// The print caption of the object's kind.
void Caption(TLxObj& obj, const PageEnv& env)
{
    if (const ObjKindFacts* facts = KindFactsOf(obj))
        obj.PrintText = MessageText(env.State, facts->CaptionMsg);
}

TLxDevRef& Ref(TLxObj& obj) { return dynamic_cast<TLxDevRef&>(obj); }

// The kind's single device reference to the default word or bit address.
void WordRef(TLxObj& obj, const PageEnv& env) { SetDefaultDevRef(Ref(obj), env, true); }
void BitRef(TLxObj& obj, const PageEnv& env) { SetDefaultDevRef(Ref(obj), env, false); }

using Env = const PageEnv&;
using Page = const PageData&;

// What new objects of several kinds get beyond their class's defaults.
void Nothing(TLxObj&, Page, Env) {}
void ScaledOnly(TLxObj& o, Page, Env env) { Scaled(o, env.State); }
void CaptionScaled(TLxObj& o, Page, Env env)
{
    Caption(o, env);
    Scaled(o, env.State);
}
void WordScaled(TLxObj& o, Page, Env env)
{
    WordRef(o, env);
    Scaled(o, env.State);
}
void CaptionWordScaled(TLxObj& o, Page page, Env env)
{
    Caption(o, env);
    WordScaled(o, page, env);
}
void CaptionBitStretched(TLxObj& o, Page, Env env)
{
    Caption(o, env);
    BitRef(o, env);
    ScaledStretched(o, env.State);
}
template <typename T> void StateModeScaled(TLxObj& o, Page, Env env)
{
    StateModeDefaults(dynamic_cast<T&>(o), env);
    Scaled(o, env.State);
}

void CaptionWordStretched(TLxObj& o, Page, Env env)
{
    Caption(o, env);
    WordRef(o, env);
    ScaledStretched(o, env.State);
}
// The multi-state picture keeps its picture as it is.
void ActBmpDefaults(TLxObj& o, Page, Env env) { StateModeDefaults(dynamic_cast<TActBmp&>(o), env); }
void RectMeterDefaults(TLxObj& o, Page, Env env)
{
    // Only the address: the panel-memory flag and station keep the class defaults.
    TLxDevRef probe;
    SetDefaultDevRef(probe, env, true);
    TLxDevRef& ref = Ref(o);
    ref.DevAddrCode = probe.DevAddrCode;
    ref.DevText = probe.DevText;
    ref.RefLink = probe.RefLink;
    Scaled(o, env.State);
}
void PageNumber(TLxObj& o, Page page, Env) { dynamic_cast<TLxPage&>(o).SetPgNum(page.PgIndex); }
void ButtonScaled(TLxObj& o, Page, Env env)
{
    ButtonDefaults(dynamic_cast<TLxBtn&>(o), env);
    Scaled(o, env.State);
}
void EntryDefaults(TLxObj& o, Page, Env env)
{
    auto& e = dynamic_cast<TLxGetVal&>(o);
    Caption(o, env);
    SetDefaultDevRef(e.WriteDev, env, true);
    for (TLxDevRef* ref : {&e.ReadDev, &e.NotifyDev}) {
        ref->RefLink = env.State.LinkIndex;
        ref->RefStation = env.State.DefStation;
    }
    Scaled(o, env.State);
}

// A figure takes the drawing tool's pen and what was drawn.
void Figure(TLxObj& o, const DrawState& draw)
{
    auto& geom = dynamic_cast<TGeom&>(o);
    TPen& pen = geom.Picture.Canvas()->Pen;
    pen.Style = draw.PenStyle;
    pen.Width = draw.PenWidth;
    geom.ObjGeomSet(static_cast<TGeomType>(draw.ToolSubType), draw.PolyPts, draw.DownPt.x, draw.DownPt.y, draw.CurPt.x,
                    draw.CurPt.y);
}

// What a new object of each kind gets beyond its class's defaults, and what it takes from
// the drawing that placed it.
struct FactoryDefaults {
    ObjKind Kind;
    void (*Apply)(TLxObj& obj, Page page, Env env);
    void (*Drawn)(TLxObj& obj, const DrawState& draw); // null: placed at the drawn point
};

constexpr FactoryDefaults kDefaults[] = {
    {ObjKind::StTxt, CaptionScaled, nullptr},
    {ObjKind::LxVal, CaptionWordScaled, nullptr},
    {ObjKind::LxDevBmp, CaptionBitStretched, nullptr},
    {ObjKind::VrgBmp, CaptionWordStretched, nullptr},
    {ObjKind::StBmp, CaptionScaled, nullptr},
    {ObjKind::ActBmp, ActBmpDefaults, nullptr},
    {ObjKind::Scale, Nothing, nullptr},
    {ObjKind::ProgBar, WordScaled, nullptr},
    {ObjKind::CirMeter, WordScaled, nullptr},
    {ObjKind::RectMeter, RectMeterDefaults, nullptr},
    {ObjKind::LxPage, PageNumber, nullptr},
    {ObjKind::MsgTxt, StateModeScaled<TMsgTxt>, nullptr},
    {ObjKind::LxBtn, ButtonScaled, nullptr},
    {ObjKind::LxCurve, WordScaled, nullptr},
    {ObjKind::LxXyCurve, WordScaled, nullptr},
    {ObjKind::Rtc, WordScaled, nullptr},
    {ObjKind::Geom, Nothing, Figure},
    {ObjKind::Light, StateModeScaled<TLight>, nullptr},
    {ObjKind::Metrol, ScaledOnly, nullptr},
    {ObjKind::LxGetVal, EntryDefaults, nullptr},
    {ObjKind::LxAdvDevBmp, CaptionBitStretched, nullptr},
};
static_assert(CoversEveryKind(kDefaults));

} // namespace

void SetDefaultDevRef(TLxDevRef& ref, const PageEnv& env, bool word)
{
    const ProjectState& state = env.State;
    // A controller without bit devices gets word addresses wherever a bit one would go.
    word = word || !state.BitObjAllowed();
    ref.RefLink = state.LinkIndex;
    if (LinkUsesPanelMemory(state)) {
        const DevRecord& rec = state.InternalDevRecords[word ? kInternalWord : kInternalBit];
        const std::int32_t base = rec.Ranges.empty() ? (word ? kInternalWordBase : 0) : rec.Ranges.front().Base;
        const std::int32_t first = rec.Ranges.empty() ? 0 : rec.Ranges.front().Min;
        ref.RefIntMem = 1;
        ref.DevAddrCode = base;
        ref.DevText = rec.Name + std::to_string(first);
    } else {
        ref.RefIntMem = 0;
        ref.DevAddrCode = word ? env.LxType.DefWordCode : env.LxType.DefBitCode;
        ref.DevText = word ? env.LxType.DefWordText : env.LxType.DefBitText;
    }
    ref.RefStation = state.DefStation;
}

bool TakeDrawing(TLxObj& obj, ObjKind kind, const DrawState& draw)
{
    const auto drawn = EntryOf(kDefaults, kind).Drawn;
    if (!drawn)
        return false;
    drawn(obj, draw);
    return true;
}

std::unique_ptr<TLxObj> NewPageObj(const PageData& page, const PageEnv& env, ObjKind kind)
{
    std::unique_ptr<TLxObj> obj = NewObjOfKind(kind);
    EntryOf(kDefaults, kind).Apply(*obj, page, env);
    obj->SetObjSize(page.Zoom);
    obj->GridHeight = env.State.GridHeight;
    obj->GridWidth = env.State.GridWidth;
    obj->Picture.Canvas()->Font = env.MainFont;
    return obj;
}

} // namespace kes
