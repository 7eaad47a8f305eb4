// Text output. Characters are placed one by one at whole-pixel advances (no kerning),
// rendered without antialiasing and copied as pure font colour, so a pixel is either the
// font colour or untouched. A character the family lacks is drawn from the fallback
// family on the same baseline. Text needs a QGuiApplication (the font database); without
// one, texts measure 0 and draw nothing.
#include "platform/codepage.h"
#include "platform/gdi.h"
#include "platform/gdi_internal.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

using namespace kes::gdi;

namespace {

constexpr int kMaxPixelSize = 1000;
// Windows' default for a zero height: the 8-point size.
constexpr int kDefaultPixelSize = 11;

bool CanRenderText()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

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

struct Layout {
    QFont fonts[2]; // the text's own family, then the fallback
    int ascent = 0;
    int height = 0;
    std::vector<QString> glyphs; // one code point each
    std::vector<int> x;          // left of each, from the text's left
    std::vector<int> font;       // index into fonts
    int width = 0;
};

Layout LayOut(const TFont& f, const std::string& text)
{
    Layout l;
    if (!CanRenderText())
        return l;
    std::string family = kes::InstalledFamilyFor(f.Name);
    int size = PixelSizeFor(f, family);
    l.fonts[0] = MakeQFont(f, family, size);
    l.fonts[1] = MakeQFont(f, FallbackFamily(), size);
    QFontMetrics metrics[2] = {QFontMetrics(l.fonts[0]), QFontMetrics(l.fonts[1])};
    l.ascent = metrics[0].ascent();
    l.height = metrics[0].height();
    QString s = kes::AnsiToQString(text);
    for (qsizetype i = 0; i < s.size();) {
        char32_t ucs4 = s.at(i).unicode();
        qsizetype n = 1;
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            ucs4 = QChar::surrogateToUcs4(s.at(i), s.at(i + 1));
            n = 2;
        }
        int which = !metrics[0].inFontUcs4(ucs4) && metrics[1].inFontUcs4(ucs4) ? 1 : 0;
        QString g = s.mid(i, n);
        l.glyphs.push_back(g);
        l.x.push_back(l.width);
        l.font.push_back(which);
        l.width += metrics[which].horizontalAdvance(g);
        i += n;
    }
    return l;
}

void FillBox(TCanvas& canvas, const TRect& box, const TRect& limit)
{
    if (canvas.Brush.Style == bsClear)
        return;
    Surface s(canvas);
    if (!s.Valid())
        return;
    TRect r = Intersect(Intersect(box, limit), s.Clip());
    std::uint32_t px = ToPixel(canvas.Brush.Color);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int xx = r.Left; xx < r.Right; ++xx)
            s.Put(xx, y, px);
}

// Renders the glyphs into a scratch mask covering what may be visible, then copies the
// inked pixels in the font colour.
void DrawGlyphs(TCanvas& canvas, const Layout& l, int x, int y, const TRect& limit)
{
    if (l.glyphs.empty())
        return;
    Surface s(canvas);
    if (!s.Valid())
        return;
    // Italic overhang, underline and strike-out may leave the text box a little.
    int margin = l.height + 2;
    TRect reach{x - margin, y - margin, x + l.width + margin, y + l.height + margin};
    TRect area = Intersect(Intersect(reach, limit), s.Clip());
    if (IsEmpty(area))
        return;
    QImage mask(area.Width(), area.Height(), QImage::Format_ARGB32_Premultiplied);
    if (mask.isNull())
        return;
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p.setPen(Qt::black);
        for (std::size_t i = 0; i < l.glyphs.size(); ++i) {
            p.setFont(l.fonts[l.font[i]]);
            p.drawText(QPoint(x + l.x[i] - area.Left, y + l.ascent - area.Top), l.glyphs[i]);
        }
    }
    std::uint32_t ink = ToPixel(canvas.Font.Color);
    for (int yy = 0; yy < area.Height(); ++yy) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(yy));
        for (int xx = 0; xx < area.Width(); ++xx)
            if (qAlpha(row[xx]) >= 128)
                s.Put(area.Left + xx, area.Top + yy, ink);
    }
}

const TRect kNoLimit{-kCoordLimit, -kCoordLimit, kCoordLimit, kCoordLimit};

} // namespace

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    x = ClampCoord(x);
    y = ClampCoord(y);
    Layout l = LayOut(Font, text);
    FillBox(*this, TRect{x, y, x + l.width, y + l.height}, kNoLimit);
    DrawGlyphs(*this, l, x, y, kNoLimit);
    penPos_ = TPoint{x + l.width, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text)
{
    x = ClampCoord(x);
    y = ClampCoord(y);
    FillBox(*this, r, kNoLimit);
    DrawGlyphs(*this, LayOut(Font, text), x, y, r);
}

int TCanvas::TextWidth(const std::string& text) const
{
    return TextExtent(text).cx;
}

int TCanvas::TextHeight(const std::string& text) const
{
    return TextExtent(text).cy;
}

TSize TCanvas::TextExtent(const std::string& text) const
{
    Layout l = LayOut(Font, text);
    return TSize{l.width, l.height};
}
