#pragma once
// What a page window needs of the window around it: the project, the panel model, the main
// window's menus, tool bars and view switches, and the main window's answers to what happens on the page
// (tools, zoom marks, status bar). The main window is the host in the running program
// (app/shell); a test hosts page windows without it, taking the defaults below: no commands,
// no tools, nothing shown.
#include "app/dialogs/dialogcontext.h"
#include "app/ui/viewstate.h"

#include <QFont>
#include <QString>

class QWidget;
class TDlgProp;
class TImagePage;
class TLxObj;

namespace kes {

class CommandPanel;
class FormRunner;
class LxTypeCore;
class PageData;
class PageEditor;
class ProjectDoc;
class Prompt;

class PageHost {
public:
    virtual ~PageHost() = default;

    virtual ProjectDoc& Doc() = 0;
    // The main window's view switches (inspector shown, grid dots) and edit mode; page windows
    // switch the mode when they are activated.
    virtual ViewState& View() = 0;
    // The panel model (panel size, address codec); null while there is none.
    virtual LxTypeCore* Model() const = 0;
    // What the page windows, and the dialogs and windows they open, ask the user through.
    virtual Prompt& Ask() = 0;
    // The main window's menu items, tool buttons and tool bar widgets.
    virtual CommandPanel& Commands();
    // The page and system dialogs the page's commands open by class name; by default none, so
    // those commands can not be chosen.
    virtual const FormRunner& Forms() const;
    // The window that owns the page's dialogs; null: none.
    virtual QWidget* Window() { return nullptr; }
    // The font new texts take.
    virtual QFont MainFont() const { return QFont(QStringLiteral("Times New Roman"), 9); }
    // The clipboard formats of selected objects and of a whole page.
    virtual QString ClipFmtObjects() const { return QStringLiteral("CF_MYFORMAT"); }
    virtual QString ClipFmtPage() const { return QStringLiteral("CF_ALLPAGEFORMAT"); }
    // What a settings dialog opened on the page may touch (an object's double click); by
    // default the project, the model and the page.
    virtual DialogContext DialogContextFor(PageData* page);
    // A transfer runs: the pages take no input.
    virtual bool LinkBusy() const { return false; }
    // The start-up screen window, which takes over from a page when it is activated; null: none.
    virtual QWidget* StartScreenWindow() const { return nullptr; }
    // The page editor whose current page the start-up screen takes over from; null: none.
    virtual PageEditor* PageEd() const { return nullptr; }
    // The start-up screen's editor while it is open (the screen editor's); null: none.
    virtual TImagePage* StartScreenEditor() const { return nullptr; }
    // The object inspector, which follows the page's selection; null while there is none.
    virtual TDlgProp* Inspector() const { return nullptr; }

    // ---- The main window's drawing tools
    // The pointer tool chosen (tbPointToClick), and only its button pressed (SelectPointerTool).
    virtual void PointerTool() {}
    virtual void SelectPointerTool() {}
    virtual void EnableObjToolBar(bool) {}
    virtual void SetObjEditTools(bool) {}
    virtual void SetToolsForObj(TLxObj*) {}
    // The pen of new figures: width 1..3, pattern 0 solid, 2 dotted; taking one shows it.
    virtual int LineWidth() const { return 1; }
    virtual int LinePattern() const { return 0; }
    virtual void TakeLineStyle(int /*width*/, int /*pattern*/) {}

    // ---- What the main window shows of the page
    virtual void ShowZoomState(int) {}
    virtual void SetStatusText(int /*panel*/, const QString&) {}
    virtual void SaveLayout() {}
    // The page menu's hide switch and page-number write, which the page popup shares.
    virtual void HideClick() {}
    virtual void PageNumWriteClick() {}
    // The page editor renumbered or retitled its pages (the page tree follows).
    virtual void PagesChanged() {}
};

} // namespace kes
