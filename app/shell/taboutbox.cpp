#include "app/shell/taboutbox.h"

#include "app/ui/fileopener.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/fileio.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace kes {
const char* const kProductPageUrl = "https://kestrova.example/";
} // namespace kes

namespace {

// A label that acts as a link: blue and underlined, a hand cursor, purple once visited.
class LinkLabel : public QLabel {
public:
    LinkLabel(QWidget* parent, std::function<void()> onClick) : QLabel(parent), onClick_(std::move(onClick))
    {
        setCursor(Qt::PointingHandCursor);
        SetColour(QStringLiteral("#0000ff"));
        // Its caption comes from the caption file like a plain label's.
        kes::SetComponentClass(this, "TLabel");
    }
    void SetColour(const QString& colour)
    {
        setStyleSheet(QStringLiteral("color: %1; text-decoration: underline;").arg(colour));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner, int langIndex, kes::FileOpener& opener)
    : QDialog(owner), langIndex_(langIndex), opener_(opener)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(404, 118);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    kes::SetComponentClass(panel, "TFrame");
    ProgramIcon = NamedLabel(panel, "ProgramIcon", QString());
    ProgramIcon->setFixedSize(33, 33);
    ProgramIcon->setScaledContents(true);
    kes::SetComponentClass(ProgramIcon, "TImage");
    ProductName = NamedLabel(panel, "ProductName", QStringLiteral("Kestrova"));
    Copyright = NamedLabel(panel, "Copyright", QStringLiteral("Copyright (C) the Kestrova developers"));
    Label3 = NamedLabel(panel, "Label3", QStringLiteral("Design tool for monochrome operator panels"));
    auto* link = new LinkLabel(panel, [this] { Label1Click(); });
    link->setObjectName(QStringLiteral("Label1"));
    link->setText(QString::fromLatin1(kes::kProductPageUrl));
    Label1 = link;

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(1);
    grid->addWidget(ProgramIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(ProductName, 0, 1);
    grid->addWidget(Copyright, 1, 1);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(Label1, 3, 1);
    grid->setColumnStretch(1, 1);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    QObject::connect(OKButton, &QPushButton::clicked, this, [this] { accept(); });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panel, 1);
    layout->addWidget(OKButton, 0, Qt::AlignBottom);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TAboutBox::FormShow()
{
    TranslateForm(this, langIndex_);
    ProductName->setText(ProductName->text() + QStringLiteral(" ") + QLatin1String(KES_VERSION));
    ProgramIcon->setPixmap(QIcon(kes::AnsiToQString(kes::AppDir() + "Kestro.ico")).pixmap(33, 33));
}

void TAboutBox::Label1Click()
{
    static_cast<LinkLabel*>(Label1)->SetColour(QStringLiteral("#800080"));
    opener_.Open(QString::fromLatin1(kes::kProductPageUrl));
}
