#include "app/ui/fontchoice.h"

#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "platform/gdi.h"

#include <QFontDialog>

namespace kes {

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

bool ChooseFont(Prompt& prompt, QWidget* parent, TFont& font, const QString& dialogName)
{
    QFontDialog dlg(ToQFont(font), parent);
    dlg.setObjectName(dialogName);
    if (ExecModal(prompt, &dlg) != QDialog::Accepted)
        return false;
    const QFont q = dlg.selectedFont();
    font.Name = QStringToAnsi(q.family());
    if (q.pointSize() > 0)
        font.Size = q.pointSize();
    font.Style = static_cast<std::uint8_t>((q.bold() ? fsBold : 0) | (q.italic() ? fsItalic : 0) |
                                           (q.underline() ? fsUnderline : 0) | (q.strikeOut() ? fsStrikeOut : 0));
    return true;
}

} // namespace kes
