#pragma once
// The rows of each object kind: a reader that fills the rows from the shown object and a
// writer that stores them back (each kind's pair is its entry of inspectorkinds.cpp). Both address the rows by position (rows 0-4 are the group
// and position rows the inspector itself handles, the kind's own rows follow from row 5),
// which the table check (CheckPropLayout) guarantees before any reader runs.
#include "objects/grid/tadvstringgrid.h"
#include "objects/tlxobj.h"

#include <cstdint>

struct TLxDevRef;

namespace kes
{

class LxTypeCore;

// The rows of the shown object and the model data their values need.
class KindRowContext
{
public:
    KindRowContext(TAdvStringGrid& grid, LxTypeCore& model)
        : Grid(grid)
        , Model(model)
    {
    }
    TAdvStringGrid& Grid;
    LxTypeCore& Model;

    TPropText& Text(int i) const { return Row<TPropText>(i); }
    TPropVal& Val(int i) const { return Row<TPropVal>(i); }
    TPropComboTxt& Combo(int i) const { return Row<TPropComboTxt>(i); }
    TPropComboBmp& ComboBmp(int i) const { return Row<TPropComboBmp>(i); }
    TPropBmpDlg& BmpFile(int i) const { return Row<TPropBmpDlg>(i); }
    TPropFontDlg& FontRow(int i) const { return Row<TPropFontDlg>(i); }
    TPropTextVal& TextVal(int i) const { return Row<TPropTextVal>(i); }
    TPropComboVal& ComboVal(int i) const { return Row<TPropComboVal>(i); }

private:
    template <class R> R& Row(int i) const { return static_cast<R&>(*Grid.Prop(i)); }
};

// ---- Helpers of the readers and writers

// Index, message base and count of a choice row; its text is message base + index (empty
// for an index outside the choices).
void ShowComboTxt(TPropComboTxt& row, int index, int msgBase, int count);
// The row's choice, or -1 when it holds none of its choices (nothing is then written).
int ComboChoice(const TPropComboTxt& row);

// Digit limits of a number display: format, width (0 one word, 1 two), the other count.
int MaxIntDigits(int format, int width, int decDigits);
int MaxDecDigits(int format, int width, int intDigits);

// The address of ref as text in mode (0 bit, 1 word) and access width; the object keeps
// that text as its device text.
QString ReadDevAddress(TLxDevRef& ref, std::uint8_t mode, std::uint8_t access, const LxTypeCore& model);
// A typed address: when the model's device table takes it (mode 0 bit, 1 word), the code,
// bit index and normalised text are stored; otherwise nothing changes and a message says the
// address was refused. True when stored.
bool WriteDevAddress(TLxDevRef& ref, const QString& text, std::uint8_t mode, std::uint8_t access, LxTypeCore& model);
// The panel-memory choice of ref changed to internal: the first address of the panel's own
// bit or word memory, or, back in the controller, the model's default bit or word address.
void ResetDevAddress(TLxDevRef& ref, bool internal, bool word, const LxTypeCore& model);

// The kinds read so far.
void ReadStTxtRows(KindRowContext& rows, TLxObj& obj);
void WriteStTxtRows(KindRowContext& rows, TLxObj& obj);
void ReadLxValRows(KindRowContext& rows, TLxObj& obj);
void WriteLxValRows(KindRowContext& rows, TLxObj& obj);
void ReadStBmpRows(KindRowContext& rows, TLxObj& obj);
void WriteStBmpRows(KindRowContext& rows, TLxObj& obj);

} // namespace kes
