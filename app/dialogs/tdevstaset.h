#pragma once
// TDevStaSet: the settings of a device state picture (kind 3, and kind 21 of the panel model
// whose bit tool makes them): the picture shown while the device is ON, the one shown while
// it is OFF, and the device address. A kind 21 object on that model may also follow one bit
// of a controller word instead of a bit device.
#include "app/dialogs/addressfield.h"
#include "app/dialogs/settingsdialog.h"

#include <QPixmap>

#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TLxAdvDevBmp;
class TLxDevBmp;

class TDevStaSet : public kes::SettingsDialog {
public:
    // The panel model whose bit tool makes kind 21 objects.
    static constexpr int kBitOfWordModel = 2;
    // LSB state of a bit address.
    static constexpr std::uint8_t kNoLsb = 255;

    TDevStaSet(kes::DialogContext& ctx, QWidget* owner, TLxDevBmp& obj);
    // The dialog of a kind 21 object: its mode and bit too.
    TDevStaSet(kes::DialogContext& ctx, QWidget* owner, TLxAdvDevBmp& obj);
    ~TDevStaSet() override;

    // ---- Components
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* DevRefTxt = nullptr;
    QPushButton* RefBtn = nullptr;
    QGroupBox* RG_BitVal = nullptr; // "Bit", "Val"
    QGroupBox* GroupBox2 = nullptr;
    QLabel* ON_Lab = nullptr;
    QComboBox* ON_Box = nullptr;
    QLabel* OFF_Lab = nullptr;
    QComboBox* OFF_Box = nullptr;
    QPushButton* DevStOK = nullptr;
    QPushButton* DevStCancel = nullptr;
    // The 18 pictures a device state picture can show, picture i = picture number i.
    std::vector<QPixmap> ImageList1;

    // ---- Handlers
    void RG_BitValClick();
    void RefBtnClick();

    // ---- The dialog's own values
    std::uint8_t KindByte() const { return kind_; }
    std::uint8_t LsbState() const { return lsb_; }

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    TDevStaSet(kes::DialogContext& ctx, QWidget* owner, TLxDevBmp& obj, TLxAdvDevBmp* adv);
    // The object is of kind 21 and the project's panel model makes such objects: the
    // bit-or-word choice is offered and stored.
    bool OffersWordBit() const;

    TLxDevBmp& obj_;
    TLxAdvDevBmp* adv_; // the same object as kind 21; null for kind 3
    std::unique_ptr<kes::AddressField> dev_;
    std::uint8_t kind_ = 0x00;
    std::uint8_t lsb_ = kNoLsb;
};

namespace kes {
// Opens the dialog on a device state picture modally; true when OK stored the settings.
bool RunDevStaSet(DialogContext& ctx, TLxDevBmp& obj, QWidget* owner, const QString& caption);
bool RunAdvDevStaSet(DialogContext& ctx, TLxAdvDevBmp& obj, QWidget* owner, const QString& caption);
} // namespace kes
