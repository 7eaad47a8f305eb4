// Dialogs behind the inspector's "..." buttons. Both built-in dialogs run through the
// prompt seam, so tests answer them like any other modal dialog.
#include "app/inspector/inspectordialogs.h"

#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/gdi.h"

#include <QFileDialog>
#include <QFontDialog>

#include <map>

namespace kes
{
namespace
{

std::map<std::uint8_t, RowDialog>& Dialogs()
{
    static std::map<std::uint8_t, RowDialog> dialogs;
    return dialogs;
}

} // namespace

QFont ToQFont(const TFont& f)
{
    QFont q(AnsiToQString(f.Name));
    q.setPointSize(f.Size > 0 ? f.Size : 8);
    q.setBold(f.Style & fsBold);
    q.setItalic(f.Style & fsItalic);
    q.setUnderline(f.Style & fsUnderline);
    q.setStrikeOut(f.Style & fsStrikeOut);
    return q;
}

void RegisterRowDialog(std::uint8_t propType, RowDialog dialog)
{
    if (dialog)
        Dialogs()[propType] = std::move(dialog);
    else
        Dialogs().erase(propType);
}

const RowDialog* FindRowDialog(std::uint8_t propType)
{
    auto it = Dialogs().find(propType);
    return it == Dialogs().end() ? nullptr : &it->second;
}

bool ChooseFont(QWidget* parent, TFont& font, const QString& dialogName)
{
    QFontDialog dlg(ToQFont(font), parent);
    dlg.setObjectName(dialogName);
    if (ExecModal(&dlg) != QDialog::Accepted)
        return false;
    const QFont q = dlg.selectedFont();
    font.Name = QStringToAnsi(q.family());
    if (q.pointSize() > 0)
        font.Size = q.pointSize();
    font.Style = static_cast<std::uint8_t>((q.bold() ? fsBold : 0) | (q.italic() ? fsItalic : 0)
        | (q.underline() ? fsUnderline : 0) | (q.strikeOut() ? fsStrikeOut : 0));
    return true;
}

bool ChooseBitmapFile(QWidget* parent, QString& fileName)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("OpenBmpDlg"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(QStringLiteral("Bitmaps (*.bmp)"));
    dlg.setDefaultSuffix(QStringLiteral("bmp"));
    if (!fileName.isEmpty())
        dlg.selectFile(fileName);
    if (ExecModal(&dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    fileName = dlg.selectedFiles().front();
    return true;
}

} // namespace kes
