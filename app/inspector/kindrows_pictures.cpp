// Rows of the static picture (kind 5).
#include "app/inspector/kindrows.h"

#include "app/model/lxtypecore.h"
#include "objects/tstbmp.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QFile>

namespace kes
{

// Row 5: the picture file.
void ReadStBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TStBmp&>(obj);
    SetBmpFileRow(&rows.BmpFile(5), AnsiToQString(b.FileName), b.Picture.Width(), b.Picture.Height());
}

// The picture is loaded only when another, existing file was chosen: a project keeps no
// file name for this kind, and reloading on every edit would fail or take in a changed file.
void WriteStBmpRows(KindRowContext& rows, TLxObj& obj)
{
    auto& b = static_cast<TStBmp&>(obj);
    const QString name = rows.BmpFile(5).FileName;
    if (name.isEmpty() || name == AnsiToQString(b.FileName))
        return;
    const std::string path = QFile::encodeName(name).toStdString();
    if (!FileExists(path))
        return;
    if (b.BmpLoad(path, rows.Model.PanelWidth, rows.Model.PanelHeight))
        b.FileName = QStringToAnsi(name);
}

} // namespace kes
