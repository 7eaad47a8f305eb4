#include "app/print/printjob.h"

#include "app/model/lxtypecore.h"
#include "app/print/printlines.h"
#include "app/project/projectdoc.h"
#include "app/project/tprntmp.h"
#include "platform/codepage.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

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

double TextWidth(const QFont& font, const QString& text)
{
    return QFontMetricsF(font).boundingRect(QRectF(0, 0, 1e6, 1e6), kTextFlags, text).width();
}

// Writes text with its top-left at (x, y); a text wider than the room left is narrowed into it.
void TextAt(QPainter& p, const QFont& font, double x, double y, double room, const QString& text)
{
    p.setFont(font);
    const double width = TextWidth(font, text);
    p.save();
    p.translate(x, y);
    if (width > room && room > 0)
        p.scale(room / width, 1.0);
    p.drawText(QRectF(0, 0, std::max(width, 1.0) + 1, 1e6), kTextFlags, text);
    p.restore();
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
            const double numberWidth = TextWidth(base, number);
            TextAt(p, base, right - numberWidth, item.Y, numberWidth, number);
            room -= numberWidth + g.IndentStep;
        }
        if (item.Line.empty())
            continue;
        const QFont font = FontOf(g, item.FontStep);
        // A tab in a heading opens a gap of four blanks, the same on every target.
        const QString text = AnsiToQString(item.Line).replace(QLatin1Char('\t'), QStringLiteral("    "));
        const double x = item.Centred ? (g.PageWidth - std::min(TextWidth(font, text), right)) / 2 : item.X;
        TextAt(p, font, x, item.Y, item.Centred ? right - x : room, text);
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
