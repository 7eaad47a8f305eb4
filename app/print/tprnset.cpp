#include "app/print/tprnset.h"

#include "app/dialogs/settingsdialog.h"
#include "app/print/tprnview.h"
#include "app/project/projectdoc.h"
#include "app/ui/codepageguard.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace {

constexpr int kMsgNothingToPrint = 521;
constexpr int kMsgPrintNotStarted = 522;
// The printer's logical unit: 1/360 inch.
constexpr int kPrinterUnitsPerInch = 360;

} // namespace

namespace kes {

QPrinter& ReportPrinter()
{
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        if (QPrinterInfo::availablePrinters().isEmpty())
            p->setOutputFormat(QPrinter::PdfFormat);
        return p;
    }();
    return *printer;
}

namespace {

// after (when given) follows each sheet once the next one is begun or the printout ended.
bool PaintUnits(const PrintJob& job, QPrinter& printer, int first, int last, const std::function<void()>& after = {})
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double scale = static_cast<double>(printer.resolution()) / kPrinterUnitsPerInch;
    for (int unit = first; unit <= last; ++unit) {
        if (unit > first) {
            printer.newPage();
            if (after)
                after();
        }
        painter.save();
        painter.scale(scale, scale);
        job.DrawUnit(painter, unit - 1);
        painter.restore();
    }
    const bool ended = painter.end();
    if (ended && after)
        after();
    return ended;
}

} // namespace

bool PrintUnits(const PrintJob& job, QPrinter& printer, int first, int last, FileError* error, const WriteWatch* watch)
{
    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (target.isEmpty())
        return PaintUnits(job, printer, first, last);
    // The printer writes only to a file it names: it paints the sheets into the writer's locked
    // temporary beside the target, which then replaces the target whole, so a failed printout
    // leaves the file that was there as it was.
    const std::string path = QStringToAnsi(target);
    FileByName file(path, watch);
    if (!file.Begin(error))
        return false;
    printer.setOutputFileName(QFile::decodeName(file.TempPath().c_str()));
    const bool painted = PaintUnits(job, printer, first, last, [&file] { file.Wrote(); });
    printer.setOutputFileName(target);
    return painted && file.Commit(error);
}

} // namespace kes

TPrnSet::TPrnSet(kes::ReportContext& ctx, QWidget* owner) : QDialog(owner), ctx_(ctx)
{
    setObjectName(QStringLiteral("PrnSet"));
    setWindowTitle(QStringLiteral("Print"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    RdoGp = kes::NewRadioGroup(this, "RdoGp", QStringLiteral("Print order"),
                               {QStringLiteral("By page"), QStringLiteral("By kind")}, "RdoGp", 2);
    kes::SetRadioGroupIndex(RdoGp, 0);
    GroupBox1 = new QGroupBox(QStringLiteral("Page print settings"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    const auto check = [this](const char* name, const QString& text) {
        auto* c = new QCheckBox(text, GroupBox1);
        c->setObjectName(QLatin1String(name));
        c->setChecked(true);
        return c;
    };
    FileNameChk = check("FileNameChk", QStringLiteral("File name"));
    DispChk = check("DispChk", QStringLiteral("Page picture"));
    TitleChk = check("TitleChk", QStringLiteral("Page title"));
    PgChxChk = check("PgChxChk", QStringLiteral("Page change conditions"));
    ObjInfChk = check("ObjInfChk", QStringLiteral("Object data of the page"));
    auto* boxes = new QVBoxLayout(GroupBox1);
    for (QCheckBox* c : {FileNameChk, DispChk, TitleChk, PgChxChk, ObjInfChk})
        boxes->addWidget(c);
    PreviewBtn = kes::Named(new QPushButton(QStringLiteral("Preview"), this), "PreviewBtn");
    PrintBtn = kes::Named(new QPushButton(QStringLiteral("Print"), this), "PrintBtn");
    SetupBtn = kes::Named(new QPushButton(QStringLiteral("Printer Setup"), this), "SetupBtn");
    CancelBtn = kes::Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBtn");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {PreviewBtn, PrintBtn, SetupBtn, CancelBtn})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(GroupBox1, 1);
    middle->addLayout(buttons);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(RdoGp);
    lay->addLayout(middle);

    QObject::connect(PreviewBtn, &QPushButton::clicked, this, [this] { PreviewBtnClick(); });
    QObject::connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    QObject::connect(SetupBtn, &QPushButton::clicked, this, [this] { SetupBtnClick(); });
    QObject::connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TPrnSet::~TPrnSet() = default;

void TPrnSet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TPrnSet::FormShow() { TranslateForm(this, ctx_.Doc.LangIndex); }

kes::PrintChoice TPrnSet::Choice() const
{
    kes::PrintChoice c;
    c.FileName = FileNameChk->isChecked();
    c.Display = DispChk->isChecked();
    c.Title = TitleChk->isChecked();
    c.Jumps = PgChxChk->isChecked();
    c.Objects = ObjInfChk->isChecked();
    c.ByKind = kes::RadioGroupIndex(RdoGp) == 1;
    return c;
}

std::unique_ptr<kes::PrintJob> TPrnSet::NewJob() const
{
    return std::make_unique<kes::PrintJob>(ctx_.Doc, ctx_.Lx, Choice(), PrintSource == 1, ctx_.Print);
}

void TPrnSet::SetupBtnClick()
{
    // The printer's page (paper, orientation, margins) with OK and Cancel: it prints nothing.
    QPageSetupDialog dlg(&kes::ReportPrinter(), this);
    dlg.setObjectName(QStringLiteral("PrnSetDlg"));
    kes::ExecModal(ctx_.Ask, &dlg);
}

void TPrnSet::PreviewBtnClick()
{
    const std::unique_ptr<kes::PrintJob> job = NewJob();
    TPrnView view(ctx_, *this, *job, this);
    kes::ExecModal(ctx_.Ask, &view);
}

void TPrnSet::PrintBtnClick()
{
    const std::unique_ptr<kes::PrintJob> job = NewJob();
    if (PrintOnPrinter(*job, [this] { SetControlsEnabled(false); })) {
        accept();
        return;
    }
    // Not printed: the settings stay to try again.
    SetControlsEnabled(true);
}

void TPrnSet::SetControlsEnabled(bool enabled)
{
    kes::SetEnabled({PrintBtn, PreviewBtn, CancelBtn, SetupBtn, GroupBox1, RdoGp, FileNameChk, DispChk, TitleChk,
                     PgChxChk, ObjInfChk},
                    enabled);
}

bool TPrnSet::RunPrintDialog(int sheets, int& from, int& to)
{
    QPrinter& printer = kes::ReportPrinter();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintDialog dlg(&printer, this);
    dlg.setObjectName(QStringLiteral("PrnDlg"));
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    dlg.setMinMax(1, sheets);
    if (kes::ExecModal(ctx_.Ask, &dlg) != QDialog::Accepted)
        return false;
    from = 1;
    to = sheets;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::clamp(printer.fromPage(), 1, sheets);
        to = std::clamp(std::max(printer.toPage(), from), from, sheets);
    }
    return true;
}

bool TPrnSet::PrintOnPrinter(kes::PrintJob& job, const std::function<void()>& lock)
{
    QPrinter& printer = kes::ReportPrinter();
    printer.setPageOrientation(QPageLayout::Portrait);
    // A file printout is offered under the project's name in its folder.
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setOutputFileName(QDir(kes::AnsiToQString(ctx_.DocDir))
                                      .filePath(kes::AnsiToQString(ctx_.Doc.PrjName) + QStringLiteral(".pdf")));
    // The printer's own geometry: its units are counted anew, not taken from the preview.
    const QRect area = printer.pageLayout().paintRectPixels(kPrinterUnitsPerInch);
    const int sheets = job.Plan(kes::PrinterGeometry(ctx_.Doc.DefaultZoom, area.width(), area.height()));
    if (sheets == 0) {
        kes::ShowMsg(ctx_.Ask, kMsgNothingToPrint);
        return false;
    }
    int from = 0;
    int to = 0;
    if (!RunPrintDialog(sheets, from, to))
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat &&
        !kes::PathFitsCodePage(printer.outputFileName(), ctx_.Ask, nullptr))
        return false;
    if (lock)
        lock();
    kes::FileError error;
    if (!kes::PrintUnits(job, printer, from, to, &error)) {
        // With why, when the file's writer says it (the printer and the painter do not); its
        // words name the file.
        const QString target =
            printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
        kes::ShowError(ctx_.Ask, kes::Msg(kMsgPrintNotStarted) + QLatin1Char('\n') +
                                     (error.Failed() ? kes::FileErrorText(error) : target));
        return false;
    }
    return true;
}
