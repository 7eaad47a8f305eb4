// Rows of the trend and X-Y curves (kinds 14, 15), the measurement unit (kind 19) and the
// clock (kind 16).
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "objects/tlxcurve.h"
#include "objects/tmetrol.h"
#include "objects/trtc.h"

namespace kes {
namespace {

constexpr std::int32_t kCurveMax = 65535; // the record keeps 16 bits

// Clock sources (the high half of the clock's format byte).
constexpr int kPanelClock = 0; // with a controller address
constexpr int kControllerClock = 1;
constexpr int kPanelClockAlone = 2; // no address

// The rows, named by what each shows (the property tables number them). Ref is the first
// row of the address group; a range's minimum row follows its maximum row.
namespace CurveRow {
enum : int { Ref = 5, Max = 9, XMax = 11 };
} // namespace CurveRow
namespace MetrolRow {
enum : int { Type = 5, Picture = 6 };
} // namespace MetrolRow
namespace RtcRow {
enum : int { Ref = 5, Frame = 9, HAlign = 10, PanelFont = 11, Source = 12, UseAddress = 13, Item = 14 };
} // namespace RtcRow

// A range of 16-bit unsigned values: the maximum row, then the minimum row.
void ShowRange(KindRowContext& rows, int maxRow, std::int32_t max, std::int32_t min)
{
    constexpr int format = FormatCode(ValFormat::Unsigned);
    ShowTextVal(rows.TextVal(maxRow), kCurveMax, min, format, 0, max);
    ShowTextVal(rows.TextVal(maxRow + 1), max, 0, format, 0, min);
}

void WriteRange(KindRowContext& rows, int maxRow, std::int32_t& max, std::int32_t& min)
{
    if (rows.Changed(maxRow))
        max = rows.TextVal(maxRow).GetValue();
    if (rows.Changed(maxRow + 1))
        min = rows.TextVal(maxRow + 1).GetValue();
}

// Pictures of each unit type: the built-in pictures <prefix><n>, n from 1.
struct UnitPictures {
    const char* Prefix;
    int Count;
};
// The time units offer their first three symbols.
constexpr UnitPictures kUnitPictures[] = {{"SLENGTH_", 7}, {"SSQUARE_", 6}, {"SCUBIC_", 4}, {"SWEIGHT_", 4},
                                          {"SSPD_", 4},    {"STIME_", 3},   {"STEMP_", 2}};
constexpr int kUnitTypes = static_cast<int>(std::size(kUnitPictures));

} // namespace

// Rows 5-10 (X-Y curve 5-12): the address group (a word) and the value ranges.
void ReadCurveRows(KindRowContext& rows, TLxObj& obj)
{
    auto& c = static_cast<TLxCurve&>(obj);
    ReadAddressGroup(rows, CurveRow::Ref, c, ModeCode(AddrMode::Word), 0);
    ShowRange(rows, CurveRow::Max, c.CurveMax, c.CurveMin);
}

void WriteCurveRows(KindRowContext& rows, TLxObj& obj)
{
    auto& c = static_cast<TLxCurve&>(obj);
    WriteAddressMemory(rows, CurveRow::Ref, c, true);
    WriteAddressText(rows, CurveRow::Ref, c, ModeCode(AddrMode::Word), 0);
    WriteLinkStation(rows, CurveRow::Ref, c);
    WriteRange(rows, CurveRow::Max, c.CurveMax, c.CurveMin);
}

void ReadXyCurveRows(KindRowContext& rows, TLxObj& obj)
{
    ReadCurveRows(rows, obj);
    auto& xy = static_cast<TLxXyCurve&>(obj);
    ShowRange(rows, CurveRow::XMax, xy.XMax, xy.XMin);
}

void WriteXyCurveRows(KindRowContext& rows, TLxObj& obj)
{
    WriteCurveRows(rows, obj);
    auto& xy = static_cast<TLxXyCurve&>(obj);
    WriteRange(rows, CurveRow::XMax, xy.XMax, xy.XMin);
}

// Rows 5-6: the unit type and its picture.
void ReadMetrolRows(KindRowContext& rows, TLxObj& obj)
{
    auto& m = static_cast<TMetrol&>(obj);
    ShowComboTxt(rows.Combo(MetrolRow::Type), m.MetrolType, kMsgUnitType, kUnitTypes);
    TPropComboBmp& pic = rows.ComboBmp(MetrolRow::Picture);
    SetComboBmpIndex(&pic, m.MetrolIndex);
    pic.Images = nullptr;
    const bool known = m.MetrolType >= 0 && m.MetrolType < kUnitTypes;
    pic.PicName = known ? QString::fromLatin1(kUnitPictures[m.MetrolType].Prefix) : QString();
    pic.PictureCount = known ? kUnitPictures[m.MetrolType].Count : 0;
}

void WriteMetrolRows(KindRowContext& rows, TLxObj& obj)
{
    auto& m = static_cast<TMetrol&>(obj);
    // Another type starts at its first picture.
    if (const int c = ChangedChoice(rows, MetrolRow::Type); c >= 0 && c != m.MetrolType) {
        m.MetrolTypeSet(c);
        m.MetrolIndexSet(0);
        return;
    }
    if (const int c = ChangedBmpChoice(rows, MetrolRow::Picture); c >= 0)
        m.MetrolIndexSet(c);
}

// Rows 5-14: the address group (hidden for the panel clock without address), frame,
// alignment, panel font, clock source, address use and the item shown.
void ReadRtcRows(KindRowContext& rows, TLxObj& obj)
{
    auto& r = static_cast<TRtc&>(obj);
    const int source = r.RtcFormat >> 4;
    ReadAddressGroup(rows, RtcRow::Ref, r, ModeCode(AddrMode::Word), 0, source != kPanelClockAlone);
    ShowComboTxt(rows.Combo(RtcRow::Frame), r.ObjFrame, kMsgFrame, 6);
    ShowComboTxt(rows.Combo(RtcRow::HAlign), r.RtcAlign, kMsgHPos, 3);
    ShowComboTxt(rows.Combo(RtcRow::PanelFont), r.fontsize, kMsgPanelFont, 4);
    ShowComboTxt(rows.Combo(RtcRow::Source), source == kControllerClock ? 1 : 0, kMsgClockSource, 2);
    ShowComboTxt(rows.Combo(RtcRow::UseAddress), source == kPanelClockAlone ? 0 : 1, kMsgNoYes, 2);
    rows.Combo(RtcRow::UseAddress).SetVisible(source != kControllerClock);
    ShowComboTxt(rows.Combo(RtcRow::Item), r.RtcFormat & 15, kMsgClockItem, 3);
}

void WriteRtcRows(KindRowContext& rows, TLxObj& obj)
{
    auto& r = static_cast<TRtc&>(obj);
    const int oldSource = r.RtcFormat >> 4;
    WriteAddressMemory(rows, RtcRow::Ref, r, true);
    WriteAddressText(rows, RtcRow::Ref, r, ModeCode(AddrMode::Word), 0);
    WriteLinkStation(rows, RtcRow::Ref, r);
    if (const int c = ChangedChoice(rows, RtcRow::Frame); c >= 0)
        r.SetObjFrame(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, RtcRow::HAlign); c >= 0)
        r.RtcAlign = static_cast<std::uint8_t>(c);
    if (const int c = ChangedChoice(rows, RtcRow::PanelFont); c >= 0)
        r.FontSet(c);
    if (const int c = ChangedChoice(rows, RtcRow::Item); c >= 0)
        r.RtcFormat = static_cast<std::uint8_t>((r.RtcFormat & 0xF0) | c);

    // The clock source and the address use are one setting.
    if (!rows.Changed(RtcRow::Source) && !rows.Changed(RtcRow::UseAddress))
        return;
    const int clock = ComboChoice(rows.Combo(RtcRow::Source));
    const int useAddress = ComboChoice(rows.Combo(RtcRow::UseAddress));
    if (clock < 0 || useAddress < 0)
        return;
    const int source = clock == 1 ? kControllerClock : useAddress == 0 ? kPanelClockAlone : kPanelClock;
    if (source == oldSource)
        return;
    r.RtcFormat = static_cast<std::uint8_t>((source << 4) | (r.RtcFormat & 15));
    if (source == kPanelClockAlone) {
        r.RefBitNo = 0;
        r.DevAddrCode = -1;
        r.DevText.clear();
    } else if (oldSource == kPanelClockAlone) {
        DefaultDevRef(r, true, rows.Model);
    }
}

} // namespace kes
