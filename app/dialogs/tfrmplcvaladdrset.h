#pragma once
// TFrmPLCValAddrSet: one controller word the panel writes to. Mode 1004 edits the system's
// clock write (the word linked to the panel's calendar clock), mode 1006 the active page's
// page-number write (the word that receives the number of the page shown). OK stores the
// address, Cancel switches the setting off, Close leaves it as it was.
#include "app/dialogs/wordrefdialog.h"

struct PLCValSetRec;

class TFrmPLCValAddrSet : public kes::WordRefDialog {
public:
    static constexpr int kClockMode = 1004;
    static constexpr int kPgNumWriteMode = 1006;

    TFrmPLCValAddrSet(kes::DialogContext& ctx, QWidget* owner);
    ~TFrmPLCValAddrSet() override;

    // 1004 or 1006; openers may give it as the property "RecordMode" instead.
    int Mode = kClockMode;

    void BtnCancelClick() override;

protected:
    void LoadFields() override;
    kes::Check Validate() override;
    void Store() override;

private:
    // The record of the mode; null for the page-number write without an active page.
    PLCValSetRec* Record() const;
};
