#include "app/dialogs/ttxtedit.h"

#include "app/dialogs/objdialogs.h"
#include "app/ui/fontchoice.h"
#include "objects/tsttxt.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TTxtEdit::TTxtEdit(kes::DialogContext& ctx, QWidget* owner, TStTxt& text)
    : SettingsDialog(ctx, owner, "TxtEdit"), text_(text)
{
    setWindowTitle(QStringLiteral("Static Text"));
    TxtEdit = kes::Named(new QPlainTextEdit(this), "TxtEdit");
    TxtEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    TxtEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtEdit->setMinimumSize(280, 120);
    Frame_Lab = NewLabel(this, "Frame_Lab", QStringLiteral("Frame"));
    Frame_Box = NewCombo(this, "Frame_Box", kes::FrameItems());
    TxtDir_Lab = NewLabel(this, "TxtDir_Lab", QStringLiteral("Direction"));
    TxtDir_Box = NewCombo(this, "TxtDir_Box", {"Bottom to Top", "Top to Bottom", "Right to Left", "Left to Right"});
    TxtHPos_Lab = NewLabel(this, "TxtHPos_Lab", QStringLiteral("Horizontal"));
    TxtHPos_Box = NewCombo(this, "TxtHPos_Box", kes::HPosItems());
    TxtVPos_Lab = NewLabel(this, "TxtVPos_Lab", QStringLiteral("Vertical"));
    TxtVPos_Box = NewCombo(this, "TxtVPos_Box", kes::VPosItems());
    FontTypeBtn = NewButton(this, "FontTypeBtn", QStringLiteral("Font..."));

    auto* side = new QVBoxLayout;
    side->addLayout(kes::LabelledRows(
        {{Frame_Lab, Frame_Box}, {TxtDir_Lab, TxtDir_Box}, {TxtHPos_Lab, TxtHPos_Box}, {TxtVPos_Lab, TxtVPos_Box}}));
    side->addWidget(FontTypeBtn);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(TxtEdit, 1);
    body->addLayout(side);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(body);
    lay->addLayout(NewOkCancel(OkBtn, "OkBtn", CancelBtn, "CancelBtn"));
    OnClicked(FontTypeBtn, [this] { FontTypeBtnClick(); });
}

TTxtEdit::~TTxtEdit() = default;

void TTxtEdit::LoadFields()
{
    const TStTxt& t = text_;
    font_ = t.Picture.Canvas()->Font;
    TxtEdit->setFont(kes::ToQFont(font_));
    auto index = [](int v, int count) { return v >= 0 && v < count ? v : -1; };
    Frame_Box->setCurrentIndex(index(t.ObjFrame, 6));
    TxtDir_Box->setCurrentIndex(index(t.TxtDir, 4));
    TxtHPos_Box->setCurrentIndex(index(t.TxtHPos, 3));
    TxtVPos_Box->setCurrentIndex(index(t.TxtVPos, 3));
    loaded_ = t.Lines;
    QStringList lines;
    for (const std::string& line : loaded_)
        lines << kes::AnsiToQString(line);
    loadedText_ = lines.join(QLatin1Char('\n'));
    TxtEdit->setPlainText(loadedText_);
}

std::vector<std::string> TTxtEdit::MemoLines() const
{
    // Untouched, the lines stay exactly as loaded (one empty line is no empty memo).
    const QString all = TxtEdit->toPlainText();
    if (all == loadedText_)
        return loaded_;
    std::vector<std::string> lines;
    if (all.isEmpty())
        return lines;
    for (const QString& line : all.split(QLatin1Char('\n')))
        lines.push_back(kes::QStringToAnsi(line));
    return lines;
}

void TTxtEdit::FontTypeBtnClick()
{
    if (kes::ChooseFont(Ctx().Ask, this, font_))
        TxtEdit->setFont(kes::ToQFont(font_));
}

void TTxtEdit::Store()
{
    TStTxt& t = text_;
    // A frame or direction the boxes do not offer (a damaged record) is not stored over.
    if (Frame_Box->currentIndex() < 0 || TxtDir_Box->currentIndex() < 0)
        return;
    t.SetObjFrame(static_cast<std::uint8_t>(Frame_Box->currentIndex()));
    t.SetDirect(static_cast<std::uint8_t>(TxtDir_Box->currentIndex()));
    t.SetHPos(static_cast<std::uint8_t>(std::max(0, TxtHPos_Box->currentIndex())));
    t.SetVPos(static_cast<std::uint8_t>(std::max(0, TxtVPos_Box->currentIndex())));
    t.Picture.Canvas()->Font = font_;
    t.Lines.clear();
    t.SetStatic_Txt(MemoLines(), font_);
    t.BmpRePaint();
    if (Ctx().ObjToolbarRefresh)
        Ctx().ObjToolbarRefresh(t);
}

bool kes::RunTxtEdit(DialogContext& ctx, TStTxt& obj, QWidget* owner, const QString& caption)
{
    return RunObjDialog<TTxtEdit>(ctx, obj, owner, caption);
}
