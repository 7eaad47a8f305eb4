#include "app/project/objrefs.h"

#include "app/model/lxtypecore.h"
#include "objects/addrmode.h"
#include "objects/lxstatebmp.h"
#include "objects/objkind.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trectmeter.h"
#include "objects/trtc.h"
#include "objects/tvrgbmp.h"

namespace kes {

namespace {

std::uint8_t ModeOf(std::uint8_t kind) { return kind >> 4; }
std::uint8_t AccessOf(std::uint8_t kind) { return kind & 0x0F; }

template <typename Obj> Obj& As(TLxObj& obj) { return static_cast<Obj&>(obj); }

// A kind's device references, each with the codec's mode and access class of the kind, and
// whether a multiple copy steps them.
struct KindRefs {
    ObjKind Kind;
    void (*Visit)(TLxObj& obj, const ObjRefVisit& visit); // null: the kind has none
    bool (*Steps)(const TLxObj& obj);                     // null: always
};

// One word or bit reference of the object itself, mode and access from its fields.
template <typename Obj, std::uint8_t (*Mode)(const Obj&), std::uint8_t (*Access)(const Obj&)>
void OwnRef(TLxObj& obj, const ObjRefVisit& visit)
{
    Obj& o = As<Obj>(obj);
    visit(o, Mode(o), Access(o));
}

template <typename Obj> std::uint8_t Word(const Obj&) { return ModeCode(AddrMode::Word); }
template <typename Obj> std::uint8_t Bit(const Obj&) { return ModeCode(AddrMode::Bit); }
template <typename Obj> std::uint8_t Any(const Obj&) { return ModeCode(AddrMode::Bit); }
template <typename Obj> std::uint8_t ValLenAccess(const Obj& o) { return AccessOf(o.ValLen); }
template <typename Obj> std::uint8_t StateModeOf(const Obj& o) { return ModeOf(o.StateMode); }
template <typename Obj> std::uint8_t StateAccessOf(const Obj& o) { return AccessOf(o.StateMode); }
std::uint8_t ValModeOf(const TLxAdvDevBmp& o) { return ModeOf(o.ValMode); }

void ButtonRefs(TLxObj& obj, const ObjRefVisit& visit)
{
    TLxBtn& o = As<TLxBtn>(obj);
    visit(o.WriteDev, ModeOf(o.ValKind), o.ValLen);
    if (o.ReadUsed)
        visit(o.ReadDev, ModeOf(o.ValKind), o.ValLen);
    if (o.NotifyUsed)
        visit(o.NotifyDev, ModeCode(AddrMode::Bit), 0);
}

void ValueEntryRefs(TLxObj& obj, const ObjRefVisit& visit)
{
    TLxGetVal& o = As<TLxGetVal>(obj);
    visit(o.WriteDev, ModeCode(AddrMode::Word), AccessOf(o.ValLen));
    if (o.ReadUsed)
        visit(o.ReadDev, ModeCode(AddrMode::Word), AccessOf(o.ValLen));
    if (o.NotifyUsed)
        visit(o.NotifyDev, ModeCode(AddrMode::Bit), 0);
}

// A button without a type writes nothing: its addresses stay.
bool ButtonSteps(const TLxObj& obj) { return static_cast<const TLxBtn&>(obj).BtnType != BtnType::None; }

constexpr KindRefs kRefs[] = {
    {ObjKind::StTxt, nullptr, nullptr},
    {ObjKind::LxVal, OwnRef<TLxVal, Word<TLxVal>, ValLenAccess<TLxVal>>, nullptr},
    {ObjKind::LxDevBmp, OwnRef<TLxDevBmp, Bit<TLxDevBmp>, Any<TLxDevBmp>>, nullptr},
    {ObjKind::VrgBmp, OwnRef<TVrgBmp, Word<TVrgBmp>, ValLenAccess<TVrgBmp>>, nullptr},
    {ObjKind::StBmp, nullptr, nullptr},
    {ObjKind::ActBmp, OwnRef<TStateBmpObj, StateModeOf<TStateBmpObj>, StateAccessOf<TStateBmpObj>>, nullptr},
    {ObjKind::Scale, nullptr, nullptr},
    {ObjKind::ProgBar, OwnRef<TProgBar, Word<TProgBar>, ValLenAccess<TProgBar>>, nullptr},
    {ObjKind::CirMeter, OwnRef<TCirMeter, Word<TCirMeter>, Any<TCirMeter>>, nullptr},
    {ObjKind::RectMeter, OwnRef<TRectMeter, Word<TRectMeter>, Any<TRectMeter>>, nullptr},
    {ObjKind::LxPage, nullptr, nullptr},
    {ObjKind::MsgTxt, OwnRef<TMsgTxt, StateModeOf<TMsgTxt>, StateAccessOf<TMsgTxt>>, nullptr},
    {ObjKind::LxBtn, ButtonRefs, ButtonSteps},
    {ObjKind::LxCurve, OwnRef<TLxCurve, Word<TLxCurve>, Any<TLxCurve>>, nullptr},
    {ObjKind::LxXyCurve, OwnRef<TLxCurve, Word<TLxCurve>, Any<TLxCurve>>, nullptr},
    {ObjKind::Rtc, OwnRef<TRtc, Word<TRtc>, Any<TRtc>>, nullptr},
    {ObjKind::Geom, nullptr, nullptr},
    {ObjKind::Light, OwnRef<TStateBmpObj, StateModeOf<TStateBmpObj>, StateAccessOf<TStateBmpObj>>, nullptr},
    {ObjKind::Metrol, nullptr, nullptr},
    {ObjKind::LxGetVal, ValueEntryRefs, nullptr},
    {ObjKind::LxAdvDevBmp, OwnRef<TLxAdvDevBmp, ValModeOf, Any<TLxAdvDevBmp>>, nullptr},
};
static_assert(CoversEveryKind(kRefs));

} // namespace

void ForEachObjRef(TLxObj& obj, const ObjRefVisit& visit)
{
    if (const KindRefs* r = EntryOfObj(kRefs, obj); r && r->Visit)
        r->Visit(obj, visit);
}

void StepObjAddresses(TLxObj& obj, const LxTypeCore& model, int k)
{
    if (const KindRefs* r = EntryOfObj(kRefs, obj); r && r->Steps && !r->Steps(obj))
        return;
    ForEachObjRef(obj, [&](TLxDevRef& ref, std::uint8_t mode, std::uint8_t access) {
        // No address stays no address.
        if (ref.DevAddrCode == -1)
            return;
        auto code = static_cast<std::uint32_t>(ref.DevAddrCode);
        for (int i = 0; i < k; ++i)
            code = model.NextDeviceAddress(code, mode, access, ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0);
        ref.DevAddrCode = static_cast<std::int32_t>(code);
        ref.DevText =
            model.FormatDeviceAddress(code, mode, access, ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0);
    });
}

} // namespace kes
