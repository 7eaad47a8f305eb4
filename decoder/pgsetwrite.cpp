#include "decoder/pgsetwrite.h"

#include "decoder/setlayout.h"
#include "objects/addrmode.h"

namespace kes {

namespace {

bool IsValueKind(std::uint8_t kind) { return kind == kes::kWordFlags || kind == kes::kEitherFlags; }

} // namespace

// The layouts are in setlayout.h.

int PgHideChx(RecOut& out, std::size_t pos, const PgHideRec& rec)
{
    namespace L = layout::PgHide;
    if (rec.Hide == 0)
        return 0;
    RecWriter w(out, pos, kTagPgHide);
    w.U8(L::Hide, rec.Hide);
    w.U8(L::Second, rec.Second);
    return w.Finish(L::Size);
}

// The long form for word and low-byte kinds, the short one for the others.
int PgJmpChx(RecOut& out, std::size_t pos, const PgJmpRec& rec)
{
    namespace L = layout::PgJmp;
    RecWriter w(out, pos, kTagPgJmp);
    w.SetRef(L::Ref, rec.Ref);
    w.U8(L::ValueType, rec.ValueType);
    w.U8(L::KindWidth, static_cast<std::uint8_t>(rec.Kind + rec.Width));
    w.U16(L::TargetPage, static_cast<std::uint32_t>(rec.TargetPage));
    if (!IsValueKind(rec.Kind)) {
        w.U8(L::OnOff, rec.OnOff);
        return w.Finish(L::BitSize);
    }
    w.U8(L::Operator, rec.Operator);
    w.U32(L::CompareValue, static_cast<std::uint32_t>(rec.CompareValue));
    return w.Finish(L::ValueSize);
}

int PgJmpListChx(RecOut& out, std::size_t pos, const std::vector<PgJmpRec>& list)
{
    int n = 0;
    for (const PgJmpRec& rec : list)
        n += PgJmpChx(out, pos + n, rec);
    return n;
}

FunKeyTail FunKeyTailOf(const PgFunKeyRec& key)
{
    FunKeyTail t;
    t.Kind = key.Kind;
    t.MultiStateFlag = key.MultiStateFlag;
    t.ValueType = key.ValueType;
    t.Width = key.Width;
    t.IntDigits = key.IntDigits;
    t.DecDigits = key.DecDigits;
    t.ParamA = key.ParamA;
    t.ParamB = key.ParamB;
    return t;
}

std::size_t PutFunKeyTail(RecWriter& w, std::size_t off, kes::BtnType buttonType, const FunKeyTail& t)
{
    namespace T = layout::FunKeyTail;
    const auto a = static_cast<std::uint32_t>(t.ParamA);
    const auto b = static_cast<std::uint32_t>(t.ParamB);
    switch (buttonType) {
    case kes::BtnType::MultiState:
        w.U8(off + T::KindFlag, static_cast<std::uint8_t>(t.Kind + t.MultiStateFlag));
        return T::MultiStateSize;
    case kes::BtnType::InputValue:
        w.U8(off + T::ValueType, t.ValueType);
        w.U8(off + T::Width, t.Width);
        w.U8(off + T::IntDigits, t.IntDigits);
        w.U8(off + T::DecDigits, t.DecDigits);
        w.U32(off + T::Maximum, a);
        w.U32(off + T::Minimum, b);
        return T::InputSize;
    case kes::BtnType::SetConstant:
        w.U8(off + T::ValueType, t.ValueType);
        w.U8(off + T::Width, t.Width);
        w.U32(off + T::Constant, a);
        return T::ConstantSize;
    case kes::BtnType::Increment:
    case kes::BtnType::Decrement:
        w.U8(off + T::ValueType, t.ValueType);
        w.U8(off + T::Width, t.Width);
        w.U16(off + T::Step, a);
        w.U32(off + T::Bound, b);
        return T::StepSize;
    case kes::BtnType::ChangePage:
        w.U16(off + T::TargetPage, a);
        return T::PageSize;
    default:
        return 0;
    }
}

// In the image header the read and notify references' flags take the write reference's
// panel-memory nibble.
int PgFunKeyChx(RecOut& out, std::size_t pos, const PgFunKeyRec& key, int keyIndex, SetRecForm form)
{
    namespace L = layout::PgFunKey;
    namespace R = layout::SetRef;
    if (key.ButtonType == kes::BtnType::None)
        return 0;
    RecWriter w(out, pos, kTagPgFunKey);
    w.SetRef(L::WriteRef, key.Write);
    w.SetRef(L::ReadRef, key.Read);
    w.SetRef(L::NotifyRef, key.Notify);
    if (form == SetRecForm::Header) {
        w.U8(L::ReadRef + R::Flags, static_cast<std::uint8_t>((key.Write.LinkFlag << 4) + key.Read.Present));
        w.U8(L::NotifyRef + R::Flags, static_cast<std::uint8_t>((key.Write.LinkFlag << 4) + key.Notify.Present));
    }
    w.U8(L::NotifyBits, static_cast<std::uint8_t>((key.NotifyState << 4) + key.NotifyOrder));
    w.U8(L::StateCount, key.StateCount);
    w.U8(L::KeyIndex, static_cast<std::uint8_t>(keyIndex));
    w.U8(L::UserLevel, static_cast<std::uint8_t>(key.UserLevel));
    w.U8(L::ButtonType, kes::BtnCode(key.ButtonType));
    return w.Finish(L::Tail + PutFunKeyTail(w, L::Tail, key.ButtonType, FunKeyTailOf(key)));
}

int PgFunKeysChx(RecOut& out, std::size_t pos, const std::array<PgFunKeyRec, kFunKeyCount>& keys, SetRecForm form)
{
    int n = 0;
    for (int i = 0; i < kFunKeyCount; ++i)
        n += PgFunKeyChx(out, pos + n, keys[i], i, form);
    return n;
}

int PgSysChx(RecOut& out, std::size_t pos, const PgSysRec& rec, int slot)
{
    namespace L = layout::PgSys;
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, kTagPgSys);
    w.SetRef(L::Ref, rec.Ref);
    w.U8(L::ValueType, rec.ValueType);
    w.U8(L::Slot, static_cast<std::uint8_t>(slot));
    w.U8(L::KindWidth, rec.KindWidth);
    w.U8(L::OnOffOrOperator, rec.OnOffOrOperator);
    w.U32(L::Value, static_cast<std::uint32_t>(rec.Value));
    return w.Finish(L::Size);
}

int PgSysPairChx(RecOut& out, std::size_t pos, const PgSysRec& buzzer, const PgSysRec& lamp)
{
    const int n = PgSysChx(out, pos, buzzer, 0);
    return n + PgSysChx(out, pos + n, lamp, 1);
}

int PLCValSetChx(RecOut& out, std::size_t pos, const PLCValSetRec& rec, std::uint16_t tag)
{
    namespace L = layout::PLCValSet;
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, tag);
    w.SetRef(L::Ref, rec.Ref);
    return w.Finish(L::Size);
}

// The value for a word or low-byte macro, the ON/OFF byte for a bit.
int MacPowerOnChx(RecOut& out, std::size_t pos, const MacPowerOnRec& rec)
{
    namespace L = layout::MacPowerOn;
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, kTagMacPowerOn);
    w.SetRef(L::Ref, rec.Ref);
    w.U8(L::ValueType, rec.ValueType);
    w.U8(L::KindWidth, static_cast<std::uint8_t>(rec.Kind + rec.Width));
    w.U8(L::Interval, rec.IntervalIndex);
    if (rec.Kind == kes::kBitFlags) {
        w.U8(L::OnOff, rec.OnOff);
        return w.Finish(L::BitSize);
    }
    w.U32(L::Value, static_cast<std::uint32_t>(rec.Value));
    return w.Finish(L::ValueSize);
}

// The reference's flags byte holds the present flag alone (no panel-memory nibble).
int ParaDataSetChx(RecOut& out, std::size_t pos, const ParaDataSetRec& rec)
{
    namespace L = layout::ParaDataSet;
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, kTagParaDataSet);
    w.SetRef(L::Ref, rec.Ref);
    w.U8(L::Ref + layout::SetRef::Flags, rec.Ref.Present);
    w.U32(L::RegisterCount, static_cast<std::uint32_t>(rec.RegisterCount));
    return w.Finish(L::Size);
}

int PgSettingsChx(RecOut& out, std::size_t pos, const PgSettingsView& page)
{
    int n = PgHideChx(out, pos, page.Hide);
    n += PgJmpListChx(out, pos + n, page.Jumps);
    n += PgFunKeysChx(out, pos + n, page.Keys);
    n += PgSysPairChx(out, pos + n, page.Alarms[0], page.Alarms[1]);
    n += PLCValSetChx(out, pos + n, page.PgNumWrite, kTagPgNumWrite);
    return n;
}

} // namespace kes
