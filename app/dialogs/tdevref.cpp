#include "app/dialogs/tdevref.h"

#include "app/dialogs/settingsdialog.h"
#include "app/dialogs/updown.h"
#include "app/model/lxtypecore.h"
#include "app/model/projectstate.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/addrmode.h"
#include "platform/codepage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

using kes::Named;

namespace {

constexpr int kMsgEquipmentError = 17;
constexpr int kMsgEquipmentNo = 66;
constexpr int kMsgAbsoluteAddress = 67;
// Only so much of an address is compared with the device names.
constexpr int kSplitLength = 49;

const char* const kKeyNames[18] = {"Num_0", "Num_1", "Num_2", "Num_3", "Num_4",  "Num_5",
                                   "Num_6", "Num_7", "Num_8", "Num_9", "Num_A",  "Num_B",
                                   "Num_C", "Num_D", "Num_E", "Num_F", "Num_Pt", "Num_Slash"};
const char* const kKeyCaptions[18] = {"0", "1", "2", "3", "4", "5", "6", "7", "8",
                                      "9", "A", "B", "C", "D", "E", "F", ".", "/"};

using kes::DevKind;
using kes::IsDevKind;

bool IsBitDevice(const DevRecord& d) { return IsDevKind(d.Kind, DevKind::Bit); }
bool IsWordDevice(const DevRecord& d) { return IsDevKind(d.Kind, DevKind::Word); }
bool IsEitherDevice(const DevRecord& d)
{
    return IsDevKind(d.Kind, DevKind::Either) || IsDevKind(d.Kind, DevKind::Either3);
}

QString ZeroPadded(const QString& text, int digits)
{
    return text.size() < digits ? QString(digits - text.size(), QLatin1Char('0')) + text : text;
}

} // namespace

TDevRef::TDevRef(QWidget* owner, kes::Prompt& prompt, kes::LxTypeCore& model)
    : QDialog(owner), prompt_(prompt), model_(model)
{
    setObjectName(QStringLiteral("DevRef"));
    setWindowTitle(QStringLiteral("Device"));
    setModal(true);

    ZQMemType = Named(new QGroupBox(QStringLiteral("Memory Type"), this), "ZQMemType");
    kes::SetComponentClass(ZQMemType, "TRadioGroup");
    ZQMemPlc = new QRadioButton(QStringLiteral("PLC"), ZQMemType);
    ZQMemHmi = new QRadioButton(QStringLiteral("HMI"), ZQMemType);
    ZQMemPlc->setChecked(true);
    auto* memLay = new QHBoxLayout(ZQMemType);
    memLay->addWidget(ZQMemPlc);
    memLay->addWidget(ZQMemHmi);

    Panel1 = Named(new QWidget(this), "Panel1");
    ComAddr_Lab = Named(new QLabel(QStringLiteral("Station"), Panel1), "ComAddr_Lab");
    ComAddr_Txt = Named(new QLineEdit(QStringLiteral("0"), Panel1), "ComAddr_Txt");
    ComAddr_Txt->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), ComAddr_Txt));
    ComAddr_Txt->setMaximumWidth(48);
    kes::SetComponentClass(ComAddr_Txt, "");
    ComAddr_UD = Named(new kes::TUpDown(Panel1), "ComAddr_UD");
    Label1 = Named(new QLabel(QStringLiteral("( 0 ~ 255 )"), Panel1), "Label1");
    Label2 = Named(new QLabel(QStringLiteral("Port"), Panel1), "Label2");
    ComboBoxHMICom = Named(new QComboBox(Panel1), "ComboBoxHMICom");
    ComboBoxHMICom->addItems({QStringLiteral("COM1"), QStringLiteral("COM2")});
    ComboBoxHMICom->setCurrentIndex(0);
    kes::SetComponentClass(ComboBoxHMICom, "");
    auto* panelLay = new QGridLayout(Panel1);
    panelLay->setContentsMargins(0, 0, 0, 0);
    panelLay->addWidget(ComAddr_Lab, 0, 0);
    auto* station = new QHBoxLayout;
    station->setSpacing(0);
    station->addWidget(ComAddr_Txt);
    station->addWidget(ComAddr_UD);
    panelLay->addLayout(station, 0, 1);
    panelLay->addWidget(Label1, 0, 2);
    panelLay->addWidget(Label2, 1, 0);
    panelLay->addWidget(ComboBoxHMICom, 1, 1);

    GroupBox1 = Named(new QGroupBox(QStringLiteral("Device"), this), "GroupBox1");
    DevChk = Named(new QCheckBox(QStringLiteral("Device name"), GroupBox1), "DevChk");
    DevChk->setChecked(true);
    Dev_Box = Named(new QComboBox(GroupBox1), "Dev_Box");
    Dev_Box->addItems({"X", "Y", "M", "S", "T", "C", "D"});
    // Its rows come from the device table, never from the language files.
    kes::SetComponentClass(Dev_Box, "");
    auto* g1 = new QHBoxLayout(GroupBox1);
    g1->addWidget(DevChk);
    g1->addWidget(Dev_Box, 1);

    GroupBox3 = Named(new QGroupBox(QString(), this), "GroupBox3");
    DevNum_Lab = Named(new QLabel(QStringLiteral("Equipment No."), GroupBox3), "DevNum_Lab");
    DevNum_Txt = Named(new QLineEdit(GroupBox3), "DevNum_Txt");
    kes::SetComponentClass(DevNum_Txt, "");
    auto* g3 = new QGridLayout(GroupBox3);
    g3->addWidget(DevNum_Lab, 0, 0, 1, 2);
    g3->addWidget(DevNum_Txt, 0, 2, 1, 4);
    for (int i = 0; i < 18; ++i) {
        auto* key = Named(new QPushButton(QLatin1String(kKeyCaptions[i]), GroupBox3), kKeyNames[i]);
        // The keys type their captions: they keep them in every language.
        kes::SetComponentClass(key, "");
        key->setAutoDefault(false);
        key->setFocusPolicy(Qt::NoFocus);
        key->setFixedSize(30, 26);
        NumKeys[static_cast<std::size_t>(i)] = key;
        g3->addWidget(key, 1 + i / 6, i % 6);
        QObject::connect(key, &QPushButton::clicked, this, [this, key] { Num_0Click(key); });
    }

    ZqLsb = Named(new QGroupBox(QString(), this), "ZqLsb");
    CB_LsbState = Named(new QComboBox(ZqLsb), "CB_LsbState");
    for (int i = 0; i < 16; ++i)
        CB_LsbState->addItem(QString::number(i));
    kes::SetComponentClass(CB_LsbState, "");
    Label3 = Named(new QLabel(QStringLiteral("( 0 ~ 15)"), ZqLsb), "Label3");
    auto* lsbLay = new QHBoxLayout(ZqLsb);
    lsbLay->addWidget(CB_LsbState);
    lsbLay->addWidget(Label3);
    ZqLsb->hide();

    OkBtn = Named(new QPushButton(QStringLiteral("OK"), this), "OkBtn");
    DelBtn = Named(new QPushButton(QStringLiteral("Clear"), this), "DelBtn");
    CloseBtn = Named(new QPushButton(QStringLiteral("Close"), this), "CloseBtn");
    OkBtn->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {OkBtn, DelBtn, CloseBtn})
        buttons->addWidget(b);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(ZQMemType);
    lay->addWidget(Panel1);
    lay->addWidget(GroupBox1);
    lay->addWidget(GroupBox3);
    lay->addWidget(ZqLsb);
    lay->addLayout(buttons);

    ComAddr_UD->Min = -1;
    ComAddr_UD->Max = 256;
    ComAddr_UD->OnClick = [this](bool up) { ComAddr_UDClick(up); };
    QObject::connect(ComAddr_Txt, &QLineEdit::textEdited, this, [this] { ComAddr_TxtKeyUp(); });
    QObject::connect(DevNum_Txt, &QLineEdit::textChanged, this, [this] { DevNum_TxtChange(); });
    QObject::connect(DevChk, &QCheckBox::clicked, this, [this] { DevChkClick(); });
    QObject::connect(ComboBoxHMICom, &QComboBox::activated, this, [this] { ComboBoxHMIComChange(); });
    QObject::connect(OkBtn, &QPushButton::clicked, this, [this] { OkBtnClick(); });
    QObject::connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
    QObject::connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
}

TDevRef::~TDevRef() = default;

void TDevRef::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TDevRef::SelectMemItem(int item)
{
    const int now = ZQMemPlc->isChecked() ? 0 : 1;
    if (item == now)
        return;
    (item == 0 ? ZQMemPlc : ZQMemHmi)->setChecked(true);
    ZQMemTypeClick();
}

void TDevRef::FormShow()
{
    const int lsb = CB_LsbState->currentIndex();
    ComIndex = ComboBoxHMICom->currentIndex();
    TranslateForm(this, model_.State().LangIndex);
    CB_LsbState->setCurrentIndex(lsb);
    ComboBoxHMICom->setCurrentIndex(ComIndex);

    for (QWidget* w :
         {static_cast<QWidget*>(ComAddr_Lab), static_cast<QWidget*>(Label1), static_cast<QWidget*>(ComAddr_Txt),
          static_cast<QWidget*>(Label2), static_cast<QWidget*>(ComboBoxHMICom), static_cast<QWidget*>(GroupBox1),
          static_cast<QWidget*>(DevChk), static_cast<QWidget*>(Dev_Box)})
        w->setVisible(true);
    DevChk->setEnabled(true);
    NumKeys[16]->setEnabled(true);
    NumKeys[17]->setEnabled(true);

    DevNum_Lab->setText(kes::Msg(kMsgEquipmentNo));
    DevNum_Txt->clear();
    Dev_Box->setCurrentIndex(0);
    ZQMemType->setEnabled(false);

    const QString kept = AddrText;
    SelectMemItem(PlcMemory == 1 ? 0 : 1);
    AddrText = kept;

    DevChkClick();
    if (!DevChk->isChecked()) {
        if (model_.DeviceTable.empty()) {
            DevNum_Lab->setText(kes::Msg(kMsgAbsoluteAddress));
        } else if (model_.DeviceTable.front().Name == "$") {
            Dev_Box->setEnabled(false);
            DevChk->setEnabled(false);
            DevNum_Lab->setText(kes::Msg(kMsgAbsoluteAddress));
        }
    }

    AddrText = AddrText.toUpper();
    const std::uint8_t fmt = model_.AddrTextFmt;
    const bool plainNumbers = (fmt & 0xF0) != 0 && DevChk->isChecked();
    if (plainNumbers) {
        AddrText = ZeroPadded(AddrText, fmt & 0x0F);
        switch (WantKind) {
        case kes::DevWant::Bit:
            AddrText = QStringLiteral("*BIT") + AddrText;
            break;
        case kes::DevWant::Word:
            AddrText = QStringLiteral("*VAL") + AddrText;
            break;
        case kes::DevWant::BitOrWord:
            AddrText = (AddrText.startsWith(QLatin1Char('0')) || AddrText.startsWith(QLatin1Char('1'))
                            ? QStringLiteral("*BIT")
                            : QStringLiteral("*VAL")) +
                       AddrText;
            break;
        case kes::DevWant::Any:
            break;
        }
    }

    const QString head = AddrText.left(kSplitLength);
    Dev_Box->setCurrentIndex(0);
    for (int i = 0; i < Dev_Box->count(); ++i) {
        const QString name = Dev_Box->itemText(i);
        if (!name.isEmpty() && head.startsWith(name)) {
            Dev_Box->setCurrentIndex(i);
            DevNum_Txt->setText(head.mid(name.size()));
            break;
        }
    }

    ComAddr_UD->Position = StationNo;
    ComAddr_Txt->setText(QString::number(ComAddr_UD->Position));
    DevNum_Txt->setFocus();
    for (QWidget* w :
         {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(ComAddr_Lab), static_cast<QWidget*>(ComAddr_UD),
          static_cast<QWidget*>(ComboBoxHMICom), static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
          static_cast<QWidget*>(ComAddr_Txt)})
        w->setEnabled(true);
    Dev_Box->setVisible(!plainNumbers);
}

void TDevRef::DevChkClick()
{
    if (DevChk->isChecked()) {
        if (model_.AddrTextFmt > 15)
            Dev_Box->setVisible(false);
        Dev_Box->clear();
        Dev_Box->setEnabled(true);
        if (PlcMemory == 1) {
            const bool byLength = model_.LengthSelectsAccess;
            for (const DevRecord& d : model_.DeviceTable) {
                if (byLength && !d.Ranges.empty() && d.Ranges.front().Access != AccessClass)
                    continue;
                bool take = false;
                switch (WantKind) {
                case kes::DevWant::Word:
                    take = IsWordDevice(d) || IsEitherDevice(d);
                    break;
                case kes::DevWant::Bit:
                    take = IsBitDevice(d) || IsEitherDevice(d);
                    break;
                case kes::DevWant::Any:
                case kes::DevWant::BitOrWord:
                    take = !(byLength && IsBitDevice(d));
                    break;
                }
                if (take)
                    Dev_Box->addItem(kes::AnsiToQString(d.Name));
            }
        } else {
            const auto& internal = model_.State().InternalDevRecords;
            const QString bit = kes::AnsiToQString(internal[kes::kInternalBit].Name);
            const QString word = kes::AnsiToQString(internal[kes::kInternalWord].Name);
            if (WantKind == kes::DevWant::Bit) {
                Dev_Box->addItem(bit);
            } else if (WantKind == kes::DevWant::Word) {
                Dev_Box->addItem(word);
            } else {
                Dev_Box->addItem(bit);
                Dev_Box->addItem(word);
            }
        }
        DevNum_Lab->setText(kes::Msg(kMsgEquipmentNo));
    } else {
        Dev_Box->setVisible(true);
        Dev_Box->setEnabled(false);
        Dev_Box->clear();
        Dev_Box->addItem(QStringLiteral("$"));
        DevNum_Lab->setText(kes::Msg(kMsgAbsoluteAddress));
    }
    Dev_Box->setCurrentIndex(0);
}

void TDevRef::ZQMemTypeClick()
{
    if (ZQMemPlc->isChecked()) {
        PlcMemory = 1;
        AddrText = kes::AnsiToQString(WantKind == kes::DevWant::Word ? model_.DefWordText : model_.DefBitText);
    } else {
        PlcMemory = 0;
        if (DevChk->isChecked()) {
            const auto& internal = model_.State().InternalDevRecords;
            AddrText = kes::AnsiToQString(
                           internal[WantKind == kes::DevWant::Word ? kes::kInternalWord : kes::kInternalBit].Name) +
                       QLatin1Char('0');
        }
    }
    FormShow();
}

void TDevRef::ComboBoxHMIComChange()
{
    const int port = ComboBoxHMICom->currentIndex();
    const auto& slave = model_.State().PortSlaveMode;
    if (port >= 0 && port < static_cast<int>(slave.size()) && slave[static_cast<std::size_t>(port)])
        SelectMemItem(1);
    ZQMemType->setEnabled(false);
}

void TDevRef::Num_0Click(QPushButton* key)
{
    if (DevNum_Txt->selectedText().size() == DevNum_Txt->text().size())
        DevNum_Txt->clear();
    DevNum_Txt->setText(DevNum_Txt->text() + key->text());
}

void TDevRef::DelBtnClick() { DevNum_Txt->clear(); }

void TDevRef::DevNum_TxtChange()
{
    if (capping_)
        return;
    const std::uint8_t fmt = model_.AddrTextFmt;
    const QString text = DevNum_Txt->text();
    if (fmt > 15 && text.size() > (fmt & 0x0F) && !text.startsWith(QLatin1Char('$'))) {
        capping_ = true;
        DevNum_Txt->setText(text.left(text.size() - 1));
        capping_ = false;
    }
}

void TDevRef::ComAddr_UDClick(bool)
{
    if (ComAddr_UD->Position > 255)
        ComAddr_UD->Position = 0;
    else if (ComAddr_UD->Position < 0)
        ComAddr_UD->Position = 255;
    ComAddr_Txt->setText(QString::number(ComAddr_UD->Position));
}

void TDevRef::ComAddr_TxtKeyUp()
{
    bool ok = false;
    const int v = ComAddr_Txt->text().toInt(&ok);
    ComAddr_UD->Position = ok ? v : 1;
}

void TDevRef::OkBtnClick()
{
    const std::uint8_t fmt = model_.AddrTextFmt;
    QString text;
    if ((fmt & 0xF0) == 0)
        text = Dev_Box->currentText() + DevNum_Txt->text();
    else if (DevChk->isChecked())
        text = ZeroPadded(DevNum_Txt->text(), fmt & 0x0F);
    else
        text = Dev_Box->currentText() + DevNum_Txt->text();

    bool ok = false;
    const int station = ComAddr_Txt->text().toInt(&ok);
    // A station that is no number cannot be taken: the picker stays open.
    if (!ok) {
        kes::ShowMsg(prompt_, kMsgEquipmentError);
        return;
    }

    const std::string ansi = kes::QStringToAnsi(text);
    const bool deviceForm = DevChk->isChecked();
    const bool panelMemory = PlcMemory == 0;
    bool valid = false;
    for (std::uint8_t mode :
         {std::uint8_t{kes::kEitherFlags}, std::uint8_t{kes::kBitFlags}, std::uint8_t{kes::kWordFlags}})
        for (std::uint8_t access : {std::uint8_t{0}, std::uint8_t{1}})
            if (!valid && model_.ValidateDeviceAddress(ansi, mode, access, deviceForm, panelMemory))
                valid = true;
    if (!valid) {
        kes::ShowMsg(prompt_, kMsgEquipmentError);
        return;
    }
    AddrText = text;
    StationNo = static_cast<std::uint8_t>(station & 0xFF);
    PlcMemory = ZQMemPlc->isChecked() ? 1 : 0;
    accept();
}

namespace kes {

bool RunDevRef(Prompt& prompt, QWidget* owner, LxTypeCore& model, DevRefRequest& io)
{
    TDevRef dlg(owner, prompt, model);
    dlg.AddrText = io.Text;
    dlg.StationNo = io.Station;
    dlg.DevChk->setChecked(io.DeviceForm);
    dlg.PlcMemory = io.PanelMemory ? 0 : 1;
    dlg.WantKind = io.WantKind;
    dlg.AccessClass = io.AccessClass;
    dlg.ComboBoxHMICom->setCurrentIndex(io.Link <= 1 ? io.Link : 0);
    dlg.ZqLsb->setVisible(io.ShowLsb);
    dlg.CB_LsbState->setCurrentIndex(io.LsbState >= 0 && io.LsbState <= 15 ? io.LsbState : -1);
    const bool ok = ExecModal(prompt, &dlg) == QDialog::Accepted;
    if (ok) {
        io.Link = static_cast<std::uint8_t>(std::max(0, dlg.ComboBoxHMICom->currentIndex()));
        io.Text = dlg.AddrText;
        io.Station = dlg.StationNo;
        io.DeviceForm = dlg.DevChk->isChecked();
        io.PanelMemory = dlg.PlcMemory == 0;
        io.LsbState = dlg.CB_LsbState->currentIndex();
    }
    return ok;
}

} // namespace kes
