#include "app/dialogs/tfrmplcvaladdrset.h"

#include "app/model/projectstate.h"
#include "app/project/pagedata.h"
#include "objects/addrmode.h"

#include <QLineEdit>
#include <QPushButton>

using kes::FailMsg;

namespace {

constexpr int kMsgAddress = 17;
constexpr int kMsgLength = 104;

} // namespace

TFrmPLCValAddrSet::TFrmPLCValAddrSet(kes::DialogContext& ctx, QWidget* owner)
    : WordRefDialog(ctx, owner, "FrmPLCValAddrSet", QStringLiteral("Controller Word"), QStringLiteral("Word Device"))
{}

TFrmPLCValAddrSet::~TFrmPLCValAddrSet() = default;

PLCValSetRec* TFrmPLCValAddrSet::Record() const
{
    if (Mode == kPgNumWriteMode)
        return Ctx().Page ? &Ctx().Page->PgNumWrite : nullptr;
    return &Ctx().State.SysClockWrite;
}

void TFrmPLCValAddrSet::LoadFields()
{
    if (const QVariant v = property("RecordMode"); v.isValid())
        Mode = v.toInt() == kPgNumWriteMode ? kPgNumWriteMode : kClockMode;
    const PLCValSetRec* rec = Record();
    // Without a page there is nothing to edit: only Close is left.
    kes::SetEnabled({DevRefTxt, RefBtn, BtnOK, BtnCancel}, rec != nullptr);
    if (const QString caption = Ctx().MenuCaptionOf(Mode == kPgNumWriteMode ? "MmPgPageWriteSet" : "MmClock");
        !caption.isEmpty())
        setWindowTitle(caption);
    if (!rec)
        return;
    ShowWord(rec->Ref);
}

kes::Check TFrmPLCValAddrSet::Validate()
{
    const auto access = ref_->Validate(kes::kWordFlags, 0);
    if (!access)
        return FailMsg(kMsgAddress);
    // The record holds a 16-bit word only.
    if (*access != 0)
        return FailMsg(kMsgLength);
    return std::nullopt;
}

void TFrmPLCValAddrSet::Store()
{
    if (PLCValSetRec* rec = Record())
        ref_->StoreTo(rec->Ref, kes::kWordFlags);
}

void TFrmPLCValAddrSet::BtnCancelClick()
{
    PLCValSetRec* rec = Record();
    if (!rec)
        return;
    rec->Ref.DevAddrCode = -1;
    Ctx().MarkModified();
    accept();
}
