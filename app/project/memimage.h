#pragma once
// The panel memory image: the header sections at offset 0, then every stored page one after
// the other, in page order, with no gaps; the offset list holds each page's start and then
// the end. Offsets count from the start of the image, not from the panel address.
#include "app/project/projectdoc.h"

#include <cstdint>

namespace kes {

// The image's size for the edit mode: the main-menu area in user-menu editing, else the
// object data area (0 when the model gives none).
std::int64_t ImageAreaSize(const ProjectState& s, Editing mode);

// Sizes the image to the area, fills it with 0xFF and sets the used length to 0; the offset
// list and the header length are kept.
void ResetMemoryImage(ProjectDoc& doc);

// Writes the header into the start of the image and returns its length. The header is
// built in full either way; it is copied only when it fits the image.
std::int32_t BuildHeaderImage(ProjectDoc& doc);

// Builds header and pages into the image (reset it first for a clean buffer). False, after
// message 26, when a page does not fit the object data area or the image buffer; the offset
// list then ends with the end of the last page that fitted.
bool BuildPageImage(ProjectDoc& doc);

// True, after message 26, when the header, the stored pages and extra more bytes would not
// fit the object data area. Rewrites the header at the start of the image and clears the
// offset list.
bool ImageWouldOverflow(ProjectDoc& doc, std::int64_t extra);

// Copies the stored pages after the header already in the image and rebuilds the offset
// list. False when a page would pass the image's end (nothing is copied past it).
bool AppendPagesToImage(ProjectDoc& doc);

// Memory use of the last build in percent of the object data area (integer division; a used
// length above 0 reports at least 1).
int MemoryUsePercent(const ProjectState& s, std::int32_t usedLength);

// True when the offset list describes exactly the stored pages: one start per page and the
// end, each page's length matching its record, all inside the used length.
bool ImageHoldsEveryPage(const ProjectDoc& doc);

} // namespace kes
