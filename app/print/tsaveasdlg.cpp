#include "app/print/tsaveasdlg.h"

#include "app/dialogs/settingsdialog.h"
#include "app/print/objdataexport.h"
#include "app/print/tshowpagepropdlg.h"
#include "app/project/projectdoc.h"
#include "app/ui/codepageguard.h"
#include "app/ui/errortext.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kes {
namespace {

constexpr int kMsgFileNotWritten = 475;
constexpr int kMsgTextFiles = 782;  // "Text file (*.txt)": the file dialog's filters
constexpr int kMsgSheetFiles = 784; // "Excel file (*.xlsx)"

} // namespace

QString AskSaveFile(Prompt& prompt, QWidget* parent, const QString& dir, const QString& name, const QString& filter,
                    const QString& suffix)
{
    QFileDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("SaveDlg"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilter(filter);
    dlg.setDefaultSuffix(suffix);
    dlg.setDirectory(dir);
    dlg.selectFile(name);
    if (ExecModal(prompt, &dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().front();
}

} // namespace kes

TSaveAsDlg::TSaveAsDlg(kes::ReportContext& ctx, TShowPagePropDlg& table, QWidget* owner)
    : QDialog(owner), ctx_(ctx), table_(table)
{
    setObjectName(QStringLiteral("SaveAsDlg"));
    setWindowTitle(QStringLiteral("Export"));
    RG_SaveAs = kes::NewRadioGroup(this, "RG_SaveAs", QStringLiteral("Save as"),
                                   {QStringLiteral("Text file"), QStringLiteral("Spreadsheet file")}, "RG_SaveAs");
    kes::SetRadioGroupIndex(RG_SaveAs, 0);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(RG_SaveAs);
    lay->addLayout(buttons);
    QObject::connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    QObject::connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSaveAsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TSaveAsDlg::FormShow() { TranslateForm(this, ctx_.Doc.LangIndex); }

bool TSaveAsDlg::OKBtnClick()
{
    accept();
    const bool sheet = kes::RadioGroupIndex(RG_SaveAs) == 1;
    const QString name =
        kes::AnsiToQString(ctx_.Doc.PrjName) + (sheet ? QStringLiteral(".xlsx") : QStringLiteral(".txt"));
    const QString path = kes::AskSaveFile(ctx_.Ask, this, kes::AnsiToQString(ctx_.DocDir), name,
                                          kes::Msg(sheet ? kes::kMsgSheetFiles : kes::kMsgTextFiles),
                                          sheet ? QStringLiteral("xlsx") : QStringLiteral("txt"));
    if (path.isEmpty() || !kes::PathFitsCodePage(path, ctx_.Ask, nullptr))
        return false;
    const kes::ObjDataResult& rows = table_.Shown();
    const std::vector<std::string> labels =
        kes::ObjDataLabels(rows.Columns, [](int n) { return kes::Msg(n).toStdString(); });
    kes::ExportError error;
    const std::string file = kes::QStringToAnsi(QDir::toNativeSeparators(path));
    const bool written = sheet ? kes::WriteObjDataXlsx(file, labels, rows, kes::WorkbookScratchBase(ctx_.Doc), error)
                               : kes::WriteObjDataText(file, labels, rows, error);
    if (!written) {
        constexpr int kMsgNoWorkbook = 979; // "the spreadsheet library %1 could not be loaded or ..."
        QString why = error.File.Failed() ? kes::FileErrorText(error.File)
                                          : path + QLatin1Char('\n') +
                                                kes::Msg(kMsgNoWorkbook).arg(QString::fromStdString(error.Library));
        if (!error.LibraryWords.empty())
            why += QLatin1Char('\n') + QString::fromStdString(error.LibraryWords);
        kes::ShowError(ctx_.Ask, kes::Msg(kes::kMsgFileNotWritten) + QLatin1Char('\n') + why);
        return false;
    }
    // The text file is shown once it is whole; the workbook is left for the user to open.
    if (!sheet && ctx_.Opener)
        ctx_.Opener->Open(path);
    return true;
}

TFrmSaveTo::TFrmSaveTo(QWidget* owner, int langIndex)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), langIndex_(langIndex)
{
    setObjectName(QStringLiteral("FrmSaveTo"));
    kes::MarkForm(this);
    setWindowTitle(QStringLiteral("Reading the pages"));
    ProgBar = new QProgressBar(this);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setMinimum(0);
    ProgBar->setTextVisible(false);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(ProgBar);
    resize(320, 50);
}

void TFrmSaveTo::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    TranslateForm(this, langIndex_);
}

void TFrmSaveTo::Step(int done, int total)
{
    ProgBar->setMaximum(std::max(total, 1));
    ProgBar->setValue(done);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
