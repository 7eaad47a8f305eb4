// The main window's side of the settings file Lxe.ini: what is taken from it at creation and
// what is written at every project close.
#include "app/shell/tkhm.h"

#include "app/comm/linkport.h"
#include "app/comm/portnames.h"
#include "app/print/objdatadb.h"
#include "app/print/objdataexport.h"
#include "app/project/usermenu.h"
#include "app/shell/lxeini.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/screenfit.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <algorithm>

void TKhm::ApplyLxeSettings(const kes::LxeSettings& s)
{
    Doc.PrjVersion = static_cast<std::uint32_t>(s.Version);
    kes::LinkPortSettings& port = MMICom->Settings();
    if (!s.ComPort.empty()) {
        port.name = s.ComPort;
        ComNumber = static_cast<std::uint16_t>(kes::PortNumberOf(port.name, kes::SerialPortNames()));
    } else {
        EnumSerialPorts(s.ComNumber);
    }
    port.baud = s.Baud;
    port.parity = kes::LinkParity::Even;
    port.stopBits = 1;
    port.dataBits = 7;
    // Inside the screen; a larger screen's size stays in the file until the user resizes.
    if (s.Width > 0 && s.Height > 0)
        resize(kes::FitRestoredSize(Desktop(), this, QSize(s.Width, s.Height)));
    switch (s.WindowState) {
    case 1:
        setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        setWindowState(Qt::WindowMaximized);
        break;
    default:
        setWindowState(Qt::WindowNoState);
        break;
    }
    OpenDlg.InitialDir = s.Path;
    BmpDlg.InitialDir = s.BmpPath;
    Doc.RecentFiles = s.RecentFiles;
    if (!s.FontName.empty())
        setFont(QFont(kes::AnsiToQString(s.FontName), s.FontSize > 0 ? s.FontSize : font().pointSize()));
    Doc.AutoSave = s.AutoSave ? 1 : 0;
    Doc.SaveTimeInterval = s.SaveTimeInterval;
}

kes::LxeSettings TKhm::CollectLxeSettings() const
{
    kes::LxeSettings s;
    s.Version = static_cast<int>(Doc.DataVersion);
    s.ComNumber = ComNumber;
    s.ComPort = MMICom->Settings().name;
    s.Baud = MMICom->Settings().baud;
    s.WindowState = (windowState() & Qt::WindowMinimized) ? 1 : (windowState() & Qt::WindowMaximized) ? 2 : 0;
    // The size of the normal window, also when it is maximized or minimized now.
    const QRect normal = normalGeometry();
    const bool useNormal = s.WindowState != 0 && normal.isValid() && !normal.isEmpty();
    const QSize kept = kes::SizeToStore(this, useNormal ? normal.size() : size());
    s.Width = kept.width();
    s.Height = kept.height();
    s.Path = OpenDlg.InitialDir;
    s.BmpPath = BmpDlg.InitialDir;
    s.RecentFiles = Doc.RecentFiles;
    if (s.RecentFiles.size() > static_cast<std::size_t>(kes::kMaxRecentFiles))
        s.RecentFiles.resize(kes::kMaxRecentFiles);
    s.FontName = kes::QStringToAnsi(font().family());
    s.FontSize = font().pointSize();
    s.AutoSave = Doc.AutoSave != 0;
    s.SaveTimeInterval = Doc.SaveTimeInterval;
    s.Language = chosenLanguage_;
    return s;
}

bool TKhm::WriteLxeIni()
{
    // The window keeps its state: the file holds the normal size whatever the state.
    const kes::LxeSettings s = CollectLxeSettings();
    const std::string path = Doc.SettingsDir().empty() ? std::string("Lxe.ini") : Doc.SettingsDir() + "Lxe.ini";
    kes::FileError error;
    if (kes::WriteLxeIni(path, s, &error))
        return true;
    kes::ShowError(Ask(), kes::Msg(kes::kMsgSettingsNotSaved) + QStringLiteral("\n") + kes::FileErrorText(error));
    return false;
}

void TKhm::RemoveWriteLeftovers()
{
    const std::string& dir = Doc.SettingsDir();
    kes::RemoveStaleTemporaries({dir + "Lxe.ini", dir + "Loc.ini", LocIniPath(), kes::UserMenuWritePath(Doc, 0),
                                 kes::UserMenuWritePath(Doc, 1), kes::ObjDataDbPath(Doc),
                                 kes::WorkbookScratchBase(Doc)});
}

void TKhm::EnumSerialPorts(int com)
{
    const QStringList ports = kes::SerialPortNames();
    std::string& name = MMICom->Settings().name;
    name = kes::PortForNumber(com, name, ports);
    ComNumber = static_cast<std::uint16_t>(kes::PortNumberOf(name, ports));
}
