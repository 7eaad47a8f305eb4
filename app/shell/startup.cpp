#include "app/shell/startup.h"

#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "app/shell/tlogo.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/screenfit.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

namespace kes {
namespace {

// A file named on the command line that is not read: the message, then the file and why.
constexpr int kMsgNotOpenedAtStart = 980;
constexpr int kMsgNoSuchFile = 981;
constexpr int kMsgIsAFolder = 982;
constexpr int kMsgNoPlainFile = 983;
constexpr int kMsgMayNotRead = 984;
constexpr int kMsgDoesNotOpen = 985;

int WhyNotRead(PathKind at)
{
    switch (at) {
    case PathKind::Nothing:
        return kMsgNoSuchFile;
    case PathKind::Folder:
        return kMsgIsAFolder;
    case PathKind::NoPlainFile:
        return kMsgNoPlainFile;
    case PathKind::NoAccess:
        return kMsgMayNotRead;
    case PathKind::Plain:
    case PathKind::Unreadable:
        break;
    }
    return kMsgDoesNotOpen;
}

} // namespace

std::string CommandLinePath(const QStringList& arguments) { return QStringToAnsi(arguments.join(QLatin1Char(' '))); }

Started StartUp(ProjectDoc& doc, const StartupOptions& options)
{
    QApplication::setApplicationName(QStringLiteral("Kestrova"));
    auto* khm = new TKhm(doc, options);
    khm->LxType = new TLxType(khm, khm->Ask(), doc);
    khm->setWindowTitle(QStringLiteral("Kestrova"));
    if (khm->windowState() == Qt::WindowNoState) {
        // Centred with its frame, and its title bar inside the screen.
        const QRect area = khm->Desktop().Of(QRect(), khm);
        const QSize frame = khm->size().grownBy(FrameAllowance(khm));
        khm->move(
            FitInside(QRect(area.center() - QPoint(frame.width() / 2, frame.height() / 2), frame), area).topLeft());
    }
    QApplication::setWindowIcon(QIcon(AnsiToQString(khm->Doc.AppDir + "Kestro.ico")));

    // The splash stays up while start-up goes on and then removes itself; nothing waits for it.
    QPointer<QWidget> splash;
    if (options.splashMillis > 0) {
        auto* logo = new TLogo;
        splash = logo;
        logo->show();
        logo->repaint();
        QTimer::singleShot(options.splashMillis, logo, [logo] {
            logo->hide();
            logo->deleteLater();
        });
        QObject::connect(khm, &QObject::destroyed, logo, [logo] { delete logo; });
    }

    // Once the main window shows: its captions are read then, and a damaged caption file with them.
    QTimer::singleShot(0, khm, [khm] { ReportFileProblems(khm->Ask()); });

    khm->OpenDlg.FileName.clear();
    const std::string path = CommandLinePath(options.arguments);
    if (!path.empty()) {
        // Only a plain file is read (a FIFO is not waited on); anything else is said, and the
        // program runs without a project.
        const PathKind at = WhatLiesAt(path);
        if (at == PathKind::Plain)
            khm->OpenDlg.FileName = path;
        else
            ShowError(khm->Ask(), Msg(kMsgNotOpenedAtStart) + QLatin1Char('\n') + AnsiToQString(path) +
                                      QLatin1Char('\n') + Msg(WhyNotRead(at)));
    }
    if (!khm->OpenDlg.FileName.empty()) {
        khm->Doc.Modified = 0;
        if (khm->ReadProjectFiles()) {
            khm->Doc.Opened = 1;
            khm->Doc.Compiled = 1;
            khm->View.EditMode = kes::Editing::Pages;
            khm->LoadLayout();
            khm->AddRecentFile(khm->OpenDlg.InitialDir + "/" + khm->Doc.PrjName + khm->OpenDlg.DefaultExt);
            // As for any other open, the automatic working copy runs.
            khm->StartAutoSave();
            khm->FormActivate();
        }
    }
    return {khm, splash};
}

void ShutDown(TKhm* window)
{
    if (window) {
        delete window->LxType;
        window->LxType = nullptr;
    }
    delete window;
}

} // namespace kes
