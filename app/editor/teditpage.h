#pragma once
// TEditPage: the editing engine the page window (THmPage) and the start-up screen and
// user-menu page window (TImagePage) share: the canvas the objects are painted on, mouse and
// key editing, selection and outlines, the selected objects on the clipboard, undo and redo,
// z-order, alignment, steps, multiple copy and the object tool panel. What differs between
// the two windows (which objects they make and how they store them, the current-window
// globals, the command state) is a handful of overrides.
//
// The window holds the page it edits (kes::PageData: objects, selection, setting records,
// zoom) and hands it to the readers, the encoder and the dialogs; the window itself is not
// page data. The objects are plain objects, not widgets: the window hit-tests the topmost object under
// the pointer, keeps the mouse for the object that got the press and calls that object's
// handlers (which the window gave it when it was attached) with object-relative coordinates.
#include "app/editor/editgeom.h"
#include "app/editor/pagepopup.h"
#include "app/project/objfactory.h"
#include "app/project/pagedata.h"
#include "decoder/pgrecstream.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QKeyEvent;
class QMenu;
class QMdiArea;
class QMdiSubWindow;
class QPlainTextEdit;
class QScrollArea;
class TDlgProp;

namespace kes {
class CommandPanel;
class PageCanvas;
class PageHost;
class ProjectDoc;
struct ViewState;
} // namespace kes

// One undo or redo step: the window's record stream as the memory encoder writes it over the
// whole object list; empty when the window had no objects.
struct UndoSnap {
    kes::Bytes Data;
    // Every object of the window is in Data: none had a record too long to store.
    bool Whole = true;
    int Size() const { return static_cast<int>(Data.size()); }
};

// Virtual-key codes of the keys the page handles.
enum : std::uint16_t { VK_TAB = 9, VK_RETURN = 13, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40 };

// What multiple copy lays out: a grid of copies of the current object and how their device
// addresses step.
struct MultiCopyPlan {
    int Columns = 2;  // H: copies along a row, the source included; 0: none
    int Rows = 2;     // V
    int SpacingX = 2; // panel pixels between neighbours
    int SpacingY = 2;
    bool StepAddresses = true; // each copy's addresses step by its number
    bool RowsFirst = true;     // numbered along the rows first, else down the columns
};

class TEditPage;

// The data of a page window, or null without one.
inline kes::PageData* DataOf(TEditPage* page);
inline const kes::PageData* DataOf(const TEditPage* page);

class TEditPage : public QWidget, public TLxObjHost {
public:
    static constexpr int kMaxPolyPts = 100;
    static constexpr int kMaxUndo = 10;

    // popWindow: which of the pop-up items the window shows (kes::PopWindow).
    TEditPage(kes::PageHost& host, std::uint8_t popWindow);
    ~TEditPage() override;

    // ---- Components
    // The window's popup menu, built with the window.
    QMenu* PgPopMm() const { return pgPopMm_; }
    // A popup item by name ("PopUndo"); null when there is none.
    QAction* Pop(const char* name) const;
    // The enabled popup item whose shortcut a key press on the window is (Ctrl+Alt+Z redoes);
    // null when there is none or a transfer is running.
    QAction* PopShortcut(const QKeyEvent& key) const;

    // ---- The page the window edits: its objects, selection, setting records and zoom
    kes::PageData& Data() { return data_; }
    const kes::PageData& Data() const { return data_; }

    // ---- The drawing tool: kind code (0: the pointer) and the figure's sub-type
    std::int16_t ToolKind() const { return toolKind_; }
    std::int32_t ToolSubType() const { return toolSubType_; }
    void ChooseTool(std::int16_t kind, std::int32_t subType)
    {
        toolKind_ = kind;
        toolSubType_ = subType;
    }
    // The figure tool of that sub-type, with no polyline point yet.
    void ChooseFigureTool(std::int32_t subType);
    // Points of the polyline being drawn.
    std::int32_t PolyPtCount() const { return polyPtCount_; }
    // The window's free area ignores the pointer until the next press or release (the click
    // that closed a dialog).
    void SuppressMouse(bool on) { mouseSuppressed_ = on ? 1 : 0; }
    // The undo and redo steps, oldest first.
    const std::vector<UndoSnap>& UndoList() const { return undoList_; }
    const std::vector<UndoSnap>& RedoList() const { return redoList_; }
    // The objects drawn by DrawPageSnapshot, or the frozen window's picture at its zoom.
    const TBitmap& SnapBmp() const { return snapBmp_; }
    // The picture stretched to width x height (a frozen window's zoom changed).
    void StretchSnapshot(int width, int height);

    // The drawing tool is the figure tool (ToolSubType then names the figure).
    bool FigureTool() const { return kes::IsKind(toolKind_, kes::ObjKind::Geom); }
    // The window holds live objects (a page window may be frozen to its picture).
    bool Live() const { return live_; }
    kes::PageHost& Host() const { return host_; }

    // ---- Geometry: the client area is the panel at the window's zoom.
    int ClientWidth() const;
    int ClientHeight() const;
    kes::PanelStep Step() const { return {data_.Zoom, data_.GridWidth, data_.GridHeight}; }
    // The widget the window is drawn on and that takes the mouse and keys.
    QWidget* Canvas() const;
    // What the window shows now: objects, grid and outlines, or the frozen picture.
    QImage Rendered() const;
    // The grid dots of the live window into img (above zoom 1 only).
    void PgGridPaint(QImage& img) const;
    // The client area fitted to the zoom (1, 2, 4, 8 or 16; any other leaves it).
    void FormResize();
    // The objects drawn into SnapBmp at panel resolution (zoom 1), white where none.
    void DrawPageSnapshot();
    // A transfer's progress window is up: the window takes no input.
    bool LinkBusy() const;
    // Is this the MDI area's current child?
    virtual bool IsActiveChild() const;
    // The MDI child window that holds the window (null before it is put in an MDI area).
    QMdiSubWindow* SubWindow() const;

    // ---- Settings for the record reader and encoder
    kes::PageEnv Env();
    virtual kes::RecEncodeEnv EncodeEnv() const;
    // Gives an object put on the window its host and the window's handlers.
    void AttachHandlers(TLxObj& obj);

    // ---- Mouse editing: empty area (screen pixels of the window)
    void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseMove(TShiftState shift, int x, int y);
    void FormMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // ---- Handlers every object gets (object coordinates)
    void ObjMouseDown(TLxObj* obj, TMouseButton button, TShiftState shift, int x, int y);
    void ObjMouseMove(TLxObj* obj, TShiftState shift, int x, int y);
    void ObjMouseUp(TLxObj* obj, TMouseButton button, TShiftState shift, int x, int y);
    void ObjKeyDown(TLxObj* obj, std::uint16_t& key, TShiftState shift);
    // Opens the object's settings (its dialog, or the picture load of a static picture).
    void ObjDblClick(TLxObj* obj);
    // Keys while the window has the focus.
    void FormKeyDown(std::uint16_t& key, TShiftState shift);
    void FormKeyPress(char key);
    void PolyPointsCancel();
    // The rubber band and the objects' selection outlines, drawn over the window inverted;
    // they are shown while a gesture runs and gone when it ends.
    void DrawRubberBand();
    void EraseRubberBand();
    void DrawObjOutline(TLxObj* obj);
    void EraseObjOutline(TLxObj* obj);
    void SelectInRubberBand();
    bool OutlineShown(const TLxObj* obj) const { return outlined_.count(obj) != 0; }
    bool BandShown() const { return bandShown_; }

    // ---- Undo and redo
    UndoSnap UndoSnapshot();
    // wholeState false: only the undo and redo items follow (the inspector, whose rows hold
    // an edit not yet written, is left alone).
    void UndoPush(bool wholeState = true);
    // The same with a snapshot taken before the change (the inspector keeps an edit only
    // when it changed the page).
    void UndoPush(UndoSnap before, bool wholeState);
    // A snapshot appended straight to the undo list: no bound, the redo list kept.
    void UndoAppend();
    // After an edit made from before: when it left an object on the window whose record is
    // too long to store, the user is told and the window goes back to before (its objects
    // made anew: no pointer to one survives). False then. A before that already held such an
    // object is not gone back to: it would come back without it.
    bool KeepStorable(const UndoSnap& before);
    void UndoStep();
    void RedoStep();
    void PopUndoClick();
    void PopRedoClick();
    virtual void PopSelAllClick();
    // Destroys every object and empties the selection and the lists that point into them.
    void ClearPageObjs();

    // The popup menu is about to show.
    virtual void PgPopMmPopup() = 0;

    // ---- Edit state
    virtual void EditStateRefresh() = 0;
    // The undo and redo items alone.
    virtual void UndoStateRefresh() {}
    virtual void ObjToolbarRefresh(TLxObj* obj);
    void ObjFontBoxRefresh(TLxObj* obj);
    // The object tool panel of the main window fitted to one object: the state box to its
    // states, the text box to the text of its shown state.
    void StateToolRefresh(TLxObj* obj);
    void TextToolRefresh(TLxObj* obj);
    // ---- The object tool panel's commands on the current object (teditpage_tools.cpp)
    // The state box chose a state: the object shows it, the text box the state's text.
    void StateBoxChange();
    // The font box chose a panel font, taken by an object that uses one.
    void FontBoxChange();
    // The user typed into the text box: the text of the state or line chosen (the start-up
    // and user-menu screens: a static text's line only).
    void MemoChange();
    // The line selector chose a line of the static text: the text box shows it.
    void MemoLineChange();
    // The text box was left: the inspector (null: none) shows what it took (page and start-up
    // screen).
    static void MemoExit(kes::ProjectDoc& doc, const kes::ViewState& view, TDlgProp* inspector);
    // A text position button (horizontal 0 left, 1 right, 2 centre; vertical 0 top, 1 bottom,
    // 2 middle) for the text or the picture, as the tool bar's mode says.
    void SetTextPosition(bool vertical, std::uint8_t code);
    // The font dialog over the current object's font.
    void ChooseObjFont();
    // A picture file into the current object (into the state the state box chose where it
    // has states).
    void LoadObjPicture(const std::string& file);
    // Status bar: the pointer (panel 0) and one object's text and bounds (panel 1).
    void ShowPointer(int x, int y);
    void ShowObjStatus(const TLxObj* obj);
    // Panel 1 after the selection changed: the object selected last, nothing when none is (a
    // delete, a cut, an undo, a click beside the objects ends what it showed).
    void ShowSelectionStatus();
    // The inspector shows the current object's values again (when it is on).
    void RefreshInspectorRows();
    // The inspector's values again for the current object, or the inspector shown anew for
    // another object (the inspector exists).
    void RefreshInspector();

    // ---- The selected objects on the clipboard
    void PopDelClick();
    void PopCutClick();
    // A selected object whose record is too long to store is refused (the user told): the
    // clipboard keeps what it held, and a cut deletes nothing.
    void PopCopyClick();
    virtual void PopPasteClick() = 0;
    // After a decode put objects on the window from index first of ObjList on: the fix-ups
    // that take the main window's texts, and the key bindings counted again from the objects.
    void AfterDecode(std::size_t first);

    // ---- Z-order, alignment, steps, multiple copy
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
    // Lays out copies of CurObj in a grid, each stepping its device addresses by its number
    // when asked; stops at the first copy the window refuses. Returns the copies made.
    int MultiCopy(const MultiCopyPlan& plan);
    // The multiple-copy dialog over the current object (while the window edits objects).
    void MmMultiCopyClick();
    // The pen of the selected figures (width 1..3, pattern 0 solid, 2 dotted); true when
    // one changed.
    bool SetSelectedLineStyle(int width, int pattern);
    // Puts the window into area (once), shows it and makes it the active child; shown on its
    // own without an area.
    void ShowInArea(QMdiArea* area);
    // A multiple copy is laying out its copies (they stay unselected).
    bool MultiCopying() const { return multiCopying_; }

    // ---- Popup items: run their command from the item table (kes::PopItems)
    // Every item the window shows that follows rule is enabled or not (an item whose dialog is
    // not built stays off).
    void SetPopRule(kes::PopRule rule, bool enable);
    void SetPopEnabled(const char* name, bool enable);
    void SetPopChecked(const char* name, bool checked);
    // The project changed: modified, not compiled.
    void MarkModified();

    // ---- TLxObjHost
    void InvalidateObj(TLxObj& obj) override;
    void RepaintObj(TLxObj& obj) override;

protected:
    // The gesture in progress: press and release points, the polyline's points, the objects
    // under the pointer, the resize handle, the rubber band and a drag about to start.
    TPoint DownPt;
    TPoint UpPt;
    std::array<TPoint, kMaxPolyPts> PolyPts{};
    TPoint PolyLastPt;
    TObjList OverlapList;
    std::int32_t ResizeMode = 0;
    kes::RubberBand BandCorners{};
    std::uint8_t DragPending = 0;

    // ---- What the two windows do differently
    // The window edits objects in the current edit mode (3 pages, 1 the start-up screen).
    virtual bool EditsObjects() const = 0;
    // A press on the window's free area: its edit mode becomes the main window's.
    virtual void EnterEditMode() = 0;
    // The window becomes the current one of its kind (its page editor's current page, ImagePage).
    virtual void MakeCurrent() = 0;
    // Whether the window has room for that many more bytes of objects (told to the user);
    // rebuildFirst: the panel image is built again before it is measured.
    virtual bool RoomFor(int bytes, bool rebuildFirst) = 0;
    // Whether a double click opens the object's settings.
    virtual bool OpensSettings(const TLxObj&) const { return true; }
    // Whether the window makes objects of that kind.
    virtual bool MakesKind(kes::ObjKind) const { return true; }
    // Whether a multiple copy records an undo step first.
    virtual bool UndoesMultiCopy() const { return true; }
    // The records of objects (mode 1 stored form, 2 memory form). An object whose record
    // would be too long to store is left out and counted in leftOut (when given).
    virtual kes::Bytes EncodeObjs(const TObjList& objs, int mode, std::size_t* leftOut = nullptr) = 0;
    // Decodes records into new objects on the window: pasted ones join the selection.
    virtual void DecodeObjs(kes::ByteSpan records, bool pasted) = 0;
    // What a paste of records would put on the window, read into trial instead.
    virtual void DecodeTrial(kes::PageData& trial, kes::ByteSpan records) = 0;

    // ---- Records too long to store (past the 65,535 bytes of a record's length field)
    // How many of objs have a record too long to store.
    std::size_t UnstorableCount(const TObjList& objs) const;
    // True, after telling the user, when one of objs has a record too long to store.
    bool RefuseUnstorable(const TObjList& objs) const;
    // True, after telling the user, when pasting records would put an object on the window
    // whose record is too long to store.
    bool RefuseUnstorablePaste(kes::ByteSpan records);
    // What a store of the window puts in its record: the kept record while the objects are
    // what was read of it, else the encoding; nothing, after telling the user (naming the
    // window), when the encoding left objects out: the record keeps what it held.
    std::optional<kes::Bytes> StoreChecked(kes::Bytes encoded, std::size_t leftOut);

    void showEvent(QShowEvent* event) override;

    kes::CommandPanel& Cmds() const;
    void DeselectAll();
    void CommitInspector();
    void TakeFocus();
    void SetPageCursor(Qt::CursorShape shape);
    // Forgets every undo and redo step.
    void ClearHistory();
    // Takes the objects out of the window and destroys them; nothing keeps a pointer to one.
    // A copy of the list: each object leaves the window's own lists as it goes.
    void DestroyObjs(TObjList objs);
    void RestoreSnap(const UndoSnap& snap);
    // The boxes of the object tool panel; null without a main window.
    QComboBox* StateBox() const;
    QComboBox* FontBox() const;
    QPlainTextEdit* Memo() const;
    void SetStateTools(bool enable);
    // A record that read only in part is kept whole, with what its read part stores as
    // (readBack): until the objects change, a store gives back the whole record, unread bytes
    // and all. An empty record forgets it.
    void KeepPartialRecord(kes::ByteSpan record, kes::Bytes readBack);
    // What to store for the objects' encoded records: the kept record while they are what
    // was read of it.
    kes::Bytes StoredForm(kes::Bytes encoded);
    // After a tool panel command changed obj: drawn again, the project modified, the
    // inspector's values again while it is shown.
    void ToolEdited(TLxObj& obj);

    kes::PageHost& host_;
    kes::PageCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    bool live_ = true;
    std::set<const TLxObj*> outlined_;
    bool bandShown_ = false;

private:
    friend class kes::PageCanvas;
    kes::PageData data_;
    void BuildPopupMenu(std::uint8_t popWindow);
    void PlaceDrawnObject(TPoint origin);
    void FinishPolyline();
    kes::DrawState DrawStateNow() const;
    void FinishObjDrag(TLxObj* obj);
    void FinishObjResize(TLxObj* obj);
    void StepHistory(std::vector<UndoSnap>& from, std::vector<UndoSnap>& to);
    // The selection onto the clipboard; false when refused.
    bool CopySelected();
    void ShowSelectedOutlines();

    QMenu* pgPopMm_ = nullptr;
    std::uint8_t mouseSuppressed_ = 0;
    std::int32_t polyPtCount_ = 0;
    std::vector<UndoSnap> undoList_;
    std::vector<UndoSnap> redoList_;
    std::int16_t toolKind_ = 0;
    std::int32_t toolSubType_ = 0;
    TBitmap snapBmp_;

    kes::Bytes partialRecord_;
    kes::Bytes partialReadBack_;
    // Sized while the main window was not yet shown.
    bool fitOnShow_ = false;
    // The drag in progress: the snapped press point within the pressed object, moved along
    // with the outlines, and whether anything moved.
    TPoint anchor_;
    bool dragMoved_ = false;
    bool multiCopying_ = false;
    // The text box given a text by the editor, not by the user typing: MemoChange leaves it.
    void SetToolMemo(QPlainTextEdit& memo, const QString& text);
    bool settingMemo_ = false;
};

inline kes::PageData* DataOf(TEditPage* page) { return page ? &page->Data() : nullptr; }
inline const kes::PageData* DataOf(const TEditPage* page) { return page ? &page->Data() : nullptr; }
