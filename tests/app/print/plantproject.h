#pragma once
// The report tests' project "Plant": page "Main" with one object of every kind and every page
// setting, an empty page, page "Alarms" with a button and 20 page-change conditions, system
// settings and a start-up screen. mainPages > 1 adds copies of "Main" after "Alarms" (for the
// benchmark's large projects).
#include "reporttest.h"

#include <QImage>
#include <QString>

#include <vector>

namespace kes::test {

void BuildPlant(ReportProject& r, int mainPages = 1);

// The pages of a PDF file (its page objects); -1 when it cannot be read.
int PdfPages(const QString& path);

// An image of a PDF file as stored: its filter ("" none, "FlateDecode", "DCTDecode", ...), its
// colour space and bits, and, for an unfiltered or Flate stream, its pixels (else null).
struct PdfImage {
    QString Filter;
    QString ColorSpace;
    int Bits = 0;
    QImage Pixels;
};
// Every image object of a PDF file Qt wrote (uncompressed object headers), in file order.
std::vector<PdfImage> PdfImages(const QString& path);

} // namespace kes::test
