#include "app/project/pagesettings.h"

#include "app/project/pagedata.h"
#include "app/project/projectdoc.h"
#include "decoder/kindlayout.h"
#include "decoder/setlayout.h"
#include "objects/objkind.h"

namespace kes {
namespace {

bool IsUpDown(std::size_t key) { return key == 10 || key == 11; }

} // namespace

std::size_t WalkPageRecords(ByteSpan data, const std::function<void(std::uint16_t tag, ByteSpan rec)>& visit)
{
    std::size_t pos = 0;
    while (pos < data.size()) {
        const auto tag = GetU16be(data, pos + layout::RecHead::Tag);
        const auto len = GetU16be(data, pos + layout::RecHead::Length);
        // A length that cannot frame a record, or one past the end, ends the walk.
        if (!tag || !len || *len < layout::RecHead::Size || !Has(data, pos, *len))
            break;
        visit(*tag, data.subspan(pos, *len));
        pos += *len;
    }
    return pos;
}

Bytes RewritePageRecords(ByteSpan data, const std::function<bool(std::uint16_t tag, ByteSpan rec)>& keep,
                         const std::function<void(std::uint16_t tag, std::span<std::uint8_t> rec)>& change)
{
    Bytes out;
    out.reserve(data.size());
    const std::size_t end = WalkPageRecords(data, [&](std::uint16_t tag, ByteSpan rec) {
        if (keep && !keep(tag, rec))
            return;
        const std::size_t at = out.size();
        AppendBytes(out, rec);
        if (change)
            change(tag, std::span<std::uint8_t>(out.data() + at, rec.size()));
    });
    AppendBytes(out, data.subspan(end));
    return out;
}

void ClearAllPgJumps(ProjectDoc& doc, PageData* active)
{
    doc.ClearSysPgJumps();
    if (active)
        active->ClearPgJumps();
    for (const auto& page : doc.PgDataList)
        page->Data = RewritePageRecords(page->Data, [](std::uint16_t tag, ByteSpan) { return tag != kTagPgJmp; }, {});
}

void RedefineUpDownOn(ProjectDoc& doc, PageData* active)
{
    for (const auto& page : doc.PgDataList)
        page->Data = RewritePageRecords(page->Data, {}, [](std::uint16_t tag, std::span<std::uint8_t> rec) {
            if (tag == kTagPgHide)
                PutU8(rec, layout::PgHide::Hide, 0);
        });
    if (active)
        active->PgHide.Hide = 0;
}

void RedefineUpDownOff(ProjectDoc& doc, PageData* active)
{
    for (std::size_t k = 0; k < doc.SysFunKeys.size(); ++k)
        if (IsUpDown(k) && doc.SysFunKeyUsed[k]) {
            InitFunKeyRec(doc, doc.SysFunKeys[k]);
            doc.SysFunKeyUsed[k] = 0;
        }
    if (active) {
        for (std::size_t k = 0; k < active->PgFunKeys.size(); ++k)
            if (IsUpDown(k) && active->PgFunKeyUsed[k]) {
                InitFunKeyRec(doc, active->PgFunKeys[k]);
                active->PgFunKeyUsed[k] = 0;
            }
        for (TLxObj* obj : active->ObjList) {
            std::uint8_t* key = OperatorFieldsOf(*obj).RefKey;
            if (key && IsUpDown(*key)) {
                active->ObjFunKeyUsed[*key] = 0;
                *key = 255;
            }
        }
    }
    const auto keyOf = [](std::uint16_t tag, ByteSpan rec) -> std::optional<std::uint8_t> {
        if (tag == kTagPgFunKey)
            return GetU8(rec, layout::PgFunKey::KeyIndex);
        if (tag == KindCode(ObjKind::LxBtn))
            return GetU8(rec, layout::LxBtn::RefKey);
        if (tag == KindCode(ObjKind::LxGetVal))
            return GetU8(rec, layout::LxGetVal::RefKey);
        return std::nullopt;
    };
    for (const auto& page : doc.PgDataList)
        page->Data = RewritePageRecords(
            page->Data,
            [&](std::uint16_t tag, ByteSpan rec) {
                const auto key = keyOf(tag, rec);
                return !(tag == kTagPgFunKey && key && IsUpDown(*key));
            },
            [&](std::uint16_t tag, std::span<std::uint8_t> rec) {
                const auto key = keyOf(tag, rec);
                if (tag != kTagPgFunKey && key && IsUpDown(*key))
                    PutU8(rec, tag == KindCode(ObjKind::LxBtn) ? layout::LxBtn::RefKey : layout::LxGetVal::RefKey, 255);
            });
}

} // namespace kes
