#include "app/comm/ui/tcomset.h"

#include "app/comm/portnames.h"
#include "app/comm/ui/formparts.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/digtest.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kBauds[] = {9600, 19200, 38400, 57600, 115200};
// Check_Box items in order.
constexpr kes::LinkParity kParities[] = {kes::LinkParity::Even, kes::LinkParity::Mark, kes::LinkParity::None,
                                         kes::LinkParity::Odd, kes::LinkParity::Space};
constexpr int kMsgSettingError = 5;

QComboBox* NewList(QWidget* parent, const char* name, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    return box;
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* text)
{
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

} // namespace

TStationUpDown::TStationUpDown(QWidget* parent) : QSpinBox(parent)
{
    // One past each end, so that a step there can wrap round.
    setRange(-1, 256);
}

void TStationUpDown::stepBy(int steps)
{
    if (onStep)
        onStep(steps);
    else
        QSpinBox::stepBy(steps);
}

TComSet::TComSet(QWidget* owner, kes::Prompt& prompt, kes::LinkPortSettings& port, kes::ProjectState& state)
    : QDialog(owner), prompt_(prompt), port_(port), state_(state)
{
    setObjectName(QStringLiteral("ComSet"));
    setWindowTitle(QStringLiteral("Communication Setting"));

    ComPort_Box = NewList(this, "ComPort_Box", {});
    // Any device path may be typed besides the ports the machine lists; room for a whole one.
    ComPort_Box->setEditable(true);
    ComPort_Box->setMinimumContentsLength(16);
    ComPort_Box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    BaudRate_Box = NewList(this, "BaudRate_Box", {"9600", "19200", "38400", "57600", "115200"});
    BaudRate_Box->setCurrentIndex(0);
    HmiUnitAddr_UD = new TStationUpDown(this);
    HmiUnitAddr_UD->setObjectName(QStringLiteral("HmiUnitAddr_UD"));
    HmiUnitAddr_Txt = HmiUnitAddr_UD->findChild<QLineEdit*>();
    HmiUnitAddr_Txt->setObjectName(QStringLiteral("HmiUnitAddr_Txt"));
    HmiUnitAddr_UD->setValue(1);
    DataBit_Box = NewList(this, "DataBit_Box", {"4", "5", "6", "7", "8"});
    Check_Box = NewList(this, "Check_Box", {"Even", "Mark", "None", "Odd", "Space"});
    StopBit_Box = NewList(this, "StopBit_Box", {"1", "1.5", "2"});
    for (QWidget* hidden :
         {static_cast<QWidget*>(DataBit_Box), static_cast<QWidget*>(Check_Box), static_cast<QWidget*>(StopBit_Box)})
        hidden->hide();
    QHBoxLayout* buttons = kes::OkCancelRow(this, &Ok_Btn, &Cancel_Btn);

    auto* grid = new QGridLayout;
    grid->addWidget(NewLabel(this, "Label1", "Port"), 0, 0);
    grid->addWidget(ComPort_Box, 0, 1);
    grid->addWidget(NewLabel(this, "Label2", "Baud Rate"), 1, 0);
    grid->addWidget(BaudRate_Box, 1, 1);
    grid->addWidget(NewLabel(this, "Label3", "ZQ Station"), 2, 0);
    grid->addWidget(HmiUnitAddr_UD, 2, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);

    connect(Ok_Btn, &QPushButton::clicked, this, [this] { Ok_BtnClick(); });
    connect(Cancel_Btn, &QPushButton::clicked, this, [this] { Cancel_BtnClick(); });
    connect(HmiUnitAddr_Txt, &QLineEdit::textEdited, this, [this] { HmiUnitAddr_TxtChange(); });
    HmiUnitAddr_UD->onStep = [this](int steps) { HmiUnitAddr_UDClick(steps); };
}

void TComSet::showEvent(QShowEvent* e)
{
    FormShow();
    QDialog::showEvent(e);
}

void TComSet::FormShow()
{
    TranslateForm(this, state_.LangIndex);

    if (!portsSet_)
        ports_ = kes::SerialPortNames();
    ComPort_Box->clear();
    ComPort_Box->addItems(ports_);
    const QString current = QString::fromStdString(port_.name);
    const int found = ports_.indexOf(current);
    if (found >= 0) {
        ComPort_Box->setCurrentIndex(found);
    } else if (!current.isEmpty()) {
        ComPort_Box->setEditText(current);
    } else if (!ports_.isEmpty()) {
        ComPort_Box->setCurrentIndex(0);
        port_.name = ports_.front().toStdString();
    }

    for (int i = 0; i < 5; ++i)
        if (kBauds[i] == port_.baud)
            BaudRate_Box->setCurrentIndex(i);
    if (port_.dataBits >= 4 && port_.dataBits <= 8)
        DataBit_Box->setCurrentIndex(port_.dataBits - 4);
    for (int i = 0; i < 5; ++i)
        if (kParities[i] == port_.parity)
            Check_Box->setCurrentIndex(i);
    if (port_.stopBits == 1 || port_.stopBits == 2)
        StopBit_Box->setCurrentIndex(port_.stopBits == 1 ? 0 : 2);
    syncing_ = true;
    HmiUnitAddr_UD->setValue(state_.HmiUnitAddr);
    syncing_ = false;
}

void TComSet::Ok_BtnClick()
{
    port_.name = ComPort_Box->currentText().trimmed().toStdString();
    port_.baud = kBauds[std::max(0, BaudRate_Box->currentIndex())];
    port_.dataBits = DataBit_Box->currentIndex() + 4;
    port_.parity = kParities[std::max(0, Check_Box->currentIndex())];
    port_.stopBits = StopBit_Box->currentIndex() == 2 ? 2 : 1;
    state_.HmiUnitAddr = static_cast<std::uint8_t>(std::clamp(HmiUnitAddr_UD->value(), 0, 255));
    state_.Compiled = 0;
    accept();
}

void TComSet::Cancel_BtnClick() { reject(); }

// A text that is not a number 0..255 (an empty one included) brings the stored station back.
void TComSet::HmiUnitAddr_TxtChange()
{
    if (syncing_)
        return;
    const std::string text = HmiUnitAddr_Txt->text().toStdString();
    const bool digits = !text.empty() && text.size() <= 3 && IsDecimalText(text);
    if (digits && std::stoi(text) <= 255) {
        syncing_ = true;
        HmiUnitAddr_UD->setValue(std::stoi(text));
        syncing_ = false;
        return;
    }
    kes::ShowMsg(prompt_, kMsgSettingError);
    syncing_ = true;
    HmiUnitAddr_UD->setValue(state_.HmiUnitAddr);
    HmiUnitAddr_Txt->setText(QString::number(state_.HmiUnitAddr));
    syncing_ = false;
}

void TComSet::HmiUnitAddr_UDClick(int steps)
{
    int v = HmiUnitAddr_UD->value() + steps;
    if (v > 255)
        v = 0;
    else if (v < 0)
        v = 255;
    syncing_ = true;
    HmiUnitAddr_UD->setValue(v);
    syncing_ = false;
}
