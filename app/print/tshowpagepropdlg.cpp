#include "app/print/tshowpagepropdlg.h"

#include "app/dialogs/settingsdialog.h"
#include "app/model/lxtypecore.h"
#include "app/print/objdataexport.h"
#include "app/print/tsaveasdlg.h"
#include "app/project/projectdoc.h"
#include "app/project/tprntmp.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace kes {
namespace {

constexpr int kMsgObjDataNotOpened = 523; // the table could not be filled or its file written

QTableView* NewGrid(QWidget* parent, const char* name, QStandardItemModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QLatin1String(name));
    // Column titles come from the message table, not from the caption file.
    SetComponentClass(grid, "");
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    return grid;
}

// A picture over its "[None]" label, which shows while the picture is empty.
QWidget* PictureArea(QWidget* parent, QLabel*& label, const char* labelName, QLabel*& picture, const char* name)
{
    auto* area = new QWidget(parent);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    label = new QLabel(QStringLiteral("[None]"), area);
    label->setObjectName(QLatin1String(labelName));
    label->setAlignment(Qt::AlignCenter);
    picture = new QLabel(area);
    picture->setObjectName(QLatin1String(name));
    SetComponentClass(picture, "");
    picture->setAlignment(Qt::AlignCenter);
    grid->addWidget(label, 0, 0);
    grid->addWidget(picture, 0, 0);
    area->setMinimumHeight(140);
    return area;
}

void ShowPicture(QLabel* label, const QImage& image)
{
    label->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

} // namespace

QImage ObjDataPagePicture(const ReportContext& ctx, int index, int scale)
{
    const ProjectDoc& doc = ctx.Doc;
    const PgDataStr* rec = nullptr;
    if (index < 0)
        rec = doc.StartScreenData && !doc.StartScreenData->Data.empty() ? doc.StartScreenData.get() : nullptr;
    else if (static_cast<std::size_t>(index) < doc.PgDataList.size())
        rec = doc.PgDataList[static_cast<std::size_t>(index)].get();
    if (!rec || scale <= 0)
        return {};
    TPrntmp renderer(doc, ctx.Lx);
    renderer.RenderPgIndex = std::max(index, 0);
    renderer.ParsePageRecords(rec->Data, 0, rec->Data.size());
    renderer.RenderPageBitmap();
    const QImage& page = renderer.PageBmp.Image();
    return page.scaled(page.width() * scale, page.height() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace kes

TShowPagePropDlg::TShowPagePropDlg(kes::ReportContext& ctx, QWidget* owner) : QDialog(owner), ctx_(ctx)
{
    setObjectName(QStringLiteral("ShowPagePropDlg"));
    setWindowTitle(QStringLiteral("Object Table"));
    model_ = new QStandardItemModel(this);
    PgCtrlDB = new QTabWidget(this);
    PgCtrlDB->setObjectName(QStringLiteral("PgCtrlDB"));

    TabSheetPage = new QWidget;
    TabSheetPage->setObjectName(QStringLiteral("TabSheetPage"));
    RG_SetDisp = kes::NewRadioGroup(TabSheetPage, "RG_SetDisp", QStringLiteral("Show"),
                                    {QStringLiteral("Page"), QStringLiteral("System")}, "RG_SetDisp");
    LsbPageSelect = new QListWidget(TabSheetPage);
    LsbPageSelect->setObjectName(QStringLiteral("LsbPageSelect"));
    kes::SetComponentClass(LsbPageSelect, "");
    QWidget* pageArea = kes::PictureArea(TabSheetPage, Label1, "Label1", ImgPage, "ImgPage");
    DBGridPage = kes::NewGrid(TabSheetPage, "DBGridPage", model_);
    auto* pageTop = new QHBoxLayout;
    auto* choice = new QVBoxLayout;
    choice->addWidget(RG_SetDisp);
    choice->addWidget(LsbPageSelect);
    LsbPageSelect->setMaximumWidth(220);
    pageTop->addLayout(choice);
    pageTop->addWidget(pageArea, 1);
    auto* pageLay = new QVBoxLayout(TabSheetPage);
    pageLay->addLayout(pageTop);
    pageLay->addWidget(DBGridPage, 1);

    TabSheetStartPage = new QWidget;
    TabSheetStartPage->setObjectName(QStringLiteral("TabSheetStartPage"));
    QWidget* startArea = kes::PictureArea(TabSheetStartPage, Label2, "Label2", ImgStartPage, "ImgStartPage");
    DBGridStartPage = kes::NewGrid(TabSheetStartPage, "DBGridStartPage", model_);
    auto* startLay = new QVBoxLayout(TabSheetStartPage);
    startLay->addWidget(startArea);
    startLay->addWidget(DBGridStartPage, 1);

    TabSheetAll = new QWidget;
    TabSheetAll->setObjectName(QStringLiteral("TabSheetAll"));
    DBGridAll = kes::NewGrid(TabSheetAll, "DBGridAll", model_);
    (new QVBoxLayout(TabSheetAll))->addWidget(DBGridAll);

    PgCtrlDB->addTab(TabSheetPage, QStringLiteral("Page and System"));
    PgCtrlDB->addTab(TabSheetStartPage, QStringLiteral("Start-up Screen"));
    PgCtrlDB->addTab(TabSheetAll, QStringLiteral("All"));

    OKBtn = new QPushButton(QStringLiteral("Close"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    BtnSaveAs = new QPushButton(QStringLiteral("Export..."), this);
    BtnSaveAs->setObjectName(QStringLiteral("BtnSaveAs"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSaveAs);
    buttons->addWidget(OKBtn);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(PgCtrlDB, 1);
    lay->addLayout(buttons);
    resize(760, 560);

    // FormCreate: the page and start-up screen tabs, the export, and the table.
    PgCtrlDB->setTabVisible(2, false);
    PgCtrlDB->setCurrentIndex(0);
    BtnSaveAs->setEnabled(true);
    kes::DbError error;
    if (!db_.Open(ctx_.ObjDataDb.empty() ? kes::ObjDataDbPath(ctx_.Doc) : ctx_.ObjDataDb, error))
        kes::ShowError(ctx_.Ask, kes::Msg(kes::kMsgObjDataNotOpened) + QLatin1Char('\n') + kes::DbErrorText(error));

    QObject::connect(PgCtrlDB, &QTabWidget::currentChanged, this, [this] { FormShow(); });
    for (QRadioButton* r : RG_SetDisp->findChildren<QRadioButton*>())
        QObject::connect(r, &QRadioButton::clicked, this, [this] { RG_SetDispClick(); });
    QObject::connect(LsbPageSelect, &QListWidget::itemClicked, this, [this] { RG_SetDispClick(); });
    QObject::connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    QObject::connect(BtnSaveAs, &QPushButton::clicked, this, [this] { BtnSaveAsClick(); });
}

TShowPagePropDlg::~TShowPagePropDlg() = default;

void TShowPagePropDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!shown_once_) {
        shown_once_ = true;
        FormShow();
    }
}

int TShowPagePropDlg::PictureScale() const
{
    // The larger panel models show their page at half the scale of the smaller ones; never
    // below one screen pixel a panel pixel, or a page would show no picture at all.
    const int zoom = ctx_.Doc.DefaultZoom;
    return std::max((ctx_.Doc.PanelModelIndex & 0x0F) >= 2 ? zoom / 4 : zoom / 2, 1);
}

kes::ObjDataView TShowPagePropDlg::CurrentView() const
{
    if (PgCtrlDB->currentWidget() == TabSheetAll)
        return kes::ObjDataView::All;
    if (PgCtrlDB->currentWidget() == TabSheetStartPage)
        return kes::ObjDataView::StartScreen;
    return kes::RadioGroupIndex(RG_SetDisp) == 1 ? kes::ObjDataView::System : kes::ObjDataView::Page;
}

QTableView* TShowPagePropDlg::CurrentGrid() const
{
    if (PgCtrlDB->currentWidget() == TabSheetAll)
        return DBGridAll;
    return PgCtrlDB->currentWidget() == TabSheetStartPage ? DBGridStartPage : DBGridPage;
}

void TShowPagePropDlg::FormShow()
{
    if (filling_)
        return;
    TranslateForm(this, ctx_.Doc.LangIndex);
    QWidget* tab = PgCtrlDB->currentWidget();
    if (tab == TabSheetPage) {
        LsbPageSelect->setEnabled(true);
        if (kes::RadioGroupIndex(RG_SetDisp) < 0)
            kes::SetRadioGroupIndex(RG_SetDisp, 0);
        const int selected = LsbPageSelect->currentRow();
        LsbPageSelect->clear();
        for (std::size_t i = 0; i < ctx_.Doc.PgDataList.size(); ++i)
            LsbPageSelect->addItem(QString::number(i) + QStringLiteral(": ") +
                                   kes::AnsiToQString(ctx_.Doc.PgDataList[i]->Title));
        if (LsbPageSelect->count() > 0)
            LsbPageSelect->setCurrentRow(selected >= 0 && selected < LsbPageSelect->count() ? selected : 0);
        RG_SetDispClick();
    } else if (tab == TabSheetStartPage) {
        kes::ShowPicture(ImgStartPage, kes::ObjDataPagePicture(ctx_, -1, PictureScale()));
        SelectObjDataView();
    } else {
        SelectObjDataView();
    }
}

void TShowPagePropDlg::RG_SetDispClick()
{
    if (kes::RadioGroupIndex(RG_SetDisp) == 0) {
        LsbPageSelect->setEnabled(true);
        // Without pages there is no line to show: an empty picture and no rows.
        const int row = LsbPageSelect->currentRow();
        kes::ShowPicture(ImgPage, row < 0 ? QImage() : kes::ObjDataPagePicture(ctx_, row, PictureScale()));
    } else {
        LsbPageSelect->setEnabled(false);
        kes::ShowPicture(ImgPage, QImage());
    }
    SelectObjDataView();
}

void TShowPagePropDlg::SelectObjDataView()
{
    const kes::ObjDataView view = CurrentView();
    const int page = LsbPageSelect->currentRow();
    const int pages = static_cast<int>(ctx_.Doc.PgDataList.size());
    if (view != kes::ObjDataView::All)
        FillTable(kes::ObjDataRows(ctx_.Doc, ctx_.Lx, ctx_.ObjData, view, page));
    const int pageNum = view == kes::ObjDataView::StartScreen ? pages + 1 : page + 1;
    kes::DbError error;
    if (!db_.Query(kes::ObjDataViewSql(view, pageNum), shown_, error))
        kes::ShowError(ctx_.Ask, kes::Msg(kes::kMsgObjDataNotOpened) + QLatin1Char('\n') + kes::DbErrorText(error));
    model_->clear();
    model_->setColumnCount(static_cast<int>(shown_.Columns.size()));
    for (const std::vector<std::string>& row : shown_.Rows) {
        QList<QStandardItem*> items;
        for (const std::string& text : row)
            items.push_back(new QStandardItem(QString::fromStdString(text)));
        model_->appendRow(items);
    }
    SetObjDataTitles(CurrentGrid());
}

void TShowPagePropDlg::SetObjDataTitles(QTableView* grid)
{
    const std::vector<std::string> labels =
        kes::ObjDataLabels(shown_.Columns, [](int n) { return kes::Msg(n).toStdString(); });
    for (std::size_t c = 0; c < labels.size(); ++c)
        model_->setHeaderData(static_cast<int>(c), Qt::Horizontal, QString::fromStdString(labels[c]));
    grid->resizeColumnsToContents();
}

void TShowPagePropDlg::FillTable(const std::vector<kes::ObjDataRow>& rows)
{
    kes::DbError error;
    if (!db_.Fill(rows, error)) {
        kes::ShowError(ctx_.Ask, kes::Msg(kes::kMsgObjDataNotOpened) + QLatin1Char('\n') + kes::DbErrorText(error));
        return;
    }
    // The rows show all the same; a working file that can not be written is said once, not
    // at every page chosen.
    if (!db_.Save(error) && !saveFailed_) {
        saveFailed_ = true;
        kes::ShowError(ctx_.Ask, kes::Msg(kes::kMsgObjDataNotOpened) + QLatin1Char('\n') + kes::DbErrorText(error));
    }
}

void TShowPagePropDlg::FillObjDataAllPages()
{
    TFrmSaveTo progress(this, ctx_.Doc.LangIndex);
    progress.show();
    const std::vector<kes::ObjDataRow> rows =
        kes::ObjDataRows(ctx_.Doc, ctx_.Lx, ctx_.ObjData, kes::ObjDataView::All, -1,
                         [&progress](int done, int total) { progress.Step(done, total); });
    FillTable(rows);
    progress.hide();
}

void TShowPagePropDlg::BtnSaveAsClick()
{
    FillObjDataAllPages();
    // From now on the dialog shows every row, as they are exported.
    filling_ = true;
    PgCtrlDB->setTabVisible(0, false);
    PgCtrlDB->setTabVisible(1, false);
    PgCtrlDB->setTabVisible(2, true);
    PgCtrlDB->setCurrentWidget(TabSheetAll);
    filling_ = false;
    FormShow();
    TSaveAsDlg dlg(ctx_, *this, this);
    kes::ExecModal(ctx_.Ask, &dlg);
    FormShow();
}
