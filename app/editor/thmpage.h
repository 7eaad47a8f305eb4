#pragma once
// THmPage: the editing window of one page, the form inside a child window of the main
// window's MDI area.
// While it is the page being edited it holds the page as live panel objects and paints them
// itself, in list order, into a backing image; while it is frozen it holds only a picture of
// the page and the page lives as its stored record stream in the project's page list.
//
// The objects are plain objects, not widgets: the page hit-tests the topmost object under
// the pointer, keeps the mouse for the object that got the press and calls that object's
// handlers (which the page gave it when it was attached) with object-relative coordinates.
#include "app/editor/editgeom.h"
#include "app/project/objfactory.h"
#include "app/project/pagedata.h"
#include "app/project/pgdataenc.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QMdiSubWindow;
class QScrollArea;

namespace kes {
class CommandPanel;
class PageCanvas;
class PageEditor;
class PageHost;
} // namespace kes

// One undo or redo step: the page's record stream as the memory encoder writes it over the
// whole object list; empty when the page had no objects.
struct UndoSnap {
    kes::Bytes Data;
    int Size() const { return static_cast<int>(Data.size()); }
};

// Virtual-key codes of the keys the page handles.
enum : std::uint16_t { VK_TAB = 9, VK_RETURN = 13, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40 };

class THmPage : public QWidget, public kes::PageData, public TLxObjHost {
public:
    static constexpr int kMaxPolyPts = 100;
    static constexpr int kMaxUndo = 10;

    // A page window of editor; it leaves the editor's list when it closes or is deleted.
    explicit THmPage(kes::PageEditor& editor);
    ~THmPage() override;

    // ---- Components
    QMenu* PgPopMm = nullptr;
    // A page popup item by name ("PopUndo", "ChkHideSet"); null when there is none.
    QAction* Pop(const char* name) const;
    // The enabled popup item whose shortcut a key press on the page is (Ctrl+Alt+Z redoes);
    // null when there is none or a transfer is running.
    QAction* PopShortcut(const QKeyEvent& key) const;

    // ---- Fields (the page data, the objects and the selection are the PageData base)
    std::uint8_t MouseSuppressed = 0;
    TPoint DownPt;
    TPoint UpPt;
    std::array<TPoint, kMaxPolyPts> PolyPts{};
    std::int32_t PolyPtCount = 0;
    TPoint PolyLastPt;
    std::vector<UndoSnap> UndoList; // oldest first
    std::vector<UndoSnap> RedoList;
    TObjList OverlapList;
    std::int32_t ResizeMode = 0;
    kes::RubberBand BandCorners{};
    std::int16_t ToolKind = 0; // kind code of the drawing tool, 0: the pointer
    std::int32_t ToolSubType = 0;
    std::uint8_t DragPending = 0;
    TBitmap SnapBmp;

    // The drawing tool is the figure tool (ToolSubType then names the figure).
    bool FigureTool() const { return kes::IsKind(ToolKind, kes::ObjKind::Geom); }
    // The page holds live objects (it is not frozen to its picture).
    bool Live() const { return live_; }
    kes::PageEditor& Editor() const { return editor_; }
    kes::PageHost& Host() const { return host_; }

    // ---- Geometry: the client area is the page at its zoom.
    int ClientWidth() const;
    int ClientHeight() const;
    kes::PanelStep Step() const { return {Zoom, GridWidth, GridHeight}; }
    // The widget the page is drawn on and that takes the mouse and keys.
    QWidget* Canvas() const;
    // What the page shows now: objects, grid and outlines, or the frozen picture.
    QImage Rendered() const;
    // The grid dots of the live page into img (above zoom 1 only).
    void PgGridPaint(QImage& img) const;

    // ---- Life of the window
    void FormCreate();
    void FormResize();
    void FormActivate();
    // forced: another page is activated (or start-up screen editing begins): store the page
    // when the project is modified, keep its picture and free the objects and the history.
    void FormDeactivate(bool forced);
    // Stores the live page into its record of the page list; returns the bytes stored.
    int PgDataSave();
    void DrawPageSnapshot();
    void PgFreeAll();
    // Decodes the page's record (activation and window creation).
    void LoadFromRecord();
    void SetCaptionFromIndex();
    // The close handler: false keeps the window (a transfer is running).
    bool FormClose();
    void PgSetMenuChecks();
    void PgPopMmPopup();
    void PopPgJumpClick();
    void PopUndoClick();
    void PopRedoClick();
    void PopSelAllClick();
    // A transfer's progress window is up: the page takes no input.
    bool LinkBusy() const;
    // Is this the MDI area's current child?
    bool IsActiveChild() const;
    // The MDI child window that holds the page (null before it is put in the MDI area).
    QMdiSubWindow* SubWindow() const;

    // ---- The page's settings for the record reader and encoder
    kes::PageEnv Env();
    kes::RecEncodeEnv EncodeEnv() const;
    // Gives an object put on the page its host and the page's handlers.
    void AttachHandlers(TLxObj& obj);

    // ---- Mouse editing: empty page area (screen pixels of the page)
    void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TShiftState shift, int x, int y);
    void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // ---- Handlers every object gets (object coordinates)
    void ObjMouseDown(TLxObj* obj, TMouseButton button, TShiftState shift, int x, int y);
    void ObjMouseMove(TLxObj* obj, TShiftState shift, int x, int y);
    void ObjMouseUp(TLxObj* obj, TMouseButton button, TShiftState shift, int x, int y);
    void ObjKeyDown(TLxObj* obj, std::uint16_t& key, TShiftState shift);
    void ObjDblClick(TLxObj* obj);
    // Keys while the page has the focus.
    void FormKeyDown(std::uint16_t& key, TShiftState shift);
    void PolyPointsCancel();
    // The rubber band and the objects' selection outlines, drawn over the page inverted; they
    // are shown while a gesture runs and gone when it ends.
    void DrawRubberBand();
    void EraseRubberBand();
    void DrawObjOutline(TLxObj* obj);
    void EraseObjOutline(TLxObj* obj);
    void SelectInRubberBand();
    // Whether an object's outline is shown (for tests and painting).
    bool OutlineShown(const TLxObj* obj) const { return outlined_.count(obj) != 0; }
    bool BandShown() const { return bandShown_; }

    // ---- Undo and redo
    UndoSnap UndoSnapshot();
    void UndoPush();
    // A snapshot appended straight to the undo list: no bound, the redo list kept.
    void UndoAppend();
    void UndoStep();
    void RedoStep();
    // Destroys every object and empties the selection and the lists that point into them.
    void ClearPageObjs();

    // ---- Edit state
    void EditStateRefresh();
    void ObjToolbarRefresh(TLxObj* obj);
    void ObjFontBoxRefresh(TLxObj* obj);
    // The object tool panel of the main window fitted to one object: the state box to its
    // states, the text box to the text of its shown state.
    void StateToolRefresh(TLxObj* obj);
    void TextToolRefresh(TLxObj* obj);
    // Status bar: the pointer (panel 0) and one object's text and bounds (panel 1).
    void ShowPointer(int x, int y);
    void ShowObjStatus(const TLxObj* obj);

    // ---- Clipboard: the selected objects and the whole page (thmpage_clip.cpp)
    void PopDelClick();
    void PopCutClick();
    void PopCopyClick();
    void PopPasteClick();
    void MmCopyAllClick();
    void MmPasteAllClick();
    void PgHideClear();
    // Whether the page holds no objects and uses none of its settings.
    bool PageIsEmpty() const;
    // After a decode put objects on the page from index first of ObjList on: the fix-ups that
    // take the main window's texts, and the key bindings counted again from the objects.
    void AfterDecode(std::size_t first);
    // ObjFunKeyUsed from the objects of ObjList bound to a function key.
    void RecountBtnKeys();
    // Which of the page's settings are in use (what the page menus' check marks show).
    struct SettingsUse {
        bool FunKeys = false;
        bool PgJumps = false;
        bool Buzzer = false;
        bool AlarmLamp = false;
        bool Hide = false;
        bool NumWrite = false;
        bool Any() const { return FunKeys || PgJumps || Buzzer || AlarmLamp || Hide || NumWrite; }
    };
    SettingsUse SettingsInUse() const;
    // The inspector shows the current object's values again (when it is on).
    void RefreshInspectorRows();

    // ---- Keys, z-order, alignment, steps and the page settings items (thmpage_order.cpp)
    void FormKeyPress(char key);
    void MmMovTopClick();
    void MmMovbuttonClick();
    void MmMoveUpClick();
    void MmMoveDnClick();
    // dir 0 up, 1 down.
    void MoveUPDOWN(int dir);
    // mode 4 tops, 5 bottoms, 6 lefts, 7 rights.
    void AlignSelObjs(int mode);
    // dir 0 up, 1 down, 2 left, 3 right.
    void StepSelObjs(int dir);
    void ChkHideSetClick();
    void PopFunKeySetClick();
    // sender: PopBuzzerSet (Tag 0) or PopLedSet (Tag 1).
    void PopBuzzerSetClick(QAction* sender);
    void PopPgPageWriteSetClick();

    // ---- Popup items: connected to their command (only a connected item is ever enabled)
    void WirePop(const char* name, void (THmPage::*handler)());
    void WirePop(const char* name, void (THmPage::*handler)(QAction* sender));
    void SetPopEnabled(const char* name, bool enable);
    void SetPopChecked(const char* name, bool checked);
    // The project changed: modified, not compiled.
    void MarkModified();

    // ---- TLxObjHost
    void InvalidateObj(TLxObj& obj) override;
    void RepaintObj(TLxObj& obj) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class kes::PageCanvas;
    void BuildPopupMenu();
    void DeselectAll();
    void CommitInspector();
    void TakeFocus();
    void PlaceDrawnObject(TPoint origin);
    void FinishPolyline();
    kes::DrawState DrawStateNow() const;
    void SetPageCursor(Qt::CursorShape shape);
    void FinishObjDrag(TLxObj* obj);
    void FinishObjResize(TLxObj* obj);
    void RestoreSnap(const UndoSnap& snap);
    void StepHistory(std::vector<UndoSnap>& from, std::vector<UndoSnap>& to);
    void ShowSelectedOutlines();
    void WirePopCommands();
    // Takes the objects out of the page and destroys them; nothing keeps a pointer to one.
    void DestroyObjs(const TObjList& objs);
    // The whole-page paste of a checked record stream.
    void PastePage(kes::ByteSpan records);

    kes::CommandPanel& Cmds() const;

    kes::PageEditor& editor_;
    kes::PageHost& host_;
    kes::PageCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    bool live_ = true;
    // Sized while the main window was not yet shown.
    bool fitOnShow_ = false;
    // The drag in progress: the snapped press point within the pressed object, moved along
    // with the outlines, and whether anything moved.
    TPoint anchor_;
    bool dragMoved_ = false;
    std::set<const TLxObj*> outlined_;
    bool bandShown_ = false;
};

// The current page window, or null.
extern THmPage* HmPage;


