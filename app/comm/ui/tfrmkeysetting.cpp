#include "app/comm/ui/tfrmkeysetting.h"

#include "app/comm/keypadlink.h"
#include "app/comm/ui/formparts.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kMsgSettingError = 5;
constexpr std::int16_t kNoStationType = 95; // a single panel on its line: no station to set

constexpr const char* kKeyEdits[] = {"edtF1", "edtF2",  "edtF3", "edtF4",   "edtF5",   "edtF6",    "edtF7",   "edtF8",
                                     "edtF9", "edtF10", "edtUP", "edtDOWN", "edtLeft", "edtRight", "edtEnter"};
constexpr const char* kKeyCaptions[] = {"F1", "F2",  "F3", "F4",   "F5",   "F6",    "F7",   "F8",
                                        "F9", "F10", "UP", "DOWN", "LEFT", "RIGHT", "ENTER"};
constexpr const char* kKeyHints[] = {"F0", "F1", "F2", "F3",   "F4",   "F5",    "F6",   "F7",
                                     "F8", "F9", "UP", "DOWN", "LEFT", "RIGHT", "ENTER"};

QString Upper2Hex(std::uint8_t v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); }

} // namespace

TFrmKeySetting::TFrmKeySetting(QWidget* owner, kes::Prompt& prompt, kes::ProjectState& state, KeySettingHooks hooks)
    : QDialog(owner, Qt::Window), prompt_(prompt), state_(state), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("FrmKeySetting"));
    setWindowTitle(QStringLiteral("Key Setting"));
    setAttribute(Qt::WA_DeleteOnClose);

    gbKeyStr = kes::Component(new QGroupBox(QStringLiteral("Key String Setting"), this), QStringLiteral("gbKeyStr"));
    auto* keys = new QGridLayout(gbKeyStr);
    // Key codes are hexadecimal: digits, A-F in either case and the point pass, nothing else.
    const QRegularExpression hex(QStringLiteral("[0-9A-Fa-f.]*"));
    for (int i = 0; i < kes::kKeyCodeCount; ++i) {
        const QString label = i == 0 ? QStringLiteral("LabFunKey") : QStringLiteral("Label%1").arg(i + 2);
        KeyLabels[i] = kes::Component(new QLabel(QString::fromLatin1(kKeyCaptions[i]), gbKeyStr), label);
        KeyEdits[i] = kes::Component(new QLineEdit(gbKeyStr), QString::fromLatin1(kKeyEdits[i]));
        KeyEdits[i]->setProperty("Tag", i);
        KeyEdits[i]->setToolTip(QStringLiteral("Function Key - ") + QString::fromLatin1(kKeyHints[i]));
        KeyEdits[i]->setValidator(new QRegularExpressionValidator(hex, KeyEdits[i]));
        KeyEdits[i]->setMaximumWidth(48);
        const int col = i < 8 ? 0 : 2;
        keys->addWidget(KeyLabels[i], i % 8, col);
        keys->addWidget(KeyEdits[i], i % 8, col + 1);
    }
    LabEsc = kes::Component(new QLabel(QStringLiteral("ESC"), gbKeyStr), QStringLiteral("LabEsc"));
    LabReserved = kes::Component(new QLabel(QStringLiteral("Reserved"), gbKeyStr), QStringLiteral("LabReserved"));
    keys->addWidget(LabEsc, 7, 2);
    keys->addWidget(LabReserved, 7, 3);
    BtnDisp = kes::Component(new QPushButton(QStringLiteral("Test"), gbKeyStr), QStringLiteral("BtnDisp"));
    keys->addWidget(BtnDisp, 8, 3);

    gbKeyPress = kes::Component(new QGroupBox(QStringLiteral("Key Press"), this), QStringLiteral("gbKeyPress"));
    auto* frame = new QGridLayout(gbKeyPress);
    LabStartchar =
        kes::Component(new QLabel(QStringLiteral("Start character Value"), gbKeyPress), QStringLiteral("LabStartchar"));
    UDStartChar = FrameCharBox(gbKeyPress, "UDStartChar", "edtStartChar");
    edtStartChar = UDStartChar->findChild<QLineEdit*>();
    StartCharName = kes::Component(new QLabel(gbKeyPress), QStringLiteral("StartCharName"));
    Labendchar = kes::Component(new QLabel(QStringLiteral("Terminating Character Value"), gbKeyPress),
                                QStringLiteral("Labendchar"));
    UDTerminal = FrameCharBox(gbKeyPress, "UDTerminal", "edtTerminal");
    edtTerminal = UDTerminal->findChild<QLineEdit*>();
    TerminateName = kes::Component(new QLabel(gbKeyPress), QStringLiteral("TerminateName"));
    frame->addWidget(LabStartchar, 0, 0);
    frame->addWidget(UDStartChar, 0, 1);
    frame->addWidget(StartCharName, 0, 2);
    frame->addWidget(Labendchar, 1, 0);
    frame->addWidget(UDTerminal, 1, 1);
    frame->addWidget(TerminateName, 1, 2);

    ZQComm = kes::Component(new QGroupBox(QStringLiteral("Communication Setting"), this), QStringLiteral("ZQComm"));
    auto* comm = new QGridLayout(ZQComm);
    ComAddr_Lab = kes::Component(new QLabel(QStringLiteral("Comm. Address :"), ZQComm), QStringLiteral("ComAddr_Lab"));
    ComAddr_UD = kes::Component(new QSpinBox(ZQComm), QStringLiteral("ComAddr_UD"));
    ComAddr_UD->setRange(0, 255);
    ComAddr_Txt = kes::Component(ComAddr_UD->findChild<QLineEdit*>(), QStringLiteral("ComAddr_Txt"));
    Label17 = kes::Component(new QLabel(QStringLiteral("( 0 ~ 255 )"), ZQComm), QStringLiteral("Label17"));
    LabZQPort = kes::Component(new QLabel(QStringLiteral("ZQ Port :"), ZQComm), QStringLiteral("LabZQPort"));
    ComboBoxHMICom = kes::Component(new QComboBox(ZQComm), QStringLiteral("ComboBoxHMICom"));
    ComboBoxHMICom->addItems({QStringLiteral("COM1"), QStringLiteral("COM2")});
    comm->addWidget(ComAddr_Lab, 0, 0);
    comm->addWidget(ComAddr_UD, 0, 1);
    comm->addWidget(Label17, 0, 2);
    comm->addWidget(LabZQPort, 1, 0);
    comm->addWidget(ComboBoxHMICom, 1, 1);

    // The brightness choice is shown as the panels have it; nothing stores it.
    rgBright = kes::Component(new QGroupBox(QStringLiteral("Brightness"), this), QStringLiteral("rgBright"));
    kes::SetComponentClass(rgBright, "TRadioGroup");
    auto* bright = new QHBoxLayout(rgBright);
    for (const char* item : {"3(bright)", "2", "1", "0(dim)"})
        bright->addWidget(new QRadioButton(QString::fromLatin1(item), rgBright));
    rgBright->findChildren<QRadioButton*>().front()->setChecked(true);

    BtnOK = kes::Component(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("BtnOK"));
    BtnCancel = kes::Component(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("BtnCancel"));
    BtnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);

    auto* right = new QVBoxLayout;
    right->addWidget(gbKeyPress);
    right->addWidget(ZQComm);
    right->addWidget(rgBright);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(gbKeyStr);
    columns->addLayout(right);
    auto* top = new QVBoxLayout(this);
    top->addLayout(columns);
    top->addLayout(buttons);

    connect(UDStartChar, &QSpinBox::valueChanged, this, [this] { UDStartCharClick(); });
    connect(UDTerminal, &QSpinBox::valueChanged, this, [this] { UDTerminalClick(); });
    connect(ComAddr_Txt, &QLineEdit::editingFinished, this, [this] { ComAddr_TxtMouseUp(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    connect(BtnCancel, &QPushButton::clicked, this, [this] { BtnCancelClick(); });
    connect(BtnDisp, &QPushButton::clicked, this, [this] { BtnDispClick(); });
}

// A start or terminating character: a decimal field with its up-down, 0..31.
QSpinBox* TFrmKeySetting::FrameCharBox(QGroupBox* group, const char* boxName, const char* editName)
{
    auto* box = kes::Component(new QSpinBox(group), QString::fromLatin1(boxName));
    box->setRange(0, kes::kFrameCharMax);
    kes::Component(box->findChild<QLineEdit*>(), QString::fromLatin1(editName));
    return box;
}

void TFrmKeySetting::showEvent(QShowEvent* e)
{
    FormShow();
    QDialog::showEvent(e);
}

void TFrmKeySetting::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange) {
        UDStartCharClick();
        UDTerminalClick();
    }
}

void TFrmKeySetting::FormShow()
{
    TranslateForm(this, state_.LangIndex);
    if (hooks_.setMainToolsEnabled)
        hooks_.setMainToolsEnabled();
    const KeySetData& k = state_.KeySetRec;
    UDStartChar->setValue(k.StartChar);
    UDTerminal->setValue(k.EndChar);
    UDStartCharClick();
    UDTerminalClick();
    ComboBoxHMICom->setCurrentIndex(k.Port == 1 ? 1 : 0);
    const bool station = state_.MachineId != kNoStationType;
    if (!station)
        ComAddr_UD->setValue(1);
    for (QWidget* w : {static_cast<QWidget*>(ComAddr_UD), static_cast<QWidget*>(ComAddr_Txt),
                       static_cast<QWidget*>(Label17), static_cast<QWidget*>(ComAddr_Lab)})
        w->setEnabled(station);
    ComAddr_UD->setValue(k.CommAddr);
    for (int i = 0; i < kes::kKeyCodeCount; ++i)
        KeyEdits[i]->setText(Upper2Hex(k.KeyCodes[i]));
}

bool TFrmKeySetting::StoreKeySettings()
{
    const auto fail = [this](const QString& name) {
        kes::ShowError(prompt_, name + QStringLiteral(" ") + kes::Msg(kMsgSettingError));
        return false;
    };
    KeySetData k = state_.KeySetRec;
    for (int i = 0; i < kes::kKeyCodeCount; ++i) {
        const auto code = kes::KeyCodeOfText(kes::QStringToAnsi(KeyEdits[i]->text()));
        if (!code)
            return fail(KeyEdits[i]->toolTip());
        k.KeyCodes[i] = *code;
    }
    const auto start = kes::FrameCharOfText(kes::QStringToAnsi(edtStartChar->text()));
    if (!start)
        return fail(LabStartchar->text());
    const auto end = kes::FrameCharOfText(kes::QStringToAnsi(edtTerminal->text()));
    if (!end)
        return fail(Labendchar->text());
    k.StartChar = *start;
    k.EndChar = *end;
    k.CommAddr = static_cast<std::uint8_t>(ComAddr_UD->value());
    k.Port = static_cast<std::uint8_t>(ComboBoxHMICom->currentIndex() == 1 ? 1 : 0);
    const KeySetData& old = state_.KeySetRec;
    const bool changed = k.CommAddr != old.CommAddr || k.Port != old.Port || k.StartChar != old.StartChar ||
                         k.EndChar != old.EndChar || k.KeyCodes != old.KeyCodes;
    state_.KeySetRec = k;
    if (changed) {
        state_.Modified = 1;
        state_.Compiled = 0;
    }
    return true;
}

void TFrmKeySetting::BtnOKClick()
{
    if (StoreKeySettings())
        close();
}

void TFrmKeySetting::BtnCancelClick() { close(); }

void TFrmKeySetting::BtnDispClick()
{
    if (StoreKeySettings() && hooks_.openTestDisplay)
        hooks_.openTestDisplay(this);
}

void TFrmKeySetting::UDStartCharClick()
{
    StartCharName->setText(QString::fromLatin1(kes::ControlCharName(UDStartChar->value())));
}

void TFrmKeySetting::UDTerminalClick()
{
    TerminateName->setText(QString::fromLatin1(kes::ControlCharName(UDTerminal->value())));
}

void TFrmKeySetting::ComAddr_TxtMouseUp()
{
    bool ok = false;
    const int v = ComAddr_Txt->text().toInt(&ok);
    ComAddr_UD->setValue(ok ? v : 1);
}
