#pragma once
// One device-address field of a settings dialog: the edit, its "..." button and the
// companion values (station, link, device-name and panel-memory flags) that the dialog keeps
// from loading until OK. The picker changes the companions; only Store writes them.
//
// Access kinds: the kind byte of objects and records is 0x00 bit, 0x10 word, 0x20 low byte
// of a word; the codec's mode is that byte / 16 (0, 1, 2); the picker's wanted kind is a
// kes::DevWant.
#include "app/model/devrecord.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class QWidget;
struct DevRefHead;
struct TLxDevRef;

namespace kes {

struct DialogContext;

struct RefCompanion {
    std::uint8_t Station = 1;
    std::uint8_t Link = 0;
    std::uint8_t DevForm = 1; // 1 device name, 0 "$" and hexadecimal digits
    std::uint8_t IntMem = 0;  // 1 the panel's own memory ("@B", "@V")
};

// Codec mode of a kind byte.
inline std::uint8_t ModeOfKind(std::uint8_t kind) { return static_cast<std::uint8_t>((kind >> 4) & 0x03); }

class AddressField {
public:
    // Caps typed texts to the model's digit count (texts beginning with "$" are never cut).
    AddressField(DialogContext& ctx, QLineEdit* edit, QPushButton* refBtn);

    QLineEdit* Edit;
    QPushButton* RefBtn;
    RefCompanion Comp;

    void LoadCompanion(const TLxDevRef& ref);
    void LoadCompanion(const DevRefHead& ref);

    // The address text of code in the companion's form; "" for -1.
    QString Format(std::int32_t code, std::uint8_t kind, std::uint8_t len, std::uint8_t bit) const;
    void Show(std::int32_t code, std::uint8_t kind, std::uint8_t len, std::uint8_t bit);
    QString Text() const;
    void SetText(const QString& text);
    void Clear();
    void SetEnabled(bool enabled);

    // A field switched on takes the whole of source (its text means nothing without its
    // flags); switched off, it is emptied. Either way it is enabled as on says.
    void FollowWhen(bool on, const AddressField& source);

    // The model's default text for a new address of a kind (word for 0x10, else bit).
    QString DefaultText(std::uint8_t kind) const;
    // Format's text, or the default text of the kind when code gives none.
    QString FormatOrDefault(std::int32_t code, std::uint8_t kind, std::uint8_t len, std::uint8_t bit) const;
    // Where the controller's word addresses depend on the value length, the word address
    // code shown again for a new length; elsewhere nothing changes.
    void ReformatForLength(std::int32_t code, std::uint8_t len, std::uint8_t bit);
    // The first unit of the panel's own bit ("@B") or word ("@V") memory.
    QString PanelMemoryText(bool word) const;
    // A new address of a kind where the companion points: the panel's first bit or word unit
    // for panel memory, else the model's default text.
    QString KindDefaultText(std::uint8_t kind) const;

    // Runs the picker on the field; after its OK the field and companions take its values.
    // With lsbState the picker also offers the bit of the word (0..15) and hands it back there.
    bool Pick(QWidget* owner, kes::DevWant wantKind, std::uint8_t len, int* lsbState = nullptr);

    // The access class of the device range that holds the address, or none when the text
    // names no address of that kind and length.
    std::optional<std::uint8_t> Validate(std::uint8_t kind, std::uint8_t len) const;

    // Text (trimmed), bit index, code, flags, station and link into a reference.
    void StoreTo(TLxDevRef& ref, std::uint8_t kind) const;
    void StoreTo(DevRefHead& ref, std::uint8_t kind) const;

private:
    // The trimmed text with the bit index and code it names.
    struct Parsed {
        std::string text;
        std::uint8_t bit = 0;
        std::int32_t code = -1;
    };
    Parsed Parse(std::uint8_t kind) const;
    void CapLength();

    DialogContext& ctx_;
    bool capping_ = false;
};

// A reference the settings leave unused: no text, no code.
void ClearRef(TLxDevRef& ref);

} // namespace kes
