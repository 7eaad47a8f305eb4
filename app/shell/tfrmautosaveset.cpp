#include "app/shell/tfrmautosaveset.h"

#include "app/model/projectstate.h"
#include "app/ui/msgtable.h"
#include "app/ui/named.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using kes::Named;

namespace {
constexpr int kMsgBadInterval = 701;
constexpr int kInitialCounter = 3;

QList<QRadioButton*> Items(QGroupBox* g) { return g->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly); }
} // namespace

TFrmAutoSaveSet::TFrmAutoSaveSet(QWidget* owner, kes::Prompt& prompt, kes::ProjectState& state)
    : QDialog(owner), prompt_(prompt), state_(state)
{
    setObjectName(QStringLiteral("FrmAutoSaveSet"));
    setWindowTitle(QStringLiteral("Auto Save"));
    setModal(true);
    ChkBox_Save = Named(new QCheckBox(QStringLiteral("Auto save"), this), "ChkBox_Save");
    ChkBox_Save->setChecked(true);
    Rg_Set = Named(new QGroupBox(QStringLiteral("Save"), this), "Rg_Set");
    kes::SetComponentClass(Rg_Set, "TRadioGroup");
    auto* rg = new QVBoxLayout(Rg_Set);
    for (const char* text : {"Before compiling", "At a time interval"}) {
        auto* r = new QRadioButton(QLatin1String(text), Rg_Set);
        r->setObjectName(QStringLiteral("Rg_Set_%1").arg(Items(Rg_Set).size() - 1));
        kes::SetComponentClass(r, "");
        rg->addWidget(r);
    }
    EdtTime = Named(new QLineEdit(QStringLiteral("3"), this), "EdtTime");
    EdtTime->setMaximumWidth(60);
    CSpinBtn = Named(new QWidget(this), "CSpinBtn");
    CSpinBtn->setProperty("Tag", kInitialCounter);
    SpinUp = Named(new QToolButton(CSpinBtn), "SpinUp");
    SpinDown = Named(new QToolButton(CSpinBtn), "SpinDown");
    SpinUp->setArrowType(Qt::UpArrow);
    SpinDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {SpinUp, SpinDown}) {
        b->setFixedSize(16, 11);
        kes::SetComponentClass(b, "");
    }
    auto* spin = new QVBoxLayout(CSpinBtn);
    spin->setContentsMargins(0, 0, 0, 0);
    spin->setSpacing(0);
    spin->addWidget(SpinUp);
    spin->addWidget(SpinDown);
    EdtMin = Named(new QLabel(QStringLiteral("Minutes"), this), "EdtMin");
    auto* time = new QHBoxLayout;
    time->addSpacing(20);
    time->addWidget(EdtTime);
    time->addWidget(CSpinBtn);
    time->addWidget(EdtMin);
    time->addStretch();
    rg->addLayout(time);

    BtnOK = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    BtnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "BtnCancel");
    BtnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(ChkBox_Save);
    lay->addWidget(Rg_Set);
    lay->addLayout(buttons);

    QObject::connect(ChkBox_Save, &QCheckBox::clicked, this, [this] { ChkBox_SaveClick(); });
    for (QRadioButton* r : Items(Rg_Set))
        QObject::connect(r, &QRadioButton::clicked, this, [this] { Rg_SetClick(); });
    QObject::connect(SpinUp, &QToolButton::clicked, this, [this] { CSpinBtnUpClick(); });
    QObject::connect(SpinDown, &QToolButton::clicked, this, [this] { CSpinBtnDownClick(); });
    QObject::connect(BtnOK, &QPushButton::clicked, this, [this] { BtnOKClick(); });
    QObject::connect(BtnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TFrmAutoSaveSet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

int TFrmAutoSaveSet::RgIndex() const
{
    const QList<QRadioButton*> items = Items(Rg_Set);
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

void TFrmAutoSaveSet::SetRgIndex(int index)
{
    const QList<QRadioButton*> items = Items(Rg_Set);
    if (index >= 0 && index < items.size())
        items[index]->setChecked(true);
}

void TFrmAutoSaveSet::FormShow()
{
    TranslateForm(this, state_.LangIndex);
    ChkBox_Save->setChecked(state_.AutoSave != 0);
    ChkBox_SaveClick();
    if (state_.SaveTimeInterval <= 0) {
        SetRgIndex(0);
    } else {
        SetRgIndex(1);
        EdtTime->setText(QString::number(state_.SaveTimeInterval));
    }
    Rg_SetClick();
}

void TFrmAutoSaveSet::ChkBox_SaveClick()
{
    const bool on = ChkBox_Save->isChecked();
    Rg_Set->setEnabled(on);
    if (on) {
        Rg_SetClick();
    } else {
        EdtTime->hide();
        CSpinBtn->hide();
        EdtMin->hide();
    }
}

void TFrmAutoSaveSet::Rg_SetClick()
{
    const bool timed = RgIndex() == 1 && ChkBox_Save->isChecked();
    EdtTime->setVisible(timed);
    CSpinBtn->setVisible(timed);
    EdtMin->setVisible(timed);
}

// The counter starts at 3 with every dialog and steps within 1..200, whatever the text shows.
void TFrmAutoSaveSet::CSpinBtnUpClick()
{
    const int n = CSpinBtn->property("Tag").toInt();
    if (n < kes::kMaxSaveInterval) {
        CSpinBtn->setProperty("Tag", n + 1);
        EdtTime->setText(QString::number(n + 1));
    }
}

void TFrmAutoSaveSet::CSpinBtnDownClick()
{
    const int n = CSpinBtn->property("Tag").toInt();
    if (n > kes::kMinSaveInterval) {
        CSpinBtn->setProperty("Tag", n - 1);
        EdtTime->setText(QString::number(n - 1));
    }
}

void TFrmAutoSaveSet::BtnOKClick()
{
    const bool on = ChkBox_Save->isChecked();
    std::int32_t interval = -1;
    if (on && RgIndex() == 1) {
        bool number = false;
        const int typed = EdtTime->text().trimmed().toInt(&number);
        // A bad interval changes nothing: the dialog stays open with both settings as they were.
        if (!number || typed < kes::kMinSaveInterval || typed > kes::kMaxSaveInterval) {
            kes::ShowMsg(prompt_, kMsgBadInterval);
            EdtTime->setFocus();
            return;
        }
        interval = typed;
    }
    state_.AutoSave = on ? 1 : 0;
    state_.SaveTimeInterval = interval;
    accept();
}
