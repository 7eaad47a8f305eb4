// Text output. Characters are placed one by one at whole-pixel advances (no kerning),
// rendered without antialiasing and copied as pure font colour, so a pixel is either the
// font colour or untouched. A character the family lacks is drawn from the fallback
// family on the same baseline. Text needs a QGuiApplication (the font database); without
// one, texts measure 0 and draw nothing.
//
// A font's faces and metrics are made once, and each character of it measured and rendered
// once (its advance and its ink): a text is laid out from its characters' advances and its ink
// put together from theirs, as the characters stand alone at whole-pixel places. A text is laid
// out once per font and string, and its ink kept as the inked runs of its rows (the glyph run);
// drawing fills the runs' visible parts. The cache forgets everything when it grows past its
// limits.
#include "platform/codepage.h"
#include "platform/gdi.h"
#include "platform/gdi_internal.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

using namespace kes::gdi;

namespace {

constexpr int kMaxPixelSize = 1000;
// Windows' default for a zero height: the 8-point size.
constexpr int kDefaultPixelSize = 11;

bool CanRenderText() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QFont MakeQFont(const TFont& f, const std::string& family, int pixelSize)
{
    QFont q(QString::fromStdString(family));
    q.setPixelSize(std::clamp(pixelSize, 1, kMaxPixelSize));
    q.setBold((f.Style & fsBold) != 0);
    q.setItalic((f.Style & fsItalic) != 0);
    q.setUnderline((f.Style & fsUnderline) != 0);
    q.setStrikeOut((f.Style & fsStrikeOut) != 0);
    q.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    q.setHintingPreference(DrawUnhinted(family) ? QFont::PreferNoHinting : QFont::PreferFullHinting);
    q.setKerning(false);
    return q;
}

// A negative height is the character height (the em size); a positive one the cell
// height, ascent plus descent, so the largest size whose cell fits is taken.
int PixelSizeFor(const TFont& f, const std::string& family)
{
    int h = f.Height();
    if (h == 0)
        return kDefaultPixelSize;
    if (h < 0)
        return std::min(-h, kMaxPixelSize);
    h = std::min(h, kMaxPixelSize);
    // Cells grow about in proportion to the size: start just above the proportional guess.
    int cellAtH = std::max(1, QFontMetrics(MakeQFont(f, family, h)).height());
    int size = std::clamp(h * h / cellAtH + 1, 1, h);
    while (size > 1 && QFontMetrics(MakeQFont(f, family, size)).height() > h)
        --size;
    return size;
}

// One character of a font: the face it is drawn from, its advance and its ink, rendered on
// first need, as the inked box around the character's cell (top-left at the cell's) and a mask
// of that box (1 = inked).
// Columns first to end (excluded) of a row that are inked.
struct InkRun {
    int first;
    int end;
};

struct Glyph {
    QString text; // its code units
    int font = 0; // index into the face's fonts
    int advance = 0;
    bool rendered = false;
    TRect ink;
    std::vector<std::uint8_t> mask;
    // The mask's inked runs: row r holds runs[rowRuns[r]] up to runs[rowRuns[r + 1]], columns
    // from the ink box's left.
    std::vector<InkRun> runs;
    std::vector<std::uint32_t> rowRuns;
};

// A font as texts are drawn in it: its own family and the fallback, their metrics, and the
// characters met so far.
struct Face {
    QFont fonts[2]; // the text's own family, then the fallback
    std::unique_ptr<QFontMetrics> metrics[2];
    int ascent = 0;
    int height = 0;
    // Keyed by the character's code point, or its code unit when it is a lone surrogate.
    std::unordered_map<char32_t, Glyph> glyphs;
    // The glyphs of the first 256 code points, found without hashing (most texts are these).
    std::array<Glyph*, 256> latin{};
};

Face MakeFace(const TFont& f)
{
    Face face;
    std::string family = kes::InstalledFamilyFor(f.Name);
    int size = PixelSizeFor(f, family);
    face.fonts[0] = MakeQFont(f, family, size);
    face.fonts[1] = MakeQFont(f, FallbackFamily(), size);
    for (int i = 0; i < 2; ++i)
        face.metrics[i] = std::make_unique<QFontMetrics>(face.fonts[i]);
    face.ascent = face.metrics[0]->ascent();
    face.height = face.metrics[0]->height();
    return face;
}

// The character at i of s (one or two code units, n), measured on first sight.
const Glyph& GlyphAt(Face& face, const QString& s, qsizetype i, qsizetype& n)
{
    char32_t ucs4 = s.at(i).unicode();
    n = 1;
    if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        ucs4 = QChar::surrogateToUcs4(s.at(i), s.at(i + 1));
        n = 2;
    }
    if (ucs4 < face.latin.size() && face.latin[ucs4])
        return *face.latin[ucs4];
    auto [it, added] = face.glyphs.try_emplace(ucs4);
    Glyph& g = it->second;
    if (ucs4 < face.latin.size())
        face.latin[ucs4] = &g;
    if (added) {
        g.text = s.mid(i, n);
        g.font = !face.metrics[0]->inFontUcs4(ucs4) && face.metrics[1]->inFontUcs4(ucs4) ? 1 : 0;
        g.advance = face.metrics[g.font]->horizontalAdvance(g.text);
    }
    return g;
}

// Italic overhang, underline and strike-out may leave a character's cell: its ink is looked
// for this far around it.
int GlyphMargin(const Face& face) { return 2 * face.height + 4; }

void RenderGlyph(const Face& face, Glyph& g)
{
    if (g.rendered)
        return;
    g.rendered = true;
    const int m = GlyphMargin(face);
    QImage img(g.advance + 2 * m, face.height + 2 * m, QImage::Format_ARGB32_Premultiplied);
    if (img.isNull())
        return;
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.setPen(Qt::black);
        p.setFont(face.fonts[g.font]);
        p.drawText(QPoint(m, m + face.ascent), g.text);
    }
    TRect box{img.width(), img.height(), 0, 0};
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(row[x]) >= 128)
                box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                            std::max(box.Bottom, y + 1)};
    }
    if (IsEmpty(box))
        return;
    g.ink = TRect{box.Left - m, box.Top - m, box.Right - m, box.Bottom - m};
    g.mask.resize(static_cast<std::size_t>(box.Width()) * static_cast<std::size_t>(box.Height()));
    g.rowRuns.push_back(0);
    for (int y = box.Top; y < box.Bottom; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        std::uint8_t* m = g.mask.data() + static_cast<std::size_t>(y - box.Top) * box.Width();
        for (int x = box.Left; x < box.Right; ++x)
            m[x - box.Left] = qAlpha(row[x]) >= 128 ? 1 : 0;
        for (int x = 0; x < box.Width();) {
            if (!m[x]) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < box.Width() && m[x])
                ++x;
            g.runs.push_back(InkRun{first, x});
        }
        g.rowRuns.push_back(static_cast<std::uint32_t>(g.runs.size()));
    }
}

struct Layout {
    Face* face = nullptr;
    int ascent = 0;
    int height = 0;
    std::vector<Glyph*> glyphs;
    std::vector<int> x; // left of each, from the text's left
    int width = 0;
};

Layout LayOut(Face& face, const std::string& text)
{
    Layout l;
    l.face = &face;
    l.ascent = face.ascent;
    l.height = face.height;
    const QString s = kes::AnsiToQString(text);
    l.glyphs.reserve(static_cast<std::size_t>(s.size()));
    l.x.reserve(static_cast<std::size_t>(s.size()));
    for (qsizetype i = 0; i < s.size();) {
        qsizetype n = 1;
        const Glyph& g = GlyphAt(face, s, i, n);
        l.glyphs.push_back(const_cast<Glyph*>(&g));
        l.x.push_back(l.width);
        l.width += g.advance;
        i += n;
    }
    return l;
}

// The surface a text is drawn on: its box is filled whole unless the brush is clear.
Surface TextSurface(const TCanvas& canvas, const TRect& box)
{
    return canvas.Brush.Style == bsClear ? Surface(canvas) : Surface(canvas, box);
}

void FillBox(Surface& s, const TCanvas& canvas, const TRect& box)
{
    if (canvas.Brush.Style == bsClear || !s.Valid())
        return;
    TRect r = Intersect(box, s.Clip());
    if (IsEmpty(r))
        return;
    std::uint32_t px = ToPixel(canvas.Brush.Color);
    for (int y = r.Top; y < r.Bottom; ++y)
        s.Fill(y, r.Left, r.Right, px);
}

// Italic overhang, underline and strike-out may leave the text box a little.
int InkMargin(const Layout& l) { return l.height + 2; }

// The ink of a text whose top-left is at (x, y), as far as it falls into area, as a mask of
// area's size (1 = inked): its characters' ink, each at its place.
std::vector<std::uint8_t> RenderInk(const Layout& l, int x, int y, const TRect& area)
{
    std::vector<std::uint8_t> ink(static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height()));
    for (std::size_t i = 0; i < l.glyphs.size(); ++i) {
        Glyph& g = *l.glyphs[i];
        RenderGlyph(*l.face, g);
        if (g.mask.empty())
            continue;
        const int left = x + l.x[i] + g.ink.Left;
        const int top = y + g.ink.Top;
        const TRect put = Intersect(TRect{left, top, left + g.ink.Width(), top + g.ink.Height()}, area);
        for (int yy = put.Top; yy < put.Bottom; ++yy) {
            const std::uint8_t* from =
                g.mask.data() + static_cast<std::size_t>(yy - top) * g.ink.Width() + (put.Left - left);
            std::uint8_t* to =
                ink.data() + static_cast<std::size_t>(yy - area.Top) * area.Width() + (put.Left - area.Left);
            for (int k = 0; k < put.Width(); ++k)
                to[k] |= from[k];
        }
    }
    return ink;
}

// Puts the inked pixels of an ink mask whose top-left lies at (left, top) in the font
// colour, within area.
void PutInk(Surface& s, TColor font, const std::vector<std::uint8_t>& ink, int left, int top, int width,
            const TRect& area)
{
    if (!s.Valid() || ink.empty())
        return;
    const std::uint32_t colour = ToPixel(font);
    const int n = area.Width();
    for (int y = area.Top; y < area.Bottom; ++y) {
        const std::uint8_t* from =
            ink.data() + static_cast<std::size_t>(y - top) * static_cast<std::size_t>(width) + (area.Left - left);
        std::uint32_t* to = s.At(area.Left, y);
        for (int i = 0; i < n; ++i)
            if (from[i])
                to[i] = colour;
    }
}

// What may show of a text at (x, y) on the surface within limit.
TRect VisibleInk(const Surface& s, const Layout& l, int x, int y, const TRect& limit)
{
    const int margin = InkMargin(l);
    TRect reach{x - margin, y - margin, x + l.width + margin, y + l.height + margin};
    return Intersect(Intersect(reach, limit), s.Clip());
}

// A laid-out text and its glyph run: the ink of the text drawn with its top-left at (0, 0),
// kept as the inked runs of each row of the box around the inked pixels.
struct GlyphRun {
    Layout layout;
    bool rendered = false;
    bool kept = false; // false: too large to keep, rendered per call
    TRect inkBox;      // from the text's top-left; empty when nothing is inked
    // Row r of the box holds runs[rowRuns[r]] up to runs[rowRuns[r + 1]]: columns first to
    // end (excluded) from the box's left.
    std::vector<InkRun> runs;
    std::vector<std::size_t> rowRuns;
};

// Puts the runs of a kept glyph run whose ink box's top-left lies at (left, top) in the font
// colour, within area.
void PutRuns(Surface& s, TColor font, const GlyphRun& run, int left, int top, const TRect& area)
{
    if (!s.Valid())
        return;
    const std::uint32_t colour = ToPixel(font) | 0xFF000000u;
    // Mostly every column of the ink box shows: the runs then need no cutting, and a run is a
    // few pixels, written one by one from the row's start.
    const bool whole = area.Left == left && area.Right == left + run.inkBox.Width();
    for (int y = area.Top; y < area.Bottom; ++y) {
        const auto row = static_cast<std::size_t>(y - top);
        std::uint32_t* const at = s.At(area.Left, y);
        for (std::size_t k = run.rowRuns[row]; k < run.rowRuns[row + 1]; ++k) {
            const int x0 = whole ? left + run.runs[k].first : std::max(left + run.runs[k].first, area.Left);
            const int x1 = whole ? left + run.runs[k].end : std::min(left + run.runs[k].end, area.Right);
            for (int x = x0; x < x1; ++x)
                at[x - area.Left] = colour;
        }
    }
}

// Texts keyed by font (without its colour), code page and bytes; looked up through a view
// of the font and text, so a lookup copies nothing.
struct TextKeyView {
    std::string_view name;
    int size = 0;
    std::uint8_t style = 0;
    int codePage = 0;
    std::string_view text;
    // The numbers and lengths first: they tell most keys apart without reading the bytes.
    friend bool operator==(const TextKeyView& a, const TextKeyView& b)
    {
        return a.size == b.size && a.style == b.style && a.codePage == b.codePage && a.text.size() == b.text.size() &&
               a.name.size() == b.name.size() && a.text == b.text && a.name == b.name;
    }
};

struct TextKey {
    std::string name;
    int size = 0;
    std::uint8_t style = 0;
    int codePage = 0;
    std::string text;
    TextKeyView View() const { return TextKeyView{name, size, style, codePage, text}; }
};

struct TextKeyHash {
    using is_transparent = void;
    std::size_t operator()(const TextKeyView& k) const
    {
        std::size_t h = std::hash<std::string_view>()(k.text);
        for (std::size_t v : {std::hash<std::string_view>()(k.name), static_cast<std::size_t>(k.size),
                              static_cast<std::size_t>(k.style), static_cast<std::size_t>(k.codePage)})
            h = (h ^ v) * 1099511628211ull;
        return h;
    }
    std::size_t operator()(const TextKey& k) const { return (*this)(k.View()); }
};

struct TextKeyEqual {
    using is_transparent = void;
    static TextKeyView View(const TextKeyView& k) { return k; }
    static TextKeyView View(const TextKey& k) { return k.View(); }
    template <typename A, typename B> bool operator()(const A& a, const B& b) const { return View(a) == View(b); }
};

class TextCache {
public:
    // The text's run, laid out; its ink is rendered on first need. Valid until the next call.
    GlyphRun* Get(const TFont& f, const std::string& text)
    {
        if (!CanRenderText()) {
            unrendered_ = GlyphRun{};
            return &unrendered_;
        }
        const TextKeyView key{f.Name, f.Size, f.Style, kes::AnsiCodePage(), text};
        // A text is mostly measured and then drawn, among a few others: texts looked up lately
        // are found in a small table by their first and last bytes and lengths, without hashing.
        Recent& recent = recent_[RecentSlot(key)];
        if (recent.run && recent.key == key)
            return recent.run;
        auto it = runs_.find(key);
        if (it == runs_.end()) {
            if (runs_.size() >= kMaxTexts || inkBytes_ >= kMaxInkBytes || Glyphs() >= kMaxGlyphs)
                Forget();
            auto run = std::make_unique<GlyphRun>();
            run->layout = LayOut(FaceOf(f), text);
            it = runs_.emplace(TextKey{f.Name, f.Size, f.Style, key.codePage, text}, std::move(run)).first;
        }
        recent = Recent{it->first.View(), it->second.get()};
        return it->second.get();
    }
    void Render(GlyphRun& run)
    {
        if (run.rendered)
            return;
        run.rendered = true;
        const Layout& l = run.layout;
        const int margin = InkMargin(l);
        const TRect mask{-margin, -margin, l.width + margin, l.height + margin};
        if (l.glyphs.empty() || static_cast<long long>(mask.Width()) * mask.Height() > kMaxRunPixels)
            return;
        run.kept = true;
        // The ink lies within its characters' inked boxes, as far as the mask reaches.
        TRect box{mask.Right, mask.Bottom, mask.Left, mask.Top};
        for (std::size_t i = 0; i < l.glyphs.size(); ++i) {
            Glyph& g = *l.glyphs[i];
            RenderGlyph(*l.face, g);
            const TRect r = Intersect(TRect{l.x[i] + g.ink.Left, g.ink.Top, l.x[i] + g.ink.Right, g.ink.Bottom}, mask);
            if (g.mask.empty() || IsEmpty(r))
                continue;
            box = TRect{std::min(box.Left, r.Left), std::min(box.Top, r.Top), std::max(box.Right, r.Right),
                        std::max(box.Bottom, r.Bottom)};
        }
        if (IsEmpty(box))
            return;
        // Each row's runs are its characters' runs at their places, cut at the mask, those that
        // overlap or touch joined: the inked runs of the characters' ink put together.
        run.inkBox = box;
        run.rowRuns.reserve(static_cast<std::size_t>(box.Height()) + 1);
        std::size_t glyphRuns = 0;
        for (const Glyph* g : l.glyphs)
            glyphRuns += g->runs.size();
        run.runs.reserve(glyphRuns);
        run.rowRuns.push_back(0);
        std::vector<InkRun>& row = rowScratch_;
        for (int y = box.Top; y < box.Bottom; ++y) {
            row.clear();
            for (std::size_t i = 0; i < l.glyphs.size(); ++i) {
                const Glyph& g = *l.glyphs[i];
                if (y < g.ink.Top || y >= g.ink.Bottom || g.runs.empty())
                    continue;
                const int left = l.x[i] + g.ink.Left;
                const auto r = static_cast<std::size_t>(y - g.ink.Top);
                for (std::size_t k = g.rowRuns[r]; k < g.rowRuns[r + 1]; ++k) {
                    const int first = std::max(left + g.runs[k].first, box.Left);
                    const int end = std::min(left + g.runs[k].end, box.Right);
                    if (first < end)
                        row.push_back(InkRun{first - box.Left, end - box.Left});
                }
            }
            std::sort(row.begin(), row.end(), [](const InkRun& a, const InkRun& b) { return a.first < b.first; });
            const std::size_t rowStart = run.runs.size();
            for (const InkRun& r : row) {
                if (run.runs.size() > rowStart && r.first <= run.runs.back().end)
                    run.runs.back().end = std::max(run.runs.back().end, r.end);
                else
                    run.runs.push_back(r);
            }
            run.rowRuns.push_back(run.runs.size());
        }
        inkBytes_ += run.runs.size() * sizeof(InkRun) + run.rowRuns.size() * sizeof(std::size_t);
    }
    std::mutex& Mutex() { return mutex_; }

private:
    static constexpr std::size_t kMaxTexts = 8192;
    static constexpr std::size_t kMaxInkBytes = std::size_t(64) << 20;
    static constexpr long long kMaxRunPixels = 4 << 20;
    static constexpr std::size_t kMaxGlyphs = 32768;
    std::size_t Glyphs() const
    {
        std::size_t n = 0;
        for (const auto& [key, face] : faces_)
            n += face->glyphs.size();
        return n;
    }
    void Forget()
    {
        runs_.clear();
        recent_.fill(Recent{});
        faces_.clear();
        inkBytes_ = 0;
    }
    // The face of a font (its colour aside), made on first need.
    Face& FaceOf(const TFont& f)
    {
        const TextKeyView key{f.Name, f.Size, f.Style, 0, {}};
        auto it = faces_.find(key);
        if (it == faces_.end())
            it = faces_.emplace(TextKey{f.Name, f.Size, f.Style, 0, {}}, std::make_unique<Face>(MakeFace(f))).first;
        return *it->second;
    }
    std::unordered_map<TextKey, std::unique_ptr<Face>, TextKeyHash, TextKeyEqual> faces_;
    std::mutex mutex_;
    std::unordered_map<TextKey, std::unique_ptr<GlyphRun>, TextKeyHash, TextKeyEqual> runs_;
    std::vector<InkRun> rowScratch_; // a row's runs while a glyph run is made
    // The texts looked up last (views of their keys in runs_), and their runs.
    struct Recent {
        TextKeyView key;
        GlyphRun* run = nullptr;
    };
    std::array<Recent, 64> recent_{};
    static std::size_t RecentSlot(const TextKeyView& k)
    {
        const std::size_t ends = k.text.empty() ? 0
                                                : static_cast<unsigned char>(k.text.front()) * 7u +
                                                      static_cast<unsigned char>(k.text.back());
        return (ends + k.text.size() * 31u + static_cast<std::size_t>(k.size) * 13u + k.style) % 64u;
    }
    GlyphRun unrendered_; // what texts are without a GUI application: nothing
    std::size_t inkBytes_ = 0;
};

// Never destroyed: its fonts must not outlive the application's font machinery at exit.
TextCache& Texts()
{
    static TextCache* cache = new TextCache;
    return *cache;
}

// Draws a laid-out text at (x, y) within limit in the font colour: from its glyph run, or
// rendered for the visible part alone when the run is too large to keep.
void DrawGlyphs(Surface& s, TColor font, GlyphRun& run, int x, int y, const TRect& limit)
{
    const Layout& l = run.layout;
    if (l.glyphs.empty() || !s.Valid())
        return;
    const TRect area = VisibleInk(s, l, x, y, limit);
    if (IsEmpty(area))
        return;
    Texts().Render(run);
    if (run.kept) {
        const TRect ink = Intersect(
            area, TRect{x + run.inkBox.Left, y + run.inkBox.Top, x + run.inkBox.Right, y + run.inkBox.Bottom});
        if (!IsEmpty(ink))
            PutRuns(s, font, run, x + run.inkBox.Left, y + run.inkBox.Top, ink);
        return;
    }
    PutInk(s, font, RenderInk(l, x, y, area), area.Left, area.Top, area.Width(), area);
}

const TRect kNoLimit{-kCoordLimit, -kCoordLimit, kCoordLimit, kCoordLimit};

} // namespace

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    x = ClampCoord(x);
    y = ClampCoord(y);
    std::lock_guard<std::mutex> lock(Texts().Mutex());
    GlyphRun* run = Texts().Get(Font, text);
    const Layout& l = run->layout;
    const TRect box = Intersect(TRect{x, y, x + l.width, y + l.height}, kNoLimit);
    Surface s = TextSurface(*this, box);
    FillBox(s, *this, box);
    DrawGlyphs(s, Font.Color, *run, x, y, kNoLimit);
    penPos_ = TPoint{x + l.width, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    x = ClampCoord(x);
    y = ClampCoord(y);
    const TRect box = Intersect(r, kNoLimit);
    Surface s = TextSurface(*this, box);
    FillBox(s, *this, box);
    std::lock_guard<std::mutex> lock(Texts().Mutex());
    DrawGlyphs(s, Font.Color, *Texts().Get(Font, text), x, y, r);
}

int TCanvas::TextWidth(const std::string& text) const { return TextExtent(text).cx; }

int TCanvas::TextHeight(const std::string& text) const { return TextExtent(text).cy; }

TSize TCanvas::TextExtent(const std::string& text) const
{
    std::lock_guard<std::mutex> lock(Texts().Mutex());
    const Layout& l = Texts().Get(Font, text)->layout;
    return TSize{l.width, l.height};
}
