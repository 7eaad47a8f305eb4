// The print plan cuts a printout into units that hold what was chosen, in the order chosen, and
// never lets a line or a picture run past a unit's foot: what does not fit goes on in the next
// unit of the same page under the heading it continues (also when a page's first object is the
// one that crosses). Pictures are scaled down to fit a unit, so a panel picture taller than a
// unit still prints, one to a unit.
#include "app/print/printplan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kes {
namespace {

const PrintHeadings kHeadings{"Kestrova", "File name\tDoc1.zqf", "-- jumps --", "-- objects --"};

// A page with jumps conditions and objects of the given line counts (heading included).
PageMaterial Page(int jumps, const std::vector<int>& objectLines, bool alwaysListed = false)
{
    PageMaterial m;
    m.Caption = "caption";
    m.Heading = "heading";
    m.AlwaysListed = alwaysListed;
    for (int j = 0; j < jumps; ++j)
        m.Jumps.push_back("jump " + std::to_string(j));
    for (int n : objectLines) {
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i)
            lines.push_back("object line " + std::to_string(i));
        m.Objects.push_back(lines);
    }
    return m;
}

// "D0" display unit of page 0, "L1" listing unit of page 1, "P0-2" pictures of pages 0 to 2.
std::string Describe(const std::vector<PrintUnit>& units)
{
    std::string out;
    for (const PrintUnit& u : units) {
        if (!out.empty())
            out += ' ';
        if (u.Type == PrintUnit::Pictures) {
            int first = -1;
            int last = -1;
            for (const PrintItem& item : u.Items)
                if (item.Type == PrintItem::Picture) {
                    first = first < 0 ? item.Page : first;
                    last = item.Page;
                }
            out += "P" + std::to_string(first) + "-" + std::to_string(last);
        } else {
            out += (u.Type == PrintUnit::Display ? "D" : "L") + std::to_string(u.Page);
        }
    }
    return out;
}

PrintChoice Choose(bool display, bool jumps, bool objects, bool byKind)
{
    PrintChoice c;
    c.Display = display;
    c.Jumps = jumps;
    c.Objects = objects;
    c.ByKind = byKind;
    return c;
}

const PrintGeometry kPreview = PreviewGeometry(4);
// A 192 x 64 panel at page zoom 4, fitted to the preview's width.
const PictureSize kPicture = FitPicture(kPreview, 192, 64);

TEST(PrintPlan, UnitsFollowTheChoiceAndTheOrder)
{
    const std::vector<PageMaterial> pages{Page(2, {}), Page(0, std::vector<int>(20, 4)), Page(1, {2})};
    struct Case {
        const char* name;
        PrintChoice choice;
        const char* units;
    };
    const Case cases[] = {
        {"nothing chosen", Choose(false, false, false, false), ""},
        {"pictures by page", Choose(true, false, false, false), "D0 D1 D2"},
        {"conditions alone by page still take a display unit", Choose(false, true, false, false), "D0 D1 D2"},
        // Page 1's 20 objects of 4 lines run over three units; page 0 has none to list.
        {"everything by page", Choose(true, true, true, false), "D0 D1 L1 L1 L1 D2 L2"},
        {"objects alone by page", Choose(false, false, true, false), "L1 L1 L1 L2"},
        // Two pictures of this size fit a unit.
        {"pictures by kind", Choose(true, false, false, true), "P0-1 P2-2"},
        {"everything by kind", Choose(true, true, true, true), "P0-1 P2-2 L0 L1 L1 L1 L2"},
        {"conditions by kind list every page", Choose(false, true, false, true), "L0 L1 L2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Describe(PlanPrint(kPreview, c.choice, kHeadings, kPicture, pages)), c.units) << c.name;
}

TEST(PrintPlan, StartUpScreenAlwaysHasAListingUnit)
{
    const std::vector<PageMaterial> start{Page(0, {}, true)};
    EXPECT_EQ(Describe(PlanPrint(kPreview, Choose(true, true, true, false), kHeadings, kPicture, start)), "D0 L0");
    EXPECT_EQ(Describe(PlanPrint(kPreview, Choose(false, false, true, false), kHeadings, kPicture, start)), "L0");
}

// Every text line's top lies at most 4L above the unit's foot and every picture ends 3L above it,
// whatever is printed; the units of a page follow each other.
TEST(PrintPlan, NothingRunsPastTheFootOfAUnit)
{
    const std::vector<PageMaterial> pages{Page(20, {3, 40, 5, 61}), Page(20, std::vector<int>(30, 5)),
                                          Page(0, {1, 1, 1})};
    for (const PrintGeometry& g : {kPreview, PrinterGeometry(4, 2976, 4209)}) {
        const PictureSize picture = FitPicture(g, 192, 64);
        for (int bits = 0; bits < 32; ++bits) {
            PrintChoice c = Choose(bits & 1, bits & 2, bits & 4, bits & 8);
            c.FileName = bits & 16;
            const std::vector<PrintUnit> units = PlanPrint(g, c, kHeadings, picture, pages);
            for (const PrintUnit& u : units)
                for (const PrintItem& item : u.Items) {
                    if (item.Type == PrintItem::Picture)
                        EXPECT_LE(item.Y + item.Size.Height, g.PageHeight - 3 * g.LineHeight) << bits;
                    else
                        EXPECT_LE(item.Y, g.PageHeight - 4 * g.LineHeight) << bits;
                }
        }
    }
}

// Lines of a listing unit as "text|P" (P: the unit's number on the right).
std::vector<std::string> Lines(const PrintUnit& u)
{
    std::vector<std::string> out;
    for (const PrintItem& item : u.Items)
        out.push_back(item.Line + (item.PageNumber ? "|P" : ""));
    return out;
}

TEST(PrintPlan, AnObjectThatCrossesAUnitContinuesUnderTheObjectHeading)
{
    // One object of 40 lines: the preview holds 28 lines under the heading of a later unit.
    const std::vector<PageMaterial> pages{Page(0, {}), Page(0, {40})};
    const std::vector<PrintUnit> units =
        PlanPrint(kPreview, Choose(false, false, true, false), kHeadings, kPicture, pages);
    ASSERT_EQ(Describe(units), "L1 L1");
    const std::vector<std::string> first = Lines(units[0]);
    // The first sheet's heading, then the listing's heading and 27 lines (the file name line
    // takes one).
    ASSERT_EQ(first.size(), 2u + 1u + 27u);
    EXPECT_EQ(first[0], "Kestrova");
    EXPECT_EQ(first[2], "-- objects --|P");
    EXPECT_EQ(first.back(), "object line 26");
    const std::vector<std::string> second = Lines(units[1]);
    ASSERT_EQ(second.size(), 1u + 13u);
    EXPECT_EQ(second[0], "-- objects --|P");
    EXPECT_EQ(second[1], "object line 27");
    EXPECT_EQ(units[1].Items[0].Y, 3 * kPreview.LineHeight);
    EXPECT_EQ(units[1].Items[1].Y, 5 * kPreview.LineHeight);
}

TEST(PrintPlan, ConditionsThatDoNotFitUnderThePictureContinueOnTheNextUnit)
{
    // A picture as tall as a unit allows leaves room for few conditions under it.
    const PictureSize tall = FitPicture(kPreview, 100, 1000);
    const std::vector<PageMaterial> pages{Page(20, {})};
    const std::vector<PrintUnit> units = PlanPrint(kPreview, Choose(true, true, false, false), kHeadings, tall, pages);
    ASSERT_EQ(Describe(units), "D0 D0");
    const std::vector<std::string> second = Lines(units[1]);
    EXPECT_EQ(second[0], "-- jumps --|P");
    int jumps = 0;
    for (const PrintUnit& u : units)
        for (const PrintItem& item : u.Items)
            jumps += item.Line.rfind("jump ", 0) == 0;
    EXPECT_EQ(jumps, 20);
    EXPECT_EQ(second.back(), "jump 19");
}

TEST(PrintPlan, PicturesAreFittedToTheUnit)
{
    struct Case {
        const char* name;
        PrintGeometry g;
        int width, height;
        PictureSize fitted;
    };
    const PrintGeometry printer = PrinterGeometry(4, 2976, 4209);
    const Case cases[] = {
        {"fits at the preview zoom", PreviewGeometry(4), 128, 64, {256, 128}},
        {"wider than the unit: scaled to its width", PreviewGeometry(4), 192, 64, {340, 113}},
        {"the printer's is six times the preview's", printer, 128, 64, {1536, 768}},
        // 540 - 10 lines of 15 leaves 390.
        {"taller than a unit: scaled to its height", PreviewGeometry(4), 100, 1000, {39, 390}},
        {"zoom 1 still shows the picture", PreviewGeometry(1), 128, 64, {128, 64}},
        {"an empty panel", PreviewGeometry(4), 0, 0, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitPicture(c.g, c.width, c.height), c.fitted) << c.name;
}

TEST(PrintPlan, PicturesByKindFillUnitsToTheirFoot)
{
    struct Case {
        int height;        // screen pixels of the panel picture
        const char* units; // for seven pages
    };
    // Preview zoom 2: a unit of 540 holds (540 - 7 lines) / (picture + 3 lines) pictures, one
    // fewer on the first sheet when it is short of room under the heading.
    const Case cases[] = {
        {8, "P0-6"},
        {64, "P0-1 P2-3 P4-5 P6-6"},
        {1000, "P0-0 P1-1 P2-2 P3-3 P4-4 P5-5 P6-6"},
    };
    const std::vector<PageMaterial> pages(7, Page(0, {}));
    for (const Case& c : cases) {
        const PictureSize picture = FitPicture(kPreview, 64, c.height);
        EXPECT_EQ(Describe(PlanPrint(kPreview, Choose(true, false, false, true), kHeadings, picture, pages)), c.units)
            << c.height;
    }
}

TEST(PrintPlan, PrinterGeometryIsCentredOnThePaper)
{
    const PrintGeometry g = PrinterGeometry(3, 2976, 4209);
    EXPECT_EQ(g.PageWidth, 2160);
    EXPECT_EQ(g.PageHeight, 3240);
    EXPECT_EQ(g.LineHeight, 90);
    EXPECT_EQ(g.IndentStep, 60);
    EXPECT_EQ(g.PictureZoom, 9);
    EXPECT_EQ(g.OffsetX, (2976 - 2160) / 2);
    EXPECT_EQ(g.OffsetY, (4209 - 3240) / 2);
    EXPECT_EQ(UnitsPerInch(g), 360);
    EXPECT_EQ(UnitsPerInch(PreviewGeometry(3)), 60);
    EXPECT_EQ(PageNumberText(2, 12), "Page: 3/12");
}

} // namespace
} // namespace kes
