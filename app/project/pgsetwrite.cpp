#include "app/project/pgsetwrite.h"

#include "app/project/pagedata.h"

namespace kes {

namespace {

bool IsValueKind(std::uint8_t kind) { return kind == 0x10 || kind == 0x20; }

} // namespace

// 1003, page hide:
//   4 u8 hide | 5 u8 second byte | 6-7 reserved
int PgHideChx(RecOut& out, std::size_t pos, const PgHideRec& rec)
{
    if (rec.Hide == 0)
        return 0;
    RecWriter w(out, pos, kTagPgHide);
    w.U8(4, rec.Hide);
    w.U8(5, rec.Second);
    return w.Finish(8);
}

// 1000, page jump:
//   4 ref(9) | 13 value type | 14 kind + width | 15 u16 target page |
//   17 operator (word, low byte) or ON/OFF (others) | 18 u32 compare value (word, low byte)
int PgJmpChx(RecOut& out, std::size_t pos, const PgJmpRec& rec)
{
    RecWriter w(out, pos, kTagPgJmp);
    w.SetRef(4, rec.Ref);
    w.U8(13, rec.ValueType);
    w.U8(14, static_cast<std::uint8_t>(rec.Kind + rec.Width));
    w.U16(15, static_cast<std::uint32_t>(rec.TargetPage));
    if (!IsValueKind(rec.Kind)) {
        w.U8(17, rec.OnOff);
        return w.Finish(18);
    }
    w.U8(17, rec.Operator);
    w.U32(18, static_cast<std::uint32_t>(rec.CompareValue));
    return w.Finish(22);
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

// Tail by button type, from off:
//   6 multi-state   +0 kind (high nibble) + multi-state flag                      1 byte
//   7 input value   +0 value type | +1 width | +2 int digits | +3 dec digits |
//                   +4 u32 maximum | +8 u32 minimum                               12 bytes
//   8 set constant  +0 value type | +1 width | +2 u32 constant                    6 bytes
//   9, 10 inc/dec   +0 value type | +1 width | +2 u16 step | +4 u32 bound         8 bytes
//   11 change page  +0 u16 target page                                            2 bytes
//   others          nothing
std::size_t PutFunKeyTail(RecWriter& w, std::size_t off, std::uint8_t buttonType, const FunKeyTail& t)
{
    const auto a = static_cast<std::uint32_t>(t.ParamA);
    const auto b = static_cast<std::uint32_t>(t.ParamB);
    switch (buttonType) {
    case kBtnMultiState:
        w.U8(off, static_cast<std::uint8_t>(t.Kind + t.MultiStateFlag));
        return 1;
    case kBtnInputValue:
        w.U8(off, t.ValueType);
        w.U8(off + 1, t.Width);
        w.U8(off + 2, t.IntDigits);
        w.U8(off + 3, t.DecDigits);
        w.U32(off + 4, a);
        w.U32(off + 8, b);
        return 12;
    case kBtnSetConstant:
        w.U8(off, t.ValueType);
        w.U8(off + 1, t.Width);
        w.U32(off + 2, a);
        return 6;
    case kBtnIncrement:
    case kBtnDecrement:
        w.U8(off, t.ValueType);
        w.U8(off + 1, t.Width);
        w.U16(off + 2, a);
        w.U32(off + 4, b);
        return 8;
    case kBtnChangePage:
        w.U16(off, a);
        return 2;
    default:
        return 0;
    }
}

// 1001, function key:
//   4 write ref(9) | 13 read ref(9) | 22 notify ref(9) | 31 (notify state << 4) + notify order |
//   32 state count | 33 key index (the key's position) | 34 user level (low byte) |
//   35-37 reserved | 38 button type | 39 tail by button type
int PgFunKeyChx(RecOut& out, std::size_t pos, const PgFunKeyRec& key, int keyIndex, SetRecForm form)
{
    if (key.ButtonType == kBtnNone)
        return 0;
    RecWriter w(out, pos, kTagPgFunKey);
    w.SetRef(4, key.Write);
    w.SetRef(13, key.Read);
    w.SetRef(22, key.Notify);
    if (form == SetRecForm::Header) {
        w.U8(17, static_cast<std::uint8_t>((key.Write.LinkFlag << 4) + key.Read.Present));
        w.U8(26, static_cast<std::uint8_t>((key.Write.LinkFlag << 4) + key.Notify.Present));
    }
    w.U8(31, static_cast<std::uint8_t>((key.NotifyState << 4) + key.NotifyOrder));
    w.U8(32, key.StateCount);
    w.U8(33, static_cast<std::uint8_t>(keyIndex));
    w.U8(34, static_cast<std::uint8_t>(key.UserLevel));
    w.U8(38, key.ButtonType);
    return w.Finish(39 + PutFunKeyTail(w, 39, key.ButtonType, FunKeyTailOf(key)));
}

int PgFunKeysChx(RecOut& out, std::size_t pos, const std::array<PgFunKeyRec, kFunKeyCount>& keys, SetRecForm form)
{
    int n = 0;
    for (int i = 0; i < kFunKeyCount; ++i)
        n += PgFunKeyChx(out, pos + n, keys[i], i, form);
    return n;
}

// 1002, buzzer or alarm lamp:
//   4 ref(9) | 13 value type | 14 slot | 15 kind + width | 16 ON/OFF or operator | 17 u32 value
int PgSysChx(RecOut& out, std::size_t pos, const PgSysRec& rec, int slot)
{
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, kTagPgSys);
    w.SetRef(4, rec.Ref);
    w.U8(13, rec.ValueType);
    w.U8(14, static_cast<std::uint8_t>(slot));
    w.U8(15, rec.KindWidth);
    w.U8(16, rec.OnOffOrOperator);
    w.U32(17, static_cast<std::uint32_t>(rec.Value));
    return w.Finish(21);
}

int PgSysPairChx(RecOut& out, std::size_t pos, const PgSysRec& buzzer, const PgSysRec& lamp)
{
    const int n = PgSysChx(out, pos, buzzer, 0);
    return n + PgSysChx(out, pos + n, lamp, 1);
}

// 1006 / 1004, page-number write / clock write:
//   4 ref(9)
int PLCValSetChx(RecOut& out, std::size_t pos, const PLCValSetRec& rec, std::uint16_t tag)
{
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, tag);
    w.SetRef(4, rec.Ref);
    return w.Finish(13);
}

// 1009, power-on macro:
//   4 ref(9) | 13 value type | 14 kind + width | 15 interval index |
//   16 u32 value (word, low byte) or u8 ON/OFF (bit)
int MacPowerOnChx(RecOut& out, std::size_t pos, const MacPowerOnRec& rec)
{
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, kTagMacPowerOn);
    w.SetRef(4, rec.Ref);
    w.U8(13, rec.ValueType);
    w.U8(14, static_cast<std::uint8_t>(rec.Kind + rec.Width));
    w.U8(15, rec.IntervalIndex);
    if (rec.Kind == 0) {
        w.U8(16, rec.OnOff);
        return w.Finish(17);
    }
    w.U32(16, static_cast<std::uint32_t>(rec.Value));
    return w.Finish(20);
}

// 1012, parameter register:
//   4 u32 code | 8 present (no panel-memory nibble) | 9 station | 10 link index |
//   11 detail | 12 bit index | 13 u32 register count
int ParaDataSetChx(RecOut& out, std::size_t pos, const ParaDataSetRec& rec)
{
    if (rec.Ref.DevAddrCode == -1)
        return 0;
    RecWriter w(out, pos, kTagParaDataSet);
    w.SetRef(4, rec.Ref);
    w.U8(8, rec.Ref.Present);
    w.U32(13, static_cast<std::uint32_t>(rec.RegisterCount));
    return w.Finish(17);
}

int PgSettingsChx(RecOut& out, std::size_t pos, const PageData& page)
{
    int n = PgHideChx(out, pos, page.PgHide);
    n += PgJmpListChx(out, pos + n, page.PgJmpList);
    n += PgFunKeysChx(out, pos + n, page.PgFunKeys);
    n += PgSysPairChx(out, pos + n, page.PgSysRecs[0], page.PgSysRecs[1]);
    n += PLCValSetChx(out, pos + n, page.PgNumWrite, kTagPgNumWrite);
    return n;
}

} // namespace kes
