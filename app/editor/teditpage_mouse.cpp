// Mouse and key editing on a page: drawing new objects with the drawing tools (a box drag, or
// the clicked points of a polyline ending with a double click), selecting by click, Shift+click
// and rubber band, moving and resizing through outlines that the objects take on release,
// arrow-key nudging, the status bar read-out and the double click that opens an object's
// settings dialog. Every position is snapped down to a whole panel pixel first.
#include "app/editor/teditpage.h"

#include "app/dialogs/objdialogs.h"
#include "app/editor/kindtools.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "objects/objkind.h"
#include "objects/tgeom.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kNewObjBytes = 255; // room a new object may take in the panel memory
constexpr int kPolylineSubType = 11;

bool KeepsSquare(const TLxObj& obj)
{
    const kes::ObjKindFacts* facts = kes::KindFactsOf(obj);
    return facts && facts->KeepsSquare;
}

Qt::CursorShape ShapeOf(kes::EdgeCursor c)
{
    switch (c) {
    case kes::EdgeCursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case kes::EdgeCursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case kes::EdgeCursor::SizeWE:
        return Qt::SizeHorCursor;
    case kes::EdgeCursor::SizeNS:
        return Qt::SizeVerCursor;
    case kes::EdgeCursor::Default:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

void TEditPage::SetPageCursor(Qt::CursorShape shape) { canvas_->setCursor(shape); }

void TEditPage::DrawRubberBand()
{
    bandShown_ = true;
    canvas_->update();
}

void TEditPage::EraseRubberBand()
{
    bandShown_ = false;
    canvas_->update();
}

void TEditPage::DrawObjOutline(TLxObj* obj)
{
    outlined_.insert(obj);
    canvas_->update();
}

void TEditPage::EraseObjOutline(TLxObj* obj)
{
    outlined_.erase(obj);
    canvas_->update();
}

void TEditPage::ShowSelectedOutlines()
{
    for (TLxObj* obj : Data().SelList)
        DrawObjOutline(obj);
}

void TEditPage::SelectInRubberBand() { kes::SelectInRubberBand(Data(), BandCorners); }

void TEditPage::DeselectAll()
{
    for (TLxObj* obj : Data().SelList)
        obj->SetSelected(false);
    Data().SelList.clear();
}

void TEditPage::CommitInspector()
{
    if (host_.Inspector() && host_.View().ObjInspectorOn && host_.Inspector()->ShownObj &&
        host_.Inspector()->ShownObj == Data().CurObj)
        host_.Inspector()->EdtTxtExit();
}

void TEditPage::TakeFocus()
{
    // The tool windows are docks of the main window: the page simply takes the focus.
    if (!canvas_->hasFocus())
        canvas_->setFocus(Qt::MouseFocusReason);
}

void TEditPage::ShowPointer(int x, int y)
{
    host_.SetStatusText(0, QStringLiteral("X:%1 Y:%2").arg(x / Step().X()).arg(y / Step().Y()));
}

void TEditPage::ShowObjStatus(const TLxObj* obj)
{
    if (!obj)
        return;
    const int z = std::max(obj->ObjSize, 1);
    const int gw = std::max(Data().GridWidth, 1);
    const int gh = std::max(Data().GridHeight, 1);
    // The object has no status text of its own; the read-out starts at the bounds.
    host_.SetStatusText(1, QStringLiteral(" (%1,%2) [W=%3,H=%4] ")
                               .arg(obj->Left / z / gw)
                               .arg(obj->Top / z / gh)
                               .arg(obj->Width / z / gw)
                               .arg(obj->Height / z / gh));
}

void TEditPage::ShowSelectionStatus()
{
    if (Data().SelList.empty())
        host_.SetStatusText(1, QString());
    else
        ShowObjStatus(Data().SelList.back());
}

kes::DrawState TEditPage::DrawStateNow() const
{
    kes::DrawState d;
    d.ToolSubType = static_cast<std::uint32_t>(toolSubType_);
    d.DownPt = DownPt;
    d.CurPt = UpPt;
    d.PenWidth = host_.LineWidth();
    d.PenStyle = host_.LinePattern() == 2 ? psDot : psSolid;
    return d;
}

// ---- The page area

void TEditPage::FormMouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    EnterEditMode();
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    const std::int16_t kind = toolKind_;
    const std::int32_t subType = toolSubType_;
    CommitInspector();
    TakeFocus();
    Data().CurObj = nullptr;
    MakeCurrent();
    Cmds().SetItemEnabled("TbMemo", false);
    Cmds().SetItemEnabled("TbMemo_Lab", false);
    DragPending = 0;
    outlined_.clear();
    if (button == mbRight) {
        // A right click ends drawing and drops the clicked points of a polyline.
        if (polyPtCount_ > 0)
            PolyPointsCancel();
        return;
    }

    mouseSuppressed_ = 0;
    if (!Data().SelList.empty()) {
        DeselectAll();
        Cmds().SetItemChecked("TbText", false);
        Cmds().SetItemChecked("TbBmp", false);
        host_.SetObjEditTools(false);
    }
    if (auto* box = qobject_cast<QComboBox*>(Cmds().ToolWidget("TbState_Box")))
        box->setCurrentIndex(-1);
    for (const char* n : {"TbState_Box", "TbState_Lab", "TbState_UD", "TbFont_Box", "TbFont_Lab"})
        Cmds().SetItemEnabled(n, false);

    DownPt = kes::SnapPoint(TPoint{x, y}, Step());
    toolKind_ = kind;
    toolSubType_ = subType;
    if (EditsObjects() && FigureTool() && toolSubType_ == kPolylineSubType) {
        // The point list has room for a fixed number of points; further clicks add none.
        if (polyPtCount_ < kMaxPolyPts)
            PolyPts[static_cast<std::size_t>(polyPtCount_++)] = DownPt;
        PolyLastPt = DownPt;
        if (shift & ssDouble) {
            FinishPolyline();
        } else if (shift & ssRight) {
            PolyPointsCancel();
            host_.PointerTool();
        }
        canvas_->update();
        EditStateRefresh();
        return;
    }
    if (shift & ssLeft) {
        BandCorners.fill(DownPt);
        DrawRubberBand();
    }
    EditStateRefresh();
}

void TEditPage::FormMouseMove(TShiftState shift, int x, int y)
{
    if (LinkBusy())
        return;
    if (!IsActiveChild()) {
        SetPageCursor(Qt::ArrowCursor);
        return;
    }
    if (mouseSuppressed_)
        return;
    const TPoint p = kes::SnapPoint(TPoint{x, y}, Step());
    ShowPointer(p.x, p.y);
    const bool drawing = toolKind_ != 0 && !(FigureTool() && toolSubType_ == 0);
    SetPageCursor(EditsObjects() && drawing ? Qt::CrossCursor : Qt::ArrowCursor);
    if (FigureTool() && toolSubType_ == kPolylineSubType && polyPtCount_ > 0) {
        PolyLastPt = p;
        canvas_->update();
    } else if ((shift & ssLeft) && Data().SelList.empty() && bandShown_) {
        const TPoint c0 = BandCorners[0];
        BandCorners[1] = TPoint{p.x, c0.y};
        BandCorners[2] = p;
        BandCorners[3] = TPoint{c0.x, p.y};
        canvas_->update();
    }
    if (Data().SelList.empty())
        host_.SetStatusText(1, QString());
}

void TEditPage::FormMouseUp(TMouseButton, TShiftState, int x, int y)
{
    if (LinkBusy() || !IsActiveChild())
        return;
    if (mouseSuppressed_) {
        mouseSuppressed_ = 0;
        return;
    }
    SetPageCursor(Qt::ArrowCursor);
    outlined_.clear();
    // Only a left-button gesture on the page (which showed the band) selects or draws.
    const bool gesture = bandShown_;
    const bool pointer = toolKind_ == 0 || (FigureTool() && toolSubType_ == 0);
    if (pointer) {
        if (Data().SelList.empty() && gesture) {
            EraseRubberBand();
            SelectInRubberBand();
        }
    } else {
        const TPoint p = kes::SnapPoint(TPoint{x, y}, Step());
        UpPt = TPoint{std::clamp(p.x, 0, ClientWidth()), std::clamp(p.y, 0, ClientHeight())};
        const bool afterDown = UpPt.x > DownPt.x || UpPt.y > DownPt.y;
        const TPoint origin = afterDown ? DownPt : UpPt;
        EraseRubberBand();
        if (gesture && toolSubType_ != kPolylineSubType)
            PlaceDrawnObject(origin);
    }
    MakeCurrent();
    canvas_->update();
    EditStateRefresh();
}

void TEditPage::PlaceDrawnObject(TPoint origin)
{
    // A screen that is only looked at takes no object. The memory check comes first, so a
    // refused object leaves no undo step behind.
    const std::optional<kes::ObjKind> kind = kes::KindOfCode(toolKind_);
    if (!EditsObjects() || !kind || !MakesKind(*kind) || !RoomFor(kNewObjBytes, false))
        return;
    const std::size_t steps = undoList_.size();
    UndoPush();
    kes::PageEnv env = Env();
    TLxObj* obj =
        kes::PlaceNewObj(Data(), env, *kind, origin.x, origin.y, DrawStateNow(), ClientWidth(), ClientHeight());
    if (!obj) {
        if (undoList_.size() > steps)
            undoList_.pop_back();
        return;
    }
    const int dx = std::abs(UpPt.x - DownPt.x);
    const int dy = std::abs(UpPt.y - DownPt.y);
    if (kes::IsKind(*obj, kes::ObjKind::Geom)) {
        obj->BmpRePaint();
    } else if ((obj->SizeSetsPicture || KeepsSquare(*obj)) && dx >= Data().Zoom && dy >= Data().Zoom) {
        int pw = dx / Data().Zoom;
        int ph = dy / Data().Zoom;
        if (KeepsSquare(*obj)) {
            const int side = std::min(pw, ph);
            pw = side;
            ph = side * Data().GridHeight / Data().GridWidth;
            // Placing it moved it in by its default size, larger than the square drawn.
            obj->Left = origin.x;
            obj->Top = origin.y;
        } else {
            obj->Left = std::min(UpPt.x, DownPt.x);
            obj->Top = std::min(UpPt.y, DownPt.y);
        }
        pw = std::max(pw, 4 * Data().GridWidth);
        ph = std::max(ph, 4 * Data().GridHeight);
        obj->Picture.SetSize(pw, ph);
        obj->SetWidth(pw * Data().Zoom);
        obj->SetHeight(ph * Data().Zoom);
        obj->Width = pw * Data().Zoom;
        obj->Height = ph * Data().Zoom;
        // A square kept from the press point may reach past the page: it moves back in.
        obj->Left = std::max(0, std::min(obj->Left, ClientWidth() - obj->Width));
        obj->Top = std::max(0, std::min(obj->Top, ClientHeight() - obj->Height));
        obj->RecordSelRgn();
        obj->BmpRePaint();
    }
    obj->SetSelected(true);
    Data().SelList.push_back(obj);
}

void TEditPage::FinishPolyline()
{
    if (!RoomFor(kNewObjBytes, true))
        return;
    const std::size_t steps = undoList_.size();
    UndoPush();
    kes::PageEnv env = Env();
    kes::DrawState draw = DrawStateNow();
    draw.PolyPts.assign(PolyPts.begin(), PolyPts.begin() + polyPtCount_);
    draw.CurPt = DownPt;
    TLxObj* obj =
        kes::PlaceNewObj(Data(), env, kes::ObjKind::Geom, DownPt.x, DownPt.y, draw, ClientWidth(), ClientHeight());
    toolSubType_ = 0;
    polyPtCount_ = 0;
    if (!obj) {
        if (undoList_.size() > steps)
            undoList_.pop_back();
        return;
    }
    obj->SetSelected(true);
    Data().SelList.push_back(obj);
    obj->BmpRePaint();
}

void TEditPage::PolyPointsCancel()
{
    if (!EditsObjects() || !FigureTool() || toolSubType_ != kPolylineSubType)
        return;
    PolyPts.fill(TPoint{});
    PolyLastPt = TPoint{};
    polyPtCount_ = 0;
    canvas_->update();
}

// ---- The objects

void TEditPage::ObjMouseDown(TLxObj* obj, TMouseButton button, TShiftState shift, int x, int y)
{
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    CommitInspector();
    if (button == mbLeft && obj != Data().CurObj) {
        PolyPointsCancel();
        Data().CurObj = obj;
    }
    if (toolKind_ != 0 || toolSubType_ != 0) {
        // Clicking an object always ends drawing.
        Cmds().SetItemChecked("tbPointTo", true);
        SetPageCursor(Qt::ArrowCursor);
        toolKind_ = 0;
        toolSubType_ = 0;
        host_.PointerTool();
    }
    const TPoint p = kes::SnapPoint(TPoint{x, y}, Step());
    if (DragPending) {
        ShowSelectedOutlines();
        return;
    }
    if (shift & ssDouble) {
        DrawObjOutline(obj);
        return;
    }
    const auto remember = [&] {
        anchor_ = p;
        dragMoved_ = false;
    };
    if (shift & ssShift) {
        if (button == mbLeft) {
            remember();
            if (std::find(Data().SelList.begin(), Data().SelList.end(), obj) == Data().SelList.end())
                Data().SelList.push_back(obj);
            obj->SetSelected(true);
        }
    } else if (shift & (ssLeft | ssAlt)) {
        if (!obj->Selected) {
            DeselectAll();
            Data().SelList.push_back(obj);
        } else if (std::find(Data().SelList.begin(), Data().SelList.end(), obj) == Data().SelList.end()) {
            Data().SelList.push_back(obj);
        }
        OverlapList.clear();
        for (TLxObj* o : Data().ObjList)
            if (o->Left < obj->Left + obj->Width && obj->Left < o->Left + o->Width && o->Top < obj->Top + obj->Height &&
                obj->Top < o->Top + o->Height)
                OverlapList.push_back(o);
        obj->SetSelected(true);
        remember();
        const kes::EdgeCursor cursor = EditsObjects() ? kes::HandleZoneCursor(p.x, p.y, obj->Width, obj->Height, Step())
                                                      : kes::EdgeCursor::Default;
        ResizeMode = kes::ResizeModeFor(cursor, p.x, p.y, Step());
        if (ResizeMode != 0)
            DrawObjOutline(obj);
        else
            ShowSelectedOutlines();
    } else if (shift & ssRight) {
        ShowSelectedOutlines();
    } else {
        DeselectAll();
        Data().SelList.push_back(obj);
        obj->SetSelected(true);
    }
    if (Data().SelList.size() == 1) {
        TLxObj* one = Data().SelList.front();
        ObjToolbarRefresh(one);
        ObjFontBoxRefresh(one);
        ShowObjStatus(one);
        const QWidget* geomTools = Cmds().ToolWidget("GeomToolBar");
        if (kes::IsKind(*one, kes::ObjKind::Geom) && geomTools && geomTools->isVisible()) {
            const TPen& pen = one->Picture.Canvas()->Pen;
            host_.TakeLineStyle(pen.Width, pen.Style == psDot ? 2 : 0);
        }
    }
    EditStateRefresh();
}

void TEditPage::ObjMouseMove(TLxObj* obj, TShiftState shift, int x, int y)
{
    if (LinkBusy())
        return;
    if (!IsActiveChild()) {
        SetPageCursor(Qt::ArrowCursor);
        return;
    }
    SetPageCursor(Qt::ArrowCursor);
    if (DragPending)
        return;
    const TPoint p = kes::SnapPoint(TPoint{x, y}, Step());
    if (shift & (ssShift | ssDouble))
        return;
    if (EditsObjects())
        SetPageCursor(ShapeOf(kes::HandleZoneCursor(p.x, p.y, obj->Width, obj->Height, Step())));
    // Only a window that edits its objects moves them (and so changes the project).
    if (EditsObjects() && (shift & ssLeft) && canvas_->Captured() == obj) {
        const int dx = p.x - anchor_.x;
        const int dy = p.y - anchor_.y;
        TPoint moved{0, 0};
        if (ResizeMode == 0) {
            const TRect box = kes::OutlineBounds(Data().SelList);
            moved = kes::ClampMove(box, dx, dy, ClientWidth(), ClientHeight());
            for (TLxObj* o : Data().SelList)
                for (TPoint& c : o->SelCorners) {
                    c.x += moved.x;
                    c.y += moved.y;
                }
            if (moved.x != 0 || moved.y != 0)
                MarkModified();
        } else {
            moved = kes::ResizeOutline(obj->SelCorners, ResizeMode, dx, dy, ClientWidth(), ClientHeight());
            MarkModified();
        }
        dragMoved_ = dragMoved_ || moved.x != 0 || moved.y != 0;
        anchor_.x += moved.x;
        anchor_.y += moved.y;
        canvas_->update();
    }
    if (!Data().SelList.empty()) {
        ShowObjStatus(Data().SelList.back());
        ShowPointer(obj->Left + p.x, obj->Top + p.y);
    }
}

void TEditPage::ObjMouseUp(TLxObj* obj, TMouseButton button, TShiftState shift, int, int)
{
    if (LinkBusy() || !IsActiveChild())
        return;
    if (DragPending) {
        DragPending = 0;
        return;
    }
    if (!(shift & (ssShift | ssDouble)) && button != mbRight) {
        TakeFocus();
        if (EditsObjects() && button == mbLeft && canvas_->Captured() == obj) {
            if (ResizeMode != 0)
                FinishObjResize(obj);
            else
                FinishObjDrag(obj);
        }
    }
    outlined_.clear();
    canvas_->update();
    EditStateRefresh();
}

void TEditPage::FinishObjDrag(TLxObj* obj)
{
    // A click that moved nothing records no step.
    if (!dragMoved_)
        return;
    UndoAppend();
    for (TLxObj* o : Data().SelList) {
        EraseObjOutline(o);
        o->Left = std::max(o->SelCorners[0].x, 0);
        o->Top = std::max(o->SelCorners[0].y, 0);
        o->RecordSelRgn();
    }
    for (TLxObj* o : OverlapList)
        o->Repaint();
    obj->Invalidate();
}

void TEditPage::FinishObjResize(TLxObj* obj)
{
    const kes::Outline o = obj->SelCorners;
    const int w = o[1].x - o[0].x;
    const int h = o[3].y - o[0].y;
    if (!dragMoved_) {
        obj->RecordSelRgn();
        return;
    }
    const std::size_t steps = undoList_.size();
    UndoAppend();
    SetPageCursor(Qt::ArrowCursor);
    EraseObjOutline(obj);
    if (KeepsSquare(*obj)) {
        const int z = std::max(obj->ObjSize, 1);
        const int side = std::max(std::min(w, h), z * Data().GridWidth);
        obj->Picture.SetSize(side / z, side / z);
        obj->SetWidth(side);
        obj->SetHeight(side * Data().GridHeight / Data().GridWidth);
        obj->Left = o[0].x;
        obj->Top = o[0].y;
    } else if (obj->SizeSetsPicture) {
        obj->Left = o[0].x;
        obj->Top = o[0].y;
        obj->SetWidth(w);
        obj->SetHeight(h);
    }
    // A side squeezed to nothing keeps one panel pixel, still on the page.
    obj->Left = std::max(0, std::min(obj->Left, ClientWidth() - obj->Width));
    obj->Top = std::max(0, std::min(obj->Top, ClientHeight() - obj->Height));
    obj->RecordSelRgn();
    obj->BmpRePaint();
    obj->Invalidate();
    // A size whose pictures make the record too long to store is taken back with its step.
    if (undoList_.size() > steps && !KeepStorable(undoList_.back()))
        undoList_.pop_back();
}

void TEditPage::ObjKeyDown(TLxObj*, std::uint16_t& key, TShiftState shift)
{
    int dx = 0;
    int dy = 0;
    switch (key) {
    case VK_LEFT:
        dx = -Step().X();
        break;
    case VK_RIGHT:
        dx = Step().X();
        break;
    case VK_UP:
        dy = -Step().Y();
        break;
    case VK_DOWN:
        dy = Step().Y();
        break;
    default: // Tab, Enter and the rest move nothing
        return;
    }
    if (Data().SelList.empty())
        return;
    if (!(shift & ssShift)) {
        const TPoint moved = kes::ClampMove(kes::OutlineBounds(Data().SelList), dx, dy, ClientWidth(), ClientHeight());
        if (moved.x == 0 && moved.y == 0)
            return;
        for (TLxObj* o : Data().SelList)
            for (TPoint& c : o->SelCorners) {
                c.x += moved.x;
                c.y += moved.y;
            }
        UndoAppend();
        for (TLxObj* o : Data().SelList) {
            o->Left = o->SelCorners[0].x;
            o->Top = o->SelCorners[0].y;
            o->Invalidate();
        }
    } else {
        const UndoSnap before = UndoSnapshot();
        for (TLxObj* o : Data().SelList) {
            // At least one panel pixel, and never past the page's right or bottom edge.
            const int w = std::min(o->Width + dx, ClientWidth() - o->Left);
            const int h = std::min(o->Height + dy, ClientHeight() - o->Top);
            if (dx != 0 && w >= Step().X())
                o->SetWidth(w);
            if (dy != 0 && h >= Step().Y())
                o->SetHeight(h);
            o->RecordSelRgn();
            o->BmpRePaint();
            o->Invalidate();
        }
        if (!KeepStorable(before))
            return;
    }
    // Keyboard edits change the page as much as mouse edits do.
    MarkModified();
    ShowObjStatus(Data().SelList.back());
    canvas_->update();
}

void TEditPage::FormKeyDown(std::uint16_t& key, TShiftState shift)
{
    if (!EditsObjects())
        return;
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (Data().SelList.empty())
        return;
    ObjKeyDown(Data().SelList.front(), key, shift);
    const bool several = Data().SelList.size() >= 2;
    for (const char* n : {"TbSideUp", "TbSideDown", "TbSideLeft", "TbSideRight"})
        Cmds().SetItemEnabled(n, several);
}

void TEditPage::ObjDblClick(TLxObj* obj)
{
    if (LinkBusy() || Data().SelList.size() >= 2 || !OpensSettings(*obj))
        return;
    Data().CurObj = obj;
    EraseObjOutline(obj);
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    if (tools && tools->OnDoubleClick == kes::DoubleClick::LoadPicture) {
        // A static picture has no dialog: the main window's picture-load command serves.
        if (Cmds().IsWired("TbBmpRead"))
            Cmds().Action("TbBmpRead")->trigger();
    } else {
        kes::DialogContext ctx = host_.DialogContextFor(&Data());
        ctx.ObjToolbarRefresh = [this](TLxObj& o) { ObjToolbarRefresh(&o); };
        ctx.ObjFontBoxRefresh = [this](TLxObj& o) { ObjFontBoxRefresh(&o); };
        // What the dialog stored must reach the stored record like any other edit, and be
        // storable: an object too long to store goes back to what it was.
        const UndoSnap before = UndoSnapshot();
        if (kes::OpenObjDialog(ctx, *obj, this)) {
            MarkModified();
            if (!KeepStorable(before))
                return;
        }
    }
    DrawObjOutline(obj);
}

void TEditPage::ChooseFigureTool(std::int32_t subType)
{
    ChooseTool(kes::KindCode(kes::ObjKind::Geom), subType);
    polyPtCount_ = 0;
}
