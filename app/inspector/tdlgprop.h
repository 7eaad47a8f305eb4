#pragma once
// TDlgProp: the object inspector. A dockable tool window whose property grid shows the one
// object the active editor has selected: FormShow picks the object (through the editor's
// InspectorSource), builds the rows of its kind from the property table of the language
// and reads the object into them; every edit in the grid writes all rows back to the
// object at once (PropToObj) and reads them again, so dependent rows follow.
//
// The grid never edits a cell itself: the inspector puts its own editors over the current
// value cell (a line edit, a drop-down list, spin buttons, dialog buttons).
#include "app/inspector/kindrows.h"
#include "app/ui/paneltoolwindow.h"
#include "app/ui/tadvstringgrid.h"

#include <QImage>

#include <functional>
#include <vector>

class QLineEdit;
class QListWidget;
class QTabWidget;
class TLxObj;

namespace kes {
class InspectorSource;
class LxTypeCore;
class Prompt;
} // namespace kes

class TDlgProp : public kes::PanelToolWindow {
public:
    // model: the panel model, its codec and the project state (LangIndex, internal memory);
    // prompt: what it asks the user through.
    TDlgProp(QWidget* owner, kes::Prompt& prompt, kes::LxTypeCore& model);
    ~TDlgProp() override;

    // ---- Components
    QTabWidget* PageCtlProp = nullptr;
    QWidget* TabSheet1 = nullptr;
    TAdvStringGrid* AdvStrGrid = nullptr;
    QLineEdit* EdtTxt = nullptr;     // in-place editor, hidden
    QListWidget* DropList = nullptr; // drop-down list over the grid, hidden
    std::vector<QImage> ImageList1;  // the pictures offered by picture lists

    // ---- Fields
    int DropRow = -1;  // grid line of the open drop-down list
    int PageWidth = 0; // client size of the editor, screen pixels
    int PageHeight = 0;
    bool ColDrag = false;       // the column splitter is being dragged
    TLxObj* ShownObj = nullptr; // borrowed; valid until the selection changes

    // The editor whose selection is shown; null shows nothing.
    void SetSource(kes::InspectorSource* source) { source_ = source; }
    kes::InspectorSource* Source() const { return source_; }
    kes::LxTypeCore& Model() const { return model_; }

    // Refresh for the current selection: pick the object, build and fill its rows.
    void FormShow();
    // Object -> rows (nothing when no object is shown).
    void ObjToProp();
    // Rows -> object, then the rows are read again. first: what the edit sets in the object
    // beside its rows, done once the editor has noted the page for undo.
    void PropToObj(const std::function<void()>& first = {});
    // The group and position rows; both return 5, the first row of the kind's own.
    int ObjPosToProp();
    int PropToObjPos();
    // Builds the rows of the shown object's kind. False (no rows, message shown) when the
    // table can not be read or does not fit the kind's layout.
    bool LoadPropTable();
    void FormResize();
    void FormActivate();

    // ---- Cell editors
    void AdvStrGridMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void AdvStrGridMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void AdvStrGridMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void AdvStrGridKeyDown(int& key, Qt::KeyboardModifiers shift);
    // Commits what EdtTxt holds into its row and the object.
    void EdtTxtEnter();
    // Commits, then hides EdtTxt (callers run it before the selection or the page changes).
    void EdtTxtExit();
    // Opens the drop-down list of the row on grid line gridRow under its value cell.
    void OpenDropList(int gridRow);
    // An item of the open drop-down list was chosen.
    void DropListClick(int item);
    // The "..." button of an address row: the address picker; its choice (address, link,
    // station and the address's form) is written to the object when the model takes it.
    void PickAddress(TPropText& row);

    // Run when the window is closed by the user, before it frees itself: the main window
    // writes its layout section here.
    std::function<void(TDlgProp&)> WriteLayout;
    // Docking is the main window's (PanelToolWindow): once docked on its own request the
    // inspector calls Docked itself. The inspector tells the main window when it is going
    // (FormDestroy).
    std::function<void(TDlgProp&)> Destroying;
    // The main window has put the inspector into its side panel, panelWidth wide: the
    // columns take the width and the rows are read again. ignoreMouse: the editor drops the
    // release that ended the click on the caption.
    void Docked(int panelWidth, bool ignoreMouse);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void DockedOnRequest(DockAsk why) override;

private:
    void HideEditors();
    void ShowEditor(TPropBase& row, const QRect& rect, const QString& text);
    int LangIndex() const;

    kes::Prompt& prompt_;
    kes::LxTypeCore& model_;
    kes::InspectorSource* source_ = nullptr;
    TPropBase* editProp_ = nullptr; // row of the in-place editor
    int downCol_ = -1;              // current cell at the last mouse down
    int downRow_ = -1;
    kes::RowMemory rows_; // the rows as last read, their address rows, refusals
    bool committing_ = false;
    TFont chosenFont_; // a font row's choice until its writer stores it
};
