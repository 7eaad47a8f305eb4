#include "app/project/memimage.h"

#include "app/project/imageheader.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace kes {

namespace {

constexpr int kMsgOverMemory = 26;

std::int64_t ObjDataArea(const ProjectState& s) { return std::int64_t(s.ObjDataAddrEnd) - s.ObjDataAddr; }

void StoreIfModified(ProjectDoc& doc)
{
    if (doc.Modified && doc.EditMode() == kes::Editing::Pages)
        doc.StoreActivePage();
}

} // namespace

std::int64_t ImageAreaSize(const ProjectState& s, Editing mode)
{
    const std::int64_t n =
        mode == kes::Editing::UserMenu ? std::int64_t(s.MainMenuEnd) - s.MainMenuAddr : ObjDataArea(s);
    return std::max<std::int64_t>(n, 0);
}

void ResetMemoryImage(ProjectDoc& doc)
{
    doc.MemImage.assign(static_cast<std::size_t>(ImageAreaSize(doc, doc.EditMode())), 0xFF);
    doc.MemImageLen = 0;
}

std::int32_t BuildHeaderImage(ProjectDoc& doc)
{
    const Bytes header = BuildHeaderBytes(doc);
    if (header.size() <= doc.MemImage.size())
        std::copy(header.begin(), header.end(), doc.MemImage.begin());
    return static_cast<std::int32_t>(header.size());
}

bool BuildPageImage(ProjectDoc& doc)
{
    if (doc.IsKeypadType()) {
        ResetMemoryImage(doc);
        doc.OffsetList.clear();
        doc.ImageHeaderLen = BuildHeaderImage(doc);
        doc.MemImageLen = doc.ImageHeaderLen;
        doc.OffsetList.push_back(std::to_string(doc.ImageHeaderLen));
        return true;
    }
    StoreIfModified(doc);
    doc.OffsetList.clear();
    doc.ImageHeaderLen = BuildHeaderImage(doc);
    doc.MemImageLen = doc.ImageHeaderLen;

    // Never past the area, nor past the buffer when it is the smaller (user-menu editing).
    const std::int64_t limit = std::min<std::int64_t>(ObjDataArea(doc), std::int64_t(doc.MemImage.size()));
    bool ok = doc.ImageHeaderLen <= limit;
    if (ok) {
        for (const auto& page : doc.PgDataList) {
            if (std::int64_t(doc.MemImageLen) + page->Length() > limit) {
                ok = false;
                break;
            }
            std::copy(page->Data.begin(), page->Data.end(), doc.MemImage.begin() + doc.MemImageLen);
            doc.OffsetList.push_back(std::to_string(doc.MemImageLen));
            doc.MemImageLen += page->Length();
        }
    }
    if (!ok)
        doc.Report(kMsgOverMemory);
    if (!doc.PgDataList.empty())
        doc.OffsetList.push_back(std::to_string(doc.MemImageLen));
    return ok;
}

bool ImageWouldOverflow(ProjectDoc& doc, std::int64_t extra)
{
    StoreIfModified(doc);
    doc.OffsetList.clear();
    std::int64_t total = BuildHeaderImage(doc);
    const std::int64_t area = ObjDataArea(doc);
    for (const auto& page : doc.PgDataList) {
        if (total + page->Length() + extra > area) {
            doc.Report(kMsgOverMemory);
            return true;
        }
        total += page->Length();
    }
    return false;
}

bool AppendPagesToImage(ProjectDoc& doc)
{
    doc.OffsetList.clear();
    doc.MemImageLen = doc.ImageHeaderLen;
    bool ok = true;
    for (const auto& page : doc.PgDataList) {
        doc.OffsetList.push_back(std::to_string(doc.MemImageLen));
        const std::size_t at = static_cast<std::size_t>(doc.MemImageLen);
        if (at > doc.MemImage.size() || page->Data.size() > doc.MemImage.size() - at)
            ok = false;
        else
            std::copy(page->Data.begin(), page->Data.end(), doc.MemImage.begin() + at);
        doc.MemImageLen += page->Length();
    }
    if (!doc.PgDataList.empty() || doc.IsKeypadType())
        doc.OffsetList.push_back(std::to_string(doc.MemImageLen));
    return ok;
}

int MemoryUsePercent(const ProjectState& s, std::int32_t usedLength)
{
    const std::int64_t area = ObjDataArea(s);
    if (usedLength <= 0)
        return 0;
    if (area <= 0)
        return 100;
    const std::int64_t pc = std::int64_t(usedLength) * 100 / area;
    return static_cast<int>(std::max<std::int64_t>(pc, 1));
}

bool ImageHoldsEveryPage(const ProjectDoc& doc)
{
    if (doc.IsKeypadType())
        return true;
    std::vector<std::uint32_t> off;
    if (!OffsetsOf(doc.OffsetList, off))
        return false;
    const std::size_t pages = doc.PgDataList.size();
    if (pages == 0)
        return off.empty();
    if (off.size() != pages + 1 || off.back() != std::uint32_t(doc.MemImageLen) || off.back() > doc.MemImage.size() ||
        off.front() != std::uint32_t(doc.ImageHeaderLen))
        return false;
    for (std::size_t k = 0; k < pages; ++k) {
        if (off[k + 1] < off[k] || off[k + 1] - off[k] != std::uint32_t(doc.PgDataList[k]->Length()))
            return false;
    }
    return true;
}

} // namespace kes
