#include "app/dialogs/wordrefdialog.h"

#include "decoder/pgsetrec.h"
#include "objects/addrmode.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kes {

WordRefDialog::WordRefDialog(DialogContext& ctx, QWidget* owner, const char* formName, const QString& title,
                             const QString& label)
    : SettingsDialog(ctx, owner, formName)
{
    setWindowTitle(title);
    DevRef_Lab = NewLabel(this, "DevRef_Lab", label);
    auto* addr = NewAddressRow(this, "DevRefTxt", DevRefTxt, "RefBtn", RefBtn);
    BtnOK = NewButton(this, "BtnOK", QStringLiteral("OK"));
    BtnOK->setDefault(true);
    BtnCancel = NewButton(this, "BtnCancel", QStringLiteral("Clear"));
    BtnClose = NewButton(this, "BtnClose", QStringLiteral("Close"));
    rows_ = new QVBoxLayout;
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(DevRef_Lab);
    lay->addLayout(addr);
    lay->addLayout(rows_);
    lay->addLayout(RowOf({BtnOK, BtnCancel, BtnClose}, true));
    ref_ = std::make_unique<AddressField>(ctx, DevRefTxt, RefBtn);
    OnClicked(RefBtn, [this] { RefBtnClick(); });
    OnClicked(BtnOK, [this] { BtnOKClick(); });
    OnClicked(BtnCancel, [this] { BtnCancelClick(); });
    OnClicked(BtnClose, [this] { BtnCloseClick(); });
}

void WordRefDialog::ShowWord(const DevRefHead& ref)
{
    ref_->LoadCompanion(ref);
    ref_->SetText(ref_->FormatOrDefault(ref.DevAddrCode, kes::kWordFlags, 0, ref.BitIndex));
}

} // namespace kes
