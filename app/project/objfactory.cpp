// NewPageObj: one panel object per kind with its defaults.
#include "app/project/objfactory.h"

#include "app/model/lxtypecore.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxgetval.h"
#include "objects/tlxpage.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trectmeter.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

namespace kes {

namespace {

constexpr std::uint8_t kWordMode = 0x10;

// Message numbers of the kinds' print captions.
constexpr int kMsgStaticText = 36;
constexpr int kMsgReadOut = 37;
constexpr int kMsgIndicator = 38;
constexpr int kMsgMultiStateIndicator = 39;
constexpr int kMsgStaticBitmap = 40;
constexpr int kMsgNumericInput = 91;

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

// Kinds 6, 12 and 18: a bit device in bit mode where the controller has bit devices,
// else a word device in value mode.
template <typename Obj> void StateModeDefaults(Obj& obj, const PageEnv& env)
{
    const bool bits = env.State.BitObjAllowed();
    SetDefaultDevRef(obj, env, !bits);
    obj.StateMode = bits ? 0 : kWordMode;
}

void ButtonDefaults(TLxBtn& btn, const PageEnv& env)
{
    const ProjectState& state = env.State;
    if (state.BitObjAllowed()) {
        btn.BtnType = kBtnSetOn;
    } else {
        btn.BtnType = kBtnInputValue;
        btn.IntNum = 5;
        btn.DecNum = 0;
        btn.ValType = 0;
        btn.ParamA = 65535;
        btn.ParamB = 0;
    }
    const bool valueType = btn.BtnType >= kBtnInputValue && btn.BtnType <= kBtnDecrement;
    btn.SetStateNum(valueType ? 1 : 2);
    if (btn.BtnType == kBtnMultiState) {
        SetDefaultDevRef(btn.WriteDev, env, !state.BitObjAllowed());
        btn.ValKind = state.BitObjAllowed() ? 0 : kWordMode;
    } else if (valueType) {
        SetDefaultDevRef(btn.WriteDev, env, true);
        btn.ValKind = kWordMode;
    } else {
        SetDefaultDevRef(btn.WriteDev, env, false);
    }
    for (TLxDevRef* ref : {&btn.ReadDev, &btn.NotifyDev}) {
        ref->RefIntMem = btn.WriteDev.RefIntMem;
        ref->RefStation = state.DefStation;
        ref->RefLink = state.LinkIndex;
    }
}

std::unique_ptr<TLxObj> MakeKind(const PageData& page, const PageEnv& env, std::int16_t kind)
{
    const ProjectState& state = env.State;
    switch (kind) {
    case 1: {
        auto o = std::make_unique<TStTxt>();
        o->PrintText = MessageText(state, kMsgStaticText);
        Scaled(*o, state);
        return o;
    }
    case 2: {
        auto o = std::make_unique<TLxVal>();
        o->PrintText = MessageText(state, kMsgReadOut);
        SetDefaultDevRef(*o, env, true);
        Scaled(*o, state);
        return o;
    }
    case 3:
    case 21: {
        std::unique_ptr<TLxDevBmp> o;
        if (kind == 3)
            o = std::make_unique<TLxDevBmp>();
        else
            o = std::make_unique<TLxAdvDevBmp>();
        o->PrintText = MessageText(state, kMsgIndicator);
        SetDefaultDevRef(*o, env, false);
        ScaledStretched(*o, state);
        return o;
    }
    case 4: {
        auto o = std::make_unique<TVrgBmp>();
        o->PrintText = MessageText(state, kMsgMultiStateIndicator);
        SetDefaultDevRef(*o, env, true);
        ScaledStretched(*o, state);
        return o;
    }
    case 5: {
        auto o = std::make_unique<TStBmp>();
        o->PrintText = MessageText(state, kMsgStaticBitmap);
        Scaled(*o, state);
        return o;
    }
    case 6: {
        auto o = std::make_unique<TActBmp>();
        StateModeDefaults(*o, env);
        return o;
    }
    case 7:
        return std::make_unique<TScale>();
    case 8: {
        auto o = std::make_unique<TProgBar>();
        SetDefaultDevRef(*o, env, true);
        Scaled(*o, state);
        return o;
    }
    case 9: {
        auto o = std::make_unique<TCirMeter>();
        SetDefaultDevRef(*o, env, true);
        Scaled(*o, state);
        return o;
    }
    case 10: {
        auto o = std::make_unique<TRectMeter>();
        // Only the address: the panel-memory flag and station keep the class defaults.
        TLxDevRef probe;
        SetDefaultDevRef(probe, env, true);
        o->DevAddrCode = probe.DevAddrCode;
        o->DevText = probe.DevText;
        o->RefLink = probe.RefLink;
        Scaled(*o, state);
        return o;
    }
    case 11: {
        auto o = std::make_unique<TLxPage>();
        o->SetPgNum(page.PgIndex);
        return o;
    }
    case 12: {
        auto o = std::make_unique<TMsgTxt>();
        StateModeDefaults(*o, env);
        Scaled(*o, state);
        return o;
    }
    case 13: {
        auto o = std::make_unique<TLxBtn>();
        ButtonDefaults(*o, env);
        Scaled(*o, state);
        return o;
    }
    case 14:
    case 15: {
        std::unique_ptr<TLxCurve> o;
        if (kind == 14)
            o = std::make_unique<TLxCurve>();
        else
            o = std::make_unique<TLxXyCurve>();
        SetDefaultDevRef(*o, env, true);
        Scaled(*o, state);
        return o;
    }
    case 16: {
        auto o = std::make_unique<TRtc>();
        SetDefaultDevRef(*o, env, true);
        Scaled(*o, state);
        return o;
    }
    case 17:
        return std::make_unique<TGeom>();
    case 18: {
        auto o = std::make_unique<TLight>();
        StateModeDefaults(*o, env);
        Scaled(*o, state);
        return o;
    }
    case 19: {
        auto o = std::make_unique<TMetrol>();
        Scaled(*o, state);
        return o;
    }
    case 20: {
        auto o = std::make_unique<TLxGetVal>();
        o->PrintText = MessageText(state, kMsgNumericInput);
        SetDefaultDevRef(o->WriteDev, env, true);
        for (TLxDevRef* ref : {&o->ReadDev, &o->NotifyDev}) {
            ref->RefLink = state.LinkIndex;
            ref->RefStation = state.DefStation;
        }
        Scaled(*o, state);
        return o;
    }
    default:
        return nullptr;
    }
}

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

std::unique_ptr<TLxObj> NewPageObj(const PageData& page, const PageEnv& env, std::int16_t kind)
{
    std::unique_ptr<TLxObj> obj = MakeKind(page, env, kind);
    if (!obj)
        return nullptr;
    obj->SetObjSize(page.Zoom);
    obj->GridHeight = env.State.GridHeight;
    obj->GridWidth = env.State.GridWidth;
    obj->Picture.Canvas()->Font = env.MainFont;
    return obj;
}

} // namespace kes
