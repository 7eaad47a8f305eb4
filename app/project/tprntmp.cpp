#include "app/project/tprntmp.h"

#include "app/model/lxtypecore.h"
#include "app/project/projectdoc.h"

#include <algorithm>
#include <array>

TPrntmp* Prntmp = nullptr;

namespace {

constexpr std::int16_t kGeomKind = 17;

} // namespace

namespace kes {

int PrintTextMessage(std::int16_t kind)
{
    // Kinds 1..21: 36..52 in order, except the geometry (71), the unit (70), the value
    // entry (91) and the bit picture of a word (38, as the bit picture).
    static constexpr std::array<int, 22> kMessages = {0,  36, 37, 38, 39, 40, 41, 42, 43, 44, 45,
                                                      46, 47, 48, 49, 50, 51, 71, 52, 70, 91, 38};
    return kind >= 1 && kind <= 21 ? kMessages[static_cast<std::size_t>(kind)] : 0;
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
{
}

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
    for (const TLxObj* obj : page_->ObjList) {
        const int zoom = std::max(obj->ObjSize, 1);
        canvas.CopyMode = obj->ObjType == kGeomKind || obj->Transparent ? SRCAND : SRCCOPY;
        canvas.Draw(obj->Left / zoom, obj->Top / zoom, obj->Picture);
    }
    canvas.CopyMode = SRCCOPY;
}
