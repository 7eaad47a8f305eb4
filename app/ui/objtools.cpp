#include "app/ui/objtools.h"

namespace kes {
namespace {

// kind, tool button, menu item, the button draws it, the item draws it
constexpr ObjToolEntry kTools[] = {
    {ObjKind::StTxt, "TbStTxt", "MmStTxt", true, true},
    {ObjKind::LxVal, "TbVal", "MmVal", true, true},
    {ObjKind::LxDevBmp, "TbBit", "MmBit", true, true},
    {ObjKind::VrgBmp, "TbValRange", "MmValRange", true, true},
    {ObjKind::StBmp, "TbStBmp", "MmStBmp", true, true},
    {ObjKind::ActBmp, "TbActBmp", "MmActBmp", true, true},
    {ObjKind::Scale, "TbScale", "MmScale", true, true},
    {ObjKind::ProgBar, "TbProgBar", "MmProgBar", true, true},
    {ObjKind::CirMeter, "TbCirMeter", "MmCirMeter", true, true},
    // No tool button: the square meter's dialog keeps its own caption.
    {ObjKind::RectMeter, nullptr, "MmRectMeter", false, true},
    {ObjKind::LxPage, "TbPgNum", "MmPgNum", true, true},
    {ObjKind::MsgTxt, "TbMsg", "MmMsg", true, true},
    {ObjKind::LxBtn, "TbBtn", "MmBtn", true, true},
    {ObjKind::LxCurve, "TbCurves", "MmCurve", true, true},
    {ObjKind::LxXyCurve, "TbXyCurve", "MmXY", true, true},
    {ObjKind::Rtc, "TbRtc", "MmRtc", true, true},
    {ObjKind::Geom, nullptr, nullptr, false, false},
    {ObjKind::Light, "TbLighter", "MmLighter", true, true},
    {ObjKind::Metrol, "TbMetrol", "MmMetrol", true, true},
    {ObjKind::LxGetVal, "TbInputVal", "MmInputVal", true, true},
    {ObjKind::LxAdvDevBmp, "TbBit", "MmBit", false, false},
};
static_assert(CoversEveryKind(kTools));

} // namespace

const ObjToolEntry& ObjToolOf(ObjKind kind) { return EntryOf(kTools, kind); }

} // namespace kes
