// A printout holds what each report puts on it: each object's heading and property lines by kind,
// one line per page-change condition with the operator it compares with, captions and headings
// with or without titles; and a project with objects of every kind prints to PDF with exactly
// as many pages as its plan has units, by page and by kind, its page pictures stored pixel
// for pixel; a PDF file replaces its target whole or not at all.
//
// A printout is drawn exactly as before its texts were laid out once and its page pictures kept
// from the reading of the pages: the preview's sheets and the PDF file's streams hold the
// digests of the routine that measured each text apart and read each page again for its picture.
//
// With KES_PRINT_SHOTS=<folder> the PDF files and the preview's sheets are kept there (and the
// PDF pages rendered to PNG when pdftoppm is installed), to be looked at.
#include "app/print/printjob.h"
#include "app/print/printlines.h"
#include "app/print/tprnset.h"
#include "app/project/tprntmp.h"
#include "plantproject.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <zlib.h>

namespace kes::test {
namespace {

class Printout : public ::testing::Test {
protected:
    Printout() { BuildPlant(r); }

    // Page index's decoded records.
    std::unique_ptr<TPrntmp> Decode(int index)
    {
        auto renderer = std::make_unique<TPrntmp>(r.doc(), r.lx());
        const PgDataStr& rec = *r.doc().PgDataList[static_cast<std::size_t>(index)];
        renderer->RenderPgIndex = index;
        EXPECT_TRUE(renderer->ParsePageRecords(rec.Data, 0, rec.Data.size()).Ok());
        return renderer;
    }
    ReportProject r;
};

TEST_F(Printout, EachKindListsItsLines)
{
    const std::unique_ptr<TPrntmp> main = Decode(0);
    std::map<int, std::vector<std::string>> byKind;
    for (const TLxObj* obj : main->RenderObjList())
        byKind[obj->ObjType] = ObjectListingLines(*obj, r.lx(), r.doc().MsgTable);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(byKind[1],
              (Lines{"--- Static Text --- (X,Y) = (0,0)       [W,H] = [32,16]", "text data:", "Pump", "Level 2"}));
    EXPECT_EQ(byKind[2], (Lines{"--- ReadOut --- (X,Y) = (40,0)       [W,H] = [48,16]", "related device:D100",
                                "device address:2", "connection port:1"}));
    EXPECT_EQ(byKind[3][1], "related device:X3");
    // The state pictures add their state count.
    EXPECT_EQ(byKind[4], (Lines{"--- Multi-State Indicator --- (X,Y) = (100,0)       [W,H] = [16,16]",
                                "related device:D101", "device address:1", "connection port:0", "state numbers:5"}));
    EXPECT_EQ(byKind[6].back(), "state numbers:3");
    // Kinds without a device reference print their heading alone.
    for (int kind : {5, 7, 17, 19})
        EXPECT_EQ(byKind[kind].size(), 1u) << kind;
    // Several references: the first (written) one is printed.
    EXPECT_EQ(byKind[13][1], "related device:M6");
    EXPECT_EQ(byKind[20][1], "related device:D108");
    EXPECT_EQ(byKind[12][1], "related device:M5");
    EXPECT_EQ(byKind[16][1], "related device:D107");
    EXPECT_EQ(byKind[18].size(), 4u);
    EXPECT_EQ(byKind[21][1], "related device:D110");
}

TEST_F(Printout, ConditionsPrintTheirAddressOperatorAndTarget)
{
    const std::unique_ptr<TPrntmp> main = Decode(0);
    const std::vector<PgJmpRec>& jumps = main->Page().PgJmpList;
    ASSERT_EQ(jumps.size(), 2u);
    EXPECT_EQ(JumpConditionLine(jumps[0], r.lx()), "X1 == ON Jump To Page:1");
    EXPECT_EQ(JumpConditionLine(jumps[1], r.lx()), "D10 > 100 Jump To Page:2");
    struct Case {
        std::uint8_t op;
        std::int32_t value;
        const char* line;
    };
    const Case cases[] = {{0, -5, "D10 == -5 Jump To Page:2"},
                          {3, 7, "D10 >= 7 Jump To Page:2"},
                          {4, 7, "D10 <= 7 Jump To Page:2"},
                          {5, 0, "D10 != 0 Jump To Page:2"},
                          {2, 1, "D10 < 1 Jump To Page:2"}};
    for (const Case& c : cases) {
        PgJmpRec rec = jumps[1];
        rec.Operator = c.op;
        rec.CompareValue = c.value;
        EXPECT_EQ(JumpConditionLine(rec, r.lx()), c.line);
    }
    PgJmpRec off = jumps[0];
    off.OnOff = 0;
    EXPECT_EQ(JumpConditionLine(off, r.lx()), "X1 == OFF Jump To Page:1");
}

TEST_F(Printout, CaptionsAndHeadingsNameThePage)
{
    const std::unique_ptr<TPrntmp> main = Decode(0);
    PrintChoice choice;
    PageMaterial m = PageMaterialOf(main->Page(), 0, "Main", false, choice, r.lx(), r.doc().MsgTable);
    EXPECT_EQ(m.Caption, "Display--0  Title:Main");
    EXPECT_EQ(m.Heading, "Display - 0  Title:Main");
    EXPECT_EQ(m.Jumps.size(), 2u);
    EXPECT_EQ(m.Objects.size(), 19u);
    choice.Title = false;
    m = PageMaterialOf(main->Page(), 0, "Main", true, choice, r.lx(), r.doc().MsgTable);
    EXPECT_EQ(m.Caption, "Display-- 0 ");
    EXPECT_TRUE(m.AlwaysListed);
    const PrintHeadings h = PrintHeadingsOf(r.doc().MsgTable, "Plant", "Page Change Conditions");
    EXPECT_EQ(h.Product, "Kestrova");
    EXPECT_EQ(h.FileName, "File name\tPlant.zqf");
    EXPECT_EQ(h.Jumps, "------ Page Change Conditions ------");
    EXPECT_EQ(h.Objects, "-----------------------object data\t-----------------------");
}

TEST_F(Printout, AProjectOfEveryKindPrintsOnePdfPagePerUnit)
{
    QTemporaryDir temp;
    const QString shots = qEnvironmentVariable("KES_PRINT_SHOTS");
    const QDir out(shots.isEmpty() ? temp.path() : shots);
    QDir().mkpath(out.path());
    struct Case {
        const char* name;
        bool byKind;
        bool startScreen;
    };
    for (const Case c : {Case{"bypage", false, false}, Case{"bykind", true, false}, Case{"startscreen", false, true}}) {
        PrintChoice choice;
        choice.ByKind = c.byKind;
        PrintJob job(r.doc(), r.lx(), choice, c.startScreen, r.ctx.Print);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = out.filePath(QLatin1String(c.name) + QStringLiteral(".pdf"));
        printer.setOutputFileName(pdf);
        const QRect area = printer.pageLayout().paintRectPixels(360);
        const int units = job.Plan(PrinterGeometry(r.doc().DefaultZoom, area.width(), area.height()));
        ASSERT_GT(units, 1) << c.name;
        ASSERT_TRUE(PrintUnits(job, printer, 1, units)) << c.name;
        EXPECT_EQ(PdfPages(pdf), units) << c.name;
        // A range prints those units alone.
        const QString part = out.filePath(QLatin1String(c.name) + QStringLiteral("-2-3.pdf"));
        printer.setOutputFileName(part);
        ASSERT_TRUE(PrintUnits(job, printer, 2, std::min(3, units))) << c.name;
        EXPECT_EQ(PdfPages(part), std::min(3, units) - 1) << c.name;
        if (shots.isEmpty())
            continue;
        job.Plan(PreviewGeometry(r.doc().DefaultZoom));
        for (int u = 0; u < job.UnitCount(); ++u)
            job.PreviewImage(u, 2).save(
                out.filePath(QStringLiteral("%1-preview-%2.png").arg(QLatin1String(c.name)).arg(u + 1)));
        if (!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), pdf,
                               out.filePath(QLatin1String(c.name) + QStringLiteral("-pdf"))});
    }
}

// A PDF file is written whole or not at all: a target that can not be written keeps what it
// held (a read-only file its bytes, a missing folder stays missing), the printout says it
// failed, the printer keeps the target it was given, and no temporary is left beside it.
TEST_F(Printout, APdfFileIsReplacedWholeOrNotAtAll)
{
    QTemporaryDir temp;
    const QDir dir(temp.path());
    PrintJob job(r.doc(), r.lx(), PrintChoice{}, false, r.ctx.Print);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QRect area = printer.pageLayout().paintRectPixels(360);
    const int units = job.Plan(PrinterGeometry(r.doc().DefaultZoom, area.width(), area.height()));
    ASSERT_GT(units, 0);
    const struct {
        const char* name;
        const char* file;
        const char* before; // null: no file there
        bool readOnly;
        bool printed;
    } cases[] = {
        {"a new file", "new.pdf", nullptr, false, true},
        {"a file replaced", "old.pdf", "old sheets", false, true},
        {"a read-only file", "kept.pdf", "old sheets", true, false},
        {"a missing folder", "none/new.pdf", nullptr, false, false},
    };
    for (const auto& c : cases) {
        const QString pdf = dir.filePath(QLatin1String(c.file));
        if (c.before) {
            QFile f(pdf);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << c.name;
            f.write(c.before);
            f.close();
            if (c.readOnly)
                f.setPermissions(QFileDevice::ReadOwner);
        }
        printer.setOutputFileName(pdf);
        EXPECT_EQ(PrintUnits(job, printer, 1, units), c.printed) << c.name;
        EXPECT_EQ(printer.outputFileName(), pdf) << c.name;
        if (c.printed) {
            EXPECT_EQ(PdfPages(pdf), units) << c.name;
        } else if (c.before) {
            QFile f(pdf);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.name;
            EXPECT_EQ(f.readAll(), QByteArray(c.before)) << c.name;
        } else {
            EXPECT_FALSE(QFile::exists(pdf)) << c.name;
        }
    }
    EXPECT_EQ(dir.entryList(QDir::Files | QDir::Hidden | QDir::System).join(QLatin1Char(' ')),
              QStringLiteral("kept.pdf new.pdf old.pdf"));
}

// A page picture goes into the PDF as it is: stored without loss (never as a JPEG, whose
// blur turns black and white into many greys), pixel for pixel the page's own picture.
TEST_F(Printout, PagePicturesArePrintedWithoutLoss)
{
    QTemporaryDir temp;
    PrintChoice choice;
    choice.Objects = false;
    choice.Jumps = false;
    PrintJob job(r.doc(), r.lx(), choice, false, r.ctx.Print);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QDir(temp.path()).filePath(QStringLiteral("pictures.pdf"));
    printer.setOutputFileName(pdf);
    const QRect area = printer.pageLayout().paintRectPixels(360);
    const int units = job.Plan(PrinterGeometry(r.doc().DefaultZoom, area.width(), area.height()));
    ASSERT_TRUE(PrintUnits(job, printer, 1, units));

    const std::vector<PdfImage> images = PdfImages(pdf);
    ASSERT_EQ(images.size(), r.doc().PgDataList.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const PdfImage& image = images[i];
        EXPECT_NE(image.Filter.toStdString(), "DCTDecode");
        ASSERT_FALSE(image.Pixels.isNull()) << image.Filter.toStdString() << " " << image.ColorSpace.toStdString();
        std::unique_ptr<TPrntmp> page = Decode(static_cast<int>(i));
        page->RenderPageBitmap();
        const QImage want = page->PageBmp.Image().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.Pixels.size(), want.size());
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x)
                ASSERT_EQ(image.Pixels.pixel(x, y), want.pixel(x, y) | 0xFF000000u) << x << "," << y;
    }
}

// The streams of a PDF file Qt wrote, unpacked where they are packed, but its metadata (which
// carries the time the file was made).
std::vector<QByteArray> PdfStreams(const QString& path)
{
    std::vector<QByteArray> streams;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return streams;
    const QByteArray pdf = f.readAll();
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at)) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
            at += 7;
            continue;
        }
        const qsizetype dict = pdf.lastIndexOf("<<", at);
        const QByteArray head = pdf.mid(dict, at - dict);
        const qsizetype start = at + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0)
            break;
        at = end + 9;
        if (head.contains("/Metadata") || head.contains("/XML"))
            continue;
        QByteArray data = pdf.mid(start, end - start);
        if (head.contains("/FlateDecode")) {
            QByteArray out(data.size() * 64 + 4096, '\0');
            uLongf outLen = static_cast<uLongf>(out.size());
            if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outLen,
                           reinterpret_cast<const Bytef*>(data.constData()), static_cast<uLong>(data.size())) == Z_OK)
                data = out.left(static_cast<qsizetype>(outLen));
        }
        streams.push_back(data);
    }
    return streams;
}

std::uint64_t Digest(std::uint64_t h, const QByteArray& bytes)
{
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

TEST_F(Printout, SheetsAndPdfStreamsAreDrawnAsBefore)
{
    BuildPlant(r, 4);
    QTemporaryDir temp;
    std::vector<std::uint64_t> digests;
    for (const bool byKind : {false, true}) {
        PrintChoice choice;
        choice.ByKind = byKind;
        PrintJob job(r.doc(), r.lx(), choice, false, r.ctx.Print);
        job.Plan(PreviewGeometry(r.doc().DefaultZoom));
        std::uint64_t preview = 1469598103934665603ull;
        for (int u = 0; u < job.UnitCount(); ++u) {
            const QImage sheet = job.PreviewImage(u, 1.5).convertToFormat(QImage::Format_RGB32);
            preview =
                Digest(preview, QByteArray(reinterpret_cast<const char*>(sheet.constBits()), sheet.sizeInBytes()));
        }
        digests.push_back(preview);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = QDir(temp.path()).filePath(QStringLiteral("sheets.pdf"));
        printer.setOutputFileName(pdf);
        const QRect area = printer.pageLayout().paintRectPixels(360);
        const int units = job.Plan(PrinterGeometry(r.doc().DefaultZoom, area.width(), area.height()));
        ASSERT_TRUE(PrintUnits(job, printer, 1, units));
        std::uint64_t streams = 1469598103934665603ull;
        const std::vector<QByteArray> all = PdfStreams(pdf);
        ASSERT_GT(all.size(), static_cast<std::size_t>(units));
        for (const QByteArray& s : all)
            streams = Digest(streams, s);
        digests.push_back(streams);
    }
    const std::vector<std::uint64_t> before = {0x5bf8828a9dca276dull, 0xa352685be83c99d6ull, 0x2320a8dcfc419dedull,
                                               0xa5e9719d39406ab7ull};
    EXPECT_EQ(digests, before);
}

// The by-page printout of "Plant": page 0 with its listing, the empty page, "Alarms" whose 20
// conditions run on past its picture, each with its listing.
TEST_F(Printout, ThePlanOfThePlantProject)
{
    PrintJob job(r.doc(), r.lx(), PrintChoice{}, false, r.ctx.Print);
    job.Plan(PreviewGeometry(r.doc().DefaultZoom));
    std::string units;
    for (const PrintUnit& u : job.Units())
        units += (u.Type == PrintUnit::Listing ? "L" : "D") + std::to_string(u.Page) + " ";
    EXPECT_EQ(units, "D0 L0 L0 L0 D1 D2 D2 L2 ");
}

} // namespace
} // namespace kes::test
