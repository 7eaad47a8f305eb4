// The start-up screen and user-menu screen window: its life, command state, data and the
// few edits that differ from the page window's.
#include "app/editor/timagepage.h"

#include "app/editor/editclip.h"
#include "app/editor/kindtools.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/editor/screeneditor.h"
#include "app/editor/thmpage.h"
#include "app/inspector/tdlgprop.h"
#include "app/model/lxtypecore.h"
#include "app/project/pgread.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/msgtable.h"
#include "app/ui/objtools.h"
#include "app/ui/translate.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kMsgStartScreen = 270; // the start-up screen window's caption

// The current page window of the host's page editor, or null.
THmPage* CurrentPage(const kes::PageHost& host)
{
    const kes::PageEditor* editor = host.PageEd();
    return editor ? editor->Current() : nullptr;
}

// Main-window items a screen has no use for: the pages and their settings, the project's
// compile and transfers, and the page picture file (the page is not what the screen shows).
const char* const kPageOnlyItems[] = {"MmAddPg",  "TbAddPg",     "MmComRead",   "TbComRead",        "MmComWrt",
                                      "TbComWrt", "TbTranslate", "MmTranslate", "MmPgJump",         "MmBuzzerSet",
                                      "MmLedSet", "MmFunKeyEt",  "MmHide",      "MmPgPageWriteSet", "MmImageToFile"};
// What the start-up screen has and a user-menu screen, which is only looked at, has not.
const char* const kStartScreenItems[] = {"MmView", "TbViewPg", "MmSaveAs", "MmPrint", "TbPrint"};
const char* const kEditItems[] = {"TbDel", "TbCut", "TbCopy", "MmDel", "MmCut", "MmCopy"};
const char* const kStepItems[] = {"TbStepUp", "TbStepDown", "TbStepLeft", "TbStepRight"};
const char* const kSideItems[] = {"TbSideUp", "TbSideDown", "TbSideLeft", "TbSideRight"};

} // namespace

TImagePage::TImagePage(kes::PageHost& host, int menuIndex, kes::ScreenEditor* owner)
    : TEditPage(host, kes::kPopScreenWindow), menuIndex_(menuIndex), owner_(owner)
{
    setObjectName(QStringLiteral("ImagePage"));
    if (IsStartScreen())
        setWindowTitle(kes::Msg(kMsgStartScreen));
    Data().Zoom = host_.Doc().DefaultZoom;
    FormResize();
    host_.SelectPointerTool();
}

void TImagePage::changeEvent(QEvent* event)
{
    TEditPage::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && IsStartScreen())
        setWindowTitle(kes::Msg(kMsgStartScreen));
}

TImagePage::~TImagePage()
{
    if (owner_)
        owner_->Forget(this);
}

bool TImagePage::ScreenKind(kes::ObjKind kind) { return kes::ScreenKind(kind); }

bool TImagePage::IsActiveChild() const
{
    QMdiSubWindow* sub = SubWindow();
    if (!sub || !sub->mdiArea())
        return owner_ && owner_->ImagePage() == this;
    return sub->mdiArea()->currentSubWindow() == sub;
}

// ---- Life

void TImagePage::FormActivate()
{
    TranslateForm(this, host_.Doc().LangIndex);
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (owner_)
        owner_->MakeCurrent(this);
    host_.View().EditMode = IsStartScreen() ? kes::Editing::StartScreen : kes::Editing::UserMenu;
    // A value still being typed into the inspector goes to its object first.
    if (host_.Inspector() && host_.View().ObjInspectorOn && IsStartScreen() && host_.Inspector()->ShownObj &&
        host_.Inspector()->EdtTxt->isVisible())
        host_.Inspector()->EdtTxtExit();
    // The page being edited is stored and frozen: only one editor holds live objects of
    // the project's pages at a time.
    if (THmPage* page = CurrentPage(host_); IsStartScreen() && page && page->Live())
        page->FormDeactivate(true);
    if (!IsStartScreen()) {
        DeselectAll();
        ChooseTool(0, 0);
        host_.SelectPointerTool();
    }
    ShowCommandState();
}

void TImagePage::ShowCommandState()
{
    if (LinkBusy())
        return;
    kes::CommandPanel& k = Cmds();
    const bool start = IsStartScreen();
    host_.ShowZoomState(Data().Zoom);
    // The page picture goes to the clipboard from a screen too.
    for (const char* n : {"MmSave", "MmPgDataSave", "TbSave", "MmClosePrj", "MmPgImageCopy", "MmImageToClipBrd"})
        k.SetItemEnabled(n, true);
    for (const char* n : kPageOnlyItems)
        k.SetItemEnabled(n, false);
    for (const char* n : kStartScreenItems)
        k.SetItemEnabled(n, start);
    ShowToolState();
    if (!start) {
        host_.SetObjEditTools(false);
        // Paged through in file order: both ways while there is a screen that way.
        const int count = static_cast<int>(host_.Doc().ImagePgDataList.size());
        k.SetItemEnabled("TbNextPg", menuIndex_ < count - 1);
        k.SetItemEnabled("TbPrePg", menuIndex_ > 0);
    }
    EditStateRefresh();
}

void TImagePage::ShowToolState()
{
    kes::CommandPanel& k = Cmds();
    const bool start = IsStartScreen();
    // The tools and Objects items of the kinds the start-up screen draws; a user-menu screen
    // draws nothing, so it keeps the pointer alone.
    std::vector<std::string> drawn{"tbPointTo"};
    if (start)
        for (kes::ObjKind kind : kes::AllObjKinds())
            if (ScreenKind(kind))
                for (const char* n : {kes::ObjToolOf(kind).ToolButton, kes::ObjToolOf(kind).MenuItem})
                    if (n)
                        drawn.emplace_back(n);
    const auto enableAll = [&](const char* holder, const auto& enabled) {
        if (const QWidget* w = k.ToolWidget(holder))
            for (QAction* a : w->actions())
                if (!a->isSeparator()) {
                    const std::string name = a->objectName().toStdString();
                    k.SetItemEnabled(name.c_str(), enabled(name));
                }
    };
    const auto isDrawn = [&](const std::string& name) {
        return std::find(drawn.begin(), drawn.end(), name) != drawn.end();
    };
    if (start) {
        // Closing the last page window switched the editing bars off; the screen draws with them.
        for (const char* bar : {"ObjToolBar", "GeomToolBar", "PosTooBar", "PostSetToolBar"})
            k.SetItemEnabled(bar, true);
    }
    enableAll("ObjToolBar", isDrawn);
    // The figures are the screen's third kind, drawn from their own tool bar.
    enableAll("GeomToolBar", [start](const std::string&) { return start; });
    k.SetItemEnabled("MmEle", start);
    enableAll("MmEle_menu", isDrawn);
}

bool TImagePage::FormClose()
{
    if (LinkBusy())
        return false;
    // A user-menu screen stays open for as long as the user menu is edited.
    if (!IsStartScreen()) {
        if (QMdiSubWindow* sub = SubWindow())
            sub->showMinimized();
        return false;
    }
    kes::ProjectDoc& doc = host_.Doc();
    if (host_.View().EditMode == kes::Editing::StartScreen && doc.Modified)
        PgDataSave();
    if (owner_)
        owner_->Forget(this);
    if (CurrentPage(host_))
        host_.View().EditMode = kes::Editing::Pages;
    return true;
}

void TImagePage::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TImagePage::PgSetZoom(int zoom)
{
    Data().Zoom = zoom;
    for (TLxObj* obj : Data().ObjList) {
        obj->SetObjSize(zoom);
        obj->RecordSelRgn();
    }
    host_.ShowZoomState(zoom);
    FormResize();
    canvas_->update();
}

void TImagePage::PgPopMmPopup()
{
    TranslateForm(this, host_.Doc().LangIndex);
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    // The popup ends drawing, and with it a polyline in progress.
    PolyPointsCancel();
    host_.PointerTool();
    EditStateRefresh();
}

// ---- Data

kes::RecEncodeEnv TImagePage::EncodeEnv() const
{
    // A screen keeps its texts' font names as they are.
    kes::RecEncodeEnv env = TEditPage::EncodeEnv();
    env.FontExists = [](const std::string&) { return true; };
    return env;
}

kes::Bytes TImagePage::EncodeObjs(const TObjList& objs, int mode, std::size_t* leftOut)
{
    TObjList screen;
    for (TLxObj* obj : objs)
        if (const auto kind = kes::KindOfCode(obj->ObjType); kind && ScreenKind(*kind))
            screen.push_back(obj);
    kes::Bytes out;
    Data().EncMode = mode;
    kes::RecEncodeEnv env = EncodeEnv();
    if (leftOut)
        env.OnTooLong = [leftOut](const TLxObj&) { ++*leftOut; };
    const int n = kes::PgRecordsChx(out, 0, mode, nullptr, screen, env);
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    return out;
}

void TImagePage::DecodeObjs(kes::ByteSpan records, bool pasted)
{
    if (!host_.Model())
        return;
    kes::PageEnv env = Env();
    kes::ScreenDataToObj(Data(), env, records, 0, records.size(), pasted, &TImagePage::ScreenKind);
    canvas_->update();
}

void TImagePage::DecodeTrial(kes::PageData& trial, kes::ByteSpan records)
{
    if (!host_.Model())
        return;
    kes::PageEnv env = Env();
    env.OnAttach = nullptr;
    kes::ScreenDataToObj(trial, env, records, 0, records.size(), true, &TImagePage::ScreenKind);
}

int TImagePage::PgDataSave()
{
    kes::ProjectDoc& doc = host_.Doc();
    PgDataStr* rec = nullptr;
    if (IsStartScreen())
        rec = doc.StartScreenData.get();
    else if (menuIndex_ < static_cast<int>(doc.ImagePgDataList.size()))
        rec = doc.ImagePgDataList[static_cast<std::size_t>(menuIndex_)].get();
    if (!rec)
        return 0;
    std::size_t leftOut = 0;
    kes::Bytes encoded = EncodeObjs(Data().ObjList, kes::kEncFile, &leftOut);
    std::optional<kes::Bytes> form = StoreChecked(std::move(encoded), leftOut);
    if (!form)
        return -1;
    rec->Data = std::move(*form);
    return rec->Length();
}

kes::PgReadResult TImagePage::PgDataToObj(kes::ByteSpan data, std::size_t start, std::size_t end)
{
    kes::PgReadResult read;
    if (start > end || end > data.size()) {
        read.Error = kes::DecodeError::BadRange;
        return read;
    }
    if (!host_.Model())
        return read;
    const kes::PageEnv env = Env();
    read = kes::ScreenDataToObj(Data(), env, data, start, end, false, &TImagePage::ScreenKind);
    canvas_->update();
    // A save keeps the unread bytes until the screen is changed.
    if (read.Ok())
        KeepPartialRecord({}, {});
    else
        KeepPartialRecord(data.subspan(start, end - start), EncodeObjs(Data().ObjList, 1));
    return read;
}

kes::Bytes TImagePage::BandPicture()
{
    DrawPageSnapshot();
    const kes::LxTypeCore* model = host_.Model();
    const int w = model ? model->PanelWidth : 0;
    const int h = model ? model->PanelHeight : 0;
    kes::Bytes out;
    out.reserve(static_cast<std::size_t>(w * ((h + 7) / 8)));
    for (int band = 0; band < h; band += 8) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t b = 0;
            for (int k = 0; k < 8 && band + k < h; ++k)
                if (SnapBmp().Canvas()->Pixel(x * Data().GridWidth, (band + k) * Data().GridHeight) == clBlack)
                    b |= static_cast<std::uint8_t>(1u << k);
            out.push_back(b);
        }
    }
    return out;
}

// ---- Editing

bool TImagePage::EditsObjects() const { return IsStartScreen() && host_.View().EditMode == kes::Editing::StartScreen; }

void TImagePage::EnterEditMode()
{
    host_.View().EditMode = IsStartScreen() ? kes::Editing::StartScreen : kes::Editing::UserMenu;
}

void TImagePage::MakeCurrent()
{
    if (owner_)
        owner_->MakeCurrent(this);
}

// The screens live in areas of their own, not in the pages' object data.
bool TImagePage::RoomFor(int, bool) { return true; }

void TImagePage::PopPasteClick()
{
    const kes::Bytes block = kes::ClipboardBlock(host_.ClipFmtObjects());
    if (const auto records = kes::ClipBlockRecords(block);
        records && EditsObjects() && !RefuseUnstorablePaste(*records)) {
        UndoPush();
        DecodeObjs(*records, true);
        MarkModified();
    }
    EditStateRefresh();
    canvas_->update();
}

void TImagePage::PopSelAllClick()
{
    Data().SelList.clear();
    for (TLxObj* obj : Data().ObjList) {
        Data().SelList.push_back(obj);
        obj->SetSelected(true);
    }
    canvas_->update();
}

// A figure has nothing to set; a user-menu screen nothing to change.
bool TImagePage::OpensSettings(const TLxObj& obj) const
{
    return EditsObjects() && !kes::IsKind(obj, kes::ObjKind::Geom);
}

void TImagePage::ObjToolbarRefresh(TLxObj* obj)
{
    if (!obj)
        return;
    host_.SetToolsForObj(obj);
    for (const char* n : {"TbState_Box", "TbState_Lab", "TbState_UD", "TbMemo_Lab", "TbMemo"})
        Cmds().SetItemEnabled(n, false);
    // Only a kind with lines has the text box here, and only while the start-up screen is edited.
    const kes::KindTools* tools = kes::KindToolsOf(*obj);
    if (!tools || tools->Texts != kes::TextTool::Lines || !EditsObjects())
        return;
    Cmds().SetItemEnabled("TbMemo_Lab", true);
    Cmds().SetItemEnabled("TbMemo", true);
    auto* line = qobject_cast<QSpinBox*>(Cmds().ToolWidget("TbMemo_UD"));
    if (QPlainTextEdit* memo = Memo(); memo && tools->Edits.FillTextBox)
        tools->Edits.FillTextBox(*obj, {*memo, line, -1});
    else if (line)
        line->setValue(0);
}

void TImagePage::EditStateRefresh()
{
    if (LinkBusy())
        return;
    ShowSelectionStatus();
    kes::CommandPanel& k = Cmds();
    using kes::PopRule;
    k.SetItemVisible("MmCopyAll", false);
    k.SetItemVisible("MmPasteAll", false);
    const auto orderItems = [&](bool enable) {
        SetPopRule(PopRule::OneSelected, enable);
        for (const char* n : {"MmMultiCopy", "MmMoveUp", "MmMovDn", "MmMovTop", "MmMovbutton"})
            k.SetItemEnabled(n, enable);
    };
    const bool edits = EditsObjects();
    orderItems(false);
    if (edits) {
        for (const char* n :
             {"MmModemSet", "MmFunKeySet", "MmPLCSet", "MmHMIProto", "MmPLCRangeSet", "MmUserLevel", "MmAutoSave"})
            k.SetItemEnabled(n, false);
    }
    SetPopRule(PopRule::Objects, edits && !Data().ObjList.empty());
    const bool any = edits && !Data().SelList.empty();
    const bool several = edits && Data().SelList.size() >= 2;
    if (edits && Data().SelList.size() == 1) {
        Data().CurObj = Data().SelList.front();
        orderItems(true);
        ObjToolbarRefresh(Data().CurObj);
    } else if (Data().SelList.size() != 1) {
        Data().CurObj = nullptr;
    }
    for (const char* n : kEditItems)
        k.SetItemEnabled(n, any);
    for (const char* n : kStepItems)
        k.SetItemEnabled(n, any);
    for (const char* n : kSideItems)
        k.SetItemEnabled(n, several);
    SetPopRule(PopRule::Selection, any);
    if (any)
        k.SetItemEnabled("PostSetToolBar", true);
    if (!any || several) {
        k.SetItemChecked("TbText", false);
        k.SetItemChecked("TbBmp", false);
        host_.SetObjEditTools(false);
    }
    if (!any) {
        for (const char* n : {"TbState_Lab", "TbState_UD", "TbState_Box", "TbFont_Lab", "TbFont_Box"})
            k.SetItemEnabled(n, false);
        if (QPlainTextEdit* memo = Memo())
            memo->clear();
    }
    if (host_.Inspector() && host_.View().ObjInspectorOn && edits && host_.Inspector()->Source())
        RefreshInspector();
    const bool paste = edits && kes::ClipboardHas(host_.ClipFmtObjects());
    for (const char* n : {"TbPaste", "MmPaste"})
        k.SetItemEnabled(n, paste);
    SetPopRule(PopRule::Paste, paste);
    for (const char* n : {"MmUndo", "TbUndo"})
        k.SetItemEnabled(n, edits && !UndoList().empty());
    SetPopRule(PopRule::Undo, edits && !UndoList().empty());
    for (const char* n : {"MmRedo", "TbRedo"})
        k.SetItemEnabled(n, edits && !RedoList().empty());
    SetPopRule(PopRule::Redo, edits && !RedoList().empty());
}
