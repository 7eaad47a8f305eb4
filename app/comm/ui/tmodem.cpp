#include "app/comm/ui/tmodem.h"

#include "app/comm/modemdialer.h"
#include "app/comm/ui/formparts.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMsgBadNumber = 0; // "Max. Value Setting Error!!" + the field's label
constexpr int kMsgAllAttempts = 464;
constexpr int kMsgTimeOver = 482;
constexpr int kMsgRedialIn = 483;
constexpr int kMsgNoNumber = 540;
constexpr int kMsgResetting = 541;
constexpr int kMsgDialling = 542;
constexpr int kMsgReady = 543;
constexpr int kMsgConnected = 544;
constexpr int kMsgHangingUp = 545;

// A count field: decimal digits only, and a number an int holds.
bool CountOf(const QLineEdit* field, int& value)
{
    const QString t = field->text();
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    value = t.toInt(&ok);
    return ok;
}

} // namespace

TModem::TModem(QWidget* owner, kes::Prompt& prompt, kes::ModemDialer& dialer, int langIndex)
    : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint), prompt_(prompt), dialer_(dialer), langIndex_(langIndex)
{
    setObjectName(QStringLiteral("Modem"));
    setWindowTitle(QStringLiteral("Modem"));
    OutLine_Lab = kes::Component(new QLabel(QStringLiteral("Outside Line"), this), QStringLiteral("OutLine_Lab"));
    Tel_Lab = kes::Component(new QLabel(QStringLiteral("Telephone No."), this), QStringLiteral("Tel_Lab"));
    Ext_Lab = kes::Component(new QLabel(QStringLiteral("Extension"), this), QStringLiteral("Ext_Lab"));
    OutLine_Txt = kes::Component(new QLineEdit(this), QStringLiteral("OutLine_Txt"));
    Tel_Txt = kes::Component(new QLineEdit(this), QStringLiteral("Tel_Txt"));
    Ext_Txt = kes::Component(new QLineEdit(this), QStringLiteral("Ext_Txt"));
    DialCount_Lab = kes::Component(new QLabel(QStringLiteral("Dialing Times"), this), QStringLiteral("DialCount_Lab"));
    ReDial_Txt = kes::Component(new QLineEdit(QStringLiteral("1"), this), QStringLiteral("ReDial_Txt"));
    DialTime_Lab = kes::Component(new QLabel(QStringLiteral("Dialing Time"), this), QStringLiteral("DialTime_Lab"));
    DialTime_Edit = kes::Component(new QLineEdit(QStringLiteral("100"), this), QStringLiteral("DialTime_Edit"));
    Unit_Lab = kes::Component(new QLabel(QStringLiteral("Sec"), this), QStringLiteral("Unit_Lab"));
    for (QLineEdit* e : {ReDial_Txt, DialTime_Edit})
        e->setMaxLength(5);
    Msg_Lab = kes::Component(new QLabel(this), QStringLiteral("Msg_Lab"));
    RedTime_Lab = kes::Component(new QLabel(this), QStringLiteral("RedTime_Lab"));
    Label2 = kes::Component(new QLabel(this), QStringLiteral("Label2"));
    Label3 = kes::Component(new QLabel(this), QStringLiteral("Label3"));
    Label2->hide();
    Label3->hide();
    // A busy bar stands in for the dialling animation.
    Animate = kes::Component(new QProgressBar(this), QStringLiteral("Animate"));
    Animate->setTextVisible(false);
    Animate->setRange(0, 1);
    Animate->setMaximumHeight(12);
    DialBtn = kes::Component(new QPushButton(QStringLiteral("Dial"), this), QStringLiteral("DialBtn"));
    Stop = kes::Component(new QPushButton(QStringLiteral("Stop"), this), QStringLiteral("Stop"));
    CancelBtn = kes::Component(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("CancelBtn"));
    DialBtn->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(OutLine_Lab, 0, 0);
    grid->addWidget(OutLine_Txt, 0, 1, 1, 2);
    grid->addWidget(Tel_Lab, 1, 0);
    grid->addWidget(Tel_Txt, 1, 1, 1, 2);
    grid->addWidget(Ext_Lab, 2, 0);
    grid->addWidget(Ext_Txt, 2, 1, 1, 2);
    grid->addWidget(DialCount_Lab, 3, 0);
    grid->addWidget(ReDial_Txt, 3, 1);
    grid->addWidget(DialTime_Lab, 4, 0);
    grid->addWidget(DialTime_Edit, 4, 1);
    grid->addWidget(Unit_Lab, 4, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {DialBtn, Stop, CancelBtn})
        buttons->addWidget(b);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(Msg_Lab);
    top->addWidget(RedTime_Lab);
    top->addWidget(Animate);
    top->addWidget(Label2);
    top->addWidget(Label3);
    top->addLayout(buttons);
    setMinimumWidth(340);

    connect(DialBtn, &QPushButton::clicked, this, [this] { DialBtnClick(); });
    connect(Stop, &QPushButton::clicked, this, [this] { StopClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    dialer_.Changed = [this] { ShowState(); };
    dialer_.Ended = [this](kes::ModemEnd why) { Ended(why); };
}

TModem::~TModem()
{
    // The dialler outlives the window: nothing may call back into it.
    dialer_.Changed = nullptr;
    dialer_.Ended = nullptr;
}

void TModem::showEvent(QShowEvent* e)
{
    FormShow();
    QDialog::showEvent(e);
}

void TModem::FormShow()
{
    TranslateForm(this, langIndex_);
    // A call that is up waits for its transfers; anything else starts from rest.
    if (!dialer_.Connected())
        StopClick();
    OutLine_Txt->clear();
    Tel_Txt->clear();
    Ext_Txt->clear();
    ShowState();
}

void TModem::DialBtnClick()
{
    if (Ext_Txt->text().isEmpty() && Tel_Txt->text().isEmpty()) {
        kes::ShowMsg(prompt_, kMsgNoNumber);
        return;
    }
    kes::ModemDialRequest r;
    if (!CountOf(ReDial_Txt, r.attempts)) {
        kes::ShowError(prompt_, kes::Msg(kMsgBadNumber) + DialCount_Lab->text());
        return;
    }
    if (!CountOf(DialTime_Edit, r.dialSeconds)) {
        kes::ShowError(prompt_, kes::Msg(kMsgBadNumber) + DialTime_Lab->text());
        return;
    }
    r.outsideLine = kes::QStringToAnsi(OutLine_Txt->text());
    r.number = kes::QStringToAnsi(Tel_Txt->text());
    r.extension = kes::QStringToAnsi(Ext_Txt->text());
    dialer_.Dial(r);
    ShowState();
}

void TModem::StopClick() { dialer_.Stop(); }

void TModem::CancelBtnClick()
{
    dialer_.Cancel();
    reject();
}

void TModem::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TModem::FormClose()
{
    // A call that is up stays up for the transfers; a dial in progress stops with the window.
    const kes::ModemState s = dialer_.State();
    if (s != kes::ModemState::Idle && s != kes::ModemState::Connected && s != kes::ModemState::HangingUp)
        dialer_.Stop();
}

void TModem::ShowState()
{
    using kes::ModemState;
    const ModemState s = dialer_.State();
    const bool dialling = s == ModemState::Waiting || s == ModemState::Resetting || s == ModemState::Initialising ||
                          s == ModemState::Dialling;
    switch (s) {
    case ModemState::Idle:
        Msg_Lab->setText(kes::Msg(kMsgReady));
        break;
    case ModemState::Waiting:
        Msg_Lab->setText(kes::Msg(kMsgResetting));
        break;
    case ModemState::Connected:
        Msg_Lab->setText(kes::Msg(kMsgConnected));
        break;
    case ModemState::HangingUp:
        Msg_Lab->setText(kes::Msg(kMsgHangingUp));
        break;
    default:
        Msg_Lab->setText(kes::Msg(kMsgDialling) + QString::number(dialer_.Attempt()));
        break;
    }
    // The countdown's unit is the seconds label's, in the window's language.
    if (dialling && s != ModemState::Waiting)
        RedTime_Lab->setText(kes::Msg(kMsgRedialIn) +
                             QStringLiteral(" %1 %2").arg(dialer_.Countdown()).arg(Unit_Lab->text()));
    else
        RedTime_Lab->clear();
    Animate->setRange(0, dialling ? 0 : 1);
    DialBtn->setEnabled(s == ModemState::Idle);
    DialTime_Edit->setEnabled(!dialling);
    Label2->setText(QString::number(static_cast<int>(s)));
    Label3->setText(kes::AnsiToQString(dialer_.ReplyText()));
}

void TModem::Ended(kes::ModemEnd why)
{
    ShowState();
    kes::ShowMsg(prompt_, why == kes::ModemEnd::TimeOver ? kMsgTimeOver : kMsgAllAttempts);
}
