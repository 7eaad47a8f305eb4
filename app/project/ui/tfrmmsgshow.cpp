#include "app/project/ui/tfrmmsgshow.h"

#include "app/project/pagewindows.h"
#include "app/project/projectdoc.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QDockWidget>
#include <QListWidget>
#include <QVBoxLayout>

#include <charconv>

namespace kes {

namespace {

std::optional<int> IntIn(const std::string& s)
{
    std::size_t b = s.find_first_not_of(' ');
    std::size_t e = s.find_last_not_of(' ');
    if (b == std::string::npos)
        return std::nullopt;
    int v = 0;
    const auto r = std::from_chars(s.data() + b, s.data() + e + 1, v);
    if (r.ec != std::errc() || r.ptr != s.data() + e + 1)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<CheckLineTarget> ParseCheckLine(const std::string& line, const std::string& pageWord)
{
    static const std::string kPageNumber = "Page number";
    CheckLineTarget t;
    const std::size_t at = line.find(kPageNumber);
    if (at == std::string::npos) {
        if (line.find("System") == std::string::npos)
            return std::nullopt;
        t.System = true;
        t.Page = 0;
        return t;
    }
    const std::size_t s = at + kPageNumber.size() + 1;
    const std::size_t close = line.find(')');
    if (s > line.size() || close == std::string::npos || close < s)
        return std::nullopt;
    const auto page = IntIn(line.substr(s, close - s));
    if (!page)
        return std::nullopt;
    t.Page = *page;
    // The text behind "[Error]" up to the blank before its first "[".
    const std::string r = line.size() > 7 ? line.substr(7) : std::string();
    const std::size_t open = r.find('[');
    if (open == std::string::npos || open == 0 || pageWord.empty() || line.find(pageWord) == std::string::npos)
        return t;
    t.Text = r.substr(0, open - 1);
    const std::size_t comma = r.find(',');
    const std::size_t end = r.find(']');
    if (comma == std::string::npos || end == std::string::npos || comma < open || end < comma)
        return t;
    const auto x = IntIn(r.substr(open + 1, comma - open - 1));
    const auto y = IntIn(r.substr(comma + 1, end - comma - 1));
    if (!x || !y)
        return t;
    t.HasObject = true;
    t.X = *x;
    t.Y = *y;
    return t;
}

TFrmMsgShow* ShowCheckResult(QWidget* owner, QDockWidget* dock, const ProjectDoc& doc, PageWindows& pages,
                             const std::vector<std::string>& lines)
{
    if (lines.empty())
        return nullptr;
    auto* win = dynamic_cast<TFrmMsgShow*>(dock->widget());
    if (!win)
        win = new TFrmMsgShow(owner, doc, pages);
    win->setWindowTitle(Msg(47));
    win->SetLines(lines);
    // One window, floating or docked: the dock's own buttons move it between the two.
    dock->setWidget(win);
    dock->setFloating(doc.MsgWinFloat != 0);
    dock->show();
    win->show();
    return win;
}

} // namespace kes

TFrmMsgShow::TFrmMsgShow(QWidget* owner, const kes::ProjectDoc& doc, kes::PageWindows& pages)
    : QWidget(owner), Pages(&pages), doc_(doc)
{
    setObjectName(QStringLiteral("FrmMsgShow"));
    setAttribute(Qt::WA_DeleteOnClose);
    lsbChk = new QListWidget(this);
    lsbChk->setObjectName(QStringLiteral("lsbChk"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lsbChk);
    QObject::connect(lsbChk, &QListWidget::itemDoubleClicked, this, [this] { lsbChkDblClick(); });
}

void TFrmMsgShow::SetLines(const std::vector<std::string>& lines)
{
    lsbChk->clear();
    for (const std::string& l : lines)
        lsbChk->addItem(kes::AnsiToQString(l));
}

void TFrmMsgShow::FormShow() { TranslateForm(this, doc_.LangIndex); }

void TFrmMsgShow::showEvent(QShowEvent* event)
{
    FormShow();
    QWidget::showEvent(event);
}

void TFrmMsgShow::lsbChkDblClick()
{
    QListWidgetItem* item = lsbChk->currentItem();
    if (!item)
        return;
    // The lines were written with the project's copy of the messages, which may hold a word in
    // English where the code page lacks the language's.
    const std::string pageWord = doc_.MsgTable.size() > 46 ? doc_.MsgTable[46] : kes::MsgAnsi(46);
    const auto target = kes::ParseCheckLine(kes::QStringToAnsi(item->text()), pageWord);
    if (!target)
        return;
    if (target->Page < 0 || target->Page >= static_cast<int>(doc_.PgDataList.size()))
        return;
    Pages->LoadPageWindow(target->Page);
    if (target->HasObject)
        Pages->SelectOnCurrentPage(target->Text, target->X, target->Y);
}
