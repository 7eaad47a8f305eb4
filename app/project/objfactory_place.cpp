// Placing new objects on a page, and the rubber band that selects them.
#include "app/project/objfactory.h"
#include "app/project/pgread.h"

#include <algorithm>

namespace kes {

namespace {

// Room a new object may take in the panel memory before it is placed.
constexpr int kNewObjBytes = 255;

// Four lines through the corners (0 to 1, 1 to 2, 2 to 3, 3 to 0) with the inverting mix.
void DrawClosedXor(TCanvas& canvas, const std::array<TPoint, 4>& corners)
{
    canvas.Pen.Mode = pmNotXor;
    for (int i = 0; i < 4; ++i) {
        const TPoint& a = corners[i];
        const TPoint& b = corners[(i + 1) % 4];
        canvas.MoveTo(a.x, a.y);
        canvas.LineTo(b.x, b.y);
    }
    canvas.Pen.Mode = pmCopy;
}

} // namespace

TLxObj* PlaceNewObj(PageData& page, const PageEnv& env, ObjKind kind, int x, int y, const DrawState& draw,
                    int clientWidth, int clientHeight)
{
    if (env.WouldOverflow && env.WouldOverflow(kNewObjBytes))
        return nullptr;
    std::unique_ptr<TLxObj> obj = NewPageObj(page, env, kind);
    obj->Picture.Canvas()->Font = env.MainFont;
    if (!TakeDrawing(*obj, kind, draw)) {
        const int zoom = std::max(page.Zoom, 1);
        obj->SetWidth(obj->Picture.Width() * zoom);
        obj->SetHeight(obj->Picture.Height() * zoom);
        obj->Left = x;
        obj->Top = y;
        if (obj->Left + obj->Width > clientWidth)
            obj->Left = clientWidth - obj->Width;
        if (obj->Top + obj->Height > clientHeight)
            obj->Top = clientHeight - obj->Height;
    }
    TLxObj* placed = AttachObj(page, env, std::move(obj), false);
    page.CurObj = placed;
    placed->Invalidate();
    return placed;
}

void SelectInRubberBand(PageData& page, const RubberBand& band)
{
    TPoint lo = band[0];
    TPoint hi = band[0];
    for (int i = 1; i < 4; ++i) {
        if (band[i].x < lo.x || band[i].y < lo.y)
            lo = band[i];
        if (band[i].x > hi.x || band[i].y > hi.y)
            hi = band[i];
    }
    for (TLxObj* obj : page.ObjList) {
        const bool meets =
            obj->Left <= hi.x && obj->Left + obj->Width >= lo.x && obj->Top <= hi.y && obj->Top + obj->Height >= lo.y;
        if (meets) {
            obj->SetSelected(true);
            if (std::find(page.SelList.begin(), page.SelList.end(), obj) == page.SelList.end())
                page.SelList.push_back(obj);
        } else if (obj->Selected) {
            obj->SetSelected(false);
            std::erase(page.SelList, obj);
        }
    }
}

void DrawRubberBand(TCanvas& canvas, const RubberBand& band) { DrawClosedXor(canvas, band); }

void DrawObjOutline(TCanvas& canvas, const TLxObj& obj) { DrawClosedXor(canvas, obj.SelCorners); }

} // namespace kes
