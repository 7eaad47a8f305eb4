#include "app/dialogs/addressfield.h"

#include "app/dialogs/dialogcontext.h"
#include "app/dialogs/tdevref.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "objects/addrmode.h"
#include "objects/lxdevref.h"
#include "platform/codepage.h"

#include <QLineEdit>
#include <QPushButton>

namespace kes {

AddressField::AddressField(DialogContext& ctx, QLineEdit* edit, QPushButton* refBtn)
    : Edit(edit), RefBtn(refBtn), ctx_(ctx)
{
    QObject::connect(Edit, &QLineEdit::textChanged, Edit, [this] { CapLength(); });
}

void AddressField::CapLength()
{
    if (capping_)
        return;
    const std::uint8_t fmt = ctx_.Model.AddrTextFmt;
    const QString text = Edit->text();
    // The last character goes, not the one typed: what the field always did.
    if ((fmt & 0xF0) != 0 && text.size() > (fmt & 0x0F) && !text.startsWith(QLatin1Char('$'))) {
        capping_ = true;
        Edit->setText(text.left(text.size() - 1));
        capping_ = false;
    }
}

void AddressField::LoadCompanion(const TLxDevRef& ref)
{
    Comp = RefCompanion{ref.RefStation, ref.RefLink, ref.RefDevForm, ref.RefIntMem};
}

void AddressField::LoadCompanion(const DevRefHead& ref)
{
    Comp = RefCompanion{ref.Station, ref.LinkIndex, ref.Present, ref.LinkFlag};
}

QString AddressField::Format(std::int32_t code, std::uint8_t kind, std::uint8_t len, std::uint8_t bit) const
{
    if (code == -1)
        return {};
    return AnsiToQString(ctx_.Model.FormatDeviceAddress(static_cast<std::uint32_t>(code), ModeOfKind(kind), len, bit,
                                                        Comp.DevForm != 0, Comp.IntMem != 0));
}

void AddressField::Show(std::int32_t code, std::uint8_t kind, std::uint8_t len, std::uint8_t bit)
{
    SetText(Format(code, kind, len, bit));
}

QString AddressField::Text() const { return Edit->text(); }

void AddressField::SetText(const QString& text) { Edit->setText(text); }

void AddressField::Clear() { Edit->clear(); }

void AddressField::SetEnabled(bool enabled)
{
    Edit->setEnabled(enabled);
    if (RefBtn)
        RefBtn->setEnabled(enabled);
}

void AddressField::FollowWhen(bool on, const AddressField& source)
{
    SetEnabled(on);
    if (on) {
        Comp = source.Comp;
        SetText(source.Text());
    } else {
        Clear();
    }
}

QString AddressField::DefaultText(std::uint8_t kind) const
{
    return AnsiToQString(kind == kes::kWordFlags ? ctx_.Model.DefWordText : ctx_.Model.DefBitText);
}

QString AddressField::FormatOrDefault(std::int32_t code, std::uint8_t kind, std::uint8_t len, std::uint8_t bit) const
{
    const QString text = Format(code, kind, len, bit);
    return text.isEmpty() ? DefaultText(kind) : text;
}

void AddressField::ReformatForLength(std::int32_t code, std::uint8_t len, std::uint8_t bit)
{
    if (ctx_.Model.LengthSelectsAccess)
        SetText(Format(code, kes::kWordFlags, len, bit));
}

QString AddressField::PanelMemoryText(bool word) const
{
    const DevRecord& r = ctx_.State.InternalDevRecords[word ? kInternalWord : kInternalBit];
    const std::int32_t first = r.Ranges.empty() ? 0 : r.Ranges.front().Min;
    return AnsiToQString(r.Name) + QString::number(first);
}

QString AddressField::KindDefaultText(std::uint8_t kind) const
{
    return Comp.IntMem ? PanelMemoryText(kind == kes::kWordFlags) : DefaultText(kind);
}

bool AddressField::Pick(QWidget* owner, kes::DevWant wantKind, std::uint8_t len, int* lsbState)
{
    DevRefRequest r;
    r.Text = Edit->text();
    r.Station = Comp.Station;
    r.WantKind = wantKind;
    r.AccessClass = len;
    r.Link = Comp.Link;
    r.DeviceForm = Comp.DevForm != 0;
    r.PanelMemory = Comp.IntMem != 0;
    r.ShowLsb = lsbState != nullptr;
    r.LsbState = lsbState ? *lsbState : -1;
    if (!RunDevRef(ctx_.Ask, owner, ctx_.Model, r))
        return false;
    if (lsbState && r.LsbState >= 0 && r.LsbState <= 15)
        *lsbState = r.LsbState;
    Comp.Link = r.Link;
    SetText(r.Text);
    Comp.Station = r.Station;
    Comp.DevForm = r.DeviceForm ? 1 : 0;
    Comp.IntMem = r.PanelMemory ? 1 : 0;
    return true;
}

std::optional<std::uint8_t> AddressField::Validate(std::uint8_t kind, std::uint8_t len) const
{
    const std::string text = QStringToAnsi(Edit->text().trimmed());
    if (!ctx_.Model.ValidateDeviceAddress(text, kind, len, Comp.DevForm != 0, Comp.IntMem != 0))
        return std::nullopt;
    return ctx_.Model.LastAccess;
}

AddressField::Parsed AddressField::Parse(std::uint8_t kind) const
{
    Parsed p;
    p.text = QStringToAnsi(Edit->text().trimmed());
    const bool devForm = Comp.DevForm != 0;
    const bool intMem = Comp.IntMem != 0;
    p.bit = ctx_.Model.ParseDeviceBitIndex(p.text, devForm, intMem);
    p.code = ctx_.Model.ParseDeviceAddress(p.text, ModeOfKind(kind), p.bit, devForm, intMem);
    return p;
}

void AddressField::StoreTo(TLxDevRef& ref, std::uint8_t kind) const
{
    Parsed p = Parse(kind);
    ref.DevText = std::move(p.text);
    ref.RefBitNo = p.bit;
    ref.DevAddrCode = p.code;
    ref.RefDevForm = Comp.DevForm;
    ref.RefIntMem = Comp.IntMem;
    ref.RefStation = Comp.Station;
    ref.RefLink = Comp.Link;
}

void AddressField::StoreTo(DevRefHead& ref, std::uint8_t kind) const
{
    const Parsed p = Parse(kind);
    ref.BitIndex = p.bit;
    ref.DevAddrCode = p.code;
    ref.Present = Comp.DevForm;
    ref.LinkFlag = Comp.IntMem;
    ref.Station = Comp.Station;
    ref.LinkIndex = Comp.Link;
}

void ClearRef(TLxDevRef& ref)
{
    ref.DevText.clear();
    ref.DevAddrCode = -1;
}

} // namespace kes
