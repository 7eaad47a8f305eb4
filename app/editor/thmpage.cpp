// The page window's life: creation, activation (the stored page decoded into live objects),
// forced deactivation (stored back, frozen to its picture, objects freed), closing, sizing
// by zoom, painting of the objects, the grid and the outlines, and the page popup menu.
#include "app/editor/thmpage.h"

#include "app/dialogs/formrunner.h"
#include "app/dialogs/objdialogs.h"
#include "app/editor/kindtools.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/model/lxtypecore.h"
#include "app/project/memimage.h"
#include "app/project/pgread.h"
#include "app/project/prjcheck.h"
#include "app/ui/commandpanel.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMsgLinkedRecordsFull = 299; // more than 68 device-linked records

// The main window's tool bars that edit objects on a page.
const char* const kEditToolBars[] = {"ObjToolBar", "GeomToolBar", "PosTooBar", "PostSetToolBar"};

// What the edit-state refresh enabled for the last page's selection and history: with no page
// window left nothing refreshes them, and the main window is not activated again to do it.
const char* const kSelectionItems[] = {
    "TbUndo",      "TbRedo",     "TbDel",       "TbCut",       "TbCopy",     "TbPaste",    "TbPrePg",    "TbNextPg",
    "TbStepUp",    "TbStepDown", "TbStepLeft",  "TbStepRight", "TbSideUp",   "TbSideDown", "TbSideLeft", "TbSideRight",
    "TbFont_Box",  "TbFont_Lab", "TbState_Box", "TbState_Lab", "TbState_UD", "MmCut",      "MmCopy",     "MmPaste",
    "MmMultiCopy", "MmMoveUp",   "MmMovDn",     "MmMovTop",    "MmMovbutton"};

} // namespace

THmPage::THmPage(kes::PageEditor& editor) : TEditPage(editor.Host(), kes::kPopPageWindow), editor_(editor)
{
    setObjectName(QStringLiteral("HmPage"));
    Data().PgTitle.clear();
    FormCreate();

    // The page follows the MDI area's active child, not the keyboard focus: a page stays live
    // while the focus is on a tool window or a dialog.
    if (QMdiArea* area = editor_.Area()) {
        QObject::connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
            if (!w)
                return;
            if (w->widget() == this) {
                if (editor_.Current() != this || !live_)
                    FormActivate();
            } else if (editor_.Current() == this && live_ && dynamic_cast<THmPage*>(w->widget()) == nullptr) {
                // Another kind of editor window (the start-up screen) takes over.
                const QWidget* startScreen = host_.StartScreenWindow();
                startScreen && w->widget() == startScreen ? FormDeactivate(true) : FormDeactivate(false);
            }
        });
    }
}

THmPage::~THmPage()
{
    editor_.Forget(this);
    if (editor_.Current() == this)
        editor_.SetCurrent(nullptr);
}

bool THmPage::IsActiveChild() const
{
    // Without an MDI area the current page is the active one.
    if (!editor_.Area())
        return editor_.Current() == this;
    QMdiSubWindow* current = editor_.Area()->currentSubWindow();
    return current && current->widget() == this;
}

void THmPage::FormCreate()
{
    Data().Zoom = host_.Doc().DefaultZoom;
    FormResize();
    Data().ObjList.clear();
    OverlapList.clear();
    Data().PgJmpList.clear();
    Data().SelList.clear();
    Data().CurObj = nullptr;
    ClearHistory();
    Data().PgFunKeyDefaults(host_.Doc());
    host_.Doc().InitDevRef(Data().PgNumWrite.Ref);
    Data().PgAlarmDefaults(host_.Doc());
    Data().ObjFunKeyUsed.fill(0);
    ChooseTool(0, 0);
    live_ = true;
    host_.SelectPointerTool();
}

void THmPage::LoadFromRecord()
{
    if (Data().PgIndex < 0 || Data().PgIndex >= static_cast<int>(host_.Doc().PgDataList.size()) || !host_.Model())
        return;
    const PgDataStr& rec = *host_.Doc().PgDataList[static_cast<std::size_t>(Data().PgIndex)];
    kes::PageEnv env = Env();
    const kes::PgReadResult read = kes::PgDataToObj(Data(), env, rec.Data, 0, rec.Data.size());
    AfterDecode(0);
    // A save keeps the unread bytes until the page is changed.
    if (read.Ok()) {
        KeepPartialRecord({}, {});
    } else {
        KeepPartialRecord(rec.Data, EncodeObjs(Data().ObjList, kes::kEncFile));
    }
    Data().PgTitle = rec.Title;
    SetCaptionFromIndex();
    canvas_->update();
}

void THmPage::SetCaptionFromIndex()
{
    setWindowTitle(QString::number(Data().PgIndex) + QStringLiteral(":") + kes::AnsiToQString(Data().PgTitle));
}

int THmPage::PgDataSave()
{
    // A frozen page holds no objects: its record is what it stored when it was frozen.
    if (!live_ || Data().PgIndex < 0 || Data().PgIndex >= static_cast<int>(host_.Doc().PgDataList.size()))
        return 0;
    // Encoded in memory: the same bytes a round trip through a file gives, without a
    // temporary file that could fail and leave the record behind.
    std::size_t leftOut = 0;
    kes::Bytes out = EncodeObjs(Data().ObjList, kes::kEncFile, &leftOut);
    std::optional<kes::Bytes> form = StoreChecked(std::move(out), leftOut);
    if (!form)
        return -1;
    kes::Bytes& stored = host_.Doc().PgDataList[static_cast<std::size_t>(Data().PgIndex)]->Data;
    stored = std::move(*form);
    return static_cast<int>(stored.size());
}

void THmPage::PgFreeAll()
{
    ClearHistory();
    Data().ClearPgJumps();
    ClearPageObjs();
    live_ = false;
}

void THmPage::FormActivate()
{
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (host_.View().EditMode != kes::Editing::Pages) {
        kes::ResetMemoryImage(host_.Doc());
        kes::BuildPageImage(host_.Doc());
        host_.View().EditMode = kes::Editing::Pages;
    }
    if (THmPage* old = editor_.Current(); old && old != this) {
        old->FormDeactivate(true);
        old->canvas_->update();
    }
    if (!live_) {
        const int zoom = Data().Zoom;
        FormCreate();
        Data().Zoom = zoom;
        FormResize();
        LoadFromRecord();
    }
    editor_.SetCurrent(this);
    canvas_->update();

    host_.ShowZoomState(Data().Zoom);
    // The page picture and the upload come back too, after a screen had them off.
    for (const char* n : {"MmSave",      "MmPgDataSave",  "TbSave",        "MmPrint",     "TbPrint",   "MmSaveAs",
                          "MmClosePrj",  "MmPgRatio",     "MmPt",          "MmEdit",      "MmCompile", "MmTranslate",
                          "TbTranslate", "MmHMIProto",    "MmWin",         "MmBuzzerSet", "MmLedSet",  "MmView",
                          "TbViewPg",    "MmPgImageCopy", "MmImageToFile", "MmComRead",   "TbComRead"})
        Cmds().SetItemEnabled(n, true);
    if (host_.View().EditMode == kes::Editing::Pages) {
        for (const char* n : {"TbAddPg", "MmEle", "MmPageSet"})
            Cmds().SetItemEnabled(n, true);
        // Closing the last page window disabled the editing bars; a page at work needs them.
        for (const char* bar : kEditToolBars)
            Cmds().SetItemEnabled(bar, true);
        host_.EnableObjToolBar(true);
        if (const QWidget* geom = Cmds().ToolWidget("GeomToolBar"))
            for (QAction* a : geom->actions())
                if (!a->isSeparator())
                    Cmds().SetItemEnabled(a->objectName().toLatin1().constData(), true);
    }
    SetPopChecked("ChkHideSet", Data().PgHide.Hide != 0);
    Cmds().SetItemChecked("MmHide", Data().PgHide.Hide != 0);
    if (const QWidget* ele = Cmds().ToolWidget("MmEle_menu"))
        for (QAction* a : ele->actions())
            if (!a->isSeparator())
                Cmds().SetItemEnabled(a->objectName().toLatin1().constData(), true);
    const int at = editor_.IndexOfPageForm(this);
    Cmds().SetItemEnabled("TbNextPg", at < static_cast<int>(editor_.Pages().size()) - 1);
    Cmds().SetItemEnabled("TbPrePg", at > 0);

    host_.PointerTool();
    EditStateRefresh();
}

void THmPage::FormDeactivate(bool forced)
{
    if (!PgPopMm())
        return;
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (host_.Inspector() && host_.View().ObjInspectorOn && host_.View().EditMode == kes::Editing::Pages &&
        Data().CurObj && host_.Inspector()->EdtTxt->isVisible())
        host_.Inspector()->EdtTxtExit();
    if (!live_ || !(host_.View().EditMode == kes::Editing::StartScreen || forced))
        return;
    if (host_.Doc().Modified)
        PgDataSave();
    DrawPageSnapshot();
    PgFreeAll();
    // The picture is kept at the page's zoom, so a frozen page looks as it did.
    StretchSnapshot(ClientWidth(), ClientHeight());
    canvas_->update();
}

bool THmPage::FormClose()
{
    if (LinkBusy())
        return false;
    if (IsActiveChild() && host_.Doc().Modified && editor_.Current() == this && live_)
        PgDataSave();
    editor_.Forget(this);
    if (!editor_.Pages().empty()) {
        THmPage* current = editor_.Current();
        (current && current != this ? current : this)->EditStateRefresh();
    } else {
        for (const char* n : {"MmPgJump", "MmFunKeyEt", "MmHide", "MmBuzzerSet", "MmLedSet", "MmPgImageCopy", "MmUndo",
                              "MmRedo", "MmDel"})
            Cmds().SetItemEnabled(n, false);
        Cmds().SetItemEnabled("MmCopyAll", false);
        for (const char* bar : kEditToolBars)
            Cmds().SetItemEnabled(bar, false);
        for (const char* n : kSelectionItems)
            Cmds().SetItemEnabled(n, false);
        if (host_.Doc().PgDataList.empty()) {
            host_.SaveLayout();
            for (const char* n : {"StandTbarSet", "ObjTBarSet", "GeomTBarSet", "PosTBarSet", "PostTBarSet"})
                Cmds().SetItemEnabled(n, false);
            for (const char* n : {"ObjTBarSet", "GeomTBarSet", "PosTBarSet"})
                Cmds().SetItemChecked(n, false);
            for (const char* bar : kEditToolBars)
                Cmds().SetItemVisible(bar, false);
            for (const char* n : {"MmPgRatio", "MmPt", "MmCompile"})
                Cmds().SetItemEnabled(n, false);
        }
        for (const char* n : {"MmPageSize", "TbZoomIn", "TbZoomOut", "TbTranslate", "MmWin", "MmEle", "MmPageSet"})
            Cmds().SetItemEnabled(n, false);
    }
    // Nothing may reach a closing page as the current one.
    if (editor_.Current() == this)
        editor_.SetCurrent(nullptr);
    return true;
}

void THmPage::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void THmPage::PgSetMenuChecks()
{
    const SettingsUse use = SettingsInUse();
    const std::pair<const char*, const char*> pairs[] = {
        {"PopFunKeySet", "MmFunKeyEt"}, {"PopPgJump", "MmPgJump"}, {"PopBuzzerSet", "MmBuzzerSet"},
        {"PopLedSet", "MmLedSet"},      {"ChkHideSet", "MmHide"},  {"PopPgPageWriteSet", "MmPgPageWriteSet"}};
    const bool checked[] = {use.FunKeys, use.PgJumps, use.Buzzer, use.AlarmLamp, use.Hide, use.NumWrite};
    for (std::size_t i = 0; i < std::size(pairs); ++i) {
        SetPopChecked(pairs[i].first, checked[i]);
        Cmds().SetItemChecked(pairs[i].second, checked[i]);
    }
}

void THmPage::PgPopMmPopup()
{
    TranslateForm(this, host_.Doc().LangIndex);
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    Pop("ChkHideSet")->setVisible(!host_.Doc().EnableUpDown);
    PgSetMenuChecks();
    host_.PointerTool();
    EditStateRefresh();
}

void THmPage::PopPgJumpClick()
{
    if (kes::CountLinkedRecords(host_.Doc(), &Data()) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(host_.Ask(), kMsgLinkedRecordsFull);
        return;
    }
    host_.Doc().EditScope = 0;
    host_.Forms().Run(host_.Ask(), "TPgJump", host_.Window());
}

// ---- What the page does differently from the start-up screen editor

bool THmPage::EditsObjects() const { return host_.View().EditMode == kes::Editing::Pages; }

void THmPage::EnterEditMode() { host_.View().EditMode = kes::Editing::Pages; }

void THmPage::MakeCurrent() { editor_.SetCurrent(this); }

bool THmPage::RoomFor(int bytes, bool rebuildFirst)
{
    if (rebuildFirst) {
        kes::ResetMemoryImage(host_.Doc());
        if (!kes::BuildPageImage(host_.Doc()))
            return false;
    }
    return !kes::ImageWouldOverflow(host_.Doc(), bytes);
}

kes::Bytes THmPage::EncodeObjs(const TObjList& objs, int mode, std::size_t* leftOut)
{
    // The whole object list brings the page's setting records along; other lists do not.
    kes::Bytes out;
    Data().EncMode = mode;
    kes::RecEncodeEnv env = EncodeEnv();
    if (leftOut)
        env.OnTooLong = [leftOut](const TLxObj&) { ++*leftOut; };
    const int n = &objs == &Data().ObjList ? kes::PgDataChx(Data(), out, 0, mode, &objs, env)
                                           : kes::PgRecordsChx(out, 0, mode, nullptr, objs, env);
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    return out;
}

void THmPage::DecodeObjs(kes::ByteSpan records, bool pasted)
{
    kes::PageEnv env = Env();
    const std::size_t first = pasted ? Data().ObjList.size() : 0;
    if (pasted) {
        env.MultiCopy = MultiCopying();
        kes::PastePgData(Data(), env, records, 0, records.size());
    } else {
        kes::PgDataToObj(Data(), env, records, 0, records.size());
    }
    AfterDecode(first);
}

void THmPage::DecodeTrial(kes::PageData& trial, kes::ByteSpan records)
{
    kes::PageEnv env = Env();
    env.OnAttach = nullptr;
    kes::PastePgData(trial, env, records, 0, records.size());
}
