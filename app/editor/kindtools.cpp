#include "app/editor/kindtools.h"

namespace kes {
namespace {

using P = ToolPanel;
using S = StateTool;
using T = TextTool;
constexpr DoubleClick Dialog = DoubleClick::Dialog;

// kind, tool panel, state box, text box, vertical alignment, start-up screen, double click
constexpr KindTools kTools[] = {
    {ObjKind::StTxt, P::Lines, S::None, T::Lines, true, true, Dialog},
    {ObjKind::LxVal, P::Value, S::None, T::None, false, false, Dialog},
    {ObjKind::LxDevBmp, P::None, S::OnOff, T::None, true, false, Dialog},
    {ObjKind::VrgBmp, P::None, S::States, T::None, true, false, Dialog},
    {ObjKind::StBmp, P::Picture, S::None, T::None, true, true, DoubleClick::LoadPicture},
    {ObjKind::ActBmp, P::Picture, S::States, T::None, true, false, Dialog},
    {ObjKind::Scale, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::ProgBar, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::CirMeter, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::RectMeter, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::LxPage, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::MsgTxt, P::Message, S::States, T::StateTexts, true, false, Dialog},
    {ObjKind::LxBtn, P::StateTexts, S::States, T::StateTexts, true, false, Dialog},
    {ObjKind::LxCurve, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::LxXyCurve, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::Rtc, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::Geom, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::Light, P::StateTexts, S::States, T::StateTexts, true, false, Dialog},
    {ObjKind::Metrol, P::None, S::None, T::None, true, false, Dialog},
    {ObjKind::LxGetVal, P::Value, S::None, T::None, true, false, Dialog},
    {ObjKind::LxAdvDevBmp, P::None, S::None, T::None, true, false, Dialog},
};
static_assert(CoversEveryKind(kTools));

} // namespace

const KindTools& KindToolsOf(ObjKind kind) { return EntryOf(kTools, kind); }

const KindTools* KindToolsOf(const TLxObj& obj) { return EntryOfObj(kTools, obj); }

} // namespace kes
