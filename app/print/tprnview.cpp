#include "app/print/tprnview.h"

#include "app/dialogs/settingsdialog.h"
#include "app/print/tprnset.h"
#include "app/project/projectdoc.h"
#include "app/ui/screenfit.h"
#include "app/ui/translate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TPrnView::TPrnView(kes::ReportContext& ctx, TPrnSet& settings, kes::PrintJob& job, QWidget* owner)
    : QDialog(owner), ctx_(ctx), settings_(settings), job_(job)
{
    setObjectName(QStringLiteral("PrnView"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    PreImg = new QLabel;
    PreImg->setObjectName(QStringLiteral("PreImg"));
    kes::SetComponentClass(PreImg, "");
    PreImg->setAlignment(Qt::AlignCenter);
    PreScroll = new QScrollArea(this);
    PreScroll->setWidget(PreImg);
    PreScroll->setAlignment(Qt::AlignCenter);
    PreScroll->setBackgroundRole(QPalette::Dark);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    PrePgBtn = kes::Named(new QPushButton(QStringLiteral("Previous"), Panel1), "PrePgBtn");
    NextPgBtn = kes::Named(new QPushButton(QStringLiteral("Next"), Panel1), "NextPgBtn");
    PrnBtn = kes::Named(new QPushButton(QStringLiteral("Print"), Panel1), "PrnBtn");
    CancelBtn = kes::Named(new QPushButton(QStringLiteral("Cancel"), Panel1), "CancelBtn");
    auto* panel = new QVBoxLayout(Panel1);
    for (QPushButton* b : {PrePgBtn, NextPgBtn, PrnBtn, CancelBtn})
        panel->addWidget(b);
    panel->addStretch();
    auto* lay = new QHBoxLayout(this);
    lay->addWidget(PreScroll, 1);
    lay->addWidget(Panel1);
    const kes::PrintGeometry preview = kes::PreviewGeometry(ctx_.Doc.DefaultZoom);
    // The whole sheet where the screen has room; a smaller screen scrolls it.
    const QSize whole(static_cast<int>(preview.PageWidth * kPreviewScale) + 150,
                      static_cast<int>(preview.PageHeight * kPreviewScale) + 30);
    const QRect area = ctx_.Screen.Of(QRect(), owner).marginsRemoved(kes::FrameAllowance(this));
    resize(area.isEmpty() ? whole : whole.boundedTo(area.size()));

    QObject::connect(PrePgBtn, &QPushButton::clicked, this, [this] { PrePgBtnClick(); });
    QObject::connect(NextPgBtn, &QPushButton::clicked, this, [this] { NextPgBtnClick(); });
    QObject::connect(PrnBtn, &QPushButton::clicked, this, [this] { PrnBtnClick(); });
    QObject::connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TPrnView::~TPrnView() = default;

void TPrnView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
    FormActivate();
}

void TPrnView::FormShow()
{
    TranslateForm(this, ctx_.Doc.LangIndex);
    CurSheet = 1;
}

void TPrnView::FormActivate()
{
    const int units = job_.Plan(kes::PreviewGeometry(ctx_.Doc.DefaultZoom));
    FirstSheet = units > 0 ? 1 : 0;
    LastSheet = units;
    CurSheet = std::clamp(CurSheet, 1, std::max(units, 1));
    UpdateNavButtons();
    ShowSheet();
}

void TPrnView::UpdateNavButtons()
{
    // With no sheet at all both stay off.
    PrePgBtn->setEnabled(CurSheet > 1);
    NextPgBtn->setEnabled(CurSheet < UnitCount());
}

void TPrnView::ShowSheet()
{
    PreImg->setPixmap(QPixmap::fromImage(job_.PreviewImage(CurSheet - 1, kPreviewScale)));
    PreImg->adjustSize();
}

void TPrnView::NextPgBtnClick()
{
    if (CurSheet >= UnitCount())
        return;
    ++CurSheet;
    UpdateNavButtons();
    ShowSheet();
}

void TPrnView::PrePgBtnClick()
{
    if (CurSheet <= 1)
        return;
    --CurSheet;
    UpdateNavButtons();
    ShowSheet();
}

void TPrnView::PrnBtnClick()
{
    const int saved = CurSheet;
    const bool printed = settings_.PrintOnPrinter(job_, [this] {
        for (QPushButton* b : {PrnBtn, PrePgBtn, NextPgBtn, CancelBtn})
            b->setEnabled(false);
    });
    for (QPushButton* b : {PrnBtn, CancelBtn})
        b->setEnabled(true);
    CurSheet = saved;
    if (printed) {
        accept();
        return;
    }
    // Back to the preview's own geometry.
    FormActivate();
}
