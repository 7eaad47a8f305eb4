// The kind table of the panel objects.
#include "objects/objkind.h"

#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tgeom.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxdevbmp.h"
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

template <typename T> std::unique_ptr<TLxObj> Make() { return std::make_unique<T>(); }

template <typename T> OperatorFields Operated(TLxObj& obj)
{
    auto* o = dynamic_cast<T*>(&obj);
    return o ? OperatorFields{&o->RefKey, &o->UserLevel, &o->WriteDev, &o->ReadDev, &o->NotifyDev} : OperatorFields{};
}

// The texts of an object of the kind's class; none for an object of another class.
HeldTexts StaticTextTexts(const TLxObj& obj)
{
    const auto* o = dynamic_cast<const TStTxt*>(&obj);
    return o ? HeldTexts{{&o->Lines}} : HeldTexts{};
}
HeldTexts ButtonTexts(const TLxObj& obj)
{
    const auto* o = dynamic_cast<const TLxBtn*>(&obj);
    return o ? HeldTexts{{&o->TxtList, &o->TxtList2}} : HeldTexts{};
}
HeldTexts PictureTexts(const TLxObj& obj)
{
    const auto* o = dynamic_cast<const TActBmp*>(&obj);
    return o ? HeldTexts{{&o->TxtList}} : HeldTexts{};
}
HeldTexts LampTexts(const TLxObj& obj)
{
    const auto* o = dynamic_cast<const TLight*>(&obj);
    return o ? HeldTexts{{&o->TxtList, &o->TxtList2}} : HeldTexts{};
}
HeldTexts MessageTexts(const TLxObj& obj)
{
    const auto* o = dynamic_cast<const TMsgTxt*>(&obj);
    return o ? HeldTexts{{&o->Messages}} : HeldTexts{};
}

constexpr DevRefs None = DevRefs::None;
constexpr DevRefs One = DevRefs::One;
constexpr DevRefs Three = DevRefs::Three;
constexpr FontUse NoFont = FontUse::None;
constexpr FontUse Panel = FontUse::PanelFont;
constexpr FontUse Face = FontUse::FontFace;
constexpr RecordForm Body = RecordForm::Body;

// kind, class, make, references, font, record, square, transparent, print caption message,
// function key and user level, texts held
constexpr ObjKindFacts kFacts[] = {
    {ObjKind::StTxt, "TStTxt", Make<TStTxt>, None, Face, Body, false, false, 36, nullptr, StaticTextTexts},
    {ObjKind::LxVal, "TLxVal", Make<TLxVal>, One, Panel, Body, false, false, 37, nullptr},
    {ObjKind::LxDevBmp, "TLxDevBmp", Make<TLxDevBmp>, One, NoFont, Body, false, false, 38, nullptr},
    {ObjKind::VrgBmp, "TVrgBmp", Make<TVrgBmp>, One, NoFont, Body, false, false, 39, nullptr},
    {ObjKind::StBmp, "TStBmp", Make<TStBmp>, None, NoFont, Body, false, false, 40, nullptr},
    {ObjKind::ActBmp, "TActBmp", Make<TActBmp>, One, NoFont, Body, false, false, 41, nullptr, PictureTexts},
    {ObjKind::Scale, "TScale", Make<TScale>, None, Panel, Body, false, false, 42, nullptr},
    {ObjKind::ProgBar, "TProgBar", Make<TProgBar>, One, NoFont, Body, false, false, 43, nullptr},
    {ObjKind::CirMeter, "TCirMeter", Make<TCirMeter>, One, Panel, Body, true, false, 44, nullptr},
    {ObjKind::RectMeter, "TRectMeter", Make<TRectMeter>, One, Panel, RecordForm::None, false, false, 45, nullptr},
    {ObjKind::LxPage, "TLxPage", Make<TLxPage>, None, NoFont, RecordForm::None, false, false, 46, nullptr},
    {ObjKind::MsgTxt, "TMsgTxt", Make<TMsgTxt>, One, Face, Body, false, false, 47, nullptr, MessageTexts},
    {ObjKind::LxBtn, "TLxBtn", Make<TLxBtn>, Three, Panel, Body, false, false, 48, Operated<TLxBtn>, ButtonTexts},
    {ObjKind::LxCurve, "TLxCurve", Make<TLxCurve>, One, NoFont, Body, false, false, 49, nullptr},
    {ObjKind::LxXyCurve, "TLxXyCurve", Make<TLxXyCurve>, One, NoFont, Body, false, false, 50, nullptr},
    {ObjKind::Rtc, "TRtc", Make<TRtc>, One, Panel, Body, false, false, 51, nullptr},
    {ObjKind::Geom, "TGeom", Make<TGeom>, None, NoFont, RecordForm::Own, false, true, 71, nullptr},
    {ObjKind::Light, "TLight", Make<TLight>, One, Face, Body, false, false, 52, nullptr, LampTexts},
    {ObjKind::Metrol, "TMetrol", Make<TMetrol>, None, NoFont, Body, false, false, 70, nullptr},
    {ObjKind::LxGetVal, "TLxGetVal", Make<TLxGetVal>, Three, Panel, Body, false, false, 91, Operated<TLxGetVal>},
    {ObjKind::LxAdvDevBmp, "TLxAdvDevBmp", Make<TLxAdvDevBmp>, One, NoFont, Body, false, false, 38, nullptr},
};
static_assert(CoversEveryKind(kFacts));

} // namespace

const ObjKindFacts& KindFacts(ObjKind k) { return EntryOf(kFacts, k); }

const ObjKindFacts* KindFactsOf(const TLxObj& obj) { return EntryOfObj(kFacts, obj); }

OperatorFields OperatorFieldsOf(TLxObj& obj)
{
    const ObjKindFacts* facts = KindFactsOf(obj);
    return facts && facts->Operated ? facts->Operated(obj) : OperatorFields{};
}

HeldTexts HeldTextsOf(const TLxObj& obj)
{
    const ObjKindFacts* facts = KindFactsOf(obj);
    return facts && facts->Texts ? facts->Texts(obj) : HeldTexts{};
}

std::unique_ptr<TLxObj> NewObjOfKind(ObjKind k) { return KindFacts(k).Make(); }

} // namespace kes
