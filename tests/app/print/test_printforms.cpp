// The print and object table windows in the started program: the commands open them for the
// pages or the start-up screen (and store the open page first), the direct print and the
// preview's print write the printer's own count of sheets (a PDF here, there being no printer)
// and a failed one says so and keeps its window, the preview pages through its sheets, stays
// put with none and fits a small screen, the table shows each view's rows (and nothing, without
// failing, in a project without pages) and writes its working file, saying once when it can
// not, and the export writes the chosen file before the desktop opens it. Every caption stands
// in all three languages.
//
// With KES_PRINT_SHOTS=<folder> the preview and the table window are kept there as pictures.
#include "../editor/editortest.h"

#include "app/print/tprnset.h"
#include "app/print/tprnview.h"
#include "app/print/tsaveasdlg.h"
#include "app/print/tshowpagepropdlg.h"
#include "app/project/dochost.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/reportcommands.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "app/ui/screenfit.h"
#include "app/ui/translate.h"
#include "plantproject.h"
#include "platform/inifile.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

namespace kes::test {
namespace {

void Shot(QWidget& w, const char* name)
{
    const QString folder = qEnvironmentVariable("KES_PRINT_SHOTS");
    if (!folder.isEmpty())
        w.grab().save(QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png")));
}

// Records what it is asked to open instead of starting a viewer.
struct RecordingOpener : FileOpener {
    explicit RecordingOpener(std::vector<QString>& into) : opened(into) {}
    bool Open(const QString& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<QString>& opened;
};

class PrintForms : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        NewProject(0, 3);
        plant = std::make_unique<ReportProject>(Main()->Doc, *Main()->LxType, Main()->Ask());
        BuildPlant(*plant);
        Main()->FormActivate();
        Main()->FileOpen = std::make_unique<RecordingOpener>(opened);
        ReportPrinter().setOutputFormat(QPrinter::PdfFormat);
    }
    void TearDown() override
    {
        plant.reset();
        EditorTest::TearDown();
    }
    // Answers the print dialog: sheets from..to (0: all) into pdf.
    std::function<void(QDialog&)> PrintDialog(const QString& pdf, int from = 0, int to = 0)
    {
        return [pdf, from, to](QDialog& d) {
            auto& dlg = dynamic_cast<QPrintDialog&>(d);
            maxSheet = dlg.maxPage();
            dlg.printer()->setOutputFileName(pdf);
            dlg.printer()->setPrintRange(from > 0 ? QPrinter::PageRange : QPrinter::AllPages);
            dlg.printer()->setFromTo(from, to);
            dlg.done(QDialog::Accepted);
        };
    }
    QString Pdf(const char* name) const { return QString::fromStdString(Path(name)); }

    std::unique_ptr<ReportProject> plant;
    std::vector<QString> opened;
    static inline int maxSheet = 0;
};

TEST_F(PrintForms, TheCommandsOpenTheirWindowsForWhatIsEdited)
{
    for (const char* item : {"MmPrintmmPg", "MmPrintStartPg", "MmPgDataSave", "TbPrint"})
        EXPECT_TRUE(Main()->Action(item)->isEnabled()) << item;
    std::vector<std::string> opens;
    int source = 0;
    prompt.onExec = [&](QDialog& d) {
        opens.push_back(d.objectName().toStdString());
        if (auto* set = dynamic_cast<TPrnSet*>(&d))
            source = set->PrintSource;
    };
    // Counts the page stores and passes everything on to the main window's host.
    struct CountingHost : DocHost {
        DocHost* next = nullptr;
        int stores = 0;
        void StoreActivePage() override
        {
            ++stores;
            next->StoreActivePage();
        }
        void StoreStartScreen() override { next->StoreStartScreen(); }
        void ShowMsg(int n) override { next->ShowMsg(n); }
        Editing EditMode() const override { return next->EditMode(); }
        void SetEditMode(Editing m) override { next->SetEditMode(m); }
    } counting;
    counting.next = Main()->Doc.Host();
    ASSERT_NE(counting.next, nullptr);
    Main()->Doc.SetHost(&counting);
    const int& stores = counting.stores;
    Main()->Doc.Modified = 1;
    Trigger("MmPrintmmPg");
    EXPECT_EQ(source, 3);
    EXPECT_EQ(stores, 1);
    Trigger("MmPrintStartPg");
    EXPECT_EQ(source, 1);
    Trigger("MmPgDataSave");
    EXPECT_EQ(stores, 2);
    // User-menu pages are not printed.
    Main()->View.EditMode = kes::Editing::UserMenu;
    Trigger("MmPrintmmPg");
    Main()->View.EditMode = kes::Editing::Pages;
    EXPECT_EQ(opens, (std::vector<std::string>{"PrnSet", "PrnSet", "ShowPagePropDlg"}));
    Main()->Doc.SetHost(counting.next);
}

TEST_F(PrintForms, ADirectPrintWritesThePrintersSheetsAndCloses)
{
    const QString pdf = Pdf("direct.pdf");
    int result = -1;
    prompt.onExec = [&](QDialog& d) {
        if (d.objectName() == QLatin1String("PrnDlg")) {
            PrintDialog(pdf)(d);
            return;
        }
        auto& set = dynamic_cast<TPrnSet&>(d);
        set.PrintBtn->click();
        result = set.result();
    };
    Trigger("MmPrintmmPg");
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_GT(maxSheet, 1);
    EXPECT_EQ(PdfPages(pdf), maxSheet);

    // Sheets 2 to 3 alone.
    const QString part = Pdf("part.pdf");
    prompt.onExec = [&](QDialog& d) {
        if (d.objectName() == QLatin1String("PrnDlg")) {
            PrintDialog(part, 2, 3)(d);
        } else {
            dynamic_cast<TPrnSet&>(d).PrintBtn->click();
        }
    };
    Trigger("MmPrintmmPg");
    EXPECT_EQ(PdfPages(part), 2);
}

TEST_F(PrintForms, ACancelledOrEmptyPrintLeavesTheSettingsOpen)
{
    int dialogs = 0;
    int result = -1;
    prompt.onExec = [&](QDialog& d) {
        if (d.objectName() == QLatin1String("PrnDlg")) {
            ++dialogs;
            d.reject();
            return;
        }
        auto& set = dynamic_cast<TPrnSet&>(d);
        set.PrintBtn->click();
        EXPECT_TRUE(set.PrintBtn->isEnabled());
        // Nothing chosen: told so, no print dialog.
        for (QCheckBox* c : {set.FileNameChk, set.DispChk, set.TitleChk, set.PgChxChk, set.ObjInfChk})
            c->setChecked(false);
        set.PrintBtn->click();
        result = set.result();
    };
    Trigger("MmPrintmmPg");
    EXPECT_EQ(dialogs, 1);
    EXPECT_NE(result, QDialog::Accepted);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0], Msg(521));
}

TEST_F(PrintForms, ThePreviewPagesThroughItsSheetsAndPrintsThem)
{
    const QString pdf = Pdf("preview.pdf");
    int units = 0;
    prompt.onExec = [&](QDialog& d) {
        if (d.objectName() == QLatin1String("PrnDlg")) {
            PrintDialog(pdf)(d);
            return;
        }
        if (auto* set = dynamic_cast<TPrnSet*>(&d)) {
            set->PreviewBtn->click();
            EXPECT_TRUE(set->isVisible()) << "the settings stay open after the preview";
            return;
        }
        auto& view = dynamic_cast<TPrnView&>(d);
        units = view.UnitCount();
        EXPECT_EQ(view.CurSheet, 1);
        EXPECT_FALSE(view.PrePgBtn->isEnabled());
        EXPECT_TRUE(view.NextPgBtn->isEnabled());
        Shot(view, "preview");
        for (int i = 1; i < units; ++i)
            view.NextPgBtn->click();
        EXPECT_EQ(view.CurSheet, units);
        EXPECT_FALSE(view.NextPgBtn->isEnabled());
        EXPECT_TRUE(view.PrePgBtn->isEnabled());
        view.PrePgBtn->click();
        EXPECT_EQ(view.CurSheet, units - 1);
        view.PrnBtn->click();
        EXPECT_EQ(view.result(), QDialog::Accepted);
    };
    Trigger("MmPrintmmPg");
    ASSERT_GT(units, 1);
    // The printer's sheets are counted with its own geometry.
    EXPECT_EQ(PdfPages(pdf), maxSheet);
}

// Printer Setup sets up the printer's page and prints nothing: a page set-up with OK and
// Cancel, never a print dialog.
TEST_F(PrintForms, PrinterSetupIsAPageSetUp)
{
    QString opened;
    QStringList buttons;
    prompt.onExec = [&](QDialog& d) {
        if (auto* set = dynamic_cast<TPrnSet*>(&d)) {
            set->SetupBtn->click();
            return;
        }
        opened = d.objectName();
        EXPECT_TRUE(qobject_cast<QPageSetupDialog*>(&d));
        EXPECT_FALSE(qobject_cast<QPrintDialog*>(&d));
        for (const QPushButton* b : d.findChildren<QPushButton*>())
            if (b->isVisible())
                buttons << b->text().remove(QLatin1Char('&'));
        d.reject();
    };
    Trigger("MmPrintmmPg");
    EXPECT_EQ(opened, QStringLiteral("PrnSetDlg"));
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK"))) << buttons.join(QLatin1Char(',')).toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Print"))) << buttons.join(QLatin1Char(',')).toStdString();
}

// A printout that can not be written says so with a warning and why, and is not taken for printed:
// the settings, or the preview, stay open with their buttons usable to try again.
TEST_F(PrintForms, AFailedPrintSaysSoAndKeepsItsWindowOpen)
{
    const QString pdf = Pdf("no such folder/failed.pdf");
    for (const bool fromPreview : {false, true}) {
        SCOPED_TRACE(fromPreview ? "preview" : "settings");
        prompt.shown.clear();
        prompt.kinds.clear();
        int result = -1;
        bool usable = false;
        prompt.onExec = [&](QDialog& d) {
            if (d.objectName() == QLatin1String("PrnDlg")) {
                PrintDialog(pdf)(d);
                return;
            }
            if (auto* set = dynamic_cast<TPrnSet*>(&d)) {
                if (fromPreview) {
                    set->PreviewBtn->click();
                    return;
                }
                set->PrintBtn->click();
                result = set->result();
                usable = set->PrintBtn->isEnabled() && set->CancelBtn->isEnabled() && set->GroupBox1->isEnabled();
                return;
            }
            auto& view = dynamic_cast<TPrnView&>(d);
            view.PrnBtn->click();
            result = view.result();
            usable = view.PrnBtn->isEnabled() && view.CancelBtn->isEnabled();
        };
        Trigger("MmPrintmmPg");
        EXPECT_NE(result, QDialog::Accepted);
        EXPECT_TRUE(usable);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_TRUE(prompt.shown[0].startsWith(Msg(522))) << prompt.shown[0].toStdString();
        // With the file and why it was not written, in the message table's words.
        EXPECT_TRUE(prompt.shown[0].contains(QStringLiteral("failed.pdf"))) << prompt.shown[0].toStdString();
        EXPECT_TRUE(prompt.shown[0].endsWith(Msg(966))) << prompt.shown[0].toStdString();
        EXPECT_EQ(prompt.kinds[0], MsgKind::Error);
    }
}

// On a screen lower than a whole sheet the preview fits the screen and scrolls the sheet.
TEST_F(PrintForms, ThePreviewFitsASmallScreenAndScrollsItsSheet)
{
    const QRect laptop(0, 0, 1366, 768);
    screen = ScreenArea(laptop);
    bool shown = false;
    prompt.onExec = [&](QDialog& d) {
        if (auto* set = dynamic_cast<TPrnSet*>(&d)) {
            set->PreviewBtn->click();
            return;
        }
        auto& view = dynamic_cast<TPrnView&>(d);
        QCoreApplication::processEvents();
        shown = true;
        const QSize room = laptop.marginsRemoved(FrameAllowance(&view)).size();
        EXPECT_LE(view.height(), room.height());
        EXPECT_LE(view.width(), room.width());
        EXPECT_GT(view.PreImg->height(), view.PreScroll->viewport()->height());
        EXPECT_GT(view.PreScroll->verticalScrollBar()->maximum(), 0);
        Shot(view, "preview-1366x768");
    };
    Trigger("MmPrintmmPg");
    EXPECT_TRUE(shown);
}

TEST_F(PrintForms, APreviewWithNothingToShowStaysOnItsFirstSheet)
{
    prompt.onExec = [&](QDialog& d) {
        if (auto* set = dynamic_cast<TPrnSet*>(&d)) {
            for (QCheckBox* c : {set->DispChk, set->PgChxChk, set->ObjInfChk})
                c->setChecked(false);
            set->PreviewBtn->click();
            return;
        }
        auto& view = dynamic_cast<TPrnView&>(d);
        EXPECT_EQ(view.UnitCount(), 0);
        EXPECT_EQ(view.LastSheet, 0);
        EXPECT_FALSE(view.NextPgBtn->isEnabled());
        EXPECT_FALSE(view.PrePgBtn->isEnabled());
        view.NextPgBtnClick();
        EXPECT_EQ(view.CurSheet, 1);
    };
    Trigger("MmPrintmmPg");
}

TEST_F(PrintForms, TheTableShowsTheRowsOfEachView)
{
    const int before = prompt.execCount;
    prompt.onExec = [&](QDialog& d) {
        auto& dlg = dynamic_cast<TShowPagePropDlg&>(d);
        // Page 1 is "Main" (page 0 is the new project's own, empty).
        EXPECT_EQ(dlg.LsbPageSelect->count(), 4);
        EXPECT_EQ(dlg.LsbPageSelect->currentRow(), 0);
        EXPECT_TRUE(dlg.Shown().Rows.empty());
        dlg.LsbPageSelect->setCurrentRow(1);
        dlg.RG_SetDispClick();
        EXPECT_EQ(dlg.Shown().Rows.size(), 24u);
        EXPECT_EQ(dlg.DBGridPage->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Object Name"));
        EXPECT_FALSE(dlg.ImgPage->pixmap().isNull());
        Shot(dlg, "objtable");
        dlg.findChild<QRadioButton*>(QStringLiteral("RG_SetDisp_1"))->click();
        EXPECT_FALSE(dlg.LsbPageSelect->isEnabled());
        EXPECT_EQ(dlg.Shown().Rows.size(), 5u);
        EXPECT_TRUE(dlg.ImgPage->pixmap().isNull());
        dlg.PgCtrlDB->setCurrentWidget(dlg.TabSheetStartPage);
        EXPECT_EQ(dlg.Shown().Rows.size(), 3u);
        EXPECT_FALSE(dlg.ImgStartPage->pixmap().isNull());
    };
    Trigger("MmPgDataSave");
    EXPECT_EQ(prompt.execCount, before + 1);
}

TEST_F(PrintForms, ATableWithoutPagesShowsNothing)
{
    ReportContext ctx = MainReportContext(*Main());
    PgDataVector pages = std::move(Main()->Doc.PgDataList);
    Main()->Doc.PgDataList.clear();
    {
        TShowPagePropDlg dlg(ctx, Main());
        dlg.show();
        EXPECT_EQ(dlg.LsbPageSelect->count(), 0);
        EXPECT_TRUE(dlg.Shown().Rows.empty());
        EXPECT_TRUE(dlg.ImgPage->pixmap().isNull());
        dlg.BtnSaveAsClick();
        EXPECT_EQ(dlg.Shown().Rows.size(), 5u + 3u);
    }
    Main()->Doc.PgDataList = std::move(pages);
}

// The table writes its working file after every fill; one that can not be written is said
// once, with the file's name, and the table still shows each view's rows.
TEST_F(PrintForms, AWorkingFileThatCannotBeWrittenIsSaidOnce)
{
    ReportContext ctx = MainReportContext(*Main());
    ctx.ObjDataDb = Path("lumora.mdb");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(ctx.ObjDataDb)));
    const std::size_t before = prompt.shown.size();
    {
        TShowPagePropDlg dlg(ctx, Main());
        dlg.show();
        dlg.LsbPageSelect->setCurrentRow(1);
        dlg.RG_SetDispClick();
        EXPECT_EQ(dlg.Shown().Rows.size(), 24u);
        dlg.PgCtrlDB->setCurrentWidget(dlg.TabSheetStartPage);
        EXPECT_EQ(dlg.Shown().Rows.size(), 3u);
    }
    ASSERT_EQ(prompt.shown.size(), before + 1);
    EXPECT_TRUE(prompt.shown.back().startsWith(Msg(523))) << prompt.shown.back().toStdString();
    EXPECT_TRUE(prompt.shown.back().contains(QStringLiteral("lumora.mdb"))) << prompt.shown.back().toStdString();

    // Written where it can be: the table of the last view shown.
    ctx.ObjDataDb = Path("lumora2.mdb");
    {
        TShowPagePropDlg dlg(ctx, Main());
        dlg.show();
    }
    EXPECT_EQ(prompt.shown.size(), before + 1);
    EXPECT_GT(QFileInfo(QString::fromStdString(ctx.ObjDataDb)).size(), 0);
}

TEST_F(PrintForms, TheExportWritesTheFileThenOpensTheText)
{
    for (const int item : {0, 1}) {
        const QString file = Pdf(item == 0 ? "table.txt" : "table.xlsx");
        prompt.onExec = [&](QDialog& d) {
            if (auto* table = dynamic_cast<TShowPagePropDlg*>(&d)) {
                table->BtnSaveAsClick();
                EXPECT_FALSE(table->PgCtrlDB->isTabVisible(0));
                EXPECT_FALSE(table->PgCtrlDB->isTabVisible(1));
                EXPECT_EQ(table->PgCtrlDB->currentWidget(), table->TabSheetAll);
                EXPECT_EQ(table->Shown().Rows.size(), 53u);
                return;
            }
            if (auto* save = dynamic_cast<TSaveAsDlg*>(&d)) {
                save->findChild<QRadioButton*>(QStringLiteral("RG_SaveAs_%1").arg(item))->setChecked(true);
                EXPECT_TRUE(save->OKBtnClick());
                return;
            }
            auto& files = dynamic_cast<QFileDialog&>(d);
            EXPECT_TRUE(files.nameFilters().join(QString()).contains(item == 0 ? QStringLiteral("*.txt")
                                                                               : QStringLiteral("*.xlsx")));
            files.selectFile(file);
            static_cast<QDialog&>(files).accept();
        };
        Trigger("MmPgDataSave");
        EXPECT_TRUE(QFileInfo::exists(file)) << item;
    }
    // The text file is opened once written; the workbook is not.
    EXPECT_EQ(opened, std::vector<QString>{Pdf("table.txt")});
}

TEST_F(PrintForms, EveryCaptionIsInAllThreeLanguages)
{
    ReportContext ctx = MainReportContext(*Main());
    TPrnSet set(ctx, Main());
    PrintJob job(Main()->Doc, *Main()->LxType, PrintChoice{}, false, ctx.Print);
    TPrnView view(ctx, set, job, Main());
    TShowPagePropDlg table(ctx, Main());
    TSaveAsDlg save(ctx, table, Main());
    TFrmSaveTo progress(Main(), LangEng);
    for (QWidget* form : std::initializer_list<QWidget*>{&set, &view, &table, &save, &progress}) {
        SCOPED_TRACE(form->objectName().toStdString());
        for (int lang : {LangCht, LangChs, LangEng}) {
            TIniFile ini(Path(CaptionFileName(lang)));
            ASSERT_TRUE(ini.Loaded());
            for (const CaptionKey& k : FormCaptionKeys(form)) {
                // An empty hint of a label or check box stays empty without a key.
                const bool labelHint =
                    (k.componentClass == "TCheckBox" || k.componentClass == "TLabel") && k.key.ends_with(".Hint");
                if (!labelHint) {
                    EXPECT_TRUE(ini.ValueExists(k.section, k.key)) << CaptionFileName(lang) << " " << k.key;
                }
            }
        }
    }
    TranslateForm(&set, LangCht);
    EXPECT_EQ(set.PreviewBtn->text(), QStringLiteral("預覽"));
    Shot(set, "prnset-cht");
    TranslateForm(&table, LangChs);
    Shot(table, "objtable-chs");
    TranslateForm(&set, LangEng);
    Shot(set, "prnset");
}

} // namespace
} // namespace kes::test
