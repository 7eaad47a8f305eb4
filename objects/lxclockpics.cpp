// The clock samples: a time, a weekday and a date written with the panel's own glyphs in
// each of the four panel fonts, so a sample is exactly as wide as the cells the panel uses.
// Names are the format ("HHMMSS", "SUN", "YYYYMMSS") followed by the font's cell
// ("_805", "_808", "_1208", "_1608").
#include "objects/lxfont.h"
#include "objects/lxpictures.h"

namespace {

constexpr const char* kSampleTexts[] = {"12:00:00", "SUN", "2000/01/01"};

template <int Format, int Font> TBitmap ClockSample()
{
    TBitmap bmp;
    PanelTextDraw(bmp, Font, kSampleTexts[Format]);
    return bmp;
}

template <int Format> constexpr kes::BuiltinPictureEntry Entry(std::string_view name, int font)
{
    switch (font) {
    case 0:
        return {name, ClockSample<Format, 0>};
    case 1:
        return {name, ClockSample<Format, 1>};
    case 2:
        return {name, ClockSample<Format, 2>};
    default:
        return {name, ClockSample<Format, 3>};
    }
}

const kes::BuiltinPictureEntry kClockSamples[] = {
    Entry<0>("HHMMSS_805", 0),   Entry<0>("HHMMSS_808", 1),    Entry<0>("HHMMSS_1208", 2),
    Entry<0>("HHMMSS_1608", 3),  Entry<1>("SUN_805", 0),       Entry<1>("SUN_808", 1),
    Entry<1>("SUN_1208", 2),     Entry<1>("SUN_1608", 3),      Entry<2>("YYYYMMSS_805", 0),
    Entry<2>("YYYYMMSS_808", 1), Entry<2>("YYYYMMSS_1208", 2), Entry<2>("YYYYMMSS_1608", 3),
};

const kes::BuiltinPictureRegistrar kRegisterClockSamples(kClockSamples);

} // namespace
