#include "app/dialogs/tfrmrange.h"

#include "app/dialogs/settingsdialog.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/digtest.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using kes::Named;

namespace {
constexpr int kMsgSettingError = 5;
constexpr int kMsgSectionError = 111;
} // namespace

TFrmRange::TFrmRange(QWidget* owner, kes::Prompt& prompt, int langIndex, int stateCount)
    : QDialog(owner), prompt_(prompt), langIndex_(langIndex), stateCount_(stateCount)
{
    setObjectName(QStringLiteral("FrmRange"));
    setWindowTitle(QStringLiteral("Range"));
    setModal(true);
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Limits"), this), "GroupBox1");
    Label1 = Named(new QLabel(QStringLiteral("Upper limit"), GroupBox1), "Label1");
    EditUp = Named(new QLineEdit(GroupBox1), "EditUp");
    Label2 = Named(new QLabel(QStringLiteral("Lower limit"), GroupBox1), "Label2");
    EditDown = Named(new QLineEdit(GroupBox1), "EditDown");
    auto* g1 = new QGridLayout(GroupBox1);
    g1->addWidget(Label1, 0, 0);
    g1->addWidget(EditUp, 0, 1);
    g1->addWidget(Label2, 1, 0);
    g1->addWidget(EditDown, 1, 1);

    GroupBox2 = Named(new QGroupBox(QStringLiteral("States"), this), "GroupBox2");
    Label3 = Named(new QLabel(QStringLiteral("From state"), GroupBox2), "Label3");
    State_BoxFrom = Named(new QComboBox(GroupBox2), "State_BoxFrom");
    Label5 = Named(new QLabel(QStringLiteral("~"), GroupBox2), "Label5");
    Label4 = Named(new QLabel(QStringLiteral("to state"), GroupBox2), "Label4");
    State_BoxTo = Named(new QComboBox(GroupBox2), "State_BoxTo");
    // Their items are state numbers, the same in every language.
    kes::SetComponentClass(State_BoxFrom, "");
    kes::SetComponentClass(EditUp, "");
    kes::SetComponentClass(EditDown, "");
    kes::SetComponentClass(State_BoxTo, "");
    auto* g2 = new QHBoxLayout(GroupBox2);
    for (QWidget* w :
         {static_cast<QWidget*>(Label3), static_cast<QWidget*>(State_BoxFrom), static_cast<QWidget*>(Label5),
          static_cast<QWidget*>(Label4), static_cast<QWidget*>(State_BoxTo)})
        g2->addWidget(w);

    Button1 = Named(new QPushButton(QStringLiteral("Set"), this), "Button1");
    Button1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(GroupBox1);
    lay->addWidget(GroupBox2);
    lay->addLayout(buttons);

    State_BoxFrom->setCurrentIndex(0);
    State_BoxTo->setCurrentIndex(1);
    QObject::connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TFrmRange::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmRange::FormShow()
{
    TranslateForm(this, langIndex_);
    EditUp->setText(QString::fromStdString(ValueToText(static_cast<std::uint32_t>(Upper), ValType, ValLen == 1)));
    EditDown->setText(QString::fromStdString(ValueToText(static_cast<std::uint32_t>(Lower), ValType, ValLen == 1)));
    State_BoxFrom->clear();
    State_BoxTo->clear();
    for (int i = 1; i < stateCount_; ++i) {
        State_BoxFrom->addItem(QString::number(i - 1));
        State_BoxTo->addItem(QString::number(i));
    }
    State_BoxFrom->setCurrentIndex(0);
    State_BoxTo->setCurrentIndex(stateCount_ - 2);
}

void TFrmRange::Button1Click()
{
    if (State_BoxFrom->currentIndex() - 1 > State_BoxTo->currentIndex()) {
        kes::ShowMsg(prompt_, kMsgSectionError);
        return;
    }
    const QString blank = QStringLiteral(" ");
    if (!kes::ValueInRange(EditUp->text(), ValType, ValLen)) {
        kes::ShowError(prompt_, Label1->text() + blank + kes::Msg(kMsgSettingError));
        return;
    }
    if (!kes::ValueInRange(EditDown->text(), ValType, ValLen)) {
        kes::ShowError(prompt_, Label2->text() + blank + kes::Msg(kMsgSettingError));
        return;
    }
    const std::string up = kes::QStringToAnsi(EditUp->text());
    const std::string down = kes::QStringToAnsi(EditDown->text());
    if (!ValueTextNotBelow(up, down, ValType, 0)) {
        kes::ShowError(prompt_,
                       Label1->text() + QStringLiteral(" / ") + Label2->text() + blank + kes::Msg(kMsgSettingError));
        return;
    }
    Accepted = 1;
    Upper = static_cast<std::int32_t>(TextToValue(up, ValType));
    Lower = static_cast<std::int32_t>(TextToValue(down, ValType));
    accept();
}
