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
#include <cstdlib>
#include <map>
#include <mutex>

using kes::gdi::Intersect;

TCanvas::TCanvas(QImage* target, TPoint origin, TRect clip) : target_(target), origin_(origin), clip_(clip) {}

TCanvas::TCanvas(TBitmap* owner) : target_(&owner->image_), owner_(owner) {}

QImage* TCanvas::Target() const
{
    if (owner_)
        owner_->Materialize();
    return target_;
}

TRect TCanvas::ClipRect() const { return ClipIn(Target()); }

TRect TCanvas::ClipIn(const QImage* target) const
{
    if (!target || target->isNull())
        return TRect{};
    TRect inTarget{-origin_.x, -origin_.y, target->width() - origin_.x, target->height() - origin_.y};
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

void TCanvas::MoveTo(int x, int y) { penPos_ = TPoint{x, y}; }

namespace {

// Pixel buffers of pictures let go, kept by size for the next picture that fits: pages made
// and let go again and again (activating pages, drawing into scratch pictures) then take no
// memory from the heap. A picture takes the smallest kept buffer of its size or up to half as
// large again, so that the pictures of another page, of somewhat other sizes, find the memory
// the page before let go. Bounded; a very large buffer is never kept. Pictures may be let go on
// any thread.
class PixelPool {
public:
    static constexpr std::size_t kKeptBytes = std::size_t(32) << 20;
    static constexpr std::size_t kLargest = std::size_t(4) << 20;
    // Each buffer starts with its size; the pixels follow at kHead.
    static constexpr std::size_t kHead = 16;
    // How much larger than a picture needs a kept buffer may be.
    static constexpr std::size_t kSlackNum = 3;
    static constexpr std::size_t kSlackDen = 2;

    // w x h 32-bit pixels over a buffer of the pool's; null when memory runs out.
    QImage Picture(int w, int h)
    {
        const std::size_t bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4;
        void* buffer = nullptr;
        {
            std::lock_guard lock(mutex_);
            auto it = free_.lower_bound(bytes);
            if (it != free_.end() && it->first <= bytes / kSlackDen * kSlackNum + kHead) {
                buffer = it->second.back();
                it->second.pop_back();
                kept_ -= it->first;
                if (it->second.empty())
                    free_.erase(it);
            }
        }
        if (!buffer) {
            buffer = std::malloc(kHead + bytes);
            if (!buffer)
                return QImage();
            *static_cast<std::size_t*>(buffer) = bytes;
        }
        QImage img(static_cast<uchar*>(buffer) + kHead, w, h, static_cast<qsizetype>(w) * 4, QImage::Format_RGB32,
                   &PixelPool::LetGo, buffer);
        if (img.isNull())
            LetGo(buffer);
        return img;
    }

    static PixelPool& Of()
    {
        // Never destroyed: pictures let go after the end of main still hand their buffers back.
        static PixelPool* pool = new PixelPool;
        return *pool;
    }

private:
    static void LetGo(void* buffer)
    {
        const std::size_t bytes = *static_cast<std::size_t*>(buffer);
        PixelPool& pool = Of();
        {
            std::lock_guard lock(pool.mutex_);
            if (bytes <= kLargest && pool.kept_ + bytes <= kKeptBytes) {
                pool.free_[bytes].push_back(buffer);
                pool.kept_ += bytes;
                return;
            }
        }
        std::free(buffer);
    }

    std::mutex mutex_;
    std::map<std::size_t, std::vector<void*>> free_; // by buffer size; no empty lists

    std::size_t kept_ = 0;
};

} // namespace

TBitmap::TBitmap() : canvas_(this) {}

TBitmap::TBitmap(int width, int height) : canvas_(this) { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other) : canvas_(this) { CopyState(other); }

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this != &other)
        CopyState(other);
    return *this;
}

void TBitmap::CopyPixels(const TBitmap& other)
{
    image_ = other.image_;
    width_ = other.width_;
    height_ = other.height_;
    pending_ = other.pending_;
    keepWidth_ = other.keepWidth_;
    keepHeight_ = other.keepHeight_;
}

void TBitmap::CopyState(const TBitmap& other)
{
    CopyPixels(other);
    canvas_.Pen = other.canvas_.Pen;
    canvas_.Brush = other.canvas_.Brush;
    canvas_.Font = other.canvas_.Font;
    canvas_.CopyMode = other.canvas_.CopyMode;
    canvas_.penPos_ = other.canvas_.penPos_;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetWidth(int w) { SetSize(w, Height()); }

void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::SetSize(int w, int h)
{
    w = std::clamp(w, 0, kes::gdi::kCoordLimit);
    h = std::clamp(h, 0, kes::gdi::kCoordLimit);
    if (w == width_ && h == height_ && (pending_ || image_.isNull() || image_.format() == QImage::Format_RGB32))
        return;
    if (!pending_) {
        keepWidth_ = image_.isNull() ? 0 : image_.width();
        keepHeight_ = image_.isNull() ? 0 : image_.height();
    }
    keepWidth_ = std::min(keepWidth_, w);
    keepHeight_ = std::min(keepHeight_, h);
    width_ = w;
    height_ = h;
    pending_ = true;
}

QImage& TBitmap::ImageToOverwrite()
{
    if (pending_) {
        keepWidth_ = 0;
        keepHeight_ = 0;
        Resize(false);
    }
    return image_;
}

void TBitmap::Resize(bool whiten) const
{
    pending_ = false;
    QImage grown;
    if (width_ > 0 && height_ > 0) {
        grown = PixelPool::Of().Picture(width_, height_);
        if (grown.isNull()) { // out of memory: an empty picture rather than a crash
            width_ = 0;
            height_ = 0;
        } else {
            if (whiten)
                grown.fill(kes::gdi::ToPixel(clWhite));
            if (!image_.isNull() && keepWidth_ > 0 && keepHeight_ > 0) {
                const QImage old =
                    image_.format() == QImage::Format_RGB32 ? image_ : image_.convertToFormat(QImage::Format_RGB32);
                for (int y = 0; y < keepHeight_; ++y)
                    std::copy_n(reinterpret_cast<const QRgb*>(old.constScanLine(y)), keepWidth_,
                                reinterpret_cast<QRgb*>(grown.scanLine(y)));
            }
        }
    }
    image_ = grown;
}

void TBitmap::Assign(const TBitmap& other)
{
    if (this == &other)
        return;
    CopyPixels(other);
    canvas_.Font = other.canvas_.Font;
}

void TBitmap::SetImage(const QImage& img)
{
    image_ = img.isNull() ? QImage() : img.convertToFormat(QImage::Format_RGB32);
    width_ = image_.width();
    height_ = image_.height();
    pending_ = false;
}

bool TBitmap::LoadFromFile(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    // A picture for a panel of a few hundred pixels a side; an uncompressed 4096 x 4096 one
    // in full colour still fits.
    constexpr std::size_t kMaxPictureFileBytes = 64u << 20;
    if (!kes::ReadFileBytes(path, kMaxPictureFileBytes, bytes, nullptr))
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
    if (!writer.write(Image()))
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
