#pragma once
// One printout: the project's pages (or its start-up screen) decoded once into texts, planned
// into units for a target's geometry, and drawn unit by unit onto any painter. The preview and
// the printer draw through the same routine; only the geometry and the painter's scale differ.
#include "app/print/printplan.h"

#include <QImage>

#include <string>
#include <vector>

class QPainter;

namespace kes {

class LxTypeCore;
class ProjectDoc;

// Menu captions the printout names, as shown (accelerators removed).
struct PrintNames {
    std::string StartScreen; // the start-up screen editing item: the start-up screen's title
    std::string Jumps;       // the page-change item: heading of the conditions
};

class PrintJob {
public:
    // startScreen: the start-up screen alone, else every page in page order.
    PrintJob(const ProjectDoc& doc, const LxTypeCore& lx, const PrintChoice& choice, bool startScreen,
             const PrintNames& names);

    // Plans the units for a target; returns their count. Planning again (another target)
    // replaces the plan.
    int Plan(const PrintGeometry& g);
    int UnitCount() const { return static_cast<int>(units_.size()); }
    const std::vector<PrintUnit>& Units() const { return units_; }
    const PrintGeometry& Geometry() const { return geometry_; }
    const PrintChoice& Choice() const { return choice_; }

    // Draws unit (0-based) with the painter in the geometry's logical units (the caller scales
    // it to the target); nothing for a unit the plan does not have.
    void DrawUnit(QPainter& painter, int unit) const;
    // The preview of a unit: the unit at scale pixels a logical unit, white where empty.
    QImage PreviewImage(int unit, double scale) const;

private:
    QImage PagePicture(int page) const;

    const ProjectDoc& doc_;
    const LxTypeCore& lx_;
    PrintChoice choice_;
    bool startScreen_;
    PrintHeadings headings_;
    std::vector<PageMaterial> pages_;
    std::vector<QImage> pictures_; // each page's picture when the printout shows them (kept small)
    PrintGeometry geometry_;
    std::vector<PrintUnit> units_;
};

} // namespace kes
