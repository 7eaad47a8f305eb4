#pragma once
// The rows of each object kind: a reader that fills the rows from the shown object and a
// writer that stores them back (each kind's pair is its entry of inspectorkinds.cpp). Both
// address the rows by position (rows 0-4 are the group and position rows the inspector
// itself handles, the kind's own rows follow from row 5), which the table check
// (CheckPropLayout) guarantees before any reader runs.
//
// A writer stores a row only when the user changed it since the last read (Changed), and
// what the kind's rules make follow from that change: an edit never rewrites a field the
// user did not touch, even where the rows could show it only clamped or normalised. A value
// the object can not take is refused (Refuse): nothing of it is stored and the inspector
// says so.
#include "app/ui/tadvstringgrid.h"
#include "objects/addrmode.h"
#include "objects/tlxobj.h"
#include "objects/valformat.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

struct TLxDevRef;

namespace kes {

class InspectorSource;
class LxTypeCore;
class PageData;
class ProjectState;

// An address row of an address group: the panel-memory choice above it, the address, then
// the link and the station. Its "..." button opens the address picker.
struct AddressRow {
    int Row = 0;
    TLxDevRef* Ref = nullptr;
    std::uint8_t Mode = 0;   // the codec's AddrMode code
    std::uint8_t Access = 0; // 0 one word, 1 two words
};

// What the inspector keeps of its rows between a read and the next write.
struct RowMemory {
    std::vector<QString> Shown; // each row's value as last read (RowKey)
    std::vector<AddressRow> Addresses;
    std::vector<int> Refused; // rows whose value the last write refused
};

// A row's value in a form that compares: index, number, text or file name.
QString RowKey(TPropBase& row);

// The rows of the shown object, the model data their values need and what the editor
// tells of the page (its key bindings, the number of pages).
class KindRowContext {
public:
    KindRowContext(TAdvStringGrid& grid, LxTypeCore& model, RowMemory& memory, InspectorSource* source)
        : Grid(grid), Model(model), Source(source), memory_(memory)
    {}
    TAdvStringGrid& Grid;
    LxTypeCore& Model;
    InspectorSource* Source; // null: no editor (no page, no pages)

    TPropText& Text(int i) const { return Row<TPropText>(i); }
    TPropVal& Val(int i) const { return Row<TPropVal>(i); }
    TPropComboTxt& Combo(int i) const { return Row<TPropComboTxt>(i); }
    TPropComboBmp& ComboBmp(int i) const { return Row<TPropComboBmp>(i); }
    TPropBmpDlg& BmpFile(int i) const { return Row<TPropBmpDlg>(i); }
    TPropFontDlg& FontRow(int i) const { return Row<TPropFontDlg>(i); }
    TPropTextVal& TextVal(int i) const { return Row<TPropTextVal>(i); }
    TPropComboVal& ComboVal(int i) const { return Row<TPropComboVal>(i); }

    ProjectState& State() const;
    // The page the object lies on; null when the editor names none.
    PageData* Page() const;
    int PageCount() const;

    // The user changed row i since it was last read.
    bool Changed(int i) const;
    // Row i's value was refused: nothing of it was stored.
    void Refuse(int i) { memory_.Refused.push_back(i); }
    // Row i is the address of ref as the codec shows it in mode and access.
    void MarkAddress(int i, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access);

private:
    template <class R> R& Row(int i) const { return static_cast<R&>(*Grid.Prop(i)); }
    RowMemory& memory_;
};

// ---- Message bases of the choice rows (the first choice's message).
inline constexpr int kMsgFrame = 153;     // 6 frame styles
inline constexpr int kMsgTextDir = 159;   // 4 directions
inline constexpr int kMsgHPos = 163;      // left, right, centre
inline constexpr int kMsgVPos = 166;      // top, bottom, middle
inline constexpr int kMsgWidth = 169;     // 16 or 32 bits
inline constexpr int kMsgLink = 171;      // COM1, COM2
inline constexpr int kMsgPanelFont = 173; // 4 panel fonts
inline constexpr int kMsgOffOn = 177;     // OFF, ON
inline constexpr int kMsgNoYes = 179;
inline constexpr int kMsgNextPrev = 181;    // next, previous state
inline constexpr int kMsgStateOffOn = 183;  // OFF, ON
inline constexpr int kMsgNumberPos = 185;   // numbers above, below, left, right
inline constexpr int kMsgDial = 189;        // 300 degrees, full circle
inline constexpr int kMsgDisplay = 191;     // still, blinking, running
inline constexpr int kMsgSpeed = 199;       // 5 speeds
inline constexpr int kMsgMemory = 206;      // controller, panel
inline constexpr int kMsgClockSource = 210; // panel, controller
inline constexpr int kMsgClockItem = 212;   // time, day, date
inline constexpr int kMsgUnitType = 215;    // 7 quantities
inline constexpr int kMsgTiming = 225;      // before, after the write
inline constexpr int kMsgResetSet = 227;
inline constexpr int kMsgBtnType = 229;  // 13 button types
inline constexpr int kMsgAddrKind = 242; // bit, value, low byte
inline constexpr int kMsgSurface = 245;  // 5 surfaces
inline constexpr int kMsgFormat = 250;   // 7 value formats
inline constexpr int kMsgKey = 271;      // F0..F9, Up, Down, Left, Right
inline constexpr int kMsgOrder = 285;    // normal, reverse

// ---- Helpers of the readers and writers

// Index, message base and count of a choice row; its text is message base + index (empty
// for an index outside the choices).
void ShowComboTxt(TPropComboTxt& row, int index, int msgBase, int count);
// The row's choice, or -1 when it holds none of its choices (nothing is then written).
int ComboChoice(const TPropComboTxt& row);
// The choice of row i when the user changed it, else -1.
int ChangedChoice(const KindRowContext& rows, int i);
// The same for a list of numbers (its index) and a list of pictures.
int ChangedValChoice(const KindRowContext& rows, int i);
int ChangedBmpChoice(const KindRowContext& rows, int i);
// A picture file row: "[<file>]", or the language's "[Bitmap]" for a picture of no file and
// "[None]" for no picture.
void ShowPictureFile(TPropBmpDlg& row, const QString& name, int width, int height);
// A picture list over the inspector's 18 numbered pictures.
void ShowBitPictureRow(TPropComboBmp& row, int number);
// A number-as-text row: its limits, format and width, showing value (also where value lies
// outside the limits: they bind what is typed, the row shows what the object holds).
void ShowTextVal(TPropTextVal& row, std::int32_t max, std::int32_t min, int format, int width, std::int32_t value);
// The smallest and largest value of a format (0..3) and width (0 one word, 1 two); 0 for
// any other format.
std::int32_t FormatMin(int format, int width);
std::int32_t FormatMax(int format, int width);

// ---- The value format row of the numeric input and the button: the four number formats
// and floating (the fifth choice), as their settings dialogs offer them.
void ShowValueFormat(TPropComboTxt& row, int format);
// The format chosen in row i when the user changed it, else -1.
int ChangedValueFormat(const KindRowContext& rows, int i);
// Limits and values of such a format are typed as numbers: floating ones as the whole
// signed two-word numbers the settings dialogs take.
bool TypedAsNumber(int format);
int NumberRowFormat(int format);
int NumberRowWidth(int format, int width);
// Binary and floating values have a width of their own and no digit counts.
bool WidthFixed(int format);
// Row i, a font row: the object's picture font takes the row's font.
void WriteFontRow(KindRowContext& rows, int i, TFont& own);

// Digit limits of a number display: format, width (0 one word, 1 two), the other count.
int MaxIntDigits(int format, int width, int decDigits);
int MaxDecDigits(int format, int width, int intDigits);

// The address of ref as text in mode (a kes::AddrMode code) and access width (the
// reader shows it; the object's device text changes only where an address is stored).
QString ReadDevAddress(const TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, const LxTypeCore& model);
// ref's device text := its address as ReadDevAddress shows it.
void FormatDevText(TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, const LxTypeCore& model);
// A typed address: when the model's device table takes it, the code, bit index and
// normalised text are stored; otherwise nothing changes (the row refuses it, with its
// message). True when stored.
bool WriteDevAddress(TLxDevRef& ref, const QString& text, std::uint8_t mode, std::uint8_t access, LxTypeCore& model);
// The panel-memory choice of ref changed to internal: the first address of the panel's own
// bit or word memory, or, back in the controller, the model's default bit or word address
// (in device-name form, its memory flag set to match).
void ResetDevAddress(TLxDevRef& ref, bool internal, bool word, const LxTypeCore& model);
// A reference reset to the project defaults: bit index 0, the model's default bit or word
// address, the project's link and station.
void DefaultDevRef(TLxDevRef& ref, bool word, const LxTypeCore& model);
// A reference no longer used: no address (code -1, no text), device-name form, bit index 0,
// the project's link and station.
void ClearDevRef(TLxDevRef& ref, const LxTypeCore& model);

// ---- The address group at rows g..g+3: panel memory (hidden), address, link, station.
// shown: the address, link and station rows are listed.
void ReadAddressGroup(KindRowContext& rows, int g, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access,
                      bool shown = true);
// Row g: a changed panel-memory choice resets the address (word or bit device).
void WriteAddressMemory(KindRowContext& rows, int g, TLxDevRef& ref, bool word);
// Row g+1: a changed address is stored, or refused when the device table does not take it.
void WriteAddressText(KindRowContext& rows, int g, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access);
// Rows g+2 and g+3: link and station.
void WriteLinkStation(KindRowContext& rows, int g, TLxDevRef& ref);

// ---- An optional reference: its used flag (no/yes) at useRow, its address group below.
// The flag shows as stored (as the settings dialogs show it), an address kept with the flag
// off included. allowed: the rows are listed at all.
void ReadOptionalRef(KindRowContext& rows, int useRow, std::uint8_t used, TLxDevRef& ref, std::uint8_t mode,
                     std::uint8_t access, bool allowed);
// Flag switched on: the project's defaults; off: no address (true for either); still on:
// the group's changed rows.
bool WriteOptionalRef(KindRowContext& rows, int useRow, std::uint8_t& used, TLxDevRef& ref, std::uint8_t mode,
                      std::uint8_t access);

// ---- Function keys of the page (kinds 13 and 20): the flags are counted again from the
// page's objects before the choice is judged and after it is stored.
enum class KeyRule {
    Input,      // numeric input: Up and Down only when they are redefined as keys
    Button,     // button: as Input
    Maintained, // maintained button: no arrow key at all
};
// Rows useRow (no/yes) and keyRow (the key): the binding of key when either row changed;
// dropArrow (a button just made maintained) also unbinds an arrow key. A key that is not
// allowed, or that another object or the page's key settings hold while the object has a
// key of its own, is refused. Returns false when refused (nothing changed).
bool WriteFunctionKey(KindRowContext& rows, int useRow, int keyRow, std::uint8_t& key, KeyRule rule,
                      bool dropArrow = false);
// Function key rows: use (no/yes) and the key, hidden without one.
void ReadFunctionKey(KindRowContext& rows, int useRow, int keyRow, std::uint8_t key);
// Row i (user level): a changed level is stored when a password slot defines it.
void WriteUserLevel(KindRowContext& rows, int i, std::int32_t& level);

// ---- The state value of entry e of values kept in falling order (entry 0 the highest):
// bounded by its neighbours, the first by the format's maximum and the last by its minimum.
void ShowFallingValue(TPropTextVal& row, std::span<const std::uint32_t> values, int count, int e, int format,
                      int width);

// ---- A list of states chosen by a bit (two states), a value (a range of values each,
// largest first) or the low byte of a word (at most 16 states): the multi-state picture,
// the lamp and the message text.
struct StateListRows {
    int Ref; // the address group
    int Mode;
    int ValFormat;
    int ValWidth;
    int States;
    int State;
    int StateValue;
    int Order;
};
// The object's fields of its state list, and its own ways to show a state and to set the
// number of states.
struct StateList {
    std::uint8_t& KindByte; // high half the mode (0 bit, 1 value, 2 low byte), low half the width
    std::uint8_t& ValType;
    std::uint8_t& Reverse;
    const std::uint8_t& Total;
    const std::int32_t& CurPt;
    std::vector<std::uint32_t>& Values;
    std::function<int()> Entry; // the entry the shown state stands for, -1 for none
    std::function<void(int)> Show;
    std::function<void(std::uint8_t)> Count;
};
void ReadStateList(KindRowContext& rows, const StateListRows& r, TLxDevRef& ref, const StateList& s);
// The mode and the address it takes, format, width, the count and the state shown, the
// shown entry's value. True when neither the mode nor the state shown changed: the shown
// entry's own rows may be stored then.
bool WriteStateList(KindRowContext& rows, const StateListRows& r, TLxDevRef& ref, const StateList& s);
// The order row (value mode only): the entries exchanged end for end by exchange(i, j),
// then the flag.
void WriteStateOrder(KindRowContext& rows, const StateListRows& r, const StateList& s,
                     const std::function<void(std::size_t, std::size_t)>& exchange);

// The kinds' rows.
void ReadStTxtRows(KindRowContext& rows, TLxObj& obj);
void WriteStTxtRows(KindRowContext& rows, TLxObj& obj);
void ReadLxValRows(KindRowContext& rows, TLxObj& obj);
void WriteLxValRows(KindRowContext& rows, TLxObj& obj);
void ReadLxDevBmpRows(KindRowContext& rows, TLxObj& obj);
void WriteLxDevBmpRows(KindRowContext& rows, TLxObj& obj);
void ReadAdvDevBmpRows(KindRowContext& rows, TLxObj& obj);
void WriteAdvDevBmpRows(KindRowContext& rows, TLxObj& obj);
void ReadVrgBmpRows(KindRowContext& rows, TLxObj& obj);
void WriteVrgBmpRows(KindRowContext& rows, TLxObj& obj);
void ReadStBmpRows(KindRowContext& rows, TLxObj& obj);
void WriteStBmpRows(KindRowContext& rows, TLxObj& obj);
void ReadActBmpRows(KindRowContext& rows, TLxObj& obj);
void WriteActBmpRows(KindRowContext& rows, TLxObj& obj);
void ReadLightRows(KindRowContext& rows, TLxObj& obj);
void WriteLightRows(KindRowContext& rows, TLxObj& obj);
void ReadScaleRows(KindRowContext& rows, TLxObj& obj);
void WriteScaleRows(KindRowContext& rows, TLxObj& obj);
void ReadProgBarRows(KindRowContext& rows, TLxObj& obj);
void WriteProgBarRows(KindRowContext& rows, TLxObj& obj);
void ReadCirMeterRows(KindRowContext& rows, TLxObj& obj);
void WriteCirMeterRows(KindRowContext& rows, TLxObj& obj);
void ReadMsgTxtRows(KindRowContext& rows, TLxObj& obj);
void WriteMsgTxtRows(KindRowContext& rows, TLxObj& obj);
void ReadCurveRows(KindRowContext& rows, TLxObj& obj);
void WriteCurveRows(KindRowContext& rows, TLxObj& obj);
void ReadXyCurveRows(KindRowContext& rows, TLxObj& obj);
void WriteXyCurveRows(KindRowContext& rows, TLxObj& obj);
void ReadMetrolRows(KindRowContext& rows, TLxObj& obj);
void WriteMetrolRows(KindRowContext& rows, TLxObj& obj);
void ReadRtcRows(KindRowContext& rows, TLxObj& obj);
void WriteRtcRows(KindRowContext& rows, TLxObj& obj);
void ReadGetValRows(KindRowContext& rows, TLxObj& obj);
void WriteGetValRows(KindRowContext& rows, TLxObj& obj);
void ReadLxBtnRows(KindRowContext& rows, TLxObj& obj);
void WriteLxBtnRows(KindRowContext& rows, TLxObj& obj);

} // namespace kes
