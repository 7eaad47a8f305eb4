// The property grid's row classes and the setters the inspector fills them with.
#include "objects/tpropbase.h"

#include "platform/codepage.h"

bool TPropBase::IsVisible()
{
    if (Parent)
        Visible = Parent->Expanded;
    return Visible != 0;
}

std::int32_t TPropVal::GetValue()
{
    if (Value > GetMax())
        Value = GetMax();
    else if (Value < Min)
        Value = Min;
    return Value;
}

void TPropVal::SetValue(std::int32_t v)
{
    if (GetMax() < v)
        Value = GetMax();
    else if (v < Min)
        Value = Min;
    else
        Value = v;
}

void TPropTextVal::SetValue(std::int32_t v)
{
    if (Signed == 1) {
        if (Width == 0) {
            // A 16-bit signed value compares by its low 16 bits but keeps all 32.
            const auto low = [](std::int32_t x) { return static_cast<std::int16_t>(x & 0xFFFF); };
            if (low(v) > low(Max))
                Value = Max;
            else if (low(v) < low(Min))
                Value = Min;
            else
                Value = v;
        } else if (Width == 1) {
            Value = v > Max ? Max : v < Min ? Min : v;
        } else {
            Value = v;
        }
        return;
    }
    const auto u = [](std::int32_t x) { return static_cast<std::uint32_t>(x); };
    Value = u(v) > u(Max) ? Max : u(v) < u(Min) ? Min : v;
}

std::unique_ptr<TPropBase> NewPropRow(std::uint8_t propType)
{
    std::unique_ptr<TPropBase> row;
    switch (propType) {
    case ptParent:
        row = std::make_unique<TPropParent>();
        break;
    case ptText:
        row = std::make_unique<TPropText>();
        break;
    case ptVal:
        row = std::make_unique<TPropVal>();
        break;
    case ptComboTxt:
        row = std::make_unique<TPropComboTxt>();
        break;
    case ptComboBmp:
        row = std::make_unique<TPropComboBmp>();
        break;
    case ptTxtDlg:
        row = std::make_unique<TPropTxtDlg>();
        break;
    case ptBmpDlg:
        row = std::make_unique<TPropBmpDlg>();
        break;
    case ptFontDlg:
        row = std::make_unique<TPropFontDlg>();
        break;
    case ptDevDlg:
        row = std::make_unique<TPropDevDlg>();
        break;
    case ptTextVal:
        row = std::make_unique<TPropTextVal>();
        break;
    case ptComboVal:
        row = std::make_unique<TPropComboVal>();
        break;
    default:
        return nullptr;
    }
    row->PropType = propType;
    return row;
}

void SetValRange(TPropVal* row, std::int32_t max, std::int32_t min, std::int32_t value)
{
    row->SetMax(max);
    row->SetMin(min);
    row->SetValue(value);
}

void SetComboTxt(TPropComboTxt* row, std::int32_t index, std::int32_t msgBase, std::int32_t count)
{
    row->ItemIndex = index;
    row->MsgBase = msgBase;
    row->Count = count;
}

void SetComboVal(TPropComboVal* row, std::int32_t index, std::int32_t first, std::int32_t count)
{
    row->ItemIndex = index;
    row->First = first;
    row->Count = count;
}

void SetComboBmpIndex(TPropComboBmp* row, std::int32_t index) { row->ItemIndex = index; }

void SetTextValRange(TPropTextVal* row, std::int32_t max, std::int32_t min, std::int32_t isSigned, std::int32_t width,
                     std::int32_t value)
{
    row->Max = max;
    row->Min = min;
    row->Signed = isSigned;
    row->Width = width;
    row->SetValue(value);
}

void SetFontRow(TPropFontDlg* row, TFont* font)
{
    row->Font = font;
    if (!font) {
        row->SetText(QString());
        return;
    }
    row->SetText(QStringLiteral("{Name:%1,Size:%2}").arg(kes::AnsiToQString(font->Name)).arg(font->Size));
}

void SetBmpFileRow(TPropBmpDlg* row, const QString& name, std::int32_t width, std::int32_t height)
{
    row->FileName = name;
    const bool picture = width >= 1 && height > 0;
    if (!picture)
        row->SetText(QStringLiteral("[None]"));
    else if (name.isEmpty())
        row->SetText(QStringLiteral("[Bitmap]"));
    else
        row->SetText(QLatin1Char('[') + name + QLatin1Char(']'));
}

void FillValList(TPropComboVal* row)
{
    row->Items.clear();
    for (std::int32_t i = 0; i < row->Count; ++i)
        row->Items.append(QString::number(row->First + i));
}
