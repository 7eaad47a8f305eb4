// The layout file Loc.ini: where the five tool bars and the two tool windows stand, whether
// they float and whether they are shown. Sections "ToolBar1".."ToolBar5", "TreeViewPage",
// "ObjInspector", and "MessageShow" (key "Float" only).
//
// Docked tool bars keep their rows and their order within a row; Qt's tool bar area places
// them itself, so the pixel offsets inside a row are written but only their order is restored.
#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/shell/tkhm.h"

#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/paneltoolwindow.h"
#include "app/ui/prompt.h"
#include "app/ui/screenfit.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMoveEvent>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace {

// Positions and sizes of Loc.ini: X11 coordinates are 16-bit, so anything past them is damage;
// a bounded value also keeps rectangle arithmetic from overflowing.
constexpr int kMaxCoord = 32767;
constexpr int kMaxSide = 16384;

int ReadPos(const kes::TIniFile& ini, const std::string& section, const char* key)
{
    return std::clamp(ini.ReadInteger(section, key, 0), -kMaxCoord, kMaxCoord);
}

int ReadSide(const kes::TIniFile& ini, const std::string& section, const char* key, int def)
{
    const int v = ini.ReadInteger(section, key, def);
    return v >= 0 && v <= kMaxSide ? v : def;
}

// A position or size no screen has: the file is damaged there.
bool DamagedRect(const kes::TIniFile& ini, const std::string& section)
{
    for (const char* key : {"Left", "Top"})
        if (const int v = ini.ReadInteger(section, key, 0); v < -kMaxCoord || v > kMaxCoord)
            return true;
    for (const char* key : {"Width", "Height"})
        if (const int v = ini.ReadInteger(section, key, 0); v < 0 || v > kMaxSide)
            return true;
    return false;
}

const char* const kToolBarSections[5] = {"ToolBar1", "ToolBar2", "ToolBar3", "ToolBar4", "ToolBar5"};

// The small window a floating tool bar lives in. Moved over the tool bar area of the main
// window, it gives the tool bar back to it; closed, it hides the tool bar.
class ToolBarFloatHost : public QWidget {
public:
    ToolBarFloatHost(TKhm* main, QToolBar* bar) : QWidget(main, Qt::Tool), main_(main), bar_(bar)
    {
        setObjectName(bar->objectName() + QStringLiteral("Float"));
        // Named as the tool bar is, in the language in force.
        setWindowTitle(bar->windowTitle());
        connect(bar, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(bar);
    }
    // Puts the window's client area (not its frame) at pos, as the file and the screen fitting
    // measure it. Moves made by the program (placing the window) do not dock it.
    void Place(const QPoint& pos)
    {
        placed_.start();
        setGeometry(QRect(pos, size()));
    }

protected:
    void moveEvent(QMoveEvent* event) override
    {
        QWidget::moveEvent(event);
        if (placed_.isValid() && placed_.elapsed() < 500)
            return;
        if (isVisible() && main_->isVisible() && main_->ToolBarAreaRect().contains(frameGeometry().topLeft()))
            QMetaObject::invokeMethod(
                main_, [m = main_, b = bar_] { m->DockToolBar(b); }, Qt::QueuedConnection);
    }
    void closeEvent(QCloseEvent* event) override
    {
        QWidget::closeEvent(event);
        bar_->hide();
    }

private:
    TKhm* main_;
    QToolBar* bar_;
    QElapsedTimer placed_;
};

// "Loc.ini" and "loc.ini" name one file; an existing file in any letter case is taken.
std::string FindLocIni(const std::string& folder)
{
    const QDir dir(folder.empty() ? QStringLiteral(".") : kes::AnsiToQString(folder));
    const QStringList found = dir.entryList({QStringLiteral("loc.ini")}, QDir::Files);
    for (const QString& name : found)
        if (name.compare(QLatin1String("loc.ini"), Qt::CaseInsensitive) == 0)
            return folder + name.toStdString();
    return {};
}

} // namespace

std::string TKhm::LocIniPath() const
{
    const std::string own = FindLocIni(Doc.SettingsDir());
    if (!own.empty())
        return own;
    const std::string path = Doc.SettingsDir() + "Loc.ini";
    // The user's own layout starts as the one shipped beside the program.
    if (!Doc.ConfigDir.empty()) {
        const std::string shipped = FindLocIni(Doc.AppDir);
        // Written anew, the copy is the user's to change, whatever the shipped file's permissions.
        // A copy that can not be written is said at the next report of file problems; the
        // layout then starts from the program's own.
        std::string text;
        kes::FileError error;
        if (!shipped.empty() && kes::ReadFileText(shipped, kes::kMaxIniBytes, text, nullptr) &&
            !kes::WriteFileAtomic(path, text, &error))
            kes::NoteFileProblem(path, kes::FileErrorText(error));
    }
    return path;
}

QRect TKhm::ToolBarAreaRect() const
{
    // The control bar: the strip under the menu bar holding the docked tool bars.
    int bottom = menuBar()->geometry().bottom() + 1;
    for (QToolBar* bar : {EditToolBar, ObjToolBar, GeomToolBar, PosTooBar, PostSetToolBar})
        if (!ToolBarFloats(bar) && !bar->isHidden() && toolBarArea(bar) == Qt::TopToolBarArea)
            bottom = std::max(bottom, bar->geometry().bottom() + 1);
    const int top = menuBar()->geometry().bottom() + 1;
    return QRect(mapToGlobal(QPoint(0, top)), QSize(width(), std::max(bottom - top, 8)));
}

QPoint TKhm::ControlBarOrigin() const { return ToolBarAreaRect().topLeft(); }

QWidget* TKhm::FloatHost(QToolBar* bar) const { return dynamic_cast<ToolBarFloatHost*>(bar->parentWidget()); }

bool TKhm::ToolBarFloats(const QToolBar* bar) const
{
    return bar->isFloating() || dynamic_cast<ToolBarFloatHost*>(bar->parentWidget()) != nullptr;
}

void TKhm::FloatToolBar(QToolBar* bar, const QRect& rect)
{
    const bool visible = !bar->isHidden();
    auto* host = static_cast<ToolBarFloatHost*>(FloatHost(bar));
    if (!host) {
        removeToolBar(bar);
        host = new ToolBarFloatHost(this, bar);
    }
    bar->setOrientation(Qt::Horizontal);
    bar->setVisible(visible);
    // The stored position is the tool bar's own client origin, which is the window's.
    host->resize(rect.width() > 0 ? rect.width() : bar->sizeHint().width(),
                 rect.height() > 0 ? rect.height() : bar->sizeHint().height());
    host->Place(rect.topLeft());
    host->setVisible(visible);
}

void TKhm::DockToolBar(QToolBar* bar)
{
    QWidget* host = FloatHost(bar);
    if (!host)
        return;
    const bool visible = !bar->isHidden();
    addToolBar(Qt::TopToolBarArea, bar);
    bar->setVisible(visible);
    host->deleteLater();
    kes::ForgetRestored(bar);
}

void TKhm::WriteDockState(kes::TIniFile& ini, QWidget* control, const std::string& section, QWidget* host)
{
    auto* bar = qobject_cast<QToolBar*>(control);
    const bool floats = bar ? ToolBarFloats(bar) : control->isWindow();
    ini.WriteBool(section, "Visible", !control->isHidden());
    ini.WriteBool(section, "Location", floats);
    const QPoint p = control->mapToGlobal(QPoint(0, 0));
    QSize size = control->size();
    if (floats) {
        // As restored from a larger screen, the place it had there stays in the file.
        const QRect r = kes::RectToStore(control, QRect(p, size));
        ini.WriteInteger(section, "Left", r.x());
        ini.WriteInteger(section, "Top", r.y());
        size = r.size();
    } else {
        const QPoint h = host ? host->mapToGlobal(QPoint(0, 0)) : ControlBarOrigin();
        ini.WriteInteger(section, "Top", p.y() - h.y());
        ini.WriteInteger(section, "Left", p.x() - h.x() - 2);
    }
    ini.WriteInteger(section, "Width", size.width());
    ini.WriteInteger(section, "Height", size.height());
}

void TKhm::ReadDockState(kes::TIniFile& ini, QToolBar* bar, const std::string& section)
{
    bar->setVisible(ini.ReadBool(section, "Visible", true));
    const QRect rect(ReadPos(ini, section, "Left"), ReadPos(ini, section, "Top"),
                     ReadSide(ini, section, "Width", bar->width()), ReadSide(ini, section, "Height", bar->height()));
    if (ini.ReadBool(section, "Location", true)) {
        FloatToolBar(bar, kes::FitRestored(Desktop(), bar, rect, DamagedRect(ini, section)));
        return;
    }
    DockToolBar(bar);
    dockedAt_[bar] = rect.topLeft();
}

void TKhm::ArrangeDockedToolBars()
{
    // Each docked tool bar at its wanted place: the one read from Loc.ini, else where it is.
    struct Place {
        QToolBar* bar;
        QPoint pos;
        bool visible;
    };
    std::vector<Place> places;
    const QPoint origin = ControlBarOrigin();
    for (QToolBar* bar : {EditToolBar, ObjToolBar, GeomToolBar, PosTooBar, PostSetToolBar}) {
        if (ToolBarFloats(bar))
            continue;
        auto it = dockedAt_.find(bar);
        const QPoint here = bar->mapToGlobal(QPoint(0, 0)) - origin - QPoint(2, 0);
        places.push_back({bar, it != dockedAt_.end() ? it->second : here, !bar->isHidden()});
    }
    dockedAt_.clear();
    std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.pos.y() != b.pos.y() ? a.pos.y() < b.pos.y() : a.pos.x() < b.pos.x();
    });
    for (const Place& p : places)
        removeToolBar(p.bar);
    // Bars whose tops lie within half a bar's height of each other share a row.
    int rowTop = places.empty() ? 0 : places.front().pos.y();
    bool first = true;
    for (const Place& p : places) {
        const int rowHeight = std::max(p.bar->sizeHint().height(), 16);
        if (!first && p.pos.y() - rowTop >= rowHeight / 2) {
            addToolBarBreak(Qt::TopToolBarArea);
            rowTop = p.pos.y();
        }
        first = false;
        addToolBar(Qt::TopToolBarArea, p.bar);
        p.bar->setVisible(p.visible);
    }
}

bool TKhm::UpdateLayoutFile(kes::TIniFile& ini)
{
    if (ini.UpdateFile())
        return true;
    kes::ShowError(Ask(),
                   kes::Msg(kes::kMsgSettingsNotSaved) + QStringLiteral("\n") + kes::FileErrorText(ini.LastError()));
    return false;
}

void TKhm::RestoreEditToolBar(kes::TIniFile& ini)
{
    ReadDockState(ini, EditToolBar, kToolBarSections[0]);
    ArrangeDockedToolBars();
}

void TKhm::SaveEditToolBar()
{
    kes::TIniFile ini(LocIniPath());
    WriteDockState(ini, EditToolBar, kToolBarSections[0], nullptr);
    UpdateLayoutFile(ini);
}

void TKhm::SaveLayout()
{
    kes::TIniFile ini(LocIniPath());
    QToolBar* bars[5] = {EditToolBar, ObjToolBar, GeomToolBar, PosTooBar, PostSetToolBar};
    for (int i = 0; i < 5; ++i)
        WriteDockState(ini, bars[i], kToolBarSections[i], nullptr);
    ini.WriteBool("MessageShow", "Float", Doc.MsgWinFloat != 0);
    // A tool window that is not open leaves its section as it was.
    for (auto [win, section] : {std::pair<QPointer<QWidget>*, const char*>{&FrameTreeViewWin, "TreeViewPage"},
                                {&DlgPropWin, "ObjInspector"}}) {
        if (!*win)
            continue;
        WriteDockState(ini, *win, section, PanelTreeViewHost);
        delete win->data();
        *win = nullptr;
    }
    UpdateLayoutFile(ini);
    if (PanelTreeViewHost->count() == 0)
        PanelTreeView->hide();
}

void TKhm::LoadLayout()
{
    kes::TIniFile ini(LocIniPath());
    for (const char* n : {"MmCopyAll", "StandTbarSet", "ObjTBarSet", "GeomTBarSet", "PosTBarSet", "PostTBarSet"})
        SetItemEnabled(n, true);
    for (const char* n : {"ObjTBarSet", "GeomTBarSet", "PosTBarSet"})
        Action(n)->setChecked(true);
    QToolBar* bars[5] = {EditToolBar, ObjToolBar, GeomToolBar, PosTooBar, PostSetToolBar};
    for (int i = 0; i < 5; ++i)
        ReadDockState(ini, bars[i], kToolBarSections[i]);
    ArrangeDockedToolBars();
    Doc.MsgWinFloat = ini.ReadBool("MessageShow", "Float", true) ? 1 : 0;
    if (!PageEd->Pages().empty()) {
        View.PageTreeOn = ini.ReadBool("TreeViewPage", "Visible", true);
        View.ObjInspectorOn = ini.ReadBool("ObjInspector", "Visible", true);
        ShowStateChecks();
        ShowPageTree(ini);
        ShowObjInspector(ini);
        // The pages opened before the docked tool windows took their room from the area.
        for (THmPage* page : PageEd->Pages())
            page->FormResize();
    }
}

void TKhm::ShowToolWindow(kes::TIniFile& ini, bool on, const std::string& section, QPointer<QWidget>& win,
                          const std::function<QWidget*()>& create)
{
    if (!on) {
        delete win.data();
        win = nullptr;
        if (PanelTreeView->isVisible() && PanelTreeViewHost->count() == 0)
            PanelTreeView->hide();
        return;
    }
    if (!win)
        win = create();
    if (!win)
        return;
    const int left = ReadPos(ini, section, "Left");
    const int top = ReadPos(ini, section, "Top");
    const int w = ReadSide(ini, section, "Width", win->width());
    const int h = ReadSide(ini, section, "Height", win->height());
    if (!ini.ReadBool(section, "Location", true)) {
        // Docked: into the panel, below the window already there.
        win->resize(w, h);
        DockToolWindow(*win, false);
    } else {
        if (!win->isWindow())
            win->setParent(this, kes::PanelToolWindow::kFloatFlags);
        win->setGeometry(kes::FitRestored(Desktop(), win, QRect(left, top, w, h), DamagedRect(ini, section)));
        win->show();
        PanelTreeView->setVisible(PanelTreeViewHost->count() > 0);
    }
}

void TKhm::DockToolWindow(QWidget& win, bool atTop)
{
    kes::ForgetRestored(&win);
    const int width = win.width();
    const bool panelWasHidden = PanelTreeView->isHidden();
    PanelTreeView->show();
    if (win.parentWidget() != PanelTreeViewHost || atTop)
        PanelTreeViewHost->insertWidget(atTop ? 0 : PanelTreeViewHost->count(), &win);
    win.show();
    if (panelWasHidden || width > PanelTreeView->width())
        resizeDocks({PanelTreeView}, {width}, Qt::Horizontal);
    // The panel takes its new width now, so what the window lays out fits it.
    layout()->activate();
}

void TKhm::FloatToolWindow(QWidget& win)
{
    // The float button made it a window where it stood; it becomes the main window's, away
    // from the left edge where a move would dock it again.
    constexpr int kFloatGap = 16;
    kes::ForgetRestored(&win);
    QRect rect(win.mapToGlobal(QPoint(0, 0)), win.size());
    const int panelRight = PanelTreeView->mapToGlobal(QPoint(PanelTreeView->width(), 0)).x();
    rect.moveLeft(std::max(rect.left(), panelRight + kFloatGap));
    win.setParent(this, kes::PanelToolWindow::kFloatFlags);
    win.setGeometry(rect);
    win.show();
    PanelTreeView->setVisible(PanelTreeViewHost->count() > 0);
}

void TKhm::WriteClosedToolWindow(QWidget& win, const std::string& section)
{
    kes::TIniFile ini(LocIniPath());
    WriteDockState(ini, &win, section, PanelTreeViewHost);
    ini.WriteBool(section, "Visible", false);
    UpdateLayoutFile(ini);
}

void TKhm::ToolWindowGoing(QWidget& win)
{
    if (!win.isWindow() && PanelTreeViewHost->count() == 1 && PanelTreeViewHost->widget(0) == &win)
        PanelTreeView->hide();
}

void TKhm::ShowPageTree(kes::TIniFile& ini)
{
    ShowToolWindow(ini, View.PageTreeOn, "TreeViewPage", FrameTreeViewWin, [this] { return CreatePageTree(); });
}
