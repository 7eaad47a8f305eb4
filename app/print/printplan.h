#pragma once
// How a printout is cut into logical pages ("units") of a fixed size, one unit per sheet, and
// where every line and picture of a unit lies, in the target's logical units. The plan is made
// from texts and sizes only, and the same plan both counts the units and draws them, so what
// is measured is what is printed.
//
// A unit's text lines lie on a grid of line height L; a line is printed only while its top is
// at most PageHeight - 4L, a picture only while it ends 3L above the unit's foot. What does not
// fit goes on in the next unit of the same page, under the heading of what it continues.
#include <cstdint>
#include <string>
#include <vector>

namespace kes {

// Geometry of a print target, in its logical units.
struct PrintGeometry {
    int PageWidth = 360; // the unit
    int PageHeight = 540;
    int LineHeight = 15; // L
    int IndentStep = 10; // C: left indent of every text line and picture
    int PictureZoom = 2; // units per screen pixel of a page picture
    int OffsetX = 0;     // where the unit lies on the target
    int OffsetY = 0;
};

// The preview: a 360 x 540 unit with lines of 15, half the page zoom per screen pixel (at
// least 1, so an odd or unit zoom still shows its picture).
PrintGeometry PreviewGeometry(int pageZoom);
// The printer: a 2160 x 3240 unit, six times the preview, with three times the page zoom per
// screen pixel, centred on a printable area of width x height units of 1/360 inch.
PrintGeometry PrinterGeometry(int pageZoom, int areaWidth, int areaHeight);
// Logical units per inch: a unit is six inches wide on paper and in the preview.
int UnitsPerInch(const PrintGeometry& g);

struct PictureSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const PictureSize&) const = default;
};
// Drawn size of a page picture of width x height screen pixels: PictureZoom units a pixel,
// scaled down with its proportions kept when it would not fit a unit beside the indent or
// under a page's number line and caption.
PictureSize FitPicture(const PrintGeometry& g, int width, int height);

// What the print settings dialog chose.
struct PrintChoice {
    bool FileName = true; // the project file's name under the product name on the first sheet
    bool Display = true;  // each page's picture
    bool Title = true;    // page titles in captions and headings
    bool Jumps = true;    // each page's page-change conditions
    bool Objects = true;  // each page's object listing
    bool ByKind = false;  // false: page after page; true: every picture first, then the listings
};

// One page's material as texts.
struct PageMaterial {
    std::string Caption;                           // above the picture
    std::string Heading;                           // heads the page's listing in by-kind order
    std::vector<std::string> Jumps;                // one line per page-change condition
    std::vector<std::vector<std::string>> Objects; // per object: its heading line, then its lines
    bool AlwaysListed = false;                     // a listing unit even without objects (the start-up screen)
};

// Texts that head sheets and sections.
struct PrintHeadings {
    std::string Product;  // centred at the top of the first sheet
    std::string FileName; // under it, when chosen
    std::string Jumps;    // heads a page's page-change conditions
    std::string Objects;  // heads a page's object listing
};

// Font steps in points over the base font.
constexpr int kHeadingFontStep = 2;
constexpr int kProductFontStep = 5;

struct PrintItem {
    enum Kind : std::uint8_t { Text, Picture };
    Kind Type = Text;
    int X = 0;               // left edge (Text and Picture), units inside the unit
    int Y = 0;               // top
    std::string Line;        // Text: ANSI text
    int FontStep = 0;        // Text: points over the base font
    bool Centred = false;    // Text: centred on the unit instead of starting at X
    bool PageNumber = false; // Text: the unit's number ("Page: 3/12") right-aligned on this line too
    int Page = -1;           // Picture: the page shown
    PictureSize Size;        // Picture
};

struct PrintUnit {
    // Display: a page's picture and conditions (by page); Pictures: pictures of several pages
    // (by kind); Listing: a part of a page's listing.
    enum Kind : std::uint8_t { Display, Pictures, Listing };
    Kind Type = Display;
    int Page = -1; // the page whose material it holds; -1 for a unit of pictures
    std::vector<PrintItem> Items;
};

// Every unit of a printout of pages (in page order) with picture, the drawn picture size of
// FitPicture. The first unit carries the sheet heading. Empty when nothing is chosen.
std::vector<PrintUnit> PlanPrint(const PrintGeometry& g, const PrintChoice& choice, const PrintHeadings& headings,
                                 PictureSize picture, const std::vector<PageMaterial>& pages);

// "Page: 3/12" for unit index 2 of 12.
std::string PageNumberText(int unit, int units);

} // namespace kes
