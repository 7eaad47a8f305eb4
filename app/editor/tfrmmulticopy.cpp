#include "app/editor/tfrmmulticopy.h"

#include "app/dialogs/settingsdialog.h"
#include "app/editor/teditpage.h"
#include "app/ui/translate.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using kes::Named;

namespace {

QSpinBox* NewCount(QWidget* parent, const char* name, int min)
{
    auto* box = Named(new QSpinBox(parent), name);
    box->setRange(min, 50);
    box->setValue(2);
    return box;
}

// An unchecked direction counts no copies (and the grid then holds none); checked again it
// counts at least one.
void EnableCount(const QCheckBox* on, QSpinBox* count)
{
    const bool checked = on->isChecked();
    count->setEnabled(checked);
    count->setMinimum(checked ? 1 : 0);
    if (!checked)
        count->setValue(0);
}

} // namespace

TFrmMultiCopy::TFrmMultiCopy(QWidget* owner, TEditPage& page, int langIndex)
    : QDialog(owner), page_(page), langIndex_(langIndex)
{
    setObjectName(QStringLiteral("FrmMultiCopy"));
    setWindowTitle(QStringLiteral("Multiple Copy"));
    setModal(true);
    ChkboxHdir = Named(new QCheckBox(QStringLiteral("Columns"), this), "ChkboxHdir");
    EditH = NewCount(this, "EditH", 1);
    ChkboxVdir = Named(new QCheckBox(QStringLiteral("Rows"), this), "ChkboxVdir");
    EditV = NewCount(this, "EditV", 1);
    LblDisH = Named(new QLabel(QStringLiteral("Horizontal spacing"), this), "LblDisH");
    EdtDisH = NewCount(this, "EdtDisH", 0);
    LblDisV = Named(new QLabel(QStringLiteral("Vertical spacing"), this), "LblDisV");
    EdtDisV = NewCount(this, "EdtDisV", 0);
    ChkBoxInsAddr = Named(new QCheckBox(QStringLiteral("Step the device addresses"), this), "ChkBoxInsAddr");
    RdoGpInsAddr = Named(new QGroupBox(QStringLiteral("Numbering"), this), "RdoGpInsAddr");
    kes::SetComponentClass(RdoGpInsAddr, "TRadioGroup");
    auto* order = new QHBoxLayout(RdoGpInsAddr);
    for (const QString& item : {QStringLiteral("Along the rows"), QStringLiteral("Down the columns")}) {
        auto* r = new QRadioButton(item, RdoGpInsAddr);
        r->setObjectName(QStringLiteral("RdoGpInsAddr_%1").arg(order->count()));
        kes::SetComponentClass(r, "");
        order->addWidget(r);
    }
    kes::SetRadioGroupIndex(RdoGpInsAddr, 0);
    for (QSpinBox* box : {EditH, EditV, EdtDisH, EdtDisV})
        kes::SetComponentClass(box, "");
    ChkboxHdir->setChecked(true);
    ChkboxVdir->setChecked(true);
    ChkBoxInsAddr->setChecked(true);

    BtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    BtnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "BtnCancel");
    BtnOK->setDefault(true);
    auto* grid = new QGridLayout;
    grid->addWidget(ChkboxHdir, 0, 0);
    grid->addWidget(EditH, 0, 1);
    grid->addWidget(ChkboxVdir, 1, 0);
    grid->addWidget(EditV, 1, 1);
    grid->addWidget(LblDisH, 2, 0);
    grid->addWidget(EdtDisH, 2, 1);
    grid->addWidget(LblDisV, 3, 0);
    grid->addWidget(EdtDisV, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addWidget(ChkBoxInsAddr);
    lay->addWidget(RdoGpInsAddr);
    lay->addLayout(buttons);

    QObject::connect(ChkboxHdir, &QCheckBox::clicked, this, [this] { ChkboxHdirClick(); });
    QObject::connect(ChkboxVdir, &QCheckBox::clicked, this, [this] { ChkboxVdirClick(); });
    QObject::connect(ChkBoxInsAddr, &QCheckBox::clicked, this, [this] { ChkBoxInsAddrClick(); });
    QObject::connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    QObject::connect(BtnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

TFrmMultiCopy::~TFrmMultiCopy() = default;

void TFrmMultiCopy::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmMultiCopy::FormShow() { TranslateForm(this, langIndex_); }

void TFrmMultiCopy::ChkboxHdirClick() { EnableCount(ChkboxHdir, EditH); }

void TFrmMultiCopy::ChkboxVdirClick() { EnableCount(ChkboxVdir, EditV); }

void TFrmMultiCopy::ChkBoxInsAddrClick() { RdoGpInsAddr->setEnabled(ChkBoxInsAddr->isChecked()); }

void TFrmMultiCopy::BtnOKClick()
{
    MultiCopyPlan plan;
    plan.Columns = ChkboxHdir->isChecked() ? EditH->value() : 0;
    plan.Rows = ChkboxVdir->isChecked() ? EditV->value() : 0;
    plan.SpacingX = EdtDisH->value();
    plan.SpacingY = EdtDisV->value();
    plan.StepAddresses = ChkBoxInsAddr->isChecked();
    plan.RowsFirst = kes::RadioGroupIndex(RdoGpInsAddr) != 1;
    made_ = page_.MultiCopy(plan);
    accept();
}
