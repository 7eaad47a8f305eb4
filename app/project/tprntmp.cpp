#include "app/project/tprntmp.h"

#include "app/model/lxtypecore.h"
#include "app/project/projectdoc.h"
#include "objects/objkind.h"

#include <algorithm>
#include <array>

namespace kes {

int PrintTextMessage(std::int16_t kind)
{
    const std::optional<ObjKind> k = KindOfCode(kind);
    return k ? KindFacts(*k).CaptionMsg : 0;
}

QImage RenderStoredPage(const ProjectDoc& doc, const LxTypeCore& lxType, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= doc.PgDataList.size() || !doc.PgDataList[index])
        return {};
    const PgDataStr& rec = *doc.PgDataList[static_cast<std::size_t>(index)];
    TPrntmp renderer(doc, lxType);
    renderer.RenderPgIndex = index;
    renderer.ParsePageRecords(rec.Data, 0, rec.Data.size());
    renderer.RenderPageBitmap();
    return renderer.PageBmp.Image();
}

} // namespace kes

TPrntmp::TPrntmp(const kes::ProjectState& state, const kes::LxTypeCore& lxType)
    : state_(state), env_(state, lxType), page_(std::make_unique<kes::PageData>())
{}

TPrntmp::~TPrntmp() = default;

kes::PgReadResult TPrntmp::ParsePageRecords(kes::ByteSpan data, std::size_t start, std::size_t end)
{
    // A fresh page: nothing of the previous parse survives, settings start at "none".
    page_ = std::make_unique<kes::PageData>();
    page_->ResetPgSettings(state_);
    page_->Zoom = std::max(RenderZoom, 1);
    page_->GridWidth = state_.GridWidth;
    page_->GridHeight = state_.GridHeight;
    page_->PgIndex = RenderPgIndex;
    const kes::PgReadResult res = kes::PgDataToObj(*page_, env_, data, start, end);
    for (TLxObj* obj : page_->ObjList) {
        const int n = kes::PrintTextMessage(obj->ObjType);
        obj->PrintText = n < static_cast<int>(state_.MsgTable.size()) ? state_.MsgTable[n] : std::string();
    }
    return res;
}

void TPrntmp::RenderPageBitmap()
{
    const int width = std::max(env_.LxType.PanelWidth, 0) * std::max(state_.GridWidth, 1);
    const int height = std::max(env_.LxType.PanelHeight, 0) * std::max(state_.GridHeight, 1);
    PageBmp.SetSize(width, height);
    TCanvas& canvas = *PageBmp.Canvas();
    PatBlt(canvas, 0, 0, width, height, WHITENESS);
    const auto transparent = [](const TLxObj& obj) {
        const kes::ObjKindFacts* facts = kes::KindFactsOf(obj);
        return (facts && facts->Transparent) || obj.Transparent;
    };
    // A picture wholly under a copied one drawn after it shows nothing.
    const TObjList& objs = page_->ObjList;
    std::vector<TRect> boxes;
    std::vector<bool> covers;
    boxes.reserve(objs.size());
    covers.reserve(objs.size());
    for (const TLxObj* obj : objs) {
        const int zoom = std::max(obj->ObjSize, 1);
        boxes.push_back(TRect{obj->Left / zoom, obj->Top / zoom, obj->Left / zoom + obj->Picture.Width(),
                              obj->Top / zoom + obj->Picture.Height()});
        covers.push_back(!transparent(*obj));
    }
    const std::vector<bool> hidden = kes::HiddenUnderLater(boxes, covers);
    for (std::size_t i = 0; i < objs.size(); ++i) {
        if (hidden[i])
            continue;
        const TLxObj* obj = objs[i];
        const int zoom = std::max(obj->ObjSize, 1);
        canvas.CopyMode = transparent(*obj) ? SRCAND : SRCCOPY;
        canvas.Draw(obj->Left / zoom, obj->Top / zoom, obj->Picture);
    }
    canvas.CopyMode = SRCCOPY;
}
