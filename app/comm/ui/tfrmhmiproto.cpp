#include "app/comm/ui/tfrmhmiproto.h"

#include "app/comm/ui/formparts.h"
#include "app/ui/translate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QComboBox* NewBox(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* b = new QComboBox(parent);
    b->setObjectName(name);
    b->addItems(items);
    return b;
}

// A radio group: a group box whose radio buttons are its items in order.
QGroupBox* NewRadioGroup(QWidget* parent, const QString& name, const QString& caption, QRadioButton** first,
                         const QString& a, QRadioButton** second, const QString& b)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    kes::SetComponentClass(g, "TRadioGroup");
    *first = new QRadioButton(a, g);
    *second = new QRadioButton(b, g);
    auto* l = new QVBoxLayout(g);
    l->addWidget(*first);
    l->addWidget(*second);
    (*first)->setChecked(true);
    return g;
}

// Item i of a radio group made by NewRadioGroup.
QRadioButton* RadioItem(const QGroupBox* group, int i)
{
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).at(i);
}

} // namespace

TFrmHMIProto::TFrmHMIProto(QWidget* owner, kes::ProjectState& state, HmiProtoHooks hooks)
    : QDialog(owner), state_(state), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("FrmHMIProto"));
    setWindowTitle(QStringLiteral("ZQ Protocol Setting"));
    MakePort("232", BaudRate232_Box, DataBit232_Box, Check232_Box, StopBit232_Box, rgSlaveMode232);
    MakePort("485", BaudRate485_Box, DataBit485_Box, Check485_Box, StopBit485_Box, rgSlaveMode485);

    RgSelCom = NewRadioGroup(this, QStringLiteral("RgSelCom"), QString(), &selCom1, QStringLiteral("COM1(RS232)"),
                             &selCom2, QStringLiteral("COM2(RS485)"));
    ChkBox_Port = new QCheckBox(QStringLiteral("Default Port"), this);
    ChkBox_Port->setObjectName(QStringLiteral("ChkBox_Port"));
    ChkBox_Port->setChecked(true);
    ChkBox_UID = new QCheckBox(QStringLiteral("Default Station"), this);
    ChkBox_UID->setObjectName(QStringLiteral("ChkBox_UID"));
    ChkBox_UID->setChecked(true);
    GB_UID = new QGroupBox(this);
    GB_UID->setObjectName(QStringLiteral("GB_UID"));
    UD_UID = new QSpinBox(GB_UID);
    UD_UID->setObjectName(QStringLiteral("UD_UID"));
    UD_UID->setRange(0, 255);
    UD_UID->setValue(1);
    EdtSationID = UD_UID->findChild<QLineEdit*>();
    EdtSationID->setObjectName(QStringLiteral("EdtSationID"));
    (new QHBoxLayout(GB_UID))->addWidget(UD_UID);
    QHBoxLayout* buttons = kes::OkCancelRow(this, &Ok_Btn, &Cancel_Btn);

    auto* ports = new QHBoxLayout;
    for (auto [link, title, name] : {std::tuple{0, "COM1(RS232)", "GB_232"}, std::tuple{1, "COM2(RS485)", "GB_485"}}) {
        const PortBoxes p = Port(link);
        auto* g = new QGroupBox(QString::fromLatin1(title), this);
        g->setObjectName(QString::fromLatin1(name));
        auto* grid = new QGridLayout(g);
        const char* labels[] = {"Baud Rate", "Data Bits", "Parity", "Stop Bits"};
        QComboBox* boxes[] = {p.baud, p.dataBits, p.parity, p.stopBits};
        for (int i = 0; i < 4; ++i) {
            auto* l = new QLabel(QString::fromLatin1(labels[i]), g);
            l->setObjectName(QStringLiteral("Lab%1_%2").arg(QString::fromLatin1(name).mid(3)).arg(i));
            boxes[i]->setParent(g);
            grid->addWidget(l, i, 0);
            grid->addWidget(boxes[i], i, 1);
        }
        p.slaveMode->setParent(g);
        grid->addWidget(p.slaveMode, 4, 0, 1, 2);
        ports->addWidget(g);
    }
    auto* defaults = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(ChkBox_Port);
    checks->addWidget(ChkBox_UID);
    defaults->addLayout(checks);
    defaults->addWidget(RgSelCom);
    defaults->addWidget(GB_UID);
    auto* top = new QVBoxLayout(this);
    top->addLayout(ports);
    top->addLayout(defaults);
    top->addLayout(buttons);

    connect(ChkBox_Port, &QCheckBox::clicked, this, [this] { ChkBox_PortClick(); });
    connect(ChkBox_UID, &QCheckBox::clicked, this, [this] { ChkBox_UIDClick(); });
    connect(Ok_Btn, &QPushButton::clicked, this, [this] { Ok_BtnClick(); });
    connect(Cancel_Btn, &QPushButton::clicked, this, [this] { Cancel_BtnClick(); });
}

void TFrmHMIProto::MakePort(const char* suffix, QComboBox*& baud, QComboBox*& dataBits, QComboBox*& parity,
                            QComboBox*& stopBits, QGroupBox*& slaveMode)
{
    const QString s = QString::fromLatin1(suffix);
    baud = NewBox(this, "BaudRate" + s + "_Box", {"4800", "9600", "19200", "38400", "57600", "115200"});
    dataBits = NewBox(this, "DataBit" + s + "_Box", {"7", "8"});
    parity = NewBox(this, "Check" + s + "_Box",
                    {QStringLiteral("無(None)"), QStringLiteral("奇(Odd)"), QStringLiteral("偶(Even)")});
    stopBits = NewBox(this, "StopBit" + s + "_Box", {"1", "2"});
    QRadioButton* master = nullptr;
    QRadioButton* slave = nullptr;
    slaveMode = NewRadioGroup(this, "rgSlaveMode" + s, QString(), &master, QStringLiteral("Master Mode"), &slave,
                              QStringLiteral("Slave Mode"));
}

TFrmHMIProto::PortBoxes TFrmHMIProto::Port(int link) const
{
    if (link == 0)
        return {BaudRate232_Box, DataBit232_Box, Check232_Box, StopBit232_Box, rgSlaveMode232};
    return {BaudRate485_Box, DataBit485_Box, Check485_Box, StopBit485_Box, rgSlaveMode485};
}

void TFrmHMIProto::showEvent(QShowEvent* e)
{
    FormShow();
    QDialog::showEvent(e);
}

void TFrmHMIProto::Show(const PortBoxes& p, const kes::ComSetItems& items, std::uint8_t slave)
{
    p.baud->setCurrentIndex(items.baud);
    p.dataBits->setCurrentIndex(items.dataBits);
    p.parity->setCurrentIndex(items.parity);
    p.stopBits->setCurrentIndex(items.stopBits);
    RadioItem(p.slaveMode, slave ? 1 : 0)->setChecked(true);
    p.slaveMode->setEnabled(false);
}

kes::ComSetItems TFrmHMIProto::ItemsOf(const PortBoxes& p)
{
    return {p.baud->currentIndex(), p.dataBits->currentIndex(), p.parity->currentIndex(), p.stopBits->currentIndex()};
}

void TFrmHMIProto::FormShow()
{
    TranslateForm(this, state_.LangIndex);
    for (int i = 0; i < 2; ++i) {
        shown_[i] = kes::UnpackComSetByte(state_.ComSetByte[i]);
        Show(Port(i), shown_[i], state_.PortSlaveMode[i]);
        // What the boxes really show (a box may refuse an item it does not hold).
        shown_[i] = ItemsOf(Port(i));
    }
    (state_.LinkIndex == 0 ? selCom1 : selCom2)->setChecked(true);
    UD_UID->setValue(state_.DefStation);
    ChkBox_Port->setChecked(state_.UseDefaultPort != 0);
    ChkBox_UID->setChecked(state_.UseDefaultStation != 0);
    ChkBox_PortClick();
    ChkBox_UIDClick();
}

void TFrmHMIProto::ChkBox_PortClick() { RgSelCom->setEnabled(ChkBox_Port->isChecked()); }

void TFrmHMIProto::ChkBox_UIDClick()
{
    const bool on = ChkBox_UID->isChecked();
    GB_UID->setEnabled(on);
    EdtSationID->setEnabled(on);
    UD_UID->setEnabled(on);
}

void TFrmHMIProto::Ok_BtnClick()
{
    state_.UseDefaultPort = ChkBox_Port->isChecked() ? 1 : 0;
    state_.UseDefaultStation = ChkBox_UID->isChecked() ? 1 : 0;
    state_.LinkIndex = selCom2->isChecked() ? 1 : 0;
    state_.DefStation = static_cast<std::uint8_t>(UD_UID->value());
    state_.PortSlaveMode[0] = RadioItem(rgSlaveMode232, 1)->isChecked() ? 1 : 0;
    state_.PortSlaveMode[1] = RadioItem(rgSlaveMode485, 1)->isChecked() ? 1 : 0;

    const kes::LinkRewrite rw{ChkBox_Port->isChecked(), state_.LinkIndex, ChkBox_UID->isChecked(), state_.DefStation};
    if (hooks_.rewritePages)
        hooks_.rewritePages(rw);
    kes::RewriteSystemLinks(state_, rw);
    if (hooks_.rewriteLivePage)
        hooks_.rewriteLivePage(rw);
    state_.Modified = 1;
    state_.Compiled = 0;
    if (hooks_.refreshInspector)
        hooks_.refreshInspector();

    state_.ComSetByte[0] = kes::PackComSetByte(ItemsOf(Port(0)), shown_[0], state_.ComSetByte[0]);
    state_.ComSetByte[1] = kes::PackComSetByte(ItemsOf(Port(1)), shown_[1], state_.ComSetByte[1]);
    accept();
}

void TFrmHMIProto::Cancel_BtnClick() { reject(); }
