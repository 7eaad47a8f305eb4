// Rows of the button (kind 13): 42 rows after the position rows, most of them shown or
// hidden by the button type. The writer takes its steps in a fixed order, each on the type
// and address kind as they stand by then: the type (and the kind that follows it), the
// write, read and notify addresses, the function key, the user level, surface, font and
// kind, the values, the states, the state's text and picture, the positions.
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "objects/tlxbtn.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QFile>

namespace kes {
namespace {

constexpr int kBitStates = 2;
constexpr int kMaxStates = 255;
constexpr int kMaxLowByteStates = 16;

// The rows, named by what each shows (the property table numbers them). Each reference's
// address group starts at its Ref row (the panel-memory row); the read and notify ones
// follow their used rows.
namespace BtnRow {
enum : int {
    Type = 5,
    WriteRef = 6,
    ReadUsed = 10,
    ReadRef = 11,
    NotifyUsed = 15,
    NotifyRef = 16,
    Timing = 20,
    NotifyState = 21,
    KeyUsed = 22,
    Key = 23,
    UserLevel = 24,
    Surface = 25,
    PanelFont = 26,
    Kind = 27,
    NextPrev = 28,
    Constant = 29,
    Step = 30,
    Bound = 31,
    TargetPage = 32,
    ValFormat = 33,
    ValWidth = 34,
    IntDigits = 35,
    DecDigits = 36,
    InputMin = 37,
    InputMax = 38,
    States = 39,
    State = 40,
    Text = 41,
    Picture = 42,
    TxtVPos = 43,
    TxtHPos = 44,
    BmpVPos = 45,
    BmpHPos = 46,
};
} // namespace BtnRow

bool ReadAllowed(BtnType t) { return t != BtnType::SetConstant && !IsPanelBtnType(t); }
// The kind of the write (and read) address a type takes at once; the multi-state, page and
// password types keep theirs until the kind row is read.
std::uint8_t KindOfType(BtnType t, std::uint8_t kind)
{
    if (IsBitBtnType(t))
        return kBitFlags;
    if (IsValueBtnType(t))
        return kWordFlags;
    return kind;
}
std::uint8_t Mode(std::uint8_t kind) { return static_cast<std::uint8_t>(kind >> 4); }

AnsiString FileAt(const std::vector<AnsiString>& files, int i)
{
    return i >= 0 && i < static_cast<int>(files.size()) ? files[static_cast<std::size_t>(i)] : AnsiString();
}

// Steps 2 to 4: the three references.
void WriteReferences(KindRowContext& rows, TLxBtn& b, BtnType t, bool typeChanged, std::uint8_t m, std::uint8_t m0)
{
    const LxTypeCore& model = rows.Model;
    // Write address: tested in its kind while the kind stays; a new kind takes its default.
    if (t <= BtnType::ChangePage) {
        if (m == m0) {
            WriteAddressText(rows, BtnRow::WriteRef, b.WriteDev, Mode(m), b.ValLen);
            WriteLinkStation(rows, BtnRow::WriteRef, b.WriteDev);
        } else {
            DefaultDevRef(b.WriteDev, m != kBitFlags, model);
        }
    } else if (typeChanged) {
        ClearDevRef(b.WriteDev, model);
    }

    // Read address: only the types that show a value they read keep one.
    const std::uint8_t u0 = b.ReadUsed;
    if (!ReadAllowed(t)) {
        if (typeChanged)
            b.ReadUsed = 0;
    } else if (const int c = ChangedChoice(rows, BtnRow::ReadUsed); c >= 0) {
        b.ReadUsed = c != 0;
    }
    if (!b.ReadUsed) {
        if (u0)
            ClearDevRef(b.ReadDev, model);
    } else if (m == m0 && b.ReadUsed == u0) {
        WriteAddressText(rows, BtnRow::ReadRef, b.ReadDev, Mode(m), b.ValLen);
        WriteLinkStation(rows, BtnRow::ReadRef, b.ReadDev);
    } else {
        DefaultDevRef(b.ReadDev, m != kBitFlags, model);
    }

    // Notify address: always a bit.
    const std::uint8_t w0 = b.NotifyUsed;
    if (t >= BtnType::ChangePage) {
        if (typeChanged)
            b.NotifyUsed = 0;
    } else if (const int c = ChangedChoice(rows, BtnRow::NotifyUsed); c >= 0) {
        b.NotifyUsed = c != 0;
    }
    if (!b.NotifyUsed) {
        if (w0) {
            ClearDevRef(b.NotifyDev, model);
            b.NotifyOrder = 0;
            b.NotifyState = 0;
        }
    } else if (b.NotifyUsed == w0) {
        WriteAddressText(rows, BtnRow::NotifyRef, b.NotifyDev, 0, 0);
        WriteLinkStation(rows, BtnRow::NotifyRef, b.NotifyDev);
        if (const int c = ChangedChoice(rows, BtnRow::Timing); c >= 0)
            b.NotifyOrder = c != 0;
        if (const int c = ChangedChoice(rows, BtnRow::NotifyState); c >= 0)
            b.NotifyState = c != 0;
    } else {
        DefaultDevRef(b.NotifyDev, false, model);
        b.NotifyDev.RefDevForm = 1;
        b.NotifyOrder = 0;
        b.NotifyState = 0;
    }
}

// Step 8: the values by type, the format and width, the digits.
void WriteValues(KindRowContext& rows, TLxBtn& b, BtnType t, bool typeChanged, std::uint8_t m, std::uint8_t m0)
{
    const std::uint8_t oldFormat = b.ValType;
    const std::uint8_t oldWidth = b.ValLen;
    if (m != m0) {
        b.ValType = FormatCode(ValFormat::Unsigned);
        b.ValLen = 0;
    } else if (m == kWordFlags) {
        if (const int f = ChangedValueFormat(rows, BtnRow::ValFormat); f >= 0)
            b.ValType = static_cast<std::uint8_t>(f);
        if (const int c = ChangedChoice(rows, BtnRow::ValWidth); c >= 0 && !WidthFixed(b.ValType))
            b.ValLen = static_cast<std::uint8_t>(c);
        // A floating value is two words, as the settings dialog stores it.
        if (b.ValType != oldFormat && IsFormat(b.ValType, ValFormat::Float))
            b.ValLen = 1;
    }
    const auto changedValue = [&](int row, std::int32_t& field) {
        if (rows.Changed(row) && rows.TextVal(row).IsVisible())
            field = rows.TextVal(row).GetValue();
    };
    if (typeChanged) {
        b.ParamA = 0;
        b.ParamB = 0;
        switch (t) {
        // A step of 1 up to the format's largest value, or down to its smallest.
        case BtnType::Increment:
            b.ParamA = 1;
            b.ParamB = FormatMax(NumberRowFormat(b.ValType), NumberRowWidth(b.ValType, b.ValLen));
            break;
        case BtnType::Decrement:
            b.ParamA = 1;
            b.ParamB = FormatMin(NumberRowFormat(b.ValType), NumberRowWidth(b.ValType, b.ValLen));
            break;
        case BtnType::InputValue:
            b.IntNum = 5;
            b.DecNum = 0;
            b.ParamA = 1000;
            break;
        default:
            break;
        }
        return;
    }
    switch (t) {
    case BtnType::SetConstant:
        changedValue(BtnRow::Constant, b.ParamA);
        break;
    case BtnType::Increment:
    case BtnType::Decrement:
        changedValue(BtnRow::Step, b.ParamA);
        changedValue(BtnRow::Bound, b.ParamB);
        break;
    case BtnType::ChangePage:
        if (const int p = ChangedValChoice(rows, BtnRow::TargetPage); p >= 0)
            b.ParamA = p;
        break;
    case BtnType::InputValue: {
        TPropVal& intRow = rows.Val(BtnRow::IntDigits);
        TPropVal& decRow = rows.Val(BtnRow::DecDigits);
        if (b.ValType != oldFormat || b.ValLen != oldWidth) {
            // A binary or floating value has no integer digits to clamp.
            if (!WidthFixed(b.ValType)) {
                intRow.SetMax(MaxIntDigits(b.ValType, b.ValLen, b.DecNum));
                b.IntNum = static_cast<std::uint8_t>(intRow.GetValue());
            }
            decRow.SetMax(MaxDecDigits(b.ValType, b.ValLen, b.IntNum));
            b.DecNum = static_cast<std::uint8_t>(decRow.GetValue());
        } else {
            if (rows.Changed(BtnRow::IntDigits) && intRow.IsVisible())
                b.IntNum = static_cast<std::uint8_t>(intRow.GetValue());
            if (rows.Changed(BtnRow::DecDigits) && decRow.IsVisible())
                b.DecNum = static_cast<std::uint8_t>(decRow.GetValue());
        }
        changedValue(BtnRow::InputMin, b.ParamB);
        changedValue(BtnRow::InputMax, b.ParamA);
        break;
    }
    default:
        break;
    }
}

// Step 9: the number of states and the state shown. A new type or kind shows the first
// state of the count it takes.
void WriteStates(KindRowContext& rows, TLxBtn& b, BtnType t, bool typeChanged, std::uint8_t m, std::uint8_t m0)
{
    const bool changed = typeChanged || m != m0;
    if (t < BtnType::MultiState || (t == BtnType::MultiState && m == kBitFlags)) {
        if (changed) {
            b.SetStateNum(kBitStates);
            b.SetBtnPt(0);
        } else if (const int s = ChangedValChoice(rows, BtnRow::State); s >= 0) {
            b.SetBtnPt(s < kBitStates ? s : 0);
        }
    } else if (t > BtnType::MultiState) {
        if (typeChanged) {
            b.SetStateNum(1);
            b.SetBtnPt(0);
        }
    } else if (!changed) {
        if (const int s = ChangedValChoice(rows, BtnRow::State); s >= 0)
            b.SetBtnPt(s < b.TotalState ? s : 0);
        if (rows.Changed(BtnRow::States))
            b.SetStateNum(static_cast<std::uint8_t>(rows.Val(BtnRow::States).GetValue()));
    } else {
        if (m0 == kBitFlags)
            b.SetStateNum(kBitStates);
        if (m == kEitherFlags && b.TotalState > kMaxLowByteStates)
            b.SetStateNum(kMaxLowByteStates);
        b.SetBtnPt(0);
    }
}

// Steps 10 and 11: the shown state's text and picture, unless the edit switched the type,
// the kind or the state.
void WriteShownState(KindRowContext& rows, TLxBtn& b, BtnType t, bool typeChanged, std::uint8_t u0, int shown)
{
    const int s = b.CurPt;
    const bool has = s >= 0 && s < static_cast<int>(b.TxtList.size());
    // An input that shows the value it reads has no text and no picture.
    if (t == BtnType::InputValue && b.ReadUsed) {
        if (has && (typeChanged || b.ReadUsed != u0))
            b.TxtList[static_cast<std::size_t>(s)].clear();
        return;
    }
    if (s != shown || !has)
        return;
    if (rows.Changed(BtnRow::Text))
        b.TxtList[static_cast<std::size_t>(s)] = QStringToAnsi(rows.Text(BtnRow::Text).GetText());
    const QString name = rows.BmpFile(BtnRow::Picture).FileName;
    if (name.isEmpty() || name == AnsiToQString(FileAt(b.FileList, s)))
        return;
    const std::string path = QStringToAnsi(name);
    if (!FileExists(path))
        return;
    // The file's own size, made black and white.
    TBitmap* pic = b.StateBmp(s);
    if (!pic || !b.BmpLoad(path)) {
        rows.Refuse(BtnRow::Picture);
        return;
    }
    TLxObj::BmpModify(*pic);
    b.FileList.resize(std::max<std::size_t>(b.FileList.size(), b.TotalState));
    b.FileList[static_cast<std::size_t>(s)] = QStringToAnsi(name);
}

} // namespace

void ReadLxBtnRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TLxBtn&>(obj);
    // An unset type shows no type and stays unset until the user picks one: showing the
    // rows stores nothing.
    const BtnType t = b.BtnType;
    const std::uint8_t mode = Mode(b.ValKind);
    const int f = b.ValType;
    const int w = b.ValLen;
    const bool number = TypedAsNumber(f);
    // How the values are typed: a floating value's as a whole signed two-word number.
    const int nf = NumberRowFormat(f);
    const int nw = NumberRowWidth(f, w);

    ShowComboTxt(rows.Combo(BtnRow::Type), BtnTypeItem(t), kMsgBtnType, kBtnTypeCount);
    ReadAddressGroup(rows, BtnRow::WriteRef, b.WriteDev, mode, b.ValLen, t < BtnType::ChangePage);
    ReadOptionalRef(rows, BtnRow::ReadUsed, b.ReadUsed, b.ReadDev, mode, b.ValLen, ReadAllowed(t));
    ReadOptionalRef(rows, BtnRow::NotifyUsed, b.NotifyUsed, b.NotifyDev, 0, 0, t < BtnType::ChangePage);
    ShowComboTxt(rows.Combo(BtnRow::Timing), b.NotifyOrder, kMsgTiming, 2);
    ShowComboTxt(rows.Combo(BtnRow::NotifyState), b.NotifyState, kMsgResetSet, 2);
    rows.Combo(BtnRow::Timing).SetVisible(t < BtnType::ChangePage && b.NotifyUsed);
    rows.Combo(BtnRow::NotifyState).SetVisible(t < BtnType::ChangePage && b.NotifyUsed);
    ReadFunctionKey(rows, BtnRow::KeyUsed, BtnRow::Key, b.RefKey);
    SetComboVal(&rows.ComboVal(BtnRow::UserLevel), b.UserLevel, 0, 5);
    rows.ComboVal(BtnRow::UserLevel).SetVisible(t != BtnType::Maintained);
    ShowComboTxt(rows.Combo(BtnRow::Surface), b.Surface, kMsgSurface, 5);
    ShowComboTxt(rows.Combo(BtnRow::PanelFont), b.fontsize, kMsgPanelFont, 4);
    ShowComboTxt(rows.Combo(BtnRow::Kind), mode, kMsgAddrKind, 3);
    rows.Combo(BtnRow::Kind).SetVisible(t == BtnType::MultiState);
    ShowComboTxt(rows.Combo(BtnRow::NextPrev), b.MultiFlag, kMsgNextPrev, 2);
    rows.Combo(BtnRow::NextPrev).SetVisible(t == BtnType::MultiState);

    const std::int32_t typeMax = FormatMax(nf, nw);
    const std::int32_t typeMin = FormatMin(nf, nw);
    ShowTextVal(rows.TextVal(BtnRow::Constant), typeMax, typeMin, nf, nw, b.ParamA);
    rows.TextVal(BtnRow::Constant).SetVisible(t == BtnType::SetConstant && number);
    // Increment and decrement: the step (a one-word value) and the bound the value stops at.
    ShowTextVal(rows.TextVal(BtnRow::Step), FormatMax(nf, 0), FormatMin(nf, 0), nf, 0, b.ParamA);
    ShowTextVal(rows.TextVal(BtnRow::Bound), typeMax, typeMin, nf, nw, b.ParamB);
    rows.TextVal(BtnRow::Step).SetVisible((t == BtnType::Increment || t == BtnType::Decrement) && number);
    rows.TextVal(BtnRow::Bound).SetVisible((t == BtnType::Increment || t == BtnType::Decrement) && number);
    SetComboVal(&rows.ComboVal(BtnRow::TargetPage), b.ParamA, 0, rows.PageCount());
    rows.ComboVal(BtnRow::TargetPage).SetVisible(t == BtnType::ChangePage);
    ShowValueFormat(rows.Combo(BtnRow::ValFormat), f);
    rows.Combo(BtnRow::ValFormat).SetVisible(IsValueBtnType(t));
    ShowComboTxt(rows.Combo(BtnRow::ValWidth), w, kMsgWidth, 2);
    rows.Combo(BtnRow::ValWidth).SetVisible(IsValueBtnType(t) && !WidthFixed(f));
    SetValRange(&rows.Val(BtnRow::IntDigits), MaxIntDigits(f, w, b.DecNum), 1, b.IntNum);
    rows.Val(BtnRow::IntDigits).SetVisible(t == BtnType::InputValue && !WidthFixed(f));
    SetValRange(&rows.Val(BtnRow::DecDigits), MaxDecDigits(f, w, b.IntNum), 0, b.DecNum);
    rows.Val(BtnRow::DecDigits).SetVisible(t == BtnType::InputValue && (f == 0 || f == 1));
    ShowTextVal(rows.TextVal(BtnRow::InputMin), b.ParamA, typeMin, nf, nw, b.ParamB);
    ShowTextVal(rows.TextVal(BtnRow::InputMax), typeMax, b.ParamB, nf, nw, b.ParamA);
    rows.TextVal(BtnRow::InputMin).SetVisible(t == BtnType::InputValue && number);
    rows.TextVal(BtnRow::InputMax).SetVisible(t == BtnType::InputValue && number);

    const bool valueStates = t == BtnType::MultiState && mode != 0;
    SetValRange(&rows.Val(BtnRow::States), b.ValKind == kEitherFlags ? kMaxLowByteStates : kMaxStates, 1, b.TotalState);
    rows.Val(BtnRow::States).SetVisible(valueStates);
    if (b.CurPt < 0)
        b.SetBtnPt(0);
    SetComboVal(&rows.ComboVal(BtnRow::State), b.CurPt, 0, valueStates ? b.TotalState : kBitStates);
    rows.ComboVal(BtnRow::State).SetVisible(t <= BtnType::MultiState);

    const int s = b.CurPt;
    const bool readValue = t == BtnType::InputValue && b.ReadUsed;
    const bool has = s >= 0 && s < static_cast<int>(b.TxtList.size());
    rows.Text(BtnRow::Text).SetTextAndTag(has ? AnsiToQString(b.TxtList[static_cast<std::size_t>(s)]) : QString(), 0);
    const TBitmap* pic = b.StateBmp(s);
    ShowPictureFile(rows.BmpFile(BtnRow::Picture), AnsiToQString(FileAt(b.FileList, s)), pic ? pic->Width() : 0,
                    pic ? pic->Height() : 0);
    ShowComboTxt(rows.Combo(BtnRow::TxtVPos), b.TxtVPos, kMsgVPos, 3);
    ShowComboTxt(rows.Combo(BtnRow::TxtHPos), b.TxtHPos, kMsgHPos, 3);
    ShowComboTxt(rows.Combo(BtnRow::BmpVPos), b.BmpVPos, kMsgVPos, 3);
    ShowComboTxt(rows.Combo(BtnRow::BmpHPos), b.BmpHPos, kMsgHPos, 3);
    for (int i : {BtnRow::Text, BtnRow::Picture, BtnRow::BmpVPos, BtnRow::BmpHPos})
        rows.Grid.Prop(i)->SetVisible(!readValue);
}

void WriteLxBtnRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TLxBtn&>(obj);
    const BtnType t0 = b.BtnType;
    const std::uint8_t m0 = b.ValKind;
    const std::uint8_t u0 = b.ReadUsed;
    const int shown = b.CurPt;

    // 1. The type; the address kind follows it at once.
    BtnType t = t0;
    if (const int c = ChangedChoice(rows, BtnRow::Type); c >= 0)
        t = BtnTypeOf(c);
    const bool typeChanged = t != t0;
    b.BtnType = t;
    std::uint8_t m = typeChanged ? KindOfType(t, m0) : m0;

    // 2-4. The write, read and notify addresses.
    WriteReferences(rows, b, t, typeChanged, m, m0);

    // 5. The function key: a maintained button takes no arrow key.
    WriteFunctionKey(rows, BtnRow::KeyUsed, BtnRow::Key, b.RefKey,
                     t == BtnType::Maintained ? KeyRule::Maintained : KeyRule::Button,
                     t == BtnType::Maintained && typeChanged);

    // 6. The user level; a maintained button has none.
    if (t == BtnType::Maintained) {
        if (typeChanged)
            b.UserLevel = 0;
    } else {
        WriteUserLevel(rows, BtnRow::UserLevel, b.UserLevel);
    }

    // 7. Surface, panel font, then the kind: chosen for a multi-state button (a new kind
    // resets the addresses to its defaults), fixed by the type for the others.
    if (const int c = ChangedChoice(rows, BtnRow::Surface); c >= 0)
        b.SetSurface(static_cast<std::uint8_t>(c));
    if (const int c = ChangedChoice(rows, BtnRow::PanelFont); c >= 0)
        b.FontSet(c);
    if (t == BtnType::MultiState) {
        if (const int c = ChangedChoice(rows, BtnRow::Kind); c >= 0)
            m = static_cast<std::uint8_t>(c << 4);
        if (m != b.ValKind) {
            DefaultDevRef(b.WriteDev, m != kBitFlags, rows.Model);
            if (b.ReadUsed)
                DefaultDevRef(b.ReadDev, m != kBitFlags, rows.Model);
        }
        if (const int c = ChangedChoice(rows, BtnRow::NextPrev); c >= 0)
            b.MultiFlag = c != 0;
    } else if (t != BtnType::None) {
        m = IsBitBtnType(t) ? kBitFlags : kWordFlags;
        if (typeChanged)
            b.MultiFlag = 0;
    }
    b.ValKind = m;

    // 8-9. Values, format and digits; the states.
    WriteValues(rows, b, t, typeChanged, m, m0);
    WriteStates(rows, b, t, typeChanged, m, m0);

    // 10-11. The shown state's text and picture.
    WriteShownState(rows, b, t, typeChanged, u0, typeChanged || m != m0 ? -1 : shown);

    // 13. Text and picture positions, while their rows are listed.
    const auto position = [&](int row, void (TLxBtn::*set)(std::uint8_t)) {
        if (const int c = ChangedChoice(rows, row); c >= 0 && rows.Combo(row).IsVisible())
            (b.*set)(static_cast<std::uint8_t>(c));
    };
    position(BtnRow::TxtVPos, &TLxBtn::SetTxtVPos);
    position(BtnRow::TxtHPos, &TLxBtn::SetTxtHPos);
    position(BtnRow::BmpVPos, &TLxBtn::SetBmpVPos);
    position(BtnRow::BmpHPos, &TLxBtn::SetBmpHPos);
}

} // namespace kes
