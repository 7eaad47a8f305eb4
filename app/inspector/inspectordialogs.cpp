// Dialogs behind the inspector's "..." buttons. The picture-file dialog runs through the
// prompt it is handed, so tests answer it like any other modal dialog.
#include "app/inspector/inspectordialogs.h"

#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/gdi.h"

#include <QFileDialog>

namespace kes {

bool ChooseBitmapFile(Prompt& prompt, QWidget* parent, QString& fileName)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("OpenBmpDlg"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    constexpr int kMsgBitmapFiles = 781; // "Bitmaps (*.bmp)"
    dlg.setNameFilter(Msg(kMsgBitmapFiles));
    dlg.setDefaultSuffix(QStringLiteral("bmp"));
    if (!fileName.isEmpty())
        dlg.selectFile(fileName);
    if (ExecModal(prompt, &dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    fileName = dlg.selectedFiles().front();
    return true;
}

} // namespace kes
