#include "app/print/printplan.h"

#include <algorithm>

namespace kes {
namespace {

// The preview unit and its text grid; the printer's is six times as large.
constexpr int kPreviewWidth = 360;
constexpr int kPreviewHeight = 540;
constexpr int kPreviewLine = 15;
constexpr int kPreviewIndent = 10;
constexpr int kPrinterScale = 6;
// A unit is six inches wide.
constexpr int kUnitInches = 6;

enum class Section : std::uint8_t { None, Jumps, Objects };

// A line of a flowing listing before it is placed.
struct Line {
    std::string text;
    Section section = Section::None;
    bool heading = false;    // starts its section: printed larger, kept with the line after it
    bool pageNumber = false; // carries the unit's number on the right
    bool blank = false;
};

class Planner {
public:
    Planner(const PrintGeometry& g, const PrintChoice& c, const PrintHeadings& h, PictureSize picture)
        : g_(g), c_(c), h_(h), picture_(picture), L_(g.LineHeight)
    {}

    std::vector<PrintUnit> Plan(const std::vector<PageMaterial>& pages)
    {
        const int count = static_cast<int>(pages.size());
        if (c_.ByKind && c_.Display)
            PictureUnits(count, pages);
        for (int p = 0; p < count; ++p) {
            const PageMaterial& m = pages[static_cast<std::size_t>(p)];
            if (!c_.ByKind && (c_.Display || c_.Jumps))
                DisplayUnit(p, m);
            if (Listed(m))
                ListingUnits(p, m);
        }
        return std::move(units_);
    }

private:
    bool Listed(const PageMaterial& m) const
    {
        const bool objects = c_.Objects && (!m.Objects.empty() || m.AlwaysListed);
        return objects || (c_.ByKind && c_.Jumps);
    }

    void OpenUnit(PrintUnit::Kind kind, int page)
    {
        units_.push_back(PrintUnit{kind, page, {}});
        if (units_.size() == 1) {
            AddText(L_, h_.Product, kProductFontStep).Centred = true;
            if (c_.FileName)
                AddText(3 * L_, h_.FileName);
        }
    }
    // Where a unit's material starts: under the sheet heading on the first sheet.
    int Top() const { return units_.size() == 1 ? 3 * L_ : 0; }
    // The first text line of a listing unit.
    int FirstLine() const { return units_.size() == 1 && c_.FileName ? 4 * L_ : 3 * L_; }
    bool LineFits(int y) const { return y <= g_.PageHeight - 4 * L_; }
    bool PictureFits(int y) const { return y + picture_.Height <= g_.PageHeight - 3 * L_; }

    PrintItem& AddText(int y, const std::string& text, int fontStep = 0)
    {
        PrintItem item;
        item.X = g_.IndentStep;
        item.Y = y;
        item.Line = text;
        item.FontStep = fontStep;
        units_.back().Items.push_back(std::move(item));
        return units_.back().Items.back();
    }
    void AddPageNumberLine(int y) { AddText(y, {}).PageNumber = true; }
    void AddPicture(int y, int page)
    {
        PrintItem item;
        item.Type = PrintItem::Picture;
        item.X = g_.IndentStep;
        item.Y = y;
        item.Page = page;
        item.Size = picture_;
        units_.back().Items.push_back(std::move(item));
    }

    // By kind: the pictures of every page one below the other, as many to a unit as fit,
    // the unit's number above the first of them.
    void PictureUnits(int count, const std::vector<PageMaterial>& pages)
    {
        int y = 0;
        bool open = false;
        for (int p = 0; p < count; ++p) {
            if (!open || !PictureFits(y + L_)) {
                OpenUnit(PrintUnit::Pictures, -1);
                y = Top() + 2 * L_;
                AddPageNumberLine(y);
                y += L_;
                open = true;
            }
            AddText(y, pages[static_cast<std::size_t>(p)].Caption);
            y += L_;
            AddPicture(y, p);
            y += picture_.Height + 2 * L_;
        }
    }

    // By page: the page's number line, its caption and picture, then its conditions.
    void DisplayUnit(int p, const PageMaterial& m)
    {
        OpenUnit(PrintUnit::Display, p);
        int y = Top() + 2 * L_;
        AddPageNumberLine(y);
        y += L_;
        if (c_.Display) {
            AddText(y, m.Caption);
            y += L_;
            AddPicture(y, p);
            y += picture_.Height;
        }
        y += L_;
        if (!c_.Jumps)
            return;
        std::vector<Line> lines{JumpsHeading(false)};
        for (const std::string& j : m.Jumps)
            lines.push_back({j, Section::Jumps});
        Flow(p, lines, y);
    }

    // A page's listing: its headings, its conditions (by kind) and the lines of its objects.
    void ListingUnits(int p, const PageMaterial& m)
    {
        OpenUnit(PrintUnit::Listing, p);
        std::vector<Line> lines;
        const bool objects = c_.Objects && (!m.Objects.empty() || m.AlwaysListed);
        if (c_.ByKind) {
            lines.push_back({m.Heading});
            if (c_.Jumps) {
                lines.push_back(JumpsHeading(true));
                for (const std::string& j : m.Jumps)
                    lines.push_back({j, Section::Jumps});
                lines.push_back({{}, Section::Jumps, false, false, true});
                if (objects)
                    lines.push_back(ObjectsHeading(false));
            } else if (objects) {
                lines.push_back(ObjectsHeading(true));
                lines.push_back({{}, Section::Objects, false, false, true});
            }
        } else {
            lines.push_back(ObjectsHeading(true));
            lines.push_back({{}, Section::Objects, false, false, true});
        }
        if (objects)
            for (const std::vector<std::string>& obj : m.Objects)
                for (const std::string& text : obj)
                    lines.push_back({text, Section::Objects});
        Flow(p, lines, FirstLine());
    }

    Line JumpsHeading(bool pageNumber) const { return {h_.Jumps, Section::Jumps, true, pageNumber}; }
    Line ObjectsHeading(bool pageNumber) const { return {h_.Objects, Section::Objects, true, pageNumber}; }

    // Places lines from y down; a line that does not fit starts a new unit of the page, which
    // opens with the heading of the section the line continues (and its number on the right).
    void Flow(int page, const std::vector<Line>& lines, int y)
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const Line& ln = lines[i];
            if (ln.blank) {
                y += L_;
                continue;
            }
            // A heading stays with the first line that follows it.
            int rows = 1;
            if (ln.heading)
                for (std::size_t j = i + 1; j < lines.size(); ++j) {
                    ++rows;
                    if (!lines[j].blank)
                        break;
                }
            bool broke = false;
            if (!LineFits(y + (rows - 1) * L_)) {
                OpenUnit(units_.back().Type, page);
                y = FirstLine();
                broke = true;
                if (!ln.heading)
                    y = Continue(ln.section, y);
            }
            PrintItem& item = AddText(y, ln.text, ln.heading ? kHeadingFontStep : 0);
            item.PageNumber = ln.pageNumber || (ln.heading && broke);
            y += L_;
        }
    }
    int Continue(Section section, int y)
    {
        if (section == Section::Jumps) {
            AddText(y, h_.Jumps, kHeadingFontStep).PageNumber = true;
            return y + L_;
        }
        if (section == Section::Objects) {
            AddText(y, h_.Objects, kHeadingFontStep).PageNumber = true;
            return y + 2 * L_;
        }
        return y;
    }

    const PrintGeometry& g_;
    const PrintChoice& c_;
    const PrintHeadings& h_;
    PictureSize picture_;
    int L_;
    std::vector<PrintUnit> units_;
};

} // namespace

PrintGeometry PreviewGeometry(int pageZoom)
{
    PrintGeometry g;
    g.PageWidth = kPreviewWidth;
    g.PageHeight = kPreviewHeight;
    g.LineHeight = kPreviewLine;
    g.IndentStep = kPreviewIndent;
    g.PictureZoom = std::max(pageZoom / 2, 1);
    return g;
}

PrintGeometry PrinterGeometry(int pageZoom, int areaWidth, int areaHeight)
{
    PrintGeometry g;
    g.PageWidth = kPreviewWidth * kPrinterScale;
    g.PageHeight = kPreviewHeight * kPrinterScale;
    g.LineHeight = kPreviewLine * kPrinterScale;
    g.IndentStep = kPreviewIndent * kPrinterScale;
    g.PictureZoom = std::max(3 * pageZoom, 1);
    g.OffsetX = (areaWidth - g.PageWidth) / 2;
    g.OffsetY = (areaHeight - g.PageHeight) / 2;
    return g;
}

int UnitsPerInch(const PrintGeometry& g) { return g.PageWidth / kUnitInches; }

PictureSize FitPicture(const PrintGeometry& g, int width, int height)
{
    const long long w = static_cast<long long>(std::max(width, 0)) * g.PictureZoom;
    const long long h = static_cast<long long>(std::max(height, 0)) * g.PictureZoom;
    const long long maxW = std::max(g.PageWidth - 2 * g.IndentStep, 1);
    const long long maxH = std::max(g.PageHeight - 10 * g.LineHeight, 1);
    if (w <= maxW && h <= maxH)
        return {static_cast<int>(w), static_cast<int>(h)};
    // The tighter of the two bounds gives the scale; the other side follows it.
    if (w * maxH > h * maxW)
        return {static_cast<int>(maxW), static_cast<int>(h * maxW / w)};
    return {static_cast<int>(w * maxH / h), static_cast<int>(maxH)};
}

std::vector<PrintUnit> PlanPrint(const PrintGeometry& g, const PrintChoice& choice, const PrintHeadings& headings,
                                 PictureSize picture, const std::vector<PageMaterial>& pages)
{
    return Planner(g, choice, headings, picture).Plan(pages);
}

std::string PageNumberText(int unit, int units)
{
    return "Page: " + std::to_string(unit + 1) + "/" + std::to_string(units);
}

} // namespace kes
