#include "app/shell/tlogo.h"

#include "app/shell/jpegimage.h"
#include "platform/fileio.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* OverlayLabel(QWidget* parent, const char* name, const QString& text, int pixelHeight, bool visible)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(pixelHeight);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->adjustSize();
    l->setVisible(visible);
    return l;
}

} // namespace

TLogo::TLogo(QWidget* owner) : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Logo"));
    setFixedSize(600, 460);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(3, 3, 3, 3);
    Image1 = new QLabel(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setStyleSheet(QStringLiteral("background: #203040;"));
    inner->addWidget(Image1);

    // The build's version, the one the about box names.
    Label6 = OverlayLabel(Image1, "Label6", QLatin1String(KES_VERSION), 37, true);
    Label2 = OverlayLabel(Image1, "Label2", QStringLiteral("Version"), 19, true);
    OverlayLabel(Image1, "Label1", QStringLiteral("Kestrova panel design tool"), 13, true)->move(24, 410);
    OverlayLabel(Image1, "Label3", QString(), 13, false);
    OverlayLabel(Image1, "Label4", QString(), 13, false);
    // Near the lower right corner: "Version" and the number on one baseline.
    Label6->move(600 - 28 - Label6->width(), 460 - 30 - Label6->height());
    Label2->move(Label6->x() - 8 - Label2->width(), Label6->y() + Label6->height() - Label2->height() - 5);

    if (QScreen* screen = this->screen())
        move(screen->geometry().center() - rect().center());
    FormCreate();
}

void TLogo::FormCreate()
{
    const QImage picture = kes::LoadJpeg(kes::AppDir() + "SplashPageZQ.jpg");
    if (!picture.isNull())
        Image1->setPixmap(QPixmap::fromImage(picture));
}
