// The page record readers: walks over a page record stream that frame every record,
// hand it to the decoder library and put the results on the page.
#include "app/project/pgread.h"

#include "app/model/lxtypecore.h"
#include "app/project/morvikload.h"
#include "decoder/setlayout.h"

namespace kes {

namespace {

constexpr unsigned kPageExports =
    kExpDatatoObjInfo | kExpDataToPgJmp | kExpDataToPgFunKey | kExpDataToPgSys | kExpDataToPgHide | kExpDataToPLCValSet;
constexpr unsigned kPasteExports = kExpDatatoObjInfo | kExpDataToPgJmp | kExpDataToPgFunKey | kExpDataToPgSys;

constexpr std::size_t kKeyIndexOffset = layout::PgFunKey::KeyIndex;
constexpr std::size_t kSkip1005 = 5;

bool IsObjTag(std::uint16_t tag) { return KindOfCode(tag).has_value(); }

// data[start, end) as a span, when it lies inside data.
std::optional<ByteSpan> RangeOf(ByteSpan data, std::size_t start, std::size_t end)
{
    if (start > end || end > data.size())
        return std::nullopt;
    return data.subspan(start, end - start);
}

// One walk over a range: the framing checks and the record steps both readers share.
class Walk {
public:
    Walk(PageData& page, const PageEnv& env, ByteSpan range, PgReadResult& res)
        : page_(page), env_(env), rng_(range), res_(res)
    {}

    bool Open(unsigned exports)
    {
        res_.Error = lib_.Open(exports, env_.LibraryPath);
        res_.Detail = lib_.Detail();
        return res_.Ok();
    }
    bool More() const { return pos_ < rng_.size(); }

    // The tag at the position; nothing when fewer than two bytes are left.
    std::optional<std::uint16_t> Tag() const { return GetU16be(rng_, pos_); }

    // Checks the framing of the record at the position: its head, a stored length of at
    // least the head and no less than minLen, and all of it inside the range.
    DecodeError Frame(std::size_t minLen, std::size_t& len) const
    {
        const auto stored = GetU16be(rng_, pos_ + 2);
        if (!stored || !Has(rng_, pos_, kRecHeadSize))
            return DecodeError::ShortHead;
        len = *stored;
        if (len < kRecHeadSize)
            return DecodeError::ZeroLength;
        if (!Has(rng_, pos_, len))
            return DecodeError::LengthPastEnd;
        if (len < minLen)
            return DecodeError::Truncated;
        return DecodeError::None;
    }

    const std::uint8_t* Rec() const { return rng_.data() + pos_; }
    int Position() const { return static_cast<int>(pos_); }

    // Takes a decoder's result for a record of len bytes: the walk moves on by it, or the
    // result says why not.
    DecodeError Advance(int result, std::size_t len)
    {
        if (result <= 0)
            return DecodeErrorOfResult(result);
        if (static_cast<std::size_t>(result) > len)
            return DecodeError::Internal;
        pos_ += static_cast<std::size_t>(result);
        return DecodeError::None;
    }
    DecodeError Skip(std::size_t n)
    {
        if (!Has(rng_, pos_, n))
            return DecodeError::ShortHead;
        pos_ += n;
        return DecodeError::None;
    }

    const MorvikFns& Fns() const { return lib_.Fns(); }

    // Decodes the object record at the position into a new object of its kind; the object
    // is put on the page when its top-left lies there.
    DecodeError Object(std::uint16_t tag, std::size_t len, bool pasted)
    {
        const std::optional<ObjKind> kind = KindOfCode(tag);
        if (!kind)
            return DecodeError::UnknownKind;
        std::unique_ptr<TLxObj> obj;
        if (const DecodeError e = Decode(*kind, len, obj); e != DecodeError::None)
            return e;
        // Tested before the fix-ups so that a dropped object binds no function key.
        if (!ObjOnPage(page_, env_, *obj))
            return DecodeError::None;
        ObjDevTxtRebuild(page_, env_, *obj);
        TLxObj* placed = AttachObj(page_, env_, std::move(obj), pasted);
        ++res_.Objects;
        if (!pasted) {
            placed->SetSelected(false);
        } else {
            if (!env_.MultiCopy)
                placed->SetSelected(true);
            page_.CurObj = placed;
        }
        return DecodeError::None;
    }

    // A screen's object record: decoded into a new object put on the page as it stands.
    DecodeError ScreenObject(ObjKind kind, std::size_t len, bool pasted)
    {
        std::unique_ptr<TLxObj> obj;
        if (const DecodeError e = Decode(kind, len, obj); e != DecodeError::None)
            return e;
        TLxObj* placed = AttachObj(page_, env_, std::move(obj), pasted);
        placed->SetSelected(false);
        ++res_.Objects;
        return DecodeError::None;
    }

    DecodeError Finish(DecodeError e)
    {
        res_.Error = e;
        res_.Position = pos_;
        return e;
    }

private:
    // A new object of kind with the record at the position read into it. The record replaces
    // the factory's defaults and the settings follow one another: the object is drawn once,
    // as it is put on the page.
    DecodeError Decode(ObjKind kind, std::size_t len, std::unique_ptr<TLxObj>& obj)
    {
        std::optional<PaintHold> hold;
        if (!env_.DrawDefaults)
            hold.emplace();
        obj = NewPageObj(page_, env_, kind);
        return Advance(Fns().DatatoObjInfo(obj.get(), Rec(), Position()), len);
    }

    PageData& page_;
    const PageEnv& env_;
    ByteSpan rng_;
    PgReadResult& res_;
    MorvikLib lib_;
    std::size_t pos_ = 0;
};

// One record of a whole page.
DecodeError PageStep(Walk& w, PageData& page, const PageEnv& env, PgReadResult& res)
{
    const auto tag = w.Tag();
    if (!tag)
        return DecodeError::ShortHead;
    // Never written, and stepped over by a fixed size whatever follows.
    if (*tag == kTagNone1005)
        return w.Skip(kSkip1005);
    std::size_t len = 0;
    if (const DecodeError e = w.Frame(IsObjTag(*tag) ? kObjRecMinSize : kRecHeadSize, len); e != DecodeError::None)
        return e;
    const MorvikFns& f = w.Fns();
    switch (*tag) {
    case kTagPgHide:
        return w.Advance(f.DataToPgHide(&page.PgHide, w.Rec(), w.Position()), len);
    case kTagPgNumWrite:
        return w.Advance(f.DataToPLCValSet(&page.PgNumWrite, w.Rec(), w.Position()), len);
    case kTagPgJmp: {
        // A full list steps over the record, as the image header reader does: the objects
        // after it are still read.
        if (page.PgJmpList.size() >= static_cast<std::size_t>(kMaxPgJumps))
            return w.Skip(len);
        PgJmpRec rec;
        const ProjectState& state = env.State;
        rec.Ref.LinkIndex = state.LinkIndex;
        rec.Ref.LinkFlag = state.LinkIndex < state.PortSlaveMode.size() && state.PortSlaveMode[state.LinkIndex] != 0;
        if (const DecodeError e = w.Advance(f.DataToPgJmp(&rec, w.Rec(), w.Position()), len); e != DecodeError::None)
            return e;
        page.PgJmpList.push_back(rec);
        PgJmpDevFix(page, env, page.PgJmpList.back());
        return DecodeError::None;
    }
    case kTagPgFunKey: {
        if (len <= kKeyIndexOffset)
            return DecodeError::Truncated;
        const std::uint8_t k = w.Rec()[kKeyIndexOffset];
        if (k >= kFunKeyCount)
            return DecodeError::KeyIndexRange;
        PgFunKeyRec& key = page.PgFunKeys[k];
        key.KeyIndex = k;
        if (const DecodeError e = w.Advance(f.DataToPgFunKey(&key, w.Rec(), w.Position()), len); e != DecodeError::None)
            return e;
        page.PgFunKeyUsed[k] = key.ButtonType != BtnType::None;
        PgFunKeyDevFix(page, env, key);
        return DecodeError::None;
    }
    case kTagPgSys: {
        // Offered to the buzzer and then to the alarm lamp; each takes the record that
        // names its slot.
        bool taken = false;
        for (int slot = 0; slot < 2; ++slot) {
            if (w.Tag() == kTagPgSys) {
                if (const DecodeError e = w.Frame(kRecHeadSize, len); e != DecodeError::None)
                    return e;
                const int r = f.DataToPgSys(&page.PgSysRecs[slot], slot, w.Rec(), w.Position());
                if (r != kDecOtherSlot) {
                    if (const DecodeError e = w.Advance(r, len); e != DecodeError::None)
                        return e;
                    taken = true;
                }
            }
            PgSysDevFix(page, env, page.PgSysRecs[slot]);
        }
        return taken ? DecodeError::None : DecodeError::SlotRange;
    }
    default:
        if (IsObjTag(*tag))
            return w.Object(*tag, len, false);
        ++res.Skipped;
        return w.Skip(len);
    }
}

// A walk over data[start, end): binds the library, runs prepare, then step for each record
// until the end or the first error.
template <typename Prepare, typename Step>
PgReadResult RunWalk(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end,
                     unsigned exports, Prepare prepare, Step step)
{
    PgReadResult res;
    const auto range = RangeOf(data, start, end);
    if (!range) {
        res.Error = DecodeError::BadRange;
        return res;
    }
    Walk w(page, env, *range, res);
    if (!w.Open(exports))
        return res;
    prepare();
    DecodeError e = DecodeError::None;
    while (e == DecodeError::None && w.More())
        e = step(w, res);
    w.Finish(e);
    return res;
}

} // namespace

PgReadResult PgDataToObj(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end)
{
    return RunWalk(
        page, env, data, start, end, kPageExports, [&] { page.ClearPgJumps(); },
        [&](Walk& w, PgReadResult& res) { return PageStep(w, page, env, res); });
}

PgReadResult PastePgData(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end)
{
    return RunWalk(
        page, env, data, start, end, kPasteExports,
        [&] {
            for (TLxObj* obj : page.SelList)
                obj->SetSelected(false);
            page.SelList.clear();
        },
        [](Walk& w, PgReadResult& res) {
            const auto tag = w.Tag();
            if (!tag)
                return DecodeError::ShortHead;
            std::size_t len = 0;
            if (const DecodeError e = w.Frame(IsObjTag(*tag) ? kObjRecMinSize : kRecHeadSize, len);
                e != DecodeError::None)
                return e;
            if (IsObjTag(*tag))
                return w.Object(*tag, len, true);
            ++res.Skipped;
            return w.Skip(len);
        });
}

bool ScreenKind(ObjKind kind) { return kind == ObjKind::StTxt || kind == ObjKind::StBmp || kind == ObjKind::Geom; }

PgReadResult ScreenDataToObj(PageData& page, const PageEnv& env, ByteSpan data, std::size_t start, std::size_t end,
                             bool pasted, bool (*makes)(ObjKind))
{
    return RunWalk(
        page, env, data, start, end, kExpDatatoObjInfo,
        [&] {
            if (!pasted)
                return;
            for (TLxObj* obj : page.SelList)
                obj->SetSelected(false);
            page.SelList.clear();
        },
        [&](Walk& w, PgReadResult& res) {
            const auto tag = w.Tag();
            if (!tag)
                return DecodeError::ShortHead;
            const std::optional<ObjKind> kind = KindOfCode(*tag);
            const bool made = kind && makes(*kind);
            std::size_t len = 0;
            if (const DecodeError e = w.Frame(made ? kObjRecMinSize : kRecHeadSize, len); e != DecodeError::None)
                return e;
            if (made)
                return w.ScreenObject(*kind, len, pasted);
            ++res.Skipped;
            return w.Skip(len);
        });
}

bool ObjOnPage(const PageData& page, const PageEnv& env, const TLxObj& obj)
{
    const ProjectState& s = env.State;
    return obj.Left <= env.LxType.PanelWidth * page.Zoom * s.GridWidth &&
           obj.Top <= env.LxType.PanelHeight * page.Zoom * s.GridHeight;
}

TLxObj* AttachObj(PageData& page, const PageEnv& env, std::unique_ptr<TLxObj> obj, bool pasted)
{
    auto fit = [&] {
        obj->Width = obj->Picture.Width() * page.Zoom;
        obj->Height = obj->Picture.Height() * page.Zoom;
        obj->RecordSelRgn();
    };
    fit();
    if (env.OnAttach)
        env.OnAttach(*obj, pasted);
    obj->BmpRePaint();
    // Its one drawing may size the picture (a bit picture takes its own size), as the settings
    // did while they were read: the control follows.
    fit();
    TLxObj* placed = page.AppendObj(std::move(obj));
    if (pasted)
        page.SelList.push_back(placed);
    return placed;
}

} // namespace kes
