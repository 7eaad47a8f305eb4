#include "app/project/pgrecstream.h"

#include "app/project/pgrecobj.h"
#include "app/project/pgsetwrite.h"

#include <cstdio>
#include <cstdlib>

namespace kes {

int ObjHeadChx(const TLxObj& obj, RecOut& out, std::size_t pos)
{
    Bytes head;
    obj.BaseObjDataChx(head, 0);
    const TFont& font = obj.Picture.Canvas()->Font;
    head[12] = font.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    head[13] = font.Size == 0 ? 8 : static_cast<std::uint8_t>(font.Size);
    out.PutRecBytes(pos, false, 2, &head[0], 0);
    out.PutRecBytes(pos, false, kObjHeaderSize - 4, &head[4], 4);
    return kObjHeaderSize;
}

const std::string& StoredFontName(TLxObj& obj, const RecEncodeEnv& env)
{
    TFont& font = obj.Picture.Canvas()->Font;
    if (!env.FontExists || !env.FontExists(font.Name)) {
        font.Name = env.MainFont.Name;
        if (font.Size == 0)
            font = env.MainFont;
    }
    return font.Name;
}

std::size_t PutObjPicture(RecWriter& w, std::size_t off, TLxObj& obj)
{
    const int size = obj.BmpSizeGet();
    Bytes bands(size > 0 ? static_cast<std::size_t>(size) : 0);
    obj.BmpDataGet(bands);
    w.U16(off, static_cast<std::uint32_t>(bands.size()));
    w.Raw(off + 2, bands);
    return 2 + bands.size();
}

namespace {

// The geometry kind writes its own record. Its file writer is given a stream in memory,
// so a stored page gets the file's bytes without a file on disk.
int GeomRecChx(RecOut& out, std::size_t pos, TLxObj& obj)
{
    if (out.Mode() == kEncMemory)
        return obj.ObjDataChx(out.Base(), pos);
    if (out.Mode() != kEncFile)
        return 0;
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* mem = open_memstream(&data, &size);
    if (mem == nullptr)
        return 0;
    const int n = obj.ObjTempChx(mem, 0);
    std::fclose(mem);
    if (n > 0 && size > 0)
        out.PutRecBytes(pos, false, size, data, 0);
    std::free(data);
    if (n > 0)
        out.Reach(pos + static_cast<std::size_t>(n));
    return n;
}

} // namespace

int ObjRecChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    (void)env;
    switch (obj.ObjType) {
    case 17:
        return GeomRecChx(out, pos, obj);
    default:
        // Kinds 10 and 11 have no record.
        return 0;
    }
}

int PgDataChx(PageData& page, Bytes& base, std::size_t start, int mode, const TObjList* objects,
              const RecEncodeEnv& env)
{
    page.EncMode = mode;
    RecOut out(base, page.EncMode);
    if (out.Writes())
        base.resize(start, 0);
    std::size_t pos = start;
    if (mode == kEncFile || objects != &page.SelList)
        pos += static_cast<std::size_t>(PgSettingsChx(out, pos, page));
    if (objects == nullptr)
        return static_cast<int>(pos);
    for (TLxObj* obj : *objects) {
        if (obj != nullptr)
            pos += static_cast<std::size_t>(ObjRecChx(out, pos, *obj, env));
    }
    return static_cast<int>(pos);
}

} // namespace kes
