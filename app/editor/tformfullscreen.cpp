#include "app/editor/tformfullscreen.h"

#include "app/editor/teditpage.h"
#include "app/project/objrefs.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kLineGap = 2; // pixels between the lines of one object's addresses

} // namespace

namespace kes {

QPoint KeepTextInside(int x, int y, int w, int h, int pageW, int pageH)
{
    if (y + h > pageH)
        y = pageH - h;
    if (x + w > pageW)
        x = pageW - w;
    return QPoint(x, y);
}

QImage PagePicture(TEditPage& page)
{
    page.DrawPageSnapshot();
    const QImage& snap = *page.SnapBmp().Canvas()->Target();
    return snap.scaled(page.ClientWidth(), page.ClientHeight(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace kes

TFormFullScreen::TFormFullScreen(QWidget* owner) : QDialog(owner, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormFullScreen"));
    setModal(true);
    ImgPage = new QLabel(this);
    ImgPage->setObjectName(QStringLiteral("ImgPage"));
    // A picture, no caption.
    kes::SetComponentClass(ImgPage, "");
    ImgPage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(ImgPage);
    setStyleSheet(QStringLiteral("background: white"));
}

TFormFullScreen::~TFormFullScreen() = default;

void TFormFullScreen::SetPicture(const QImage& picture)
{
    picture_ = picture;
    ImgPage->setPixmap(QPixmap::fromImage(picture_));
}

void TFormFullScreen::DrawIoPoints(const TEditPage& page)
{
    if (property("Tag").toInt() != 1)
        return;
    const int pageW = page.ClientWidth();
    const int pageH = page.ClientHeight();
    QPainter p(&picture_);
    QFont font = p.font();
    font.setPointSize(page.Data().Zoom == 1 ? 6 : 12);
    p.setFont(font);
    p.setPen(QPen(QColor(0, 0, 255), 2));
    const QFontMetrics fm(font);
    for (TLxObj* obj : page.Data().ObjList) {
        int line = 0;
        kes::ForEachObjRef(*obj, [&](TLxDevRef& ref, std::uint8_t, std::uint8_t) {
            const QString text = kes::AnsiToQString(ref.DevText);
            const int w = fm.horizontalAdvance(text);
            const int h = fm.height();
            const QPoint at = kes::KeepTextInside(obj->Left, obj->Top + line * (h + kLineGap), w, h, pageW, pageH);
            p.drawText(QRect(at, QSize(w, h)), Qt::AlignLeft | Qt::AlignTop, text);
            ++line;
        });
    }
    p.end();
    ImgPage->setPixmap(QPixmap::fromImage(picture_));
}

void TFormFullScreen::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    FormClick();
}
