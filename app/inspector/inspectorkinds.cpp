#include "app/inspector/inspectorkinds.h"

#include "objects/tpropbase.h"

namespace kes {
namespace {

// The address group: panel-memory flag, address, link, station.
#define ADDR "CTCV"

// kind, shown, table, own rows, row reader, row writer, text width
constexpr InspectorKind kKinds[] = {
    {ObjKind::StTxt, true, "ObjTxt", "CCCCN", ReadStTxtRows, WriteStTxtRows, 0},
    {ObjKind::LxVal, true, "ObjVal", ADDR "CCCCCCVV", ReadLxValRows, WriteLxValRows, 0},
    {ObjKind::LxDevBmp, true, "ObjBitMap", ADDR "CBB", ReadLxDevBmpRows, WriteLxDevBmpRows, 0},
    {ObjKind::VrgBmp, true, "ObjVrgMap", ADDR "CCLXBC", ReadVrgBmpRows, WriteVrgBmpRows, 0},
    {ObjKind::StBmp, true, "ObjStBmp", "F", ReadStBmpRows, WriteStBmpRows, 0},
    {ObjKind::ActBmp, true, "ObjActBmp", ADDR "CCCVLXFC", ReadActBmpRows, WriteActBmpRows, 0},
    {ObjKind::Scale, true, "ObjScale", "CCCVVCXX", ReadScaleRows, WriteScaleRows, 0},
    {ObjKind::ProgBar, true, "ObjProgBar", ADDR "CCCXX", ReadProgBarRows, WriteProgBarRows, 0},
    {ObjKind::CirMeter, true, "ObjCirMeter", ADDR "CCVVCVVXX", ReadCirMeterRows, WriteCirMeterRows, 0},
    {ObjKind::RectMeter, true, nullptr, "", nullptr, nullptr, 0},
    {ObjKind::LxPage, true, nullptr, "", nullptr, nullptr, 0},
    {ObjKind::MsgTxt, true, "ObjMessage", ADDR "CCCCCCVLXTNC", ReadMsgTxtRows, WriteMsgTxtRows, 250},
    {ObjKind::LxBtn, true, "ObjBtn", "C" ADDR "C" ADDR "C" ADDR "CCCCLCCCCXXXLCCVVXXVLTFCCCC", ReadLxBtnRows,
     WriteLxBtnRows, 0},
    {ObjKind::LxCurve, true, "ObjCurve", ADDR "XX", ReadCurveRows, WriteCurveRows, 0},
    {ObjKind::LxXyCurve, true, "ObjXY", ADDR "XXXX", ReadXyCurveRows, WriteXyCurveRows, 0},
    {ObjKind::Rtc, true, "ObjRtc", ADDR "CCCCCC", ReadRtcRows, WriteRtcRows, 0},
    {ObjKind::Geom, false, nullptr, "", nullptr, nullptr, 0},
    {ObjKind::Light, true, "ObjLight", ADDR "CCCVLXFTNC", ReadLightRows, WriteLightRows, 0},
    {ObjKind::Metrol, true, "ObjMetrol", "CB", ReadMetrolRows, WriteMetrolRows, 0},
    {ObjKind::LxGetVal, true, "ObjSetVal", ADDR "C" ADDR "C" ADDR "CCCCLCCCCCCVVXX", ReadGetValRows, WriteGetValRows,
     0},
    {ObjKind::LxAdvDevBmp, true, "ObjAdvBitMap", ADDR "CLCBB", ReadAdvDevBmpRows, WriteAdvDevBmpRows, 0},
};
static_assert(CoversEveryKind(kKinds));

#undef ADDR

std::uint8_t RowClass(char letter)
{
    switch (letter) {
    case 'T':
        return ptText;
    case 'V':
        return ptVal;
    case 'C':
        return ptComboTxt;
    case 'B':
        return ptComboBmp;
    case 'F':
        return ptBmpDlg;
    case 'N':
        return ptFontDlg;
    case 'X':
        return ptTextVal;
    case 'L':
        return ptComboVal;
    default:
        return ptParent;
    }
}

} // namespace

const InspectorKind& InspectorKindOf(ObjKind kind) { return EntryOf(kKinds, kind); }

const InspectorKind* InspectorKindOf(const TLxObj& obj) { return EntryOfObj(kKinds, obj); }

bool InspectorShows(const TLxObj& obj)
{
    const InspectorKind* k = InspectorKindOf(obj);
    return k && k->Shown;
}

std::vector<std::uint8_t> KindRowClasses(ObjKind kind)
{
    std::vector<std::uint8_t> rows;
    for (const char* c = InspectorKindOf(kind).Rows; *c != '\0'; ++c)
        rows.push_back(RowClass(*c));
    return rows;
}

} // namespace kes
