// Post-load fix-ups of the page record readers: addresses fitted to the current
// controller, decoded objects fitted into the page, function-key bindings noted.
#include "app/model/lxtypecore.h"
#include "app/project/pgread.h"
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

#include <algorithm>

namespace kes {

namespace {

constexpr std::uint8_t kNoKey = 255;
constexpr std::uint8_t kBitMode = 0;
constexpr std::uint8_t kWordMode = 1;

// The text of an address for the current controller; while pasting, an address it lacks
// becomes its default bit (mode 0) or word address.
void FixAddress(const PageData& page, const PageEnv& env, std::int32_t& code, std::uint8_t mode, std::uint8_t access,
                std::uint8_t bitIndex, bool deviceForm, bool internalMem, std::string* text = nullptr)
{
    const std::string formatted = code == -1
                                      ? std::string()
                                      : env.LxType.FormatDeviceAddress(static_cast<std::uint32_t>(code), mode, access,
                                                                       bitIndex, deviceForm, internalMem);
    if (text)
        *text = formatted;
    // No address at all (-1) has nothing to fix.
    if (!page.Pasting || code == -1 || !formatted.empty())
        return;
    code = mode == 0 ? env.LxType.DefBitCode : env.LxType.DefWordCode;
    if (text)
        *text = mode == 0 ? env.LxType.DefBitText : env.LxType.DefWordText;
}

void FixRef(const PageData& page, const PageEnv& env, DevRefHead& ref, std::uint8_t mode, std::uint8_t access)
{
    FixAddress(page, env, ref.DevAddrCode, mode, access, ref.BitIndex, ref.Present != 0, ref.LinkFlag != 0);
}

void FixObjRef(const PageData& page, const PageEnv& env, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access)
{
    FixAddress(page, env, ref.DevAddrCode, mode, access, ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0,
               &ref.DevText);
}

std::uint8_t ModeOf(std::uint8_t kind)
{
    return kind >> 4;
}
std::uint8_t AccessOf(std::uint8_t kind)
{
    return kind & 0x0F;
}

template <typename Obj> Obj& As(TLxObj& obj)
{
    return static_cast<Obj&>(obj);
}

// A kind's device references fitted with the codec's mode and access class of the kind.
struct KindAddressFix {
    ObjKind Kind;
    void (*Fix)(const PageData& page, const PageEnv& env, TLxObj& obj); // null: the kind has none
};

// One word or bit reference of the object itself, mode and access from its fields.
template <typename Obj, std::uint8_t (*Mode)(const Obj&), std::uint8_t (*Access)(const Obj&)>
void FixOwnRef(const PageData& page, const PageEnv& env, TLxObj& obj)
{
    Obj& o = As<Obj>(obj);
    FixObjRef(page, env, o, Mode(o), Access(o));
}

template <typename Obj> std::uint8_t Word(const Obj&) { return kWordMode; }
template <typename Obj> std::uint8_t Bit(const Obj&) { return kBitMode; }
template <typename Obj> std::uint8_t Any(const Obj&) { return 0; }
template <typename Obj> std::uint8_t ValLenAccess(const Obj& o) { return AccessOf(o.ValLen); }
template <typename Obj> std::uint8_t StateModeOf(const Obj& o) { return ModeOf(o.StateMode); }
template <typename Obj> std::uint8_t StateAccessOf(const Obj& o) { return AccessOf(o.StateMode); }
std::uint8_t ValModeOf(const TLxAdvDevBmp& o) { return ModeOf(o.ValMode); }

void FixButton(const PageData& page, const PageEnv& env, TLxObj& obj)
{
    TLxBtn& o = As<TLxBtn>(obj);
    FixObjRef(page, env, o.WriteDev, ModeOf(o.ValKind), o.ValLen);
    if (o.ReadUsed)
        FixObjRef(page, env, o.ReadDev, ModeOf(o.ValKind), o.ValLen);
    if (o.NotifyUsed)
        FixObjRef(page, env, o.NotifyDev, kBitMode, 0);
}

void FixValueEntry(const PageData& page, const PageEnv& env, TLxObj& obj)
{
    TLxGetVal& o = As<TLxGetVal>(obj);
    FixObjRef(page, env, o.WriteDev, kWordMode, AccessOf(o.ValLen));
    if (o.ReadUsed)
        FixObjRef(page, env, o.ReadDev, kWordMode, AccessOf(o.ValLen));
    if (o.NotifyUsed)
        FixObjRef(page, env, o.NotifyDev, kBitMode, 0);
}

constexpr KindAddressFix kAddressFixes[] = {
    {ObjKind::StTxt, nullptr},
    {ObjKind::LxVal, FixOwnRef<TLxVal, Word<TLxVal>, ValLenAccess<TLxVal>>},
    {ObjKind::LxDevBmp, FixOwnRef<TLxDevBmp, Bit<TLxDevBmp>, Any<TLxDevBmp>>},
    {ObjKind::VrgBmp, FixOwnRef<TVrgBmp, Word<TVrgBmp>, ValLenAccess<TVrgBmp>>},
    {ObjKind::StBmp, nullptr},
    {ObjKind::ActBmp, FixOwnRef<TStateBmpObj, StateModeOf<TStateBmpObj>, StateAccessOf<TStateBmpObj>>},
    {ObjKind::Scale, nullptr},
    {ObjKind::ProgBar, FixOwnRef<TProgBar, Word<TProgBar>, ValLenAccess<TProgBar>>},
    {ObjKind::CirMeter, FixOwnRef<TCirMeter, Word<TCirMeter>, Any<TCirMeter>>},
    {ObjKind::RectMeter, FixOwnRef<TRectMeter, Word<TRectMeter>, Any<TRectMeter>>},
    {ObjKind::LxPage, nullptr},
    {ObjKind::MsgTxt, FixOwnRef<TMsgTxt, StateModeOf<TMsgTxt>, StateAccessOf<TMsgTxt>>},
    {ObjKind::LxBtn, FixButton},
    {ObjKind::LxCurve, FixOwnRef<TLxCurve, Word<TLxCurve>, Any<TLxCurve>>},
    {ObjKind::LxXyCurve, FixOwnRef<TLxCurve, Word<TLxCurve>, Any<TLxCurve>>},
    {ObjKind::Rtc, FixOwnRef<TRtc, Word<TRtc>, Any<TRtc>>},
    {ObjKind::Geom, nullptr},
    {ObjKind::Light, FixOwnRef<TStateBmpObj, StateModeOf<TStateBmpObj>, StateAccessOf<TStateBmpObj>>},
    {ObjKind::Metrol, nullptr},
    {ObjKind::LxGetVal, FixValueEntry},
    {ObjKind::LxAdvDevBmp, FixOwnRef<TLxAdvDevBmp, ValModeOf, Any<TLxAdvDevBmp>>},
};
static_assert(CoversEveryKind(kAddressFixes));

// Each device reference of an object with the codec's mode and access class of its kind.
// The object is of the kind its ObjType names, as the readers make them.
void RebuildObjAddresses(const PageData& page, const PageEnv& env, TLxObj& obj)
{
    if (const KindAddressFix* f = EntryOfObj(kAddressFixes, obj); f && f->Fix)
        f->Fix(page, env, obj);
}

// A button's or value entry's function key; a pasted object gives up a key already taken.
void BindFunctionKey(PageData& page, std::uint8_t& key)
{
    if (key == kNoKey || key >= kFunKeyCount)
        return;
    if (page.Pasting && page.ObjFunKeyUsed[key]) {
        key = kNoKey;
        return;
    }
    page.ObjFunKeyUsed[key] = 1;
}

} // namespace

void PgJmpDevFix(const PageData& page, const PageEnv& env, PgJmpRec& rec)
{
    FixRef(page, env, rec.Ref, ModeOf(rec.Kind), AccessOf(rec.Kind));
}

void PgFunKeyDevFix(const PageData& page, const PageEnv& env, PgFunKeyRec& rec)
{
    FixRef(page, env, rec.Write, ModeOf(rec.Kind), AccessOf(rec.Kind));
    if (rec.ReadUsed)
        FixRef(page, env, rec.Read, ModeOf(rec.Kind), rec.Width);
    if (rec.NotifyUsed)
        FixRef(page, env, rec.Notify, 0, rec.Width);
}

void PgSysDevFix(const PageData& page, const PageEnv& env, PgSysRec& rec)
{
    FixRef(page, env, rec.Ref, ModeOf(rec.KindWidth), AccessOf(rec.KindWidth));
}

void ObjDevTxtRebuild(PageData& page, const PageEnv& env, TLxObj& obj)
{
    const int zoom = std::max(page.Zoom, 1);
    const int pageW = env.LxType.PanelWidth * zoom * env.State.GridWidth;
    const int pageH = env.LxType.PanelHeight * zoom * env.State.GridHeight;
    if (obj.Left + obj.OWidth >= pageW) {
        obj.SetWidth(pageW - obj.Left);
        obj.Picture.SetWidth(obj.Width / zoom);
    }
    if (obj.Top + obj.OHeight >= pageH) {
        obj.SetHeight(pageH - obj.Top);
        obj.Picture.SetHeight(obj.Height / zoom);
    }
    RebuildObjAddresses(page, env, obj);
    if (IsKind(obj, ObjKind::LxBtn))
        BindFunctionKey(page, As<TLxBtn>(obj).RefKey);
    else if (IsKind(obj, ObjKind::LxGetVal))
        BindFunctionKey(page, As<TLxGetVal>(obj).RefKey);
}

} // namespace kes
