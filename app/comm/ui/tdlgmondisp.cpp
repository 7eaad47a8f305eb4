#include "app/comm/ui/tdlgmondisp.h"

#include "app/comm/qtlinkport.h"
#include "app/comm/ui/formparts.h"
#include "app/comm/ui/linkcommands.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QFontDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kMsgOverRange = 29;
constexpr int kMsgPortUsed = 78;
constexpr std::int16_t kMultidropType = 99; // panels on a shared line: requests carry the station

} // namespace

TDlgMonDisp::TDlgMonDisp(QWidget* owner, kes::Prompt& prompt, const kes::ProjectState& state, kes::LinkPort& mainPort,
                         TestDisplayEnv env)
    : QDialog(owner), prompt_(prompt), state_(state), mainPort_(mainPort), env_(std::move(env))
{
    setObjectName(QStringLiteral("DlgMonDisp"));
    setWindowTitle(QStringLiteral("Test Display"));
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { OnTimeOut(); });

    PanelDisp = kes::Component(new QFrame(this), QStringLiteral("PanelDisp"));
    kes::SetComponentClass(PanelDisp, "TPanel");
    PanelDisp->setFrameShape(QFrame::Panel);
    PanelDisp->setFrameShadow(QFrame::Sunken);
    MemEdit = kes::Component(new QPlainTextEdit(PanelDisp), QStringLiteral("MemEdit"));
    MemEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemEdit->installEventFilter(this);
    QPalette pal = MemEdit->palette();
    pal.setColor(QPalette::Text, Qt::blue);
    MemEdit->setPalette(pal);
    (new QVBoxLayout(PanelDisp))->addWidget(MemEdit);

    BtnSend = kes::Component(new QPushButton(QStringLiteral("Send"), this), QStringLiteral("BtnSend"));
    BtnClose = kes::Component(new QPushButton(QStringLiteral("Close"), this), QStringLiteral("BtnClose"));
    BtnFont = kes::Component(new QPushButton(QStringLiteral("Font Setting"), this), QStringLiteral("BtnFont"));
    BtnFont->hide();
    gbType = kes::Component(new QGroupBox(this), QStringLiteral("gbType"));
    cbType = kes::Component(new QComboBox(gbType), QStringLiteral("cbType"));
    cbType->addItems({QStringLiteral("Text"), QStringLiteral("Key")});
    (new QVBoxLayout(gbType))->addWidget(cbType);
    gbType->hide();
    gbFont = kes::Component(new QGroupBox(QStringLiteral("Font"), this), QStringLiteral("gbFont"));
    cbFont = kes::Component(new QComboBox(gbFont), QStringLiteral("cbFont"));
    cbFont->addItems({QStringLiteral("5x8"), QStringLiteral("8x8"), QStringLiteral("7x13 Bold"), QStringLiteral("8x12"),
                      QStringLiteral("8x16"), QStringLiteral("8x16 Bold")});
    cbFont->setCurrentIndex(1);
    (new QVBoxLayout(gbFont))->addWidget(cbFont);
    LabRec = kes::Component(new QLabel(QStringLiteral("Recieve String :"), this), QStringLiteral("LabRec"));
    edtRec = kes::Component(new QLineEdit(this), QStringLiteral("edtRec"));
    edtRec->setReadOnly(true);
    RgMultidrop = kes::Component(new QGroupBox(QStringLiteral("Multi drop mode"), this), QStringLiteral("RgMultidrop"));
    kes::SetComponentClass(RgMultidrop, "TRadioGroup");
    keyScan = new QRadioButton(QStringLiteral("Key Scan"), RgMultidrop);
    sendString = new QRadioButton(QStringLiteral("Send String"), RgMultidrop);
    sendString->setChecked(true);
    auto* modes = new QVBoxLayout(RgMultidrop);
    modes->addWidget(keyScan);
    modes->addWidget(sendString);

    auto* side = new QVBoxLayout;
    side->addWidget(gbType);
    side->addWidget(gbFont);
    side->addWidget(RgMultidrop);
    side->addStretch();
    side->addWidget(BtnFont);
    side->addWidget(BtnSend);
    side->addWidget(BtnClose);
    auto* upper = new QHBoxLayout;
    upper->addWidget(PanelDisp, 1);
    upper->addLayout(side);
    auto* reply = new QHBoxLayout;
    reply->addWidget(LabRec);
    reply->addWidget(edtRec, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(upper);
    top->addLayout(reply);

    connect(BtnSend, &QPushButton::clicked, this, [this] { BtnSendClick(); });
    connect(BtnClose, &QPushButton::clicked, this, [this] { reject(); });
    connect(BtnFont, &QPushButton::clicked, this, [this] { BtnFontClick(); });
    connect(cbFont, &QComboBox::currentIndexChanged, this, [this] { cbFontChange(); });
    connect(MemEdit, &QPlainTextEdit::textChanged, this, [this] { MemEditChange(); });
    FormCreate();
}

TDlgMonDisp::~TDlgMonDisp() { FormDestroy(); }

void TDlgMonDisp::FormCreate()
{
    startChar_ = state_.KeySetRec.StartChar;
    terminator_ = state_.KeySetRec.EndChar;
    rx_ = kes::TestDisplayReceiver(startChar_);
}

void TDlgMonDisp::showEvent(QShowEvent* e)
{
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    QDialog::showEvent(e);
}

void TDlgMonDisp::FormShow()
{
    TranslateForm(this, state_.LangIndex);
    if (state_.PanelModelIndex == 0 || state_.PanelModelIndex == 1) {
        const int zoom = state_.DefaultZoom;
        PanelDisp->setFixedSize(env_.panelWidth * state_.GridWidth * zoom / 2 + 24,
                                env_.panelHeight * state_.GridHeight * zoom / 2 + 24);
    }
    mainWasOpen_ = mainPort_.IsOpen();
    cbFontChange();
    MemEdit->clear();

    mainPort_.Close();
    const std::uint8_t comSet = state_.ComSetByte[state_.KeySetRec.Port == 0 ? 0 : 1];
    RgMultidrop->setEnabled(state_.MachineId == kMultidropType);
    port_ = env_.makePort ? env_.makePort() : std::make_unique<kes::QtLinkPort>();
    port_->Settings() = kes::TestDisplayPortSettings(comSet, mainPort_.Settings().name);
    if (!port_->Open()) {
        port_->Close();
        kes::ShowError(prompt_, kes::Msg(kMsgPortUsed) + QStringLiteral("(COM ") +
                                    QString::fromStdString(port_->Settings().name) + QStringLiteral(")"));
        return;
    }
    port_->SetReadyRead([this] { ApdPortTrigger(); });
}

int TDlgMonDisp::LineLimit() const
{
    return kes::TestDisplayLineLimit(std::max(cbFont->currentIndex(), 0), state_.PanelModelIndex);
}

kes::Bytes TDlgMonDisp::Request() const
{
    kes::TestDisplayRequest r;
    r.multidrop = state_.MachineId == kMultidropType;
    r.keyScan = r.multidrop && keyScan->isChecked();
    r.station = state_.KeySetRec.CommAddr;
    r.terminator = terminator_;
    r.fontItem = static_cast<std::uint8_t>(std::max(cbFont->currentIndex(), 0));
    r.lines = kes::TextLines(kes::QStringToAnsi(MemEdit->toPlainText()));
    r.lineLimit = LineLimit();
    return kes::BuildTestDisplayRequest(r);
}

void TDlgMonDisp::BtnSendClick()
{
    edtRec->clear();
    const kes::Bytes request = Request();
    if (PortOpen())
        port_->Write(std::string_view(reinterpret_cast<const char*>(request.data()), request.size()));
    timer_.start(env_.tickMs * env_.timeOutTicks);
}

void TDlgMonDisp::ApdPortTrigger()
{
    const std::string data = port_->ReadAll();
    std::string_view rest(data);
    while (!rest.empty()) {
        const auto r = rx_.Feed(rest);
        rest.remove_prefix(r.consumed);
        if (r.event == kes::TestDisplayReceiver::Event::Reply) {
            timer_.stop();
            edtRec->setText(QString::fromLatin1(kes::TestDisplayReplyText(rx_.Reply())));
            rx_.Clear();
            return;
        }
        if (r.event == kes::TestDisplayReceiver::Event::Overflow) {
            timer_.stop();
            rx_.Clear();
            kes::ShowMsg(prompt_, kMsgOverRange);
            return;
        }
    }
}

// No reply: the wait ends without a word.
void TDlgMonDisp::OnTimeOut() { timer_.stop(); }

void TDlgMonDisp::cbFontChange()
{
    static constexpr int kSizes[] = {8, 10, 12, 14, 18, 18};
    const int item = std::clamp(cbFont->currentIndex(), 0, 5);
    QFont f(QStringLiteral("MS Sans Serif"), kSizes[item]);
    f.setBold(item == 2 || item == 5);
    MemEdit->setFont(f);
}

// A text longer than the panel shows is cut to the lines it shows.
void TDlgMonDisp::MemEditChange()
{
    if (trimming_)
        return;
    const QStringList lines = MemEdit->toPlainText().split(QLatin1Char('\n'));
    const int count = static_cast<int>(kes::TextLines(kes::QStringToAnsi(MemEdit->toPlainText())).size());
    const int limit = LineLimit();
    if (count <= 2 || count <= limit)
        return;
    trimming_ = true;
    MemEdit->setPlainText(lines.mid(0, limit).join(QLatin1Char('\n')));
    MemEdit->moveCursor(QTextCursor::End);
    trimming_ = false;
}

bool TDlgMonDisp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MemEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int count = static_cast<int>(kes::TextLines(kes::QStringToAnsi(MemEdit->toPlainText())).size());
        const int limit = LineLimit();
        const bool newLine = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (count > limit || (count == limit && newLine))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgMonDisp::BtnFontClick()
{
    QFontDialog dlg(MemEdit->font(), this);
    dlg.setObjectName(QStringLiteral("FontDlg"));
    if (kes::ExecModal(prompt_, &dlg) == QDialog::Accepted)
        MemEdit->setFont(dlg.selectedFont());
}

void TDlgMonDisp::done(int r)
{
    FormDestroy();
    QDialog::done(r);
}

void TDlgMonDisp::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    timer_.stop();
    if (port_) {
        port_->SetReadyRead({});
        port_->Close();
    }
    // The main port was open before: it opens again, or says why it cannot.
    if (mainWasOpen_)
        kes::OpenLink(prompt_, mainPort_);
}
