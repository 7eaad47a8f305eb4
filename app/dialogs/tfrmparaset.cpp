#include "app/dialogs/tfrmparaset.h"

#include "app/dialogs/updown.h"
#include "app/model/projectstate.h"
#include "app/ui/prompt.h"
#include "objects/addrmode.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using kes::FailMsg;

namespace {

constexpr int kMsgAddress = 17;
constexpr int kMsgReplaceJumps = 303;

} // namespace

TFrmParaSet::TFrmParaSet(kes::DialogContext& ctx, QWidget* owner)
    : WordRefDialog(ctx, owner, "FrmParaSet", QStringLiteral("Parameter Setting"), QStringLiteral("Register Dn"))
{
    StateRange_Lab = NewLabel(this, "StateRange_Lab", QStringLiteral("Words"));
    EditStateRange = NewEdit(this, "EditStateRange");
    EditStateRange->setText(QStringLiteral("2"));
    UD_StateRange = new kes::TUpDown(this);
    UD_StateRange->setObjectName(QStringLiteral("UD_StateRange"));
    UD_StateRange->Min = 1;
    UD_StateRange->Max = 16;
    UD_StateRange->Position = 2;
    kes::SetEnabled({EditStateRange, UD_StateRange}, false);
    Label_Dn = NewLabel(this, "Label_Dn", QStringLiteral("Dn: the page the panel shows"));
    Label_Dn1 = NewLabel(this, "Label_Dn1", QStringLiteral("Dn+1: the backlight"));
    Rows()->addLayout(kes::RowOf({StateRange_Lab, EditStateRange, UD_StateRange}));
    Rows()->addWidget(Label_Dn);
    Rows()->addWidget(Label_Dn1);
}

TFrmParaSet::~TFrmParaSet() = default;

void TFrmParaSet::LoadFields() { ShowWord(Ctx().State.ParaDataSet.Ref); }

void TFrmParaSet::BtnOKClick()
{
    switch (kes::ShowMessage(Ctx().Ask, Msg(kMsgReplaceJumps), kes::Buttons::YesNoCancel)) {
    case kes::Answer::Yes:
        OkBtnClick();
        return;
    case kes::Answer::No:
        QDialog::reject();
        return;
    default:
        return;
    }
}

kes::Check TFrmParaSet::Validate()
{
    DevRefTxt->setText(DevRefTxt->text().trimmed());
    if (!ref_->Validate(kes::kWordFlags, 0))
        return FailMsg(kMsgAddress);
    return std::nullopt;
}

void TFrmParaSet::Store()
{
    ref_->StoreTo(Ctx().State.ParaDataSet.Ref, kes::kWordFlags);
    if (Ctx().ClearAllPgJumps)
        Ctx().ClearAllPgJumps();
}

void TFrmParaSet::BtnCancelClick()
{
    ParaDataSetRec& p = Ctx().State.ParaDataSet;
    p.Ref.DevAddrCode = -1;
    p.RegisterCount = 2;
    Ctx().MarkModified();
    if (Ctx().SetMenuEnabled)
        for (const char* item : {"MmSysPgChgSet", "MmPgJump"})
            Ctx().SetMenuEnabled(item, true);
    accept();
}
