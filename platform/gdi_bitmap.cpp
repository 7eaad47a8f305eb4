// TBitmap, the canvas's own state and single-pixel access, and the text form of pictures.
#include "platform/fileio.h"
#include "platform/gdi.h"
#include "platform/gdi_internal.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cctype>

using kes::gdi::Intersect;

TCanvas::TCanvas(QImage* target, TPoint origin, TRect clip) : target_(target), origin_(origin), clip_(clip) {}

TCanvas::TCanvas(TBitmap* owner) : target_(&owner->Image()), owner_(owner) {}

TRect TCanvas::ClipRect() const
{
    if (!target_ || target_->isNull())
        return TRect{};
    TRect inTarget{-origin_.x, -origin_.y, target_->width() - origin_.x, target_->height() - origin_.y};
    if (owner_)
        return inTarget;
    TRect r = Intersect(clip_, inTarget);
    return kes::gdi::IsEmpty(r) ? TRect{} : r;
}

int TCanvas::Width() const
{
    if (owner_)
        return owner_->Width();
    return std::max(0, clip_.Right);
}

int TCanvas::Height() const
{
    if (owner_)
        return owner_->Height();
    return std::max(0, clip_.Bottom);
}

TColor TCanvas::Pixel(int x, int y) const
{
    kes::gdi::SourceView view(*this);
    if (!kes::gdi::Contains(view.Clip(), x, y))
        return CLR_INVALID;
    return kes::gdi::FromPixel(view.Get(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor c)
{
    kes::gdi::Surface s(*this);
    if (s.Valid() && kes::gdi::Contains(s.Clip(), x, y))
        s.Put(x, y, kes::gdi::ToPixel(c));
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = TPoint{x, y};
}

TBitmap::TBitmap() : canvas_(new TCanvas(this)) {}

TBitmap::TBitmap(int width, int height) : canvas_(new TCanvas(this))
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
    : image_(other.image_), emptyWidth_(other.emptyWidth_), emptyHeight_(other.emptyHeight_),
      canvas_(new TCanvas(this))
{
    canvas_->Pen = other.canvas_->Pen;
    canvas_->Brush = other.canvas_->Brush;
    canvas_->Font = other.canvas_->Font;
    canvas_->CopyMode = other.canvas_->CopyMode;
    canvas_->penPos_ = other.canvas_->penPos_;
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this == &other)
        return *this;
    image_ = other.image_;
    emptyWidth_ = other.emptyWidth_;
    emptyHeight_ = other.emptyHeight_;
    canvas_->Pen = other.canvas_->Pen;
    canvas_->Brush = other.canvas_->Brush;
    canvas_->Font = other.canvas_->Font;
    canvas_->CopyMode = other.canvas_->CopyMode;
    canvas_->penPos_ = other.canvas_->penPos_;
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetWidth(int w)
{
    SetSize(w, Height());
}

void TBitmap::SetHeight(int h)
{
    SetSize(Width(), h);
}

void TBitmap::SetSize(int w, int h)
{
    w = std::clamp(w, 0, kes::gdi::kCoordLimit);
    h = std::clamp(h, 0, kes::gdi::kCoordLimit);
    if (w == Width() && h == Height() && (image_.isNull() || image_.format() == QImage::Format_RGB32))
        return;
    QImage grown;
    if (w > 0 && h > 0) {
        grown = QImage(w, h, QImage::Format_RGB32);
        if (grown.isNull()) { // out of memory: an empty picture rather than a crash
            w = 0;
            h = 0;
        } else {
            grown.fill(kes::gdi::ToPixel(clWhite));
            if (!image_.isNull()) {
                QImage old = image_.format() == QImage::Format_RGB32 ? image_
                                                                    : image_.convertToFormat(QImage::Format_RGB32);
                int cw = std::min(w, old.width());
                int ch = std::min(h, old.height());
                for (int y = 0; y < ch; ++y)
                    std::copy_n(reinterpret_cast<const QRgb*>(old.constScanLine(y)), cw,
                                reinterpret_cast<QRgb*>(grown.scanLine(y)));
            }
        }
    }
    image_ = grown;
    emptyWidth_ = image_.isNull() ? w : 0;
    emptyHeight_ = image_.isNull() ? h : 0;
}

void TBitmap::Assign(const TBitmap& other)
{
    if (this == &other)
        return;
    image_ = other.image_;
    emptyWidth_ = other.emptyWidth_;
    emptyHeight_ = other.emptyHeight_;
    canvas_->Font = other.canvas_->Font;
}

void TBitmap::SetImage(const QImage& img)
{
    image_ = img.isNull() ? QImage() : img.convertToFormat(QImage::Format_RGB32);
    emptyWidth_ = 0;
    emptyHeight_ = 0;
}

bool TBitmap::LoadFromFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    if (!kes::ReadFileBytes(path, bytes, nullptr))
        return false;
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    QImage img;
    if (!reader.read(&img) || img.isNull())
        return false;
    SetImage(img);
    return true;
}

bool TBitmap::SaveToFile(const std::string& path) const
{
    if (Empty())
        return false;
    std::string ext;
    std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && path.find('/', dot) == std::string::npos)
        ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    QByteArray format = QByteArray::fromStdString(ext);
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format))
        format = "bmp";
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image_))
        return false;
    return kes::WriteFileAtomic(path, std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                                nullptr);
}

namespace kes {

std::string PictureToText(const TBitmap& bmp)
{
    std::string out;
    if (bmp.Empty())
        return out;
    const QImage& img = bmp.Image();
    out.reserve(static_cast<std::size_t>(bmp.Width() + 1) * static_cast<std::size_t>(bmp.Height()));
    for (int y = 0; y < bmp.Height(); ++y) {
        for (int x = 0; x < bmp.Width(); ++x)
            out += (img.pixel(x, y) & 0xFFFFFFu) == 0 ? '#' : '.';
        out += '\n';
    }
    return out;
}

TBitmap PictureFromText(const std::string& rows)
{
    std::vector<std::string> lines = SplitLines(rows);
    int width = 0;
    for (const std::string& line : lines)
        width = std::max(width, static_cast<int>(line.size()));
    TBitmap bmp(width, static_cast<int>(lines.size()));
    for (int y = 0; y < static_cast<int>(lines.size()); ++y)
        for (int x = 0; x < static_cast<int>(lines[y].size()); ++x)
            if (lines[y][x] == '#')
                bmp.Canvas()->SetPixel(x, y, clBlack);
    return bmp;
}

} // namespace kes
