#include "app/print/printjob.h"

#include "app/model/lxtypecore.h"
#include "app/print/printlines.h"
#include "app/project/projectdoc.h"
#include "app/project/tprntmp.h"
#include "platform/codepage.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kes {
namespace {

// The base font of a printout, in points; headings and the product name are larger.
constexpr double kBasePoints = 9.0;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

// The record a page index names: a page of the list, or the start-up screen.
const PgDataStr* RecordOf(const ProjectDoc& doc, bool startScreen, int index)
{
    if (startScreen)
        return doc.StartScreenData.get();
    if (index < 0 || static_cast<std::size_t>(index) >= doc.PgDataList.size())
        return nullptr;
    return doc.PgDataList[static_cast<std::size_t>(index)].get();
}

QFont FontOf(const PrintGeometry& g, int step)
{
    QFont font = QGuiApplication::font();
    // Sized in logical units, so the text keeps its place on the unit whatever the target.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround((kBasePoints + step) * UnitsPerInch(g) / 72.0))));
    return font;
}

// A line of text in the painter's font: laid out once, for the painter's target, as its drawText
// lays out a single line at a rectangle's top-left, and measured and drawn from that one layout
// (a text measured apart and then drawn is shaped twice). A text with length variants (U+009C)
// is measured and drawn by the painter.
class TextLine {
public:
    TextLine(QPainter& p, const QFont& font, const QString& text) : text_(text)
    {
        p.setFont(font);
        if (text.isEmpty() || text.contains(QChar(0x9C))) {
            width_ = QFontMetricsF(font).boundingRect(QRectF(0, 0, 1e6, 1e6), kTextFlags, text).width();
            return;
        }
        // The painter draws one line of a single-line text with line breaks and tabs as blanks.
        QString line = text;
        for (QChar& c : line)
            if (c == u'\r' || c == u'\n' || c == u'\t')
                c = u' ';
        layout_ = std::make_unique<QTextLayout>(line, p.font(), p.device());
        QTextOption option;
        option.setTextDirection(p.layoutDirection());
        option.setAlignment(Qt::AlignLeft);
        layout_->setTextOption(option);
        layout_->setCacheEnabled(true);
        layout_->beginLayout();
        QTextLine l = layout_->createLine();
        l.setLineWidth(0x01000000);
        l.setPosition(QPointF(0, 0));
        layout_->endLayout();
        width_ = l.naturalTextWidth();
    }
    double Width() const { return width_; }
    // Draws it with its top-left at the painter's origin.
    void Draw(QPainter& p) const
    {
        if (layout_)
            layout_->lineAt(0).draw(&p, QPointF(0, 0));
        else
            p.drawText(QRectF(0, 0, std::max(width_, 1.0) + 1, 1e6), kTextFlags, text_);
    }

private:
    QString text_;
    std::unique_ptr<QTextLayout> layout_;
    double width_ = 0;
};

// Writes a line with its top-left at (x, y); a line wider than the room left is narrowed into it.
void TextAt(QPainter& p, const TextLine& line, double x, double y, double room)
{
    const double width = line.Width();
    p.save();
    p.translate(x, y);
    if (width > room && room > 0)
        p.scale(room / width, 1.0);
    line.Draw(p);
    p.restore();
}

// A page picture as kept for the printout: one bit a pixel when it is black and white alone, as
// pages mostly are, else as it is. Picture() gives the same pixels back.
QImage KeptPicture(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    constexpr QRgb kBlack = 0xFF000000u;
    constexpr QRgb kWhite = 0xFFFFFFFFu;
    QImage mono(rgb.size(), QImage::Format_Mono);
    if (mono.isNull())
        return rgb;
    mono.setColorCount(2);
    mono.setColor(0, kWhite);
    mono.setColor(1, kBlack);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = mono.scanLine(y);
        std::fill(to, to + mono.bytesPerLine(), uchar(0));
        for (int x = 0; x < rgb.width(); ++x) {
            if (from[x] == kBlack)
                to[x >> 3] |= static_cast<uchar>(0x80u >> (x & 7));
            else if (from[x] != kWhite)
                return rgb;
        }
    }
    return mono;
}

} // namespace

PrintJob::PrintJob(const ProjectDoc& doc, const LxTypeCore& lx, const PrintChoice& choice, bool startScreen,
                   const PrintNames& names)
    : doc_(doc), lx_(lx), choice_(choice), startScreen_(startScreen)
{
    headings_ = PrintHeadingsOf(doc.MsgTable, doc.PrjName, names.Jumps);
    const int count = startScreen ? 1 : static_cast<int>(doc.PgDataList.size());
    for (int i = 0; i < count; ++i) {
        const PgDataStr* rec = RecordOf(doc, startScreen, i);
        TPrntmp renderer(doc, lx);
        renderer.RenderPgIndex = i;
        if (rec)
            renderer.ParsePageRecords(rec->Data, 0, rec->Data.size());
        const std::string title = startScreen ? names.StartScreen : (rec ? rec->Title : std::string());
        pages_.push_back(PageMaterialOf(renderer.Page(), i, title, startScreen, choice, lx, doc.MsgTable));
        // The page's picture from this reading of the page: printing it reads the page no more.
        if (choice.Display) {
            renderer.RenderPageBitmap();
            pictures_.push_back(KeptPicture(renderer.PageBmp.Image()));
        }
    }
}

int PrintJob::Plan(const PrintGeometry& g)
{
    geometry_ = g;
    const PictureSize picture =
        FitPicture(g, lx_.PanelWidth * std::max(doc_.GridWidth, 1), lx_.PanelHeight * std::max(doc_.GridHeight, 1));
    units_ = PlanPrint(g, choice_, headings_, picture, pages_);
    return UnitCount();
}

QImage PrintJob::PagePicture(int page) const
{
    if (page >= 0 && static_cast<std::size_t>(page) < pictures_.size())
        return pictures_[static_cast<std::size_t>(page)].convertToFormat(QImage::Format_RGB32);
    const PgDataStr* rec = RecordOf(doc_, startScreen_, page);
    TPrntmp renderer(doc_, lx_);
    renderer.RenderPgIndex = page;
    if (rec)
        renderer.ParsePageRecords(rec->Data, 0, rec->Data.size());
    renderer.RenderPageBitmap();
    return renderer.PageBmp.Image();
}

void PrintJob::DrawUnit(QPainter& p, int unit) const
{
    if (unit < 0 || unit >= UnitCount())
        return;
    const PrintGeometry& g = geometry_;
    p.save();
    p.translate(g.OffsetX, g.OffsetY);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A page picture is stored as its pixels: a JPEG would blur black and white into greys.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    const QFont base = FontOf(g, 0);
    const QString number = QString::fromStdString(PageNumberText(unit, UnitCount()));
    for (const PrintItem& item : units_[static_cast<std::size_t>(unit)].Items) {
        if (item.Type == PrintItem::Picture) {
            const QRectF rect(item.X, item.Y, item.Size.Width, item.Size.Height);
            p.drawImage(rect, PagePicture(item.Page));
            p.drawRect(rect);
            continue;
        }
        const double right = g.PageWidth - g.IndentStep;
        double room = right - item.X;
        if (item.PageNumber) {
            const TextLine line(p, base, number);
            TextAt(p, line, right - line.Width(), item.Y, line.Width());
            room -= line.Width() + g.IndentStep;
        }
        if (item.Line.empty())
            continue;
        const QFont font = FontOf(g, item.FontStep);
        // A tab in a heading opens a gap of four blanks, the same on every target.
        const QString text = AnsiToQString(item.Line).replace(QLatin1Char('\t'), QStringLiteral("    "));
        const TextLine line(p, font, text);
        const double x = item.Centred ? (g.PageWidth - std::min(line.Width(), right)) / 2 : item.X;
        TextAt(p, line, x, item.Y, item.Centred ? right - x : room);
    }
    p.restore();
}

QImage PrintJob::PreviewImage(int unit, double scale) const
{
    QImage image(static_cast<int>(std::lround(geometry_.PageWidth * scale)),
                 static_cast<int>(std::lround(geometry_.PageHeight * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(scale, scale);
    DrawUnit(p, unit);
    return image;
}

} // namespace kes
