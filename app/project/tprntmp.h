#pragma once
// The hidden page renderer: a stored page turned into objects and page settings of its own
// and drawn into one picture of the whole panel, without touching any page window. The
// page list's preview, the full-screen view and the print listings take the picture or the
// decoded objects and settings from it.
//
// The records are read by the page reader, so a damaged stream gives what was read before
// the first bad record and a picture of that much.
#include "app/project/objfactory.h"
#include "app/project/pagedata.h"
#include "app/project/pgread.h"
#include "platform/bytes.h"
#include "platform/gdi.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kes {
class LxTypeCore;
class ProjectDoc;
} // namespace kes

class TPrntmp {
public:
    // The project's state (grid, link, message table) and the model form (panel size,
    // address codec) stay referenced while the renderer lives.
    TPrntmp(const kes::ProjectState& state, const kes::LxTypeCore& lxType);
    ~TPrntmp();
    TPrntmp(const TPrntmp&) = delete;
    TPrntmp& operator=(const TPrntmp&) = delete;

    std::int32_t RenderZoom = 4;    // zoom of every object the renderer creates
    std::int32_t RenderPgIndex = 0; // the page's index, shown by page number objects
    TBitmap PageBmp;                // the last rendering, one pixel per picture pixel

    // Where the decoder library comes from and the main window's font (empty path: beside
    // the program).
    kes::PageEnv& Env() { return env_; }

    // Replaces the decoded page (objects, jumps, keys, alarms, page-number write, hide) by the
    // records of data[start, end). The result says where and why a damaged stream stopped.
    kes::PgReadResult ParsePageRecords(kes::ByteSpan data, std::size_t start, std::size_t end);
    // Draws the decoded objects over white into PageBmp, sized to the panel times the grid:
    // bottom first, a geometry object (whose white lets what lies below show) with SRCAND,
    // every other kind with SRCCOPY.
    void RenderPageBitmap();

    // The decoded objects in stream order (bottom first), and the page's setting records.
    const TObjList& RenderObjList() const { return page_->ObjList; }
    const kes::PageData& Page() const { return *page_; }

private:
    const kes::ProjectState& state_;
    kes::PageEnv env_;
    std::unique_ptr<kes::PageData> page_;
};

namespace kes {

// Message number of a kind's print caption; 0 for a kind outside 1..21.
int PrintTextMessage(std::int16_t kind);

// The picture of stored page index of the project (one pixel per picture pixel); a null
// image when there is no such page.
QImage RenderStoredPage(const ProjectDoc& doc, const LxTypeCore& lxType, int index);

} // namespace kes
