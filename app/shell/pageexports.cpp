#include "app/shell/pageexports.h"

#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/project/pageexport.h"
#include "app/shell/tkhm.h"
#include "app/ui/codepageguard.h"
#include "app/ui/errortext.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "objects/tlxobj.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>

#include <vector>

namespace kes {

namespace {

constexpr int kMsgWriteFailed = 475;
constexpr int kMsgNotOpened = 720; // written, but no program could be started to open it
constexpr int kMsgTextFiles = 782; // "Text file (*.txt)": the file dialog's filter
constexpr int kMsgBmpFiles = 783;  // "BMP file (*.BMP)"

// The page the exports read: the current page window while it holds its objects.
THmPage* CurrentPage(TKhm& khm)
{
    THmPage* page = khm.PageEd->Current();
    return khm.View.EditMode == kes::Editing::Pages && page && page->Live() ? page : nullptr;
}

// The save dialog, through the window's prompt (tests choose the file); empty when cancelled.
std::string AskSaveFile(TKhm& khm, const char* name, const QString& filter, const QString& suffix,
                        const std::string& suggested)
{
    QFileDialog dlg(&khm);
    dlg.setObjectName(QLatin1String(name));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(filter);
    dlg.setDefaultSuffix(suffix);
    if (!khm.BmpDlg.InitialDir.empty())
        dlg.setDirectory(AnsiToQString(khm.BmpDlg.InitialDir));
    dlg.selectFile(AnsiToQString(suggested));
    if (ExecModal(khm.Ask(), &dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    const QString chosen = dlg.selectedFiles().front();
    if (!PathFitsCodePage(chosen, khm.Ask(), &khm))
        return {};
    return QStringToAnsi(chosen);
}

bool WriteReported(Prompt& prompt, const std::string& path, std::string_view bytes)
{
    FileError error;
    if (WriteFileAtomic(path, bytes, &error))
        return true;
    ShowError(prompt, Msg(kMsgWriteFailed) + QStringLiteral("\n") + FileErrorText(error));
    return false;
}

// The path written, empty when the dialog was cancelled or the write failed (and was said).
std::string SaveText(TKhm& khm, const char* dialog, const std::string& suggested, const std::string& text)
{
    const std::string path = AskSaveFile(khm, dialog, Msg(kMsgTextFiles), QStringLiteral("txt"), suggested);
    return !path.empty() && WriteReported(khm.Ask(), path, text) ? path : std::string();
}

// The page's picture at panel resolution (its own grid).
TBitmap PanelPictureOf(THmPage& page)
{
    page.DrawPageSnapshot();
    return PanelPicture(page.SnapBmp(), page.Data().GridWidth, page.Data().GridHeight);
}

} // namespace

QImage PageWindowPicture(TEditPage& page)
{
    page.DrawPageSnapshot();
    const QImage& snap = page.SnapBmp().Image();
    if (snap.isNull())
        return {};
    // Each picture pixel becomes a zoom x zoom block: the page as its window shows it.
    return snap.scaled(page.ClientWidth(), page.ClientHeight(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

void MmImageToClipBrdClick(TKhm& khm)
{
    // The screen being edited: the current page, the start-up screen or a user-menu screen.
    TEditPage* page = CurrentPage(khm);
    if (khm.View.EditMode != kes::Editing::Pages && khm.Screens)
        page = khm.Screens->Editor(khm.View.EditMode);
    if (page)
        QGuiApplication::clipboard()->setImage(PageWindowPicture(*page));
}

void MmImageToFileClick(TKhm& khm)
{
    THmPage* page = CurrentPage(khm);
    if (!page)
        return;
    const std::string path = AskSaveFile(khm, "SaveBmp", Msg(kMsgBmpFiles), QStringLiteral("BMP"), {});
    if (path.empty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PageWindowPicture(*page).save(&buffer, "BMP");
    WriteReported(khm.Ask(), path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void MmObjBmpSaveClick(TKhm& khm)
{
    THmPage* page = CurrentPage(khm);
    if (!page || !page->Data().CurObj)
        return;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(page->Data().CurObj->BmpSizeGet(), 0)));
    page->Data().CurObj->BmpDataGet(bytes);
    SaveText(khm, "SaveTxt", "aa.txt", HexList(bytes, true));
}

void MmPageSaveClick(TKhm& khm)
{
    if (THmPage* page = CurrentPage(khm))
        SaveText(khm, "SaveTxt", "Page.txt", HexList(PageBands(PanelPictureOf(*page)), true));
}

void MmPage1SaveClick(TKhm& khm)
{
    THmPage* page = CurrentPage(khm);
    if (!page)
        return;
    const std::string path = SaveText(khm, "SaveTxt", "Page1.txt", HexList(PackedRows(PanelPictureOf(*page)), false));
    if (path.empty() || !khm.FileOpen)
        return;
    const QString file = AnsiToQString(path);
    if (!khm.FileOpen->Open(file))
        ShowError(khm.Ask(), Msg(kMsgNotOpened) + QStringLiteral("\n") + file);
}

void InstallPageExports(TKhm& khm)
{
    khm.Wire("MmImageToClipBrd", [&khm] { MmImageToClipBrdClick(khm); });
    khm.Wire("MmImageToFile", [&khm] { MmImageToFileClick(khm); });
    khm.Wire("MmObjBmpSave", [&khm] { MmObjBmpSaveClick(khm); });
    khm.Wire("MmPageSave", [&khm] { MmPageSaveClick(khm); });
    khm.Wire("MmPage1Save", [&khm] { MmPage1SaveClick(khm); });
}

} // namespace kes
