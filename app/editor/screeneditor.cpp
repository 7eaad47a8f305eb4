#include "app/editor/screeneditor.h"

#include "app/editor/pagehost.h"
#include "app/editor/timagepage.h"
#include "app/project/projectdoc.h"
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace kes {

namespace {

constexpr int kMsgStartScreenPartly = 942; // "The start-up screen reads only in part; ..."

} // namespace

ScreenEditor::ScreenEditor(PageHost& host, QMdiArea* area, std::vector<QWidget*>& menuWindows)
    : host_(host), area_(area), menuWindows_(menuWindows)
{
    if (area_) {
        QObject::connect(area_, &QMdiArea::subWindowActivated, &alive_, [this](QMdiSubWindow* w) {
            if (auto* page = w ? dynamic_cast<TImagePage*>(w->widget()) : nullptr; page && current_ != page)
                page->FormActivate();
        });
    }
}

ScreenEditor::~ScreenEditor()
{
    CloseMenuScreens();
    delete first_;
}

void ScreenEditor::Forget(TImagePage* page)
{
    if (first_ == page)
        first_ = nullptr;
    if (current_ == page)
        current_ = nullptr;
}

TImagePage* ScreenEditor::OpenStartScreen()
{
    ProjectDoc& doc = host_.Doc();
    host_.View().EditMode = Editing::StartScreen;
    if (!first_) {
        first_ = new TImagePage(host_, -1, this);
        if (doc.StartScreenData && host_.Model()) {
            const Bytes& data = doc.StartScreenData->Data;
            const PgReadResult read = first_->PgDataToObj(data, 0, data.size());
            if (!read.Ok())
                ShowError(host_.Ask(),
                          Msg(kMsgStartScreenPartly) +
                              QStringLiteral("\n%1 (%2)").arg(read.Position).arg(DecodeErrorText(read.Error)));
        }
    } else {
        first_->PgSetZoom(doc.DefaultZoom);
    }
    Show(first_);
    return first_;
}

TImagePage* ScreenEditor::AddMenuScreen(int index, const QString& caption)
{
    ProjectDoc& doc = host_.Doc();
    auto* page = new TImagePage(host_, index, this);
    page->setWindowTitle(caption);
    if (index >= 0 && index < static_cast<int>(doc.ImagePgDataList.size())) {
        const Bytes& data = doc.ImagePgDataList[static_cast<std::size_t>(index)]->Data;
        page->PgDataToObj(data, 0, data.size());
    }
    menuWindows_.push_back(page);
    QObject::connect(page, &QObject::destroyed, &alive_, [this, page] { std::erase(menuWindows_, page); });
    current_ = page;
    return page;
}

void ScreenEditor::TitleMenuScreens(const QString& name)
{
    // The list is in page order: a window's place is its screen's index.
    for (std::size_t i = 0; i < menuWindows_.size(); ++i)
        menuWindows_[i]->setWindowTitle(name + QStringLiteral("-") + QString::number(i));
}

void ScreenEditor::CloseMenuScreens()
{
    // Each window erases itself from the list as it goes: the list is not walked while it shrinks.
    const std::vector<QWidget*> menus = menuWindows_;
    for (QWidget* w : menus)
        delete w;
    menuWindows_.clear();
}

void ScreenEditor::Show(TImagePage* page)
{
    page->ShowInArea(area_);
    if (current_ != page || host_.View().EditMode != (page->IsStartScreen() ? Editing::StartScreen : Editing::UserMenu))
        page->FormActivate();
}

void ScreenEditor::StoreStartScreen()
{
    if (!first_)
        return;
    const Editing mode = host_.View().EditMode;
    host_.View().EditMode = Editing::StartScreen;
    first_->PgDataSave();
    host_.View().EditMode = mode;
}

Bytes ScreenEditor::StartScreenPicture()
{
    if (first_)
        return first_->BandPicture();
    // Not being edited: the stored screen, drawn by a window that is never shown.
    const ProjectDoc& doc = host_.Doc();
    if (!host_.Model() || !doc.StartScreenData)
        return {};
    TImagePage page(host_, -1);
    page.PgDataToObj(doc.StartScreenData->Data, 0, doc.StartScreenData->Data.size());
    return page.BandPicture();
}

Bytes ScreenEditor::UserMenuPictures()
{
    Bytes out;
    for (QWidget* w : menuWindows_)
        if (auto* page = dynamic_cast<TImagePage*>(w)) {
            const Bytes picture = page->BandPicture();
            out.insert(out.end(), picture.begin(), picture.end());
        }
    return out;
}

TImagePage* ScreenEditor::Editor(Editing editMode) const
{
    if (editMode == Editing::StartScreen)
        return first_;
    if (editMode == Editing::UserMenu)
        return current_ && !current_->IsStartScreen() ? current_ : nullptr;
    return nullptr;
}

int ScreenEditor::Zoom() const { return current_ ? current_->Data().Zoom : 0; }

void ScreenEditor::SetZoom(int zoom)
{
    if (current_)
        current_->PgSetZoom(zoom);
}

void ScreenEditor::SetTool(Editing editMode, int kind, int subType)
{
    TImagePage* page = Editor(editMode);
    if (!page)
        return;
    if (kind == 0)
        page->PolyPointsCancel();
    page->ChooseTool(static_cast<std::int16_t>(kind), subType);
}

void ScreenEditor::OnStartScreen(void (TImagePage::*action)())
{
    if (TImagePage* page = Editor(Editing::StartScreen); page && host_.View().EditMode == Editing::StartScreen)
        (page->*action)();
}

void ScreenEditor::Undo() { OnStartScreen(&TImagePage::PopUndoClick); }

void ScreenEditor::Redo() { OnStartScreen(&TImagePage::PopRedoClick); }

void ScreenEditor::SelectAll() { OnStartScreen(&TImagePage::PopSelAllClick); }

void ScreenEditor::EditStateRefresh()
{
    if (first_)
        first_->EditStateRefresh();
}

void ScreenEditor::CommandState()
{
    if (TImagePage* page = Editor(host_.View().EditMode))
        page->ShowCommandState();
}

int ScreenEditor::SelCount(Editing editMode) const
{
    TImagePage* page = Editor(editMode);
    return page ? static_cast<int>(page->Data().SelList.size()) : 0;
}

void ScreenEditor::LineStyleChanged(int width, int pattern)
{
    if (TImagePage* page = Editor(Editing::StartScreen); page && host_.View().EditMode == Editing::StartScreen)
        page->SetSelectedLineStyle(width, pattern);
}

QWidget* ScreenEditor::CurrentWindow() const { return Editor(Editing::UserMenu); }

void ScreenEditor::MakeCurrent(QWidget* window)
{
    if (auto* page = dynamic_cast<TImagePage*>(window))
        Show(page);
}

void ScreenEditor::Command(Editing editMode, ImageCommand command)
{
    // A user-menu screen is shown, never edited.
    TImagePage* page = Editor(editMode);
    if (!page || editMode != Editing::StartScreen)
        return;
    switch (command) {
    case ImageCommand::Delete:
        page->PopDelClick();
        break;
    case ImageCommand::Cut:
        page->PopCutClick();
        break;
    case ImageCommand::Copy:
        page->PopCopyClick();
        break;
    case ImageCommand::Paste:
        page->PopPasteClick();
        break;
    case ImageCommand::MoveTop:
        page->MmMovTopClick();
        break;
    case ImageCommand::MoveBottom:
        page->MmMovbuttonClick();
        break;
    case ImageCommand::MoveUp:
        page->MmMoveUpClick();
        break;
    case ImageCommand::MoveDown:
        page->MmMoveDnClick();
        break;
    case ImageCommand::MultiCopy:
        page->MmMultiCopyClick();
        break;
    case ImageCommand::ToolbarRefresh:
        page->ObjToolbarRefresh(page->Data().CurObj);
        break;
    }
}

void ScreenEditor::StepSelObjs(Editing editMode, int dir)
{
    if (TImagePage* page = Editor(editMode); page && editMode == Editing::StartScreen)
        page->StepSelObjs(dir);
}

void ScreenEditor::AlignSelObjs(Editing editMode, int how)
{
    if (TImagePage* page = Editor(editMode); page && editMode == Editing::StartScreen)
        page->AlignSelObjs(how);
}

} // namespace kes
