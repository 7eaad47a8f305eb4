// The page popup's commands: its page-setting items, each opening the page's settings
// dialog (none while the panel has no room for another device-linked record).
#include "app/editor/thmpage.h"

#include "app/dialogs/formrunner.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/project/prjcheck.h"
#include "app/ui/commandpanel.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

#include <algorithm>

namespace {

constexpr int kMsgLinkedRecordsFull = 299; // more than 68 device-linked records
constexpr int kSysRecTagBase = 1002;       // the main menu's buzzer and lamp items carry 1002, 1003

} // namespace

// ---- Page settings

void THmPage::ChkHideSetClick()
{
    if (kes::CountLinkedRecords(host_.Doc(), &Data()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(host_.Ask(), kMsgLinkedRecordsFull);
        SetPopChecked("ChkHideSet", Data().PgHide.Hide != 0);
        return;
    }
    host_.HideClick();
}

void THmPage::PopFunKeySetClick()
{
    host_.Doc().EditScope = 0;
    host_.Forms().Run(host_.Ask(), "TFunKeySet", host_.Window());
}

void THmPage::PopBuzzerSetClick(QAction* sender)
{
    if (kes::CountLinkedRecords(host_.Doc(), &Data()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(host_.Ask(), kMsgLinkedRecordsFull);
        return;
    }
    int index = sender->property("Tag").toInt();
    if (index >= kSysRecTagBase)
        index -= kSysRecTagBase;
    const QString caption = kes::CaptionText(sender->text());
    host_.Doc().EditScope = 0;
    // The dialog reads which record it edits (0 buzzer, 1 alarm lamp) from "RecordIndex".
    host_.Forms().Run(host_.Ask(), "TSysSet", host_.Window(), &caption,
                      [index](QDialog& d) { d.setProperty("RecordIndex", index); });
}

void THmPage::PopPgPageWriteSetClick()
{
    if (kes::CountLinkedRecords(host_.Doc(), &Data()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(host_.Ask(), kMsgLinkedRecordsFull);
        return;
    }
    host_.PageNumWriteClick();
}
