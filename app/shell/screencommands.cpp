#include "app/shell/screencommands.h"

#include "app/editor/pageeditor.h"
#include "app/editor/screeneditor.h"
#include "app/editor/tformfullscreen.h"
#include "app/editor/thmpage.h"
#include "app/editor/timagepage.h"
#include "app/project/memimage.h"
#include "app/project/prjio.h"
#include "app/project/ui/prjcommands.h"
#include "app/project/ui/tlxtype.h"
#include "app/project/usermenu.h"
#include "app/shell/tkhm.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

namespace kes {

namespace {

constexpr int kMsgUserMenuClosed = 131;  // "User Menu Mode can not be opened."
constexpr int kMsgUserMenuLost = 86;     // "File 'UserMenu.men' was lost, ..."
constexpr int kMsgUserMenuDamaged = 484; // "The user menu file is damaged and was not opened:"

// The user menu's name: its menu item's caption.
QString UserMenuName(TKhm& k)
{
    const QAction* item = k.Action("MmMenuSet");
    return item ? CaptionText(item->text()) : QString();
}

// The screens of a parsed file into the project and their windows, in file order; the first
// window, or null.
TImagePage* OpenScreens(TKhm& k, const ParsedUserMenu& m)
{
    const QString name = UserMenuName(k);
    TImagePage* first = nullptr;
    for (std::size_t n = 0; n < m.Screens.size(); ++n) {
        k.Doc.UserMenuOffsetList.push_back(std::to_string(m.Ranges[n].first));
        k.Doc.ImagePgDataList.push_back(std::make_unique<PgDataStr>());
        k.Doc.ImagePgDataList.back()->Data = m.Screens[n];
        TImagePage* page =
            k.Screens->AddMenuScreen(static_cast<int>(n), name + QStringLiteral("-") + QString::number(n));
        first = first ? first : page;
    }
    const std::uint32_t end = m.Ranges.empty() ? 0 : m.Ranges.back().second;
    k.Doc.UserMenuOffsetList.push_back(std::to_string(end));
    k.Doc.MemImageLen = static_cast<std::int32_t>(end);
    return first;
}

} // namespace

void OpenUserMenu(TKhm& k, int panelModelIndex)
{
    if (!k.CloseProjectQuery())
        return;
    const std::string path = UserMenuReadPath(k.Doc, panelModelIndex);
    k.CloseProject();
    if (path.empty() || !FileExists(path)) {
        ShowError(k.Ask(), Msg(kMsgUserMenuClosed) + QStringLiteral("\n\n") + Msg(kMsgUserMenuLost));
        return;
    }
    // The model is the file's, applied only now that the project is closed.
    k.View.EditMode = kes::Editing::UserMenu;
    k.Doc.PanelModelIndex = static_cast<std::int16_t>(panelModelIndex);
    Bytes file;
    std::uint64_t size = 0;
    ParsedUserMenu m;
    FileError read;
    ProjectError e = ReadFileLimited(path, kMaxUserMenuFileBytes, file, &size, &read) ? ParseUserMenuFile(file, m)
                                                                                      : ProjectError::CannotRead;
    // Bytes past what was read are a tail only when zeros ran up to there.
    if (e == ProjectError::None && size > file.size() && m.TailAt == file.size()) {
        e = ProjectError::TooLarge;
        read = {FileOp::Read, FileFault::TooLarge, path, 0, kMaxUserMenuFileBytes};
    }
    if (e == ProjectError::None && m.PanelModelIndex != panelModelIndex)
        e = ProjectError::Damaged;
    // Junk in the head would open as a blank controller, and a keypad type draws no screens.
    if (e == ProjectError::None && k.LxType && !k.LxType->MachineIds.empty() &&
        !UserMenuMachine(*k.LxType, m.MachineId))
        e = ProjectError::UnknownModel;
    QString detail;
    if (e == ProjectError::None) {
        k.Doc.MachineId = m.MachineId;
        if (k.LxType) {
            k.LxType->SelectMachine();
            k.LxType->LoadModelData();
        }
        ResetMemoryImage(k.Doc);
        k.Doc.PrjVersion = m.Version;
        k.Doc.HmiUnitAddr = m.HmiUnitAddr;
        e = CheckUserMenu(m, k.Doc, k.LxType ? k.LxType->PanelWidth : 0, k.LxType ? k.LxType->PanelHeight : 0);
    }
    // A screen that does not read would show as an empty one.
    if (e == ProjectError::None && k.LxType) {
        const ScreenRead r = FirstUnreadScreen(m, PageEnv(k.Doc, *k.LxType));
        if (r.Screen < m.Screens.size()) {
            e = ProjectError::ScreenDamaged;
            detail = QStringLiteral(": %1 %2, %3 (%4)")
                         .arg(Msg(kMsgScreenNumber))
                         .arg(r.Screen)
                         .arg(r.Read.Position)
                         .arg(DecodeErrorText(r.Read.Error));
        }
    }
    TImagePage* first = e == ProjectError::None ? OpenScreens(k, m) : nullptr;
    if (e != ProjectError::None)
        ShowError(k.Ask(), Msg(kMsgUserMenuDamaged) + QStringLiteral("\n") + AnsiToQString(path) +
                               QStringLiteral("\n") + ProjectErrorText(e, read) + detail);
    else if (m.TailAt < size)
        ShowError(k.Ask(), Msg(kMsgLeftOut) + QStringLiteral("\n") +
                               LeftOutText(ZeroTail(path, size - m.TailAt, size == file.size())));
    TitleUserMenu(k);
    k.FormActivate();
    k.SetItemEnabled("MmClosePrj", true);
    // The first screen is current, after the main window's state.
    if (first) {
        k.Screens->Show(first);
        first->FormActivate();
    }
}

void TitleUserMenu(TKhm& k)
{
    const QString name = UserMenuName(k);
    k.setWindowTitle(AnsiToQString(k.Doc.CaptionPrefix) + name);
    if (k.Screens)
        k.Screens->TitleMenuScreens(name);
}

void MmFullScreenClick(TKhm& k, const QAction* sender)
{
    TEditPage* page = nullptr;
    if (THmPage* current = k.PageEd->Current(); k.View.EditMode == kes::Editing::Pages && current && current->Live()) {
        page = current;
    } else if (k.View.EditMode == kes::Editing::StartScreen) {
        // The start-up screen shows its own objects: the window's, else its stored ones.
        k.Screens->StoreStartScreen();
        page = k.Screens->FirstPage();
    }
    if (!page)
        return;
    TFormFullScreen form(&k);
    form.setProperty("Tag", sender ? sender->property("Tag").toInt() : 0);
    form.SetPicture(PagePicture(*page));
    if (k.View.EditMode == kes::Editing::Pages)
        form.DrawIoPoints(*page);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        form.setGeometry(screen->geometry());
    ExecModal(k.Ask(), &form);
}

void MmStartPgClick(TKhm& k)
{
    if (!k.Doc.Opened)
        return;
    k.FirstPageWin = k.Screens->OpenStartScreen();
    k.FormActivate();
}

void MmLxeClick(TKhm& k)
{
    if (!k.PageEd->Pages().empty()) {
        k.View.EditMode = kes::Editing::Pages;
        THmPage* page = k.PageEd->Current() ? k.PageEd->Current() : k.PageEd->Pages().front();
        k.PageEd->ShowPage(page);
    } else if (!k.Doc.PgDataList.empty()) {
        k.View.EditMode = kes::Editing::Pages;
        k.PageEd->LoadPageWindow(0);
    } else {
        // No page at all: the page list, to add one.
        k.MmViewPgClick();
    }
    k.FormActivate();
}

void InstallScreenCommands(TKhm& k)
{
    k.Wire("MmStartPg", [&k] { MmStartPgClick(k); });
    k.Wire("MmLxe", [&k] { MmLxeClick(k); });
    k.Wire("LX041", [&k] { OpenUserMenu(k, 0); });
    k.Wire("LX021", [&k] { OpenUserMenu(k, 1); });
    for (const char* name : {"MmFullScreen", "MmFullScrnNpoint"}) {
        const QAction* item = k.Action(name);
        k.Wire(name, [&k, item] { MmFullScreenClick(k, item); });
    }
}

} // namespace kes
