#pragma once
// The 21 kinds of panel object and the facts about each that every subsystem consults.
//
// A kind's stored code (TLxObjType: an object's ObjType and its record's tag) is the value
// of its ObjKind. Code outside this header and the kinds' own files names a kind by ObjKind
// and asks KindFacts, or a table of its own layer keyed by ObjKind (the factory's defaults,
// the readers, the writers, the inspector's rows, the settings dialogs, the editor's tools,
// the tool bar), never by a number. Each such table lists every kind in kind order and is
// checked with CoversEveryKind, so a kind's entry in each layer is one line.
#include "objects/tlxobj.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

struct TLxDevRef;

namespace kes {

enum class ObjKind : TLxObjType {
    StTxt = 1,       // static text
    LxVal = 2,       // value display
    LxDevBmp = 3,    // bit picture
    VrgBmp = 4,      // multi-range picture
    StBmp = 5,       // static picture
    ActBmp = 6,      // multi-state picture
    Scale = 7,       // scale
    ProgBar = 8,     // bar graph
    CirMeter = 9,    // round meter
    RectMeter = 10,  // square meter
    LxPage = 11,     // page number
    MsgTxt = 12,     // message text
    LxBtn = 13,      // button
    LxCurve = 14,    // trend curve
    LxXyCurve = 15,  // X-Y curve
    Rtc = 16,        // clock
    Geom = 17,       // geometry
    Light = 18,      // lamp
    Metrol = 19,     // measurement unit
    LxGetVal = 20,   // value entry
    LxAdvDevBmp = 21 // bit picture of a word
};

constexpr std::size_t kObjKindCount = 21;

constexpr TLxObjType KindCode(ObjKind k) { return static_cast<TLxObjType>(k); }

// The kind of a stored code; nothing for a code outside 1..21.
constexpr std::optional<ObjKind> KindOfCode(int code)
{
    if (code < 1 || code > static_cast<int>(kObjKindCount))
        return std::nullopt;
    return static_cast<ObjKind>(code);
}

constexpr bool IsKind(TLxObjType code, ObjKind k) { return code == KindCode(k); }
inline bool IsKind(const TLxObj& obj, ObjKind k) { return IsKind(obj.ObjType, k); }

// Every kind in kind order.
constexpr std::array<ObjKind, kObjKindCount> AllObjKinds()
{
    std::array<ObjKind, kObjKindCount> kinds{};
    for (std::size_t i = 0; i < kObjKindCount; ++i)
        kinds[i] = static_cast<ObjKind>(i + 1);
    return kinds;
}

// True when table holds one entry per kind in kind order (entry i is kind i + 1): a layer's
// per-kind table is checked with static_assert(CoversEveryKind(table)).
template <typename Entry, std::size_t N> constexpr bool CoversEveryKind(const Entry (&table)[N])
{
    if (N != kObjKindCount)
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].Kind != static_cast<ObjKind>(i + 1))
            return false;
    return true;
}

// The entry of kind k in a table that CoversEveryKind.
template <typename Entry, std::size_t N> constexpr const Entry& EntryOf(const Entry (&table)[N], ObjKind k)
{
    return table[static_cast<std::size_t>(KindCode(k)) - 1];
}

// The entry of obj's kind in such a table; null for an object whose ObjType names no kind.
template <typename Entry, std::size_t N> const Entry* EntryOfObj(const Entry (&table)[N], const TLxObj& obj)
{
    const std::optional<ObjKind> k = KindOfCode(obj.ObjType);
    return k ? &EntryOf(table, *k) : nullptr;
}

// Device references a kind's record carries from byte 14: none, one, or the write, read
// and notify references of the button and the value entry.
enum class DevRefs : std::uint8_t { None, One, Three };

// The font a kind uses: none; a panel font chosen by index (the font box, FontSet); or a
// desktop font whose name the record stores (the font dialog).
enum class FontUse : std::uint8_t { None, PanelFont, FontFace };

// How a kind's record is written and read: by the record writer and reader of its kind;
// by the object itself (the geometry); or not at all (its objects stay out of the stored
// page).
enum class RecordForm : std::uint8_t { Body, Own, None };

// The fields of the kinds the operator works on the panel (the button, the value entry): the
// function key bound to the object (255: none), the user level it asks for, and its write,
// read and notify references (each whether in use or not). All null for the other kinds.
struct OperatorFields {
    std::uint8_t* RefKey = nullptr;
    std::int32_t* UserLevel = nullptr;
    TLxDevRef* WriteDev = nullptr;
    TLxDevRef* ReadDev = nullptr;
    TLxDevRef* NotifyDev = nullptr;
};

// The lists of texts an object holds (a static text's lines, the state texts of the button,
// the multi-state picture and the lamp, the messages of the message text), in record order;
// the slots past its last list are null.
struct HeldTexts {
    const std::vector<AnsiString>* Lists[2] = {};
};

struct ObjKindFacts {
    ObjKind Kind;
    const char* ClassName;             // "TStTxt", ...
    std::unique_ptr<TLxObj> (*Make)(); // an object of the kind with its class's defaults
    DevRefs Refs;
    FontUse Font;
    RecordForm Record;
    bool KeepsSquare;                                // a resize keeps its picture square (the round meter)
    bool Transparent;                                // always painted with SRCAND over what lies below (the geometry)
    int CaptionMsg;                                  // message number of the kind's print caption
    OperatorFields (*Operated)(TLxObj& obj);         // null: the kind binds no key and asks no level
    HeldTexts (*Texts)(const TLxObj& obj) = nullptr; // null: the kind holds no texts
};

const ObjKindFacts& KindFacts(ObjKind k);
// The facts of obj's kind; null for an object whose ObjType names no kind.
const ObjKindFacts* KindFactsOf(const TLxObj& obj);
// obj's function key and user level (OperatorFields).
OperatorFields OperatorFieldsOf(TLxObj& obj);
// The texts obj holds (HeldTexts); none for an object whose class is not its kind's.
HeldTexts HeldTextsOf(const TLxObj& obj);
// An object of kind k with its class's defaults (no project defaults: see the object factory).
std::unique_ptr<TLxObj> NewObjOfKind(ObjKind k);

} // namespace kes
