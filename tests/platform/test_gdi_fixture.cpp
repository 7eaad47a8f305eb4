#include "test_gdi_fixture.h"

namespace gditest {

std::string Drawn(int w, int h, const std::function<void(TCanvas&)>& paint)
{
    TBitmap bmp(w, h);
    paint(*bmp.Canvas());
    return kes::PictureToText(bmp);
}

std::string Rows(std::initializer_list<const char*> rows)
{
    std::string out;
    for (const char* r : rows) {
        out += r;
        out += '\n';
    }
    return out;
}

} // namespace gditest
