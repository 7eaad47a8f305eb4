// Rows of the static picture (kind 5), the multi-state picture (kind 6) and the lamp
// (kind 18).
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "objects/tactbmp.h"
#include "objects/tlight.h"
#include "objects/tstbmp.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QFile>

namespace kes {
namespace {

// The rows of both kinds, named by what each shows (the property tables number them). Ref
// is the first row of the address group.
namespace StBmpRow {
enum : int { Picture = 5 };
} // namespace StBmpRow
namespace StateRow {
enum : int { Ref = 5, Mode = 9, ValFormat = 10, ValWidth = 11, States = 12, State = 13, StateValue = 14, Picture = 15 };
} // namespace StateRow

// The rows that differ between the two kinds: the lamp has a text and a font before its
// order row.
struct StateRows {
    int Text; // -1: none
    int Font;
    int Order;
};
constexpr StateRows kActBmpRows = {-1, -1, 16};
constexpr StateRows kLightRows = {16, 17, 18};

StateListRows ListRows(const StateRows& r)
{
    return {StateRow::Ref,    StateRow::Mode,  StateRow::ValFormat,  StateRow::ValWidth,
            StateRow::States, StateRow::State, StateRow::StateValue, r.Order};
}

StateList ListOf(TStateBmpObj& o)
{
    return {o.StateMode,
            o.ValType,
            o.StateReverse,
            o.TotalState,
            o.CurPt,
            o.StateVal,
            [&o] { return o.ShownIndex(); },
            [&o](int s) { o.SetBmpPt(s); },
            [&o](std::uint8_t n) { o.SetStateNum(n); }};
}

AnsiString FileAt(const std::vector<AnsiString>& files, int i)
{
    return i >= 0 && i < static_cast<int>(files.size()) ? files[static_cast<std::size_t>(i)] : AnsiString();
}

// The local path of a file chosen in the picture row; empty when there is no such file.
std::string ExistingFile(const QString& name)
{
    if (name.isEmpty())
        return {};
    const std::string path = QStringToAnsi(name);
    return FileExists(path) ? path : std::string();
}

} // namespace

// Row 5: the picture file.
void ReadStBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TStBmp&>(obj);
    ShowPictureFile(rows.BmpFile(StBmpRow::Picture), AnsiToQString(b.FileName), b.Picture.Width(), b.Picture.Height());
}

// The picture is loaded only when another, existing file was chosen: a project keeps no
// file name for this kind, and reloading on every edit would fail or take in a changed file.
void WriteStBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TStBmp&>(obj);
    const QString name = rows.BmpFile(StBmpRow::Picture).FileName;
    if (name == AnsiToQString(b.FileName))
        return;
    const std::string path = ExistingFile(name);
    if (path.empty())
        return;
    if (b.BmpLoad(path, rows.Model.PanelWidth, rows.Model.PanelHeight))
        b.FileName = QStringToAnsi(name);
    else
        rows.Refuse(StBmpRow::Picture);
}

namespace {

// Rows 5-16 (lamp 5-18): the address group, mode, format, width, the number of states, the
// state shown, its value and picture file (lamp: text and font), the order.
void ReadStateBmpRows(KindRowContext& rows, TStateBmpObj& o, const StateRows& r)
{
    ReadStateList(rows, ListRows(r), o, ListOf(o));
    const int e = o.ShownIndex();
    const TBitmap* pic = o.StateBmp(e);
    ShowPictureFile(rows.BmpFile(StateRow::Picture), AnsiToQString(FileAt(o.FileList, e)), pic ? pic->Width() : 0,
                    pic ? pic->Height() : 0);
    if (r.Text >= 0) {
        rows.Text(r.Text).SetTextAndTag(AnsiToQString(FileAt(o.TxtList, e)), 0);
        SetFontRow(&rows.FontRow(r.Font), &o.Picture.Canvas()->Font);
    }
}

void WriteStateBmpRows(KindRowContext& rows, TStateBmpObj& o, const StateRows& r)
{
    if (r.Font >= 0)
        WriteFontRow(rows, r.Font, o.Picture.Canvas()->Font);
    const StateList list = ListOf(o);
    // The shown entry's text and picture, unless the edit switched the mode or the state
    // (its rows appear with the next read).
    const int e = WriteStateList(rows, ListRows(r), o, list) ? o.ShownIndex() : -1;
    if (e >= 0) {
        const auto at = static_cast<std::size_t>(e);
        if (r.Text >= 0 && rows.Changed(r.Text) && at < o.TxtList.size())
            o.TxtList[at] = QStringToAnsi(rows.Text(r.Text).GetText());
        const QString name = rows.BmpFile(StateRow::Picture).FileName;
        if (name != AnsiToQString(FileAt(o.FileList, e))) {
            const std::string path = ExistingFile(name);
            if (!path.empty() && o.BmpLoad(path, rows.Model.PanelWidth, rows.Model.PanelHeight)) {
                o.FileList.resize(std::max<std::size_t>(o.FileList.size(), o.TotalState));
                o.FileList[at] = QStringToAnsi(name);
            } else if (!path.empty()) {
                rows.Refuse(StateRow::Picture);
            }
        }
    }
    // The order exchanges the pictures (and the lamp's texts) end for end; values and file
    // names stay where they are.
    WriteStateOrder(rows, ListRows(r), list, [&](std::size_t a, std::size_t b) {
        if (b < o.BmpList.size())
            std::swap(o.BmpList[a], o.BmpList[b]);
        if (r.Text >= 0 && b < o.TxtList.size())
            std::swap(o.TxtList[a], o.TxtList[b]);
    });
}

} // namespace

void ReadActBmpRows(KindRowContext& rows, TLxObj& obj)
{
    ReadStateBmpRows(rows, static_cast<TActBmp&>(obj), kActBmpRows);
}

void WriteActBmpRows(KindRowContext& rows, TLxObj& obj)
{
    WriteStateBmpRows(rows, static_cast<TActBmp&>(obj), kActBmpRows);
}

void ReadLightRows(KindRowContext& rows, TLxObj& obj) { ReadStateBmpRows(rows, static_cast<TLight&>(obj), kLightRows); }

void WriteLightRows(KindRowContext& rows, TLxObj& obj)
{
    WriteStateBmpRows(rows, static_cast<TLight&>(obj), kLightRows);
}

} // namespace kes
