#include "decoder/pgrecstream.h"

#include "decoder/pgrecobj.h"

#include "objects/objkind.h"
#include "objects/objlayout.h"
#include "objects/tactbmp.h"
#include "objects/tcirmeter.h"
#include "objects/tlight.h"
#include "objects/tlxadvdevbmp.h"
#include "objects/tlxbtn.h"
#include "objects/tlxcurve.h"
#include "objects/tlxdevbmp.h"
#include "objects/tlxgetval.h"
#include "objects/tlxval.h"
#include "objects/tmetrol.h"
#include "objects/tmsgtxt.h"
#include "objects/tprogbar.h"
#include "objects/trtc.h"
#include "objects/tscale.h"
#include "objects/tstbmp.h"
#include "objects/tsttxt.h"
#include "objects/tvrgbmp.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace kes {

int ObjHeadChx(const TLxObj& obj, RecOut& out, std::size_t pos)
{
    namespace H = layout::ObjHead;
    Bytes head;
    obj.BaseObjDataChx(head, 0);
    const TFont& font = obj.Picture.Canvas()->Font;
    head[H::FontStyle] = font.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    head[H::FontSize] = font.Size == 0 ? 8 : static_cast<std::uint8_t>(font.Size);
    // Everything but the length, which the kind's writer puts last.
    out.PutRecBytes(pos, false, H::Length - H::Kind, &head[H::Kind], H::Kind);
    out.PutRecBytes(pos, false, H::Size - H::Left, &head[H::Left], H::Left);
    return kObjHeaderSize;
}

const std::string& StoredFontName(TLxObj& obj, const RecEncodeEnv& env)
{
    TFont& font = obj.Picture.Canvas()->Font;
    if (!env.FontExists || !env.FontExists(font.Name)) {
        const bool changed = font.Name != env.MainFont.Name || font.Size == 0;
        font.Name = env.MainFont.Name;
        if (font.Size == 0)
            font = env.MainFont;
        // The picture stored after the name is drawn in the font the name says, as the
        // object read back draws it.
        if (changed)
            obj.BmpRePaint();
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

void PutRefTriple(RecWriter& w, const TLxDevRef& write, const TLxDevRef& read, bool readUsed, const TLxDevRef& notify,
                  bool notifyUsed, std::uint8_t notifyState, std::uint8_t notifyOrder)
{
    const auto put = [&](std::size_t off, const TLxDevRef& ref, bool used) {
        TLxDevRef stored = ref;
        if (!used)
            stored.DevAddrCode = -1;
        w.ObjRef(off, stored, ref.RefDetail);
    };
    namespace L = layout::RefTriple;
    put(L::WriteRef, write, true);
    put(L::ReadRef, read, readUsed);
    put(L::NotifyRef, notify, notifyUsed);
    w.U8(L::NotifyBits, static_cast<std::uint8_t>((notifyState << 4) + notifyOrder));
}

std::size_t PutCountedText(RecWriter& w, std::size_t off, const AnsiString& text)
{
    namespace T = layout::TextBlock;
    const std::size_t len = w.Text(off + T::Text, text);
    w.U16(off + T::Length, static_cast<std::uint32_t>(len));
    return T::Text + len;
}

namespace {

// The record of a kind that writes its own (the geometry). Its file writer is given a
// stream in memory, so a stored page gets the file's bytes without a file on disk.
int OwnRecChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv&)
{
    if (out.Mode() == kEncMemory) {
        const int n = obj.ObjDataChx(out.Base(), pos);
        if (n == TLxObj::kOwnRecTooLong)
            return RecWriter::kTooLong;
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
    if (n == TLxObj::kOwnRecTooLong) {
        std::free(data);
        return RecWriter::kTooLong;
    }
    if (n > 0 && size > 0)
        out.PutRecBytes(pos, false, size, data, 0);
    std::free(data);
    if (n > 0)
        out.Reach(pos + static_cast<std::size_t>(n));
    return n;
}

// A kind's writer over its class: an object whose class is not its kind's writes nothing.
template <typename Kind, int (*Write)(RecOut&, std::size_t, Kind&, const RecEncodeEnv&)>
int Typed(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    auto* o = dynamic_cast<Kind*>(&obj);
    return o != nullptr ? Write(out, pos, *o, env) : 0;
}

struct KindWriter {
    ObjKind Kind;
    ObjWriter Write; // null: the kind's objects stay out of the stored page
};

constexpr KindWriter kWriters[] = {
    {ObjKind::StTxt, Typed<TStTxt, StTxtChx>},
    {ObjKind::LxVal, Typed<TLxVal, LxValChx>},
    {ObjKind::LxDevBmp, Typed<TLxDevBmp, LxDevBmpChx>},
    {ObjKind::VrgBmp, Typed<TVrgBmp, VrgBmpChx>},
    {ObjKind::StBmp, Typed<TStBmp, StBmpChx>},
    {ObjKind::ActBmp, Typed<TActBmp, ActBmpChx>},
    {ObjKind::Scale, Typed<TScale, ScaleChx>},
    {ObjKind::ProgBar, Typed<TProgBar, ProgBarChx>},
    {ObjKind::CirMeter, Typed<TCirMeter, CirMeterChx>},
    {ObjKind::RectMeter, nullptr},
    {ObjKind::LxPage, nullptr},
    {ObjKind::MsgTxt, Typed<TMsgTxt, MsgTxtChx>},
    {ObjKind::LxBtn, Typed<TLxBtn, LxBtnChx>},
    {ObjKind::LxCurve, Typed<TLxCurve, LxCurveChx>},
    {ObjKind::LxXyCurve, Typed<TLxXyCurve, LxXyCurveChx>},
    {ObjKind::Rtc, Typed<TRtc, RtcChx>},
    {ObjKind::Geom, OwnRecChx},
    {ObjKind::Light, Typed<TLight, LightChx>},
    {ObjKind::Metrol, Typed<TMetrol, MetrolChx>},
    {ObjKind::LxGetVal, Typed<TLxGetVal, LxGetValChx>},
    {ObjKind::LxAdvDevBmp, Typed<TLxAdvDevBmp, LxAdvDevBmpChx>},
};
static_assert(CoversEveryKind(kWriters));

} // namespace

int ObjRecChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env)
{
    const std::optional<ObjKind> kind = KindOfCode(obj.ObjType);
    const ObjWriter writer = kind ? EntryOf(kWriters, *kind).Write : nullptr;
    const int n = writer != nullptr ? writer(out, pos, obj, env) : 0;
    if (n == RecWriter::kTooLong) {
        if (env.OnTooLong)
            env.OnTooLong(obj);
        return 0;
    }
    return n;
}

int PgRecordsChx(Bytes& base, std::size_t start, int mode, const PgSettingsView* settings,
                 std::span<TLxObj* const> objects, const RecEncodeEnv& env)
{
    RecOut out(base, mode);
    if (out.Writes())
        base.resize(start, 0);
    std::size_t pos = start;
    if (settings != nullptr)
        pos += static_cast<std::size_t>(PgSettingsChx(out, pos, *settings));
    for (TLxObj* obj : objects) {
        if (obj != nullptr)
            pos += static_cast<std::size_t>(ObjRecChx(out, pos, *obj, env));
    }
    return static_cast<int>(pos);
}

} // namespace kes
