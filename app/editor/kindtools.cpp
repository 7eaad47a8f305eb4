#include "app/editor/kindtools.h"

#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/btntype.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmsgtxt.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"
#include "platform/codepage.h"

#include <QPlainTextEdit>
#include <QSpinBox>

#include <type_traits>

namespace kes {
namespace {

constexpr int kMsgNoStateChosen = 64;
constexpr int kMsgButtonTypes = 229;  // + button type: the type's name
constexpr int kMaxMessageWidth = 250; // screen pixels of one message text

// An edit over the kind's class, called for an object of the kind: an object whose class is
// not its kind's is left alone (the edit's empty result).
template <auto Edit> struct Typed;
template <typename Kind, typename R, typename... Args, R (*Edit)(Kind&, Args...)> struct Typed<Edit> {
    using Obj = std::conditional_t<std::is_const_v<Kind>, const TLxObj, TLxObj>;
    static R Call(Obj& obj, Args... args)
    {
        auto* o = dynamic_cast<Kind*>(&obj);
        if constexpr (std::is_void_v<R>) {
            if (o)
                Edit(*o, args...);
        } else {
            return o ? Edit(*o, args...) : R{};
        }
    }
};
template <auto Edit> constexpr auto On = &Typed<Edit>::Call;

// ---- Texts of states and lines

// The list index of state s of a list kept in reversed order when reversed is set.
int StateIndex(int s, int total, bool reversed) { return reversed ? total - 1 - s : s; }

// Entry i of a list, "" when the list has none for it.
AnsiString TextAt(const std::vector<AnsiString>& list, int i)
{
    return i >= 0 && i < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(i)] : AnsiString();
}

// Stores text at index i, growing the list to hold it.
void StoreAt(std::vector<AnsiString>& list, int i, const AnsiString& text)
{
    if (i < 0)
        return;
    if (static_cast<int>(list.size()) < i + 1)
        list.resize(static_cast<std::size_t>(i) + 1);
    list[static_cast<std::size_t>(i)] = text;
}

// The text box of a kind whose states have texts, enabled while a state is chosen.
void PrepareStateTextBox(const TextBoxFill& box)
{
    box.Memo.clear();
    box.Memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.Memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box.Memo.setEnabled(box.State != -1);
}

// The text of the state shown, from a list kept last state first when reversed; a state
// outside the list shows no text.
void FillStateText(const TextBoxFill& box, const std::vector<AnsiString>& texts, int total, int current, bool reversed)
{
    PrepareStateTextBox(box);
    if (!texts.empty())
        box.Memo.setPlainText(AnsiToQString(TextAt(texts, reversed ? total - current - 1 : current)));
}

// ---- States

template <typename T> ShownStates StatesOf(const T& o)
{
    return {static_cast<int>(o.TotalState), static_cast<int>(o.CurPt)};
}
// The bit picture shows OFF or ON.
ShownStates OnOffStates(const TLxDevBmp& o) { return {2, static_cast<int>(o.CurPt)}; }

template <typename T> std::optional<AnsiString> ShowRange(T& o, int s)
{
    o.SetCurPt(s);
    return std::nullopt;
}

std::optional<AnsiString> ShowActState(TActBmp& o, int s)
{
    o.SetBmpPt(s);
    return std::nullopt;
}

std::optional<AnsiString> ShowLampState(TLight& o, int s)
{
    o.SetBmpPt(s);
    return TextAt(o.TxtList, StateIndex(s, o.TotalState, o.StateReverse != 0));
}

std::optional<AnsiString> ShowButtonState(TLxBtn& o, int s)
{
    o.SetBtnPt(s);
    return TextAt(o.TxtList, o.CurPt);
}

std::optional<AnsiString> ShowMessageState(TMsgTxt& o, int s)
{
    o.SetMsgPt(s);
    return TextAt(o.Messages, s);
}

// ---- The static text's lines

void FillLines(TStTxt& o, const TextBoxFill& box)
{
    box.Memo.clear();
    if (box.Line)
        box.Line->setValue(0);
    box.Memo.setPlainText(AnsiToQString(TextAt(o.Lines, 0)));
}

std::optional<AnsiString> ChooseLine(TStTxt& o, int i)
{
    if (static_cast<int>(o.Lines.size()) < i + 1) {
        o.Lines.emplace_back();
        return AnsiString();
    }
    return TextAt(o.Lines, i);
}

bool StoreLine(TStTxt& o, TypedText& text)
{
    const AnsiString typed = QStringToAnsi(text.Typed);
    if (static_cast<int>(o.Lines.size()) < text.Line + 1)
        o.Lines.push_back(typed);
    else
        o.Lines[static_cast<std::size_t>(text.Line)] = typed;
    return true;
}

// ---- State texts

// An input value button that reads the value it shows.
bool ShowsReadValue(const TLxBtn& o) { return o.BtnType == BtnType::InputValue && o.ReadUsed == 1; }

// A button of one state shows state 0, and takes no text while it shows a value it reads.
void FillButtonTexts(TLxBtn& o, const TextBoxFill& box)
{
    PrepareStateTextBox(box);
    if (o.TotalState < 2) {
        box.Memo.setEnabled(true);
        o.SetBtnPt(0);
    }
    if (o.TxtList.empty())
        return;
    if (o.TotalState < 2) {
        box.Memo.setPlainText(AnsiToQString(TextAt(o.TxtList, 0)));
        if (ShowsReadValue(o))
            box.Memo.setEnabled(false);
    } else {
        box.Memo.setPlainText(AnsiToQString(TextAt(o.TxtList, o.CurPt)));
    }
}

void FillMessageTexts(TMsgTxt& o, const TextBoxFill& box)
{
    FillStateText(box, o.Messages, o.TotalState, o.CurPt, o.StateReverse != 0);
}

void FillLampTexts(TLight& o, const TextBoxFill& box)
{
    FillStateText(box, o.TxtList, o.TotalState, o.CurPt, o.StateReverse != 0);
}

// A message is no wider than 250 pixels (the character that makes it wider goes again), and
// a short one is padded with spaces to the object's width, as the panel shows it.
bool StoreMessage(TMsgTxt& o, TypedText& text)
{
    if (text.State < 0)
        return false;
    TCanvas& c = *o.Picture.Canvas();
    AnsiString stored = QStringToAnsi(text.Typed);
    if (c.TextWidth(stored) > kMaxMessageWidth && !stored.empty()) {
        QString shown = text.Typed;
        shown.chop(1);
        text.Retyped = shown;
        stored = QStringToAnsi(shown);
    }
    const int limit = o.Picture.Width() / std::max(text.GridWidth, 1) - c.TextWidth(" ");
    if (!stored.empty())
        while (c.TextWidth(stored) < limit)
            stored += ' ';
    StoreAt(o.Messages, StateIndex(text.State, o.TotalState, o.StateReverse != 0), stored);
    return true;
}

// A lamp's text is one line.
bool StoreLampText(TLight& o, TypedText& text)
{
    if (text.State < 0)
        return false;
    const AnsiString typed = QStringToAnsi(text.Typed);
    const AnsiString line = o.TxtList.empty() ? typed : typed.substr(0, typed.find('\n'));
    StoreAt(o.TxtList, StateIndex(text.State, o.TotalState, o.StateReverse != 0), line);
    return true;
}

// A button of one state takes the text without a state chosen.
bool StoreButtonText(TLxBtn& o, TypedText& text)
{
    const AnsiString typed = QStringToAnsi(text.Typed);
    if (text.State < 0) {
        if (o.TotalState > 1)
            return false;
        o.TxtList = {typed};
    } else {
        StoreAt(o.TxtList, text.State, typed);
    }
    return true;
}

// The button's print caption names its type.
void ButtonCaption(TLxBtn& o, const QString& menuCaption)
{
    QString print = menuCaption;
    if (o.BtnType != BtnType::None)
        print += QLatin1Char('[') + Msg(kMsgButtonTypes + BtnCode(o.BtnType)) + QLatin1Char(']');
    o.PrintText = QStringToAnsi(print);
}

// ---- Text positions

bool PlaceStaticText(TStTxt& o, const TextPlace& p)
{
    p.Vertical ? o.SetVPos(p.Code) : o.SetHPos(p.Code);
    return true;
}

// A kind that places both a text and a picture (the lamp, the button): the one the tool
// bar's text or picture mode names.
template <typename T> bool PlaceTextOrPicture(T& o, const TextPlace& p)
{
    if (!p.Text && !p.Picture)
        return false;
    if (p.Text)
        p.Vertical ? o.SetTxtVPos(p.Code) : o.SetTxtHPos(p.Code);
    else
        p.Vertical ? o.SetBmpVPos(p.Code) : o.SetBmpHPos(p.Code);
    return true;
}

// The value display is aligned horizontally only.
bool PlaceValue(TLxVal& o, const TextPlace& p)
{
    if (p.Vertical)
        return false;
    o.HPos = p.Code;
    return true;
}

bool PlaceEntry(TLxGetVal& o, const TextPlace& p)
{
    (p.Vertical ? o.VPos : o.HPos) = p.Code;
    return true;
}

// ---- Pictures

PictureLoad Loaded(bool loaded) { return loaded ? PictureLoad::Loaded : PictureLoad::Failed; }

// Into the state chosen, which there must be.
PictureLoad LoadStatePicture(TActBmp& o, const PictureFile& f)
{
    if (f.State == -1) {
        ShowMsg(f.Ask, kMsgNoStateChosen);
        return PictureLoad::NotTaken;
    }
    o.SetBmpPt(f.State);
    return Loaded(o.BmpLoad(f.File, f.Width, f.Height));
}

PictureLoad LoadStaticPicture(TStBmp& o, const PictureFile& f)
{
    if (!o.BmpLoad(f.File, f.Width, f.Height))
        return PictureLoad::Failed;
    o.FileName = f.File;
    return PictureLoad::Loaded;
}

PictureLoad LoadLampPicture(TLight& o, const PictureFile& f) { return Loaded(o.BmpLoad(f.File, f.Width, f.Height)); }

// A button of one state takes it into state 0, else into the state chosen; the state shown
// stays.
PictureLoad LoadButtonPicture(TLxBtn& o, const PictureFile& f)
{
    const int state = o.TotalState <= 1 ? 0 : f.State;
    if (state < 0 || state >= o.TotalState)
        return PictureLoad::NotTaken;
    const int shown = o.CurPt;
    o.CurPt = state;
    const bool loaded = o.BmpLoad(f.File);
    if (loaded)
        if (TBitmap* pic = o.StateBmp(state))
            TLxObj::BmpModify(*pic);
    o.CurPt = shown;
    return Loaded(loaded);
}

// ---- Each kind's edits

constexpr KindEdits kNone{};
constexpr KindEdits kStTxt{
    .FillTextBox = On<FillLines>,
    .ChooseLine = On<ChooseLine>,
    .StoreText = On<StoreLine>,
    .PlaceText = On<PlaceStaticText>,
};
constexpr KindEdits kLxVal{.PlaceText = On<PlaceValue>};
constexpr KindEdits kLxDevBmp{.States = On<OnOffStates>, .ChooseState = On<ShowRange<TLxDevBmp>>};
constexpr KindEdits kVrgBmp{.States = On<StatesOf<TVrgBmp>>, .ChooseState = On<ShowRange<TVrgBmp>>};
constexpr KindEdits kStBmp{.LoadPicture = On<LoadStaticPicture>};
constexpr KindEdits kActBmp{
    .States = On<StatesOf<TActBmp>>,
    .ChooseState = On<ShowActState>,
    .LoadPicture = On<LoadStatePicture>,
};
constexpr KindEdits kMsgTxt{
    .States = On<StatesOf<TMsgTxt>>,
    .ChooseState = On<ShowMessageState>,
    .FillTextBox = On<FillMessageTexts>,
    .StoreText = On<StoreMessage>,
};
constexpr KindEdits kLxBtn{
    .States = On<StatesOf<TLxBtn>>,
    .ChooseState = On<ShowButtonState>,
    .FillTextBox = On<FillButtonTexts>,
    .StoreText = On<StoreButtonText>,
    .PlaceText = On<PlaceTextOrPicture<TLxBtn>>,
    .LoadPicture = On<LoadButtonPicture>,
    .ShowsReadValue = On<ShowsReadValue>,
    .PrintCaption = On<ButtonCaption>,
};
constexpr KindEdits kLight{
    .States = On<StatesOf<TLight>>,
    .ChooseState = On<ShowLampState>,
    .FillTextBox = On<FillLampTexts>,
    .StoreText = On<StoreLampText>,
    .PlaceText = On<PlaceTextOrPicture<TLight>>,
    .LoadPicture = On<LoadLampPicture>,
};
constexpr KindEdits kLxGetVal{.PlaceText = On<PlaceEntry>};
constexpr KindEdits kLxAdvDevBmp{.ChooseState = On<ShowRange<TLxAdvDevBmp>>};

using P = ToolPanel;
using S = StateTool;
using T = TextTool;
constexpr DoubleClick Dialog = DoubleClick::Dialog;

// kind, tool panel, state box, text box, vertical alignment, start-up screen, double click,
// edits
constexpr KindTools kTools[] = {
    {ObjKind::StTxt, P::Lines, S::None, T::Lines, true, true, Dialog, kStTxt},
    {ObjKind::LxVal, P::Value, S::None, T::None, false, false, Dialog, kLxVal},
    {ObjKind::LxDevBmp, P::None, S::OnOff, T::None, true, false, Dialog, kLxDevBmp},
    {ObjKind::VrgBmp, P::None, S::States, T::None, true, false, Dialog, kVrgBmp},
    {ObjKind::StBmp, P::Picture, S::None, T::None, true, true, DoubleClick::LoadPicture, kStBmp},
    {ObjKind::ActBmp, P::Picture, S::States, T::None, true, false, Dialog, kActBmp},
    {ObjKind::Scale, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::ProgBar, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::CirMeter, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::RectMeter, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::LxPage, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::MsgTxt, P::Message, S::States, T::StateTexts, true, false, Dialog, kMsgTxt},
    {ObjKind::LxBtn, P::StateTexts, S::States, T::StateTexts, true, false, Dialog, kLxBtn},
    {ObjKind::LxCurve, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::LxXyCurve, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::Rtc, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::Geom, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::Light, P::StateTexts, S::States, T::StateTexts, true, false, Dialog, kLight},
    {ObjKind::Metrol, P::None, S::None, T::None, true, false, Dialog, kNone},
    {ObjKind::LxGetVal, P::Value, S::None, T::None, true, false, Dialog, kLxGetVal},
    {ObjKind::LxAdvDevBmp, P::None, S::None, T::None, true, false, Dialog, kLxAdvDevBmp},
};
static_assert(CoversEveryKind(kTools));

} // namespace

const KindTools& KindToolsOf(ObjKind kind) { return EntryOf(kTools, kind); }

const KindTools* KindToolsOf(const TLxObj& obj) { return EntryOfObj(kTools, obj); }

} // namespace kes
