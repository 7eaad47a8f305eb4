#pragma once
// Helpers of the state-picture and button tests: pictures compared pixel by pixel, built-in
// pictures as the kinds show them, picture files in a scratch folder, page images.
#include "objects/lxpictures.h"
#include "objects/tlxobj.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <string>

namespace buttontest {

inline bool SamePixels(const TBitmap& a, const TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixel(x, y) != b.Canvas()->Pixel(x, y))
                return false;
    return true;
}

// A built-in picture after the two-colour threshold, grown by the grid.
inline TBitmap Shown(const char* name, bool threshold = true, int gw = 1, int gh = 1)
{
    TBitmap bmp = kes::BuiltinPicture(name);
    if (threshold)
        TLxObj::BmpModify(bmp);
    kes::GridStretch(bmp, gw, gh);
    return bmp;
}

// An all-black w x h picture.
inline TBitmap Block(int w, int h)
{
    TBitmap bmp(w, h);
    bmp.Image().fill(kes::ToQRgb(clBlack));
    return bmp;
}

inline int BlackCount(const TBitmap& bmp)
{
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += bmp.Canvas()->Pixel(x, y) == clBlack;
    return n;
}

// The smallest box holding every black pixel; an empty rectangle when there is none.
inline TRect BlackBox(const TBitmap& bmp)
{
    TRect r{bmp.Width(), bmp.Height(), 0, 0};
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Canvas()->Pixel(x, y) == clBlack) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.Right == 0 ? TRect{} : r;
}

// Picture files written for a test, removed with it.
class ScratchFiles {
public:
    std::string Write(const TBitmap& bmp, const std::string& name)
    {
        const std::string path = QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString();
        EXPECT_TRUE(bmp.SaveToFile(path)) << path;
        return path;
    }
    std::string Missing() const { return QDir(dir_.path()).filePath("missing.bmp").toStdString(); }

private:
    QTemporaryDir dir_;
};

// Draws obj into a white page of w x h panel pixels and returns the page.
inline TBitmap PageWith(TLxObj& obj, int w, int h)
{
    kes::Bytes bands(static_cast<std::size_t>(w) * (h / 8), 0);
    obj.PaintData(w, h, bands);
    TBitmap page(w, h);
    TLxObj::DataToBmp(page, bands);
    return page;
}

} // namespace buttontest
