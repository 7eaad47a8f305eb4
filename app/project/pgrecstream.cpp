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

RecWriter BeginObjRec(RecOut& out, std::size_t pos, const TLxObj& obj)
{
    RecWriter w(out, pos, static_cast<std::uint16_t>(obj.ObjType));
    ObjHeadChx(obj, out, pos);
    return w;
}

std::size_t PutObjPicture(RecWriter& w, std::size_t off, TLxObj& obj)
{
    return PutBands(w, off, obj.BmpSizeGet(), [&](std::span<std::uint8_t> dst) { obj.BmpDataGet(dst); });
}

void PutRefTriple(RecWriter& w, const TLxDevRef& write, const TLxDevRef& read, bool readUsed,
                  const TLxDevRef& notify, bool notifyUsed, std::uint8_t notifyState, std::uint8_t notifyOrder)
{
    const auto put = [&](std::size_t off, const TLxDevRef& ref, bool used) {
        TLxDevRef stored = ref;
        if (!used)
            stored.DevAddrCode = -1;
        w.ObjRef(off, stored, ref.RefDetail);
    };
    put(14, write, true);
    put(23, read, readUsed);
    put(32, notify, notifyUsed);
    w.U8(41, static_cast<std::uint8_t>((notifyState << 4) + notifyOrder));
}

std::size_t PutCountedText(RecWriter& w, std::size_t off, const AnsiString& text)
{
    const std::size_t len = w.Text(off + 2, text);
    w.U16(off, static_cast<std::uint32_t>(len));
    return 2 + len;
}

namespace {

// The geometry kind writes its own record. Its file writer is given a stream in memory,
// so a stored page gets the file's bytes without a file on disk.
int GeomRecChx(RecOut& out, std::size_t pos, TLxObj& obj)
{
    if (out.Mode() == kEncMemory) {
        const int n = obj.ObjDataChx(out.Base(), pos);
        if (n > 0)
            out.Reach(pos + static_cast<std::size_t>(n));
        return n;
    }
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

// Writers by kind; kinds 10, 11 and 17 have none here.
ObjWriter WriterOf(TLxObjType kind)
{
    switch (kind) {
    case 1: return StTxtChx;
    case 2: return LxValChx;
    case 3: return LxDevBmpChx;
    case 4: return VrgBmpChx;
    case 5: return StBmpChx;
    case 6: return ActBmpChx;
    case 7: return ScaleChx;
    case 8: return ProgBarChx;
    case 9: return CirMeterChx;
    case 12: return MsgTxtChx;
    case 13: return LxBtnChx;
    case 14: return LxCurveChx;
    case 15: return LxXyCurveChx;
    case 16: return RtcChx;
    case 18: return LightChx;
    case 19: return MetrolChx;
    case 20: return LxGetValChx;
    case 21: return LxAdvDevBmpChx;
    default: return nullptr;
    }
}

} // namespace

int ObjRecChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    if (obj.ObjType == 17)
        return GeomRecChx(out, pos, obj);
    const ObjWriter writer = WriterOf(obj.ObjType);
    const int n = writer != nullptr ? writer(out, pos, obj, env) : 0;
    if (n == RecWriter::kTooLong) {
        if (env.OnTooLong)
            env.OnTooLong(obj);
        return 0;
    }
    return n;
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
