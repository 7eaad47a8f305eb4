#include "app/project/ui/tpglistfrm.h"

#include "app/model/lxtypecore.h"
#include "app/project/memimage.h"
#include "app/project/pagelist.h"
#include "app/project/pagewindows.h"
#include "app/project/tprntmp.h"
#include "app/project/ui/prjhost.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMsgAskDelete = 72;
constexpr int kMsgAskMove = 304;

// The list box reports where a drag ended and leaves the moving to the form.
class PageListBox : public QListWidget {
public:
    explicit PageListBox(TPgListFrm& form) : QListWidget(&form), form_(form)
    {
        setDragDropMode(QAbstractItemView::InternalMove);
        setDefaultDropAction(Qt::MoveAction);
    }

protected:
    void startDrag(Qt::DropActions actions) override
    {
        form_.PgListBxStartDrag();
        QListWidget::startDrag(actions);
    }
    void dropEvent(QDropEvent* event) override
    {
        QListWidgetItem* at = itemAt(event->position().toPoint());
        const int drop = at ? row(at) : count() - 1;
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        form_.PgListBxEndDrag(drop);
    }

private:
    TPgListFrm& form_;
};

} // namespace

TPgListFrm::TPgListFrm(kes::ProjectCommandsHost& host, kes::PageWindows& pages)
    : QDialog(host.Window()), host_(host), pages_(pages)
{
    setObjectName(QStringLiteral("PgListFrm"));
    setWindowTitle(QStringLiteral("Page List"));
    PgListBx = new PageListBox(*this);
    PgListBx->setObjectName(QStringLiteral("PgListBx"));
    PgTitle_Lab = new QLabel(QStringLiteral("Title"), this);
    PgTitle_Lab->setObjectName(QStringLiteral("PgTitle_Lab"));
    PgTitleTxt = new QLineEdit(this);
    PgTitleTxt->setObjectName(QStringLiteral("PgTitleTxt"));
    const auto button = [this](QPushButton*& b, const char* name, const char* text) {
        b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
    };
    button(AddBtn, "AddBtn", "&Add");
    button(InsBtn, "InsBtn", "&Insert");
    button(DelBtn, "DelBtn", "&Delete");
    button(ReOrgBtn, "ReOrgBtn", "&Renumber");
    button(AllOpenBtn, "AllOpenBtn", "Open A&ll");
    button(PgOK, "PgOK", "OK");
    button(PgBxClose, "PgBxClose", "&Close");
    GpView = new QGroupBox(QStringLiteral("Preview"), this);
    GpView->setObjectName(QStringLiteral("GpView"));
    ImgPage = new QLabel(GpView);
    ImgPage->setObjectName(QStringLiteral("ImgPage"));
    auto* view = new QVBoxLayout(GpView);
    view->addWidget(ImgPage);

    auto* grid = new QGridLayout(this);
    grid->addWidget(PgListBx, 0, 0, 8, 1);
    int r = 0;
    for (QPushButton* b : {AddBtn, InsBtn, DelBtn, ReOrgBtn, AllOpenBtn, PgOK, PgBxClose})
        grid->addWidget(b, r++, 1);
    grid->addWidget(PgTitle_Lab, 8, 0);
    grid->addWidget(PgTitleTxt, 9, 0, 1, 2);
    grid->addWidget(GpView, 10, 0, 1, 2);

    connect(PgListBx, &QListWidget::itemClicked, this, [this] { PgListBxClick(); });
    connect(PgListBx, &QListWidget::itemDoubleClicked, this, [this] { PgListBxDblClick(); });
    connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
    connect(InsBtn, &QPushButton::clicked, this, [this] { InsBtnClick(); });
    connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
    connect(ReOrgBtn, &QPushButton::clicked, this, [this] { ReOrgBtnClick(); });
    connect(AllOpenBtn, &QPushButton::clicked, this, [this] { AllOpenBtnClick(); });
    connect(PgOK, &QPushButton::clicked, this, [this] { PgOKClick(); });
    connect(PgBxClose, &QPushButton::clicked, this, [this] { PgBxCloseClick(); });
    connect(PgTitleTxt, &QLineEdit::textEdited, this, [this] { PgTitleTxtKeyUp(); });
}

void TPgListFrm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TPgListFrm::FillPageList()
{
    PgListBx->clear();
    for (std::size_t i = 0; i < host_.Doc.PgDataList.size(); ++i)
        PgListBx->addItem(kes::AnsiToQString(kes::PageItemText(static_cast<int>(i), host_.Doc.PgDataList[i]->Title)));
}

void TPgListFrm::FormShow()
{
    TranslateForm(this, host_.Doc.LangIndex);
    FillPageList();
    const bool pages = !host_.Doc.PgDataList.empty();
    GpView->setVisible(pages);
    if (!pages)
        return;
    const kes::LxTypeCore* model = host_.Model();
    const int w = model ? model->PanelWidth * host_.Doc.GridWidth : 0;
    const int h = model ? model->PanelHeight * host_.Doc.GridHeight : 0;
    ImgPage->setFixedSize(std::max(w, 1), std::max(h, 1));
    const int current = pages_.CurrentPageIndex();
    SelectRow(current >= 0 && current < PgListBx->count() ? current : 0);
    DragFromIndex = PgListBx->currentRow();
    ShowTitle(PgListBx->currentRow());
    DrawPagePreview(PgListBx->currentRow());
}

void TPgListFrm::SelectRow(int row)
{
    if (row >= 0 && row < PgListBx->count())
        PgListBx->setCurrentRow(row);
    else
        PgListBx->setCurrentRow(-1);
}

void TPgListFrm::ShowTitle(int row)
{
    if (row < 0 || row >= static_cast<int>(host_.Doc.PgDataList.size())) {
        PgTitleTxt->clear();
        return;
    }
    PgTitleTxt->setText(kes::AnsiToQString(host_.Doc.PgDataList[static_cast<std::size_t>(row)]->Title));
}

void TPgListFrm::DrawPagePreview(int index)
{
    const QSize size = ImgPage->size();
    QImage picture;
    if (index >= 0 && host_.Model())
        picture = kes::RenderStoredPage(host_.Doc, *host_.Model(), index);
    if (picture.isNull()) {
        picture = QImage(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    ImgPage->setPixmap(QPixmap::fromImage(picture.scaled(size)));
}

void TPgListFrm::PgListBxClick()
{
    const int row = PgListBx->currentRow();
    if (row >= 0) {
        PgTitleTxt->setEnabled(true);
        DragFromIndex = row;
        DrawPagePreview(row);
        ShowTitle(row);
    } else {
        DrawPagePreview(-1);
        PgTitleTxt->clear();
        PgTitleTxt->setEnabled(false);
    }
}

void TPgListFrm::PgListBxDblClick()
{
    if (const int row = PgListBx->currentRow(); row >= 0)
        OpenPageWindow(row);
}

void TPgListFrm::OpenPageWindow(int index) { pages_.LoadPageWindow(index); }

void TPgListFrm::OpenAllPagesFrom(int first)
{
    for (int i = first; i < PgListBx->count(); ++i) {
        SelectRow(i);
        DrawPagePreview(i);
        OpenPageWindow(i);
    }
}

void TPgListFrm::PgListBxStartDrag() { DragFromIndex = PgListBx->currentRow(); }

void TPgListFrm::PgListBxEndDrag(int drop)
{
    if (drop < 0 || drop == DragFromIndex || DragFromIndex < 0)
        return;
    if (kes::ShowMessage(host_.Ask, kes::Msg(kMsgAskMove), kes::Buttons::YesNo) != kes::Answer::Yes) {
        SelectRow(DragFromIndex);
        return;
    }
    pages_.PagesRenumbered(kes::MovePage(host_.Doc, DragFromIndex, drop));
    FillPageList();
    SelectRow(drop);
    DragFromIndex = drop;
    ShowTitle(drop);
    DrawPagePreview(drop);
    PgListBxDblClick();
}

void TPgListFrm::AddBtnClick()
{
    const bool selected = PgListBx->currentRow() >= 0;
    host_.MmAddPgClick();
    pages_.LoadPageWindow(static_cast<int>(host_.Doc.PgDataList.size()) - 1);
    FillPageList();
    SelectRow(selected ? PgListBx->count() - 1 : 0);
    DrawPagePreview(PgListBx->currentRow());
    PgTitleTxt->clear();
}

void TPgListFrm::InsBtnClick()
{
    int at = PgListBx->currentRow();
    if (at < 0)
        at = 0;
    if (kes::ImageWouldOverflow(host_.Doc, 0))
        return;
    pages_.PagesRenumbered(kes::InsertPage(host_.Doc, at));
    pages_.LoadPageWindow(at);
    FormShow();
    SelectRow(at);
    PgTitleTxt->clear();
}

void TPgListFrm::DelBtnClick()
{
    const int row = PgListBx->currentRow();
    if (row < 0) {
        PgTitleTxt->setEnabled(false);
        return;
    }
    if (kes::ShowMessage(host_.Ask, kes::Msg(kMsgAskDelete), kes::Buttons::YesNo) != kes::Answer::Yes)
        return;
    pages_.PagesRenumbered(kes::DeletePage(host_.Doc, row));
    FillPageList();
    if (PgListBx->count() == 0) {
        SelectRow(-1);
        PgTitleTxt->clear();
        PgTitleTxt->setEnabled(false);
        DrawPagePreview(-1);
        return;
    }
    const int next = std::min(row, PgListBx->count() - 1);
    SelectRow(next);
    ShowTitle(next);
    DrawPagePreview(next);
}

void TPgListFrm::ReOrgBtnClick()
{
    FillPageList();
    SelectRow(std::min(DragFromIndex, PgListBx->count() - 1));
}

void TPgListFrm::AllOpenBtnClick()
{
    if (PgListBx->currentRow() < 0)
        return;
    OpenAllPagesFrom(0);
    kes::BuildPageImage(host_.Doc);
    close();
}

void TPgListFrm::PgOKClick()
{
    if (PgListBx->currentRow() >= 0 && !host_.Doc.PgDataList.empty()) {
        PgListBxDblClick();
        kes::BuildPageImage(host_.Doc);
    }
    close();
}

void TPgListFrm::PgBxCloseClick()
{
    if (!host_.Doc.PgDataList.empty())
        kes::BuildPageImage(host_.Doc);
    else
        host_.MmClosePrjClick();
    close();
}

void TPgListFrm::PgTitleTxtKeyUp()
{
    const int row = PgListBx->currentRow();
    if (row < 0)
        return;
    const std::string title = kes::QStringToAnsi(PgTitleTxt->text());
    kes::RetitlePage(host_.Doc, row, title);
    PgListBx->item(row)->setText(kes::AnsiToQString(kes::PageItemText(row, title)));
    kes::PageRenumbering same(host_.Doc.PgDataList.size());
    for (std::size_t i = 0; i < same.size(); ++i)
        same[i] = static_cast<int>(i);
    pages_.PagesRenumbered(same);
}
