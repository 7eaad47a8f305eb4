// The button settings form: its controls, their layout and their handlers' connections.
#include "app/dialogs/tbtnset.h"

#include "app/dialogs/btnactionpanel.h"
#include "app/dialogs/entryfields.h"
#include "app/dialogs/updown.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "objects/tlxbtn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QStringList kSurfaces = {"No Frame", "Single Frame", "Double Frame", "Circular Frame", "Hidden"};

using kes::NumberItems;

} // namespace

TBtnSet::TBtnSet(kes::DialogContext& ctx, QWidget* owner, TLxBtn& btn) : SettingsDialog(ctx, owner, "BtnSet"), btn_(btn)
{
    setWindowTitle(QStringLiteral("Button"));
    BuildForm();
    Action->SetStateCountControls({StaNum_Lab, StaNum_Txt, StaNum_UD});
    ConnectHandlers();
}

TBtnSet::~TBtnSet() = default;

void TBtnSet::BuildForm()
{
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildLeftColumn(), 3);
    columns->addWidget(BuildRightColumn(), 2);

    OkBtn = NewButton(this, "OkBtn", QStringLiteral("OK"));
    OkBtn->setDefault(true);
    CancelBtn = NewButton(this, "CancelBtn", QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);

    auto* lay = new QVBoxLayout(this);
    lay->addLayout(columns);
    lay->addLayout(buttons);
}

QWidget* TBtnSet::BuildLeftColumn()
{
    auto* col = new QWidget(this);
    auto* lay = new QVBoxLayout(col);
    lay->setContentsMargins(0, 0, 0, 0);
    Action = new kes::BtnActionPanel(Ctx(), col);
    lay->addWidget(Action);
    lay->addStretch();
    return col;
}

QWidget* TBtnSet::BuildRightColumn()
{
    auto* col = new QWidget(this);
    auto* grid = new QGridLayout(col);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;

    StaNum_Lab = NewLabel(col, "StaNum_Lab", QStringLiteral("States"));
    StaNum_Txt = NewEdit(col, "StaNum_Txt");
    StaNum_UD = kes::Named(new kes::TUpDown(col), "StaNum_UD");
    StaNum_UD->Min = 0;
    StaNum_UD->Max = 256;
    auto* count = new QHBoxLayout;
    count->setSpacing(0);
    count->addWidget(StaNum_Txt);
    count->addWidget(StaNum_UD);
    grid->addWidget(StaNum_Lab, row, 0);
    grid->addLayout(count, row++, 1);

    State_Lab = NewLabel(col, "State_Lab", QStringLiteral("State"));
    State_Box = NewFixedCombo(col, "State_Box", {});
    grid->addWidget(State_Lab, row, 0);
    grid->addWidget(State_Box, row++, 1);

    BtnTxt_Lab = NewLabel(col, "BtnTxt_Lab", QStringLiteral("Text"));
    Btn_Txt = NewEdit(col, "Btn_Txt");
    grid->addWidget(BtnTxt_Lab, row, 0);
    grid->addWidget(Btn_Txt, row++, 1);

    picture_ = std::make_unique<kes::PicturePanel>(col);
    PanelPic = picture_->PanelPic;
    ImgPic = picture_->ImgPic;
    LabPic = picture_->LabPic;
    grid->addWidget(PanelPic, row++, 0, 1, 2);
    grid->addWidget(LabPic, row++, 0, 1, 2);

    BmpRdBtn = NewButton(col, "BmpRdBtn", QStringLiteral("Picture..."));
    BtnBmpClear = NewButton(col, "BtnBmpClear", QStringLiteral("Clear Picture"));
    auto* pics = new QHBoxLayout;
    pics->addWidget(BmpRdBtn);
    pics->addWidget(BtnBmpClear);
    grid->addLayout(pics, row++, 0, 1, 2);

    RefKey_Chk = NewCheck(col, "RefKey_Chk", QStringLiteral("Function Key"));
    RefKey_Box = NewCombo(col, "RefKey_Box", kes::KeyItems());
    grid->addWidget(RefKey_Chk, row, 0);
    grid->addWidget(RefKey_Box, row++, 1);

    UserLevel_Lab = NewLabel(col, "UserLevel_Lab", QStringLiteral("User Level"));
    ComboBox_UserLevel = NewFixedCombo(col, "ComboBox_UserLevel", NumberItems(0, 4));
    grid->addWidget(UserLevel_Lab, row, 0);
    grid->addWidget(ComboBox_UserLevel, row++, 1);

    Font_Lab = NewLabel(col, "Font_Lab", QStringLiteral("Font"));
    Font_Box = NewFixedCombo(col, "Font_Box", kes::FontItems());
    grid->addWidget(Font_Lab, row, 0);
    grid->addWidget(Font_Box, row++, 1);

    SurFace_Lab = NewLabel(col, "SurFace_Lab", QStringLiteral("Frame"));
    BtnSurFace_Box = NewCombo(col, "BtnSurFace_Box", kSurfaces);
    grid->addWidget(SurFace_Lab, row, 0);
    grid->addWidget(BtnSurFace_Box, row++, 1);

    PassLab = NewLabel(col, "PassLab", QStringLiteral("Password"));
    PassTxt = NewEdit(col, "PassTxt");
    PassTxt->setEchoMode(QLineEdit::Password);
    PassLab->hide();
    PassTxt->hide();
    grid->addWidget(PassLab, row, 0);
    grid->addWidget(PassTxt, row++, 1);
    grid->setRowStretch(row, 1);
    return col;
}

void TBtnSet::ConnectHandlers()
{
    auto activated = [this](QComboBox* box, void (TBtnSet::*handler)()) {
        OnActivated(box, [this, handler] { (this->*handler)(); });
    };
    auto clicked = [this](QAbstractButton* b, void (TBtnSet::*handler)()) {
        OnClicked(b, [this, handler] { (this->*handler)(); });
    };
    activated(Action->BtnType_Box, &TBtnSet::BtnType_BoxChange);
    activated(Action->ValType_Box, &TBtnSet::ValType_BoxChange);
    activated(Action->ValLen_Box, &TBtnSet::ValLen_BoxChange);
    activated(State_Box, &TBtnSet::State_BoxChange);
    activated(BtnSurFace_Box, &TBtnSet::State_BoxChange);
    activated(RefKey_Box, &TBtnSet::RefKey_BoxChange);
    clicked(Action->RefWBtn, &TBtnSet::RefWBtnClick);
    clicked(Action->RefRBtn, &TBtnSet::RefRBtnClick);
    clicked(Action->Call_Btn, &TBtnSet::Call_BtnClick);
    clicked(Action->DevRd_Chk, &TBtnSet::DevRd_ChkClick);
    clicked(Action->Call_Chk, &TBtnSet::Call_ChkClick);
    clicked(Action->Bit_Rdo, &TBtnSet::Bit_RdoClick);
    clicked(Action->Val_Rdo, &TBtnSet::Val_RdoClick);
    clicked(Action->Lsb_Rdo, &TBtnSet::Lsb_RdoClick);
    clicked(BmpRdBtn, &TBtnSet::BmpRdBtnClick);
    clicked(BtnBmpClear, &TBtnSet::BtnBmpClearClick);
    clicked(RefKey_Chk, &TBtnSet::RefKey_ChkClick);
    clicked(OkBtn, &TBtnSet::OkBtnClick);
    clicked(CancelBtn, &TBtnSet::CancelBtnClick);
    QObject::connect(StaNum_Txt, &QLineEdit::textEdited, this, [this] { StaNum_TxtKeyUp(); });
    StaNum_UD->OnClick = [this](bool up) { StaNum_UDClick(up); };
    kes::WatchEdit(Btn_Txt,
                   {[this](int key) { Btn_TxtKeyUp(key); }, [this] { Btn_TxtClick(); }, [this] { Btn_TxtMouseUp(); }});
}

QString TBtnSet::PanelCaption() const { return picture_->Caption(); }

namespace kes {

bool RunBtnSet(DialogContext& ctx, TLxBtn& btn, QWidget* owner, const QString& caption)
{
    TBtnSet dlg(ctx, owner, btn);
    dlg.SetCaption(caption);
    const bool stored = ExecModal(ctx.Ask, &dlg) == QDialog::Accepted;
    return stored;
}

} // namespace kes
