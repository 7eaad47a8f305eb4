// The page window's life: creation, activation (the stored page decoded into live objects),
// forced deactivation (stored back, frozen to its picture, objects freed), closing, sizing
// by zoom, painting of the objects, the grid and the outlines, and the page popup menu.
#include "app/editor/thmpage.h"

#include "app/dialogs/formregistry.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pageeditor.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/project/memimage.h"
#include "app/project/pgread.h"
#include "app/project/prjcheck.h"
#include "app/model/lxtypecore.h"
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

THmPage* HmPage = nullptr;

namespace {

constexpr int kMsgLinkedRecordsFull = 299; // more than 68 device-linked records

// The main window's tool bars that edit objects on a page.
const char* const kEditToolBars[] = {"ObjToolBar", "GeomToolBar", "PosTooBar", "PostSetToolBar"};

struct PopItemDef {
    const char* name; // null: a separator
    const char* caption;
    const char* shortcut;
    int tag;
};

// The page popup menu, in order; the captions come from the language files.
const PopItemDef kPopItems[] = {
    {"PopUndo", "&Undo", "Ctrl+Z", 0},
    {"PopRedo", "&Redo", "Ctrl+Alt+Z", 0},
    {nullptr, nullptr, nullptr, 0},
    {"PopSelAll", "Select &All", nullptr, 0},
    {"MmCopyAll", "Copy &Whole Page", nullptr, 0},
    {"MmPasteAll", "Paste W&hole Page", nullptr, 0},
    {nullptr, nullptr, nullptr, 0},
    {"PopDel", "&Delete", "Del", 0},
    {"PopCut", "Cu&t", "Ctrl+X", 0},
    {"PopCopy", "&Copy", "Ctrl+C", 0},
    {"PopPaste", "&Paste", "Ctrl+V", 0},
    {"MmMultiCopy", "&Multiple Copy...", nullptr, 0},
    {"MmMoveUp", "Bring For&ward", nullptr, 0},
    {"MmMoveDn", "Send Back&ward", nullptr, 0},
    {"MmMovTop", "Bring to &Front", nullptr, 0},
    {"MmMovbutton", "Send to &Back", nullptr, 0},
    {nullptr, nullptr, nullptr, 0},
    {"PopPgJump", "Page &Change Conditions...", nullptr, 0},
    {"PopFunKeySet", "&Function Keys...", nullptr, 0},
    {"PopBuzzerSet", "&Buzzer...", nullptr, 0},
    {"PopLedSet", "&Alarm Lamp...", nullptr, 1},
    {"ChkHideSet", "&Hide Page", nullptr, 0},
    {"PopPgPageWriteSet", "Page Number &Write...", nullptr, 0},
};

} // namespace

THmPage::THmPage(kes::PageEditor& editor)
    : editor_(editor)
    , host_(editor.Host())
{
    setObjectName(QStringLiteral("HmPage"));
    kes::MarkForm(this);
    setAttribute(Qt::WA_DeleteOnClose);
    canvas_ = new kes::PageCanvas(*this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    BuildPopupMenu();

    PgTitle.clear();
    ToolKind = 0;
    MouseSuppressed = 0;
    EncMode = 0;
    GridWidth = std::max(host_.Doc().GridWidth, 1);
    GridHeight = std::max(host_.Doc().GridHeight, 1);
    const kes::LxTypeCore* model = host_.Model();
    const int pw = model ? model->PanelWidth : 128;
    const int ph = model ? model->PanelHeight : 64;
    canvas_->setFixedSize(4 * GridWidth * pw, 4 * GridHeight * ph);
    SnapBmp.SetSize(GridWidth * pw, GridHeight * ph);
    FormCreate();

    // The page follows the MDI area's active child, not the keyboard focus: a page stays live
    // while the focus is on a tool window or a dialog.
    if (QMdiArea* area = editor_.Area()) {
        QObject::connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
            if (!w)
                return;
            if (w->widget() == this) {
                if (HmPage != this || !live_)
                    FormActivate();
            } else if (HmPage == this && live_ && dynamic_cast<THmPage*>(w->widget()) == nullptr) {
                // Another kind of editor window (the start-up screen) takes over.
                const QWidget* startScreen = host_.StartScreenWindow();
                startScreen && w->widget() == startScreen ? FormDeactivate(true) : FormDeactivate(false);
            }
        });
    }
}

THmPage::~THmPage()
{
    if (DlgProp && DlgProp->ShownObj && std::find(ObjList.begin(), ObjList.end(), DlgProp->ShownObj) != ObjList.end())
        DlgProp->ShownObj = nullptr;
    canvas_->ForgetObjects();
    editor_.Forget(this);
    if (HmPage == this)
        HmPage = nullptr;
    // Deleted on its own (closing the project): its MDI child window goes with it.
    if (QMdiSubWindow* sub = SubWindow())
        sub->deleteLater();
}

QAction* THmPage::Pop(const char* name) const { return PgPopMm->findChild<QAction*>(QString::fromLatin1(name)); }

QAction* THmPage::PopShortcut(const QKeyEvent& key) const
{
    if (LinkBusy())
        return nullptr;
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (QAction* a : PgPopMm->actions())
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed)
            return a;
    return nullptr;
}

QWidget* THmPage::Canvas() const { return canvas_; }

QMdiSubWindow* THmPage::SubWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

int THmPage::ClientWidth() const
{
    const kes::LxTypeCore* model = host_.Model();
    return (model ? model->PanelWidth : 128) * Zoom * GridWidth;
}

int THmPage::ClientHeight() const
{
    const kes::LxTypeCore* model = host_.Model();
    return (model ? model->PanelHeight : 64) * Zoom * GridHeight;
}

bool THmPage::LinkBusy() const { return host_.LinkBusy(); }

kes::CommandPanel& THmPage::Cmds() const { return host_.Commands(); }

bool THmPage::IsActiveChild() const
{
    // Without an MDI area the current page is the active one.
    if (!editor_.Area())
        return HmPage == this;
    QMdiSubWindow* current = editor_.Area()->currentSubWindow();
    return current && current->widget() == this;
}

void THmPage::FormCreate()
{
    Zoom = host_.Doc().DefaultZoom;
    FormResize();
    ObjList.clear();
    OverlapList.clear();
    PgJmpList.clear();
    SelList.clear();
    CurObj = nullptr;
    UndoList.clear();
    RedoList.clear();
    PgFunKeyDefaults(host_.Doc());
    host_.Doc().InitDevRef(PgNumWrite.Ref);
    PgAlarmDefaults(host_.Doc());
    ObjFunKeyUsed.fill(0);
    ToolSubType = 0;
    ToolKind = 0;
    live_ = true;
    host_.SelectPointerTool();
}

void THmPage::FormResize()
{
    if (Zoom != 1 && Zoom != 2 && Zoom != 4 && Zoom != 8 && Zoom != 16)
        return;
    canvas_->setFixedSize(ClientWidth(), ClientHeight());
    if (QMdiSubWindow* sub = SubWindow()) {
        // The window fits the page, as far as the MDI area leaves room.
        const QSize frame = sub->size() - sub->contentsRect().size();
        QSize want = canvas_->size() + frame + QSize(2, 2);
        want = want.boundedTo(editor_.Area()->viewport()->size());
        // Before the main window is first shown (a project named on the command line) the
        // area has no size of its own yet: fit again once it has.
        fitOnShow_ = !editor_.Area()->isVisible();
        sub->resize(want.expandedTo(QSize(120, 80)));
    }
    canvas_->update();
}

kes::PageEnv THmPage::Env()
{
    kes::PageEnv env(host_.Doc(), *host_.Model());
    env.MainFont.Name = kes::QStringToAnsi(host_.MainFont().family());
    env.MainFont.Size = host_.MainFont().pointSize() > 0 ? host_.MainFont().pointSize() : 9;
    env.OnAttach = [this](TLxObj& obj, bool) { AttachHandlers(obj); };
    return env;
}

kes::RecEncodeEnv THmPage::EncodeEnv() const
{
    kes::RecEncodeEnv env;
    env.MainFont.Name = kes::QStringToAnsi(host_.MainFont().family());
    env.MainFont.Size = host_.MainFont().pointSize() > 0 ? host_.MainFont().pointSize() : 9;
    return env;
}

void THmPage::AttachHandlers(TLxObj& obj)
{
    obj.SetHost(this);
    obj.OnMouseDown = [this](TLxObj* o, TMouseButton b, TShiftState s, int x, int y) { ObjMouseDown(o, b, s, x, y); };
    obj.OnMouseMove = [this](TLxObj* o, TShiftState s, int x, int y) { ObjMouseMove(o, s, x, y); };
    obj.OnMouseUp = [this](TLxObj* o, TMouseButton b, TShiftState s, int x, int y) { ObjMouseUp(o, b, s, x, y); };
    obj.OnKeyDown = [this](TLxObj* o, std::uint16_t& key, TShiftState s) { ObjKeyDown(o, key, s); };
    obj.OnDblClick = [this](TLxObj* o) { ObjDblClick(o); };
}

void THmPage::LoadFromRecord()
{
    if (PgIndex < 0 || PgIndex >= static_cast<int>(host_.Doc().PgDataList.size()) || !host_.Model())
        return;
    const PgDataStr& rec = *host_.Doc().PgDataList[static_cast<std::size_t>(PgIndex)];
    kes::PageEnv env = Env();
    kes::PgDataToObj(*this, env, rec.Data, 0, rec.Data.size());
    AfterDecode(0);
    PgTitle = rec.Title;
    SetCaptionFromIndex();
    canvas_->update();
}

void THmPage::SetCaptionFromIndex()
{
    setWindowTitle(QString::number(PgIndex) + QStringLiteral(":") + kes::AnsiToQString(PgTitle));
}

int THmPage::PgDataSave()
{
    // A frozen page holds no objects: its record is what it stored when it was frozen.
    if (!live_ || PgIndex < 0 || PgIndex >= static_cast<int>(host_.Doc().PgDataList.size()))
        return 0;
    // Encoded in memory: the same bytes the file round trip of the original gave, without a
    // temporary file that could fail and leave the record behind.
    kes::Bytes out;
    const int n = kes::PgDataChx(*this, out, 0, 1, &ObjList, EncodeEnv());
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    host_.Doc().PgDataList[static_cast<std::size_t>(PgIndex)]->Data = std::move(out);
    return n;
}

void THmPage::DrawPageSnapshot()
{
    const kes::LxTypeCore* model = host_.Model();
    const int pw = model ? model->PanelWidth : 128;
    const int ph = model ? model->PanelHeight : 64;
    SnapBmp.SetSize(pw * GridWidth, ph * GridHeight);
    TCanvas& c = *SnapBmp.Canvas();
    c.Brush = TBrush{clWhite, bsSolid};
    c.FillRect(Rect(0, 0, SnapBmp.Width(), SnapBmp.Height()));
    for (TLxObj* obj : ObjList) {
        const int z = std::max(obj->ObjSize, 1);
        // A transparent kind is ANDed so its white lets what lies below show.
        c.CopyMode = obj->Transparent ? SRCAND : SRCCOPY;
        c.Draw(obj->Left / z, obj->Top / z, obj->Picture);
    }
    c.CopyMode = SRCCOPY;
}

void THmPage::PgFreeAll()
{
    UndoList.clear();
    RedoList.clear();
    ClearPgJumps();
    ClearPageObjs();
    live_ = false;
}

void THmPage::ClearPageObjs()
{
    if (DlgProp && DlgProp->ShownObj && std::find(ObjList.begin(), ObjList.end(), DlgProp->ShownObj) != ObjList.end())
        DlgProp->ShownObj = nullptr;
    canvas_->ForgetObjects();
    outlined_.clear();
    OverlapList.clear();
    FreeObjects();
    // The key bindings are the objects': decoding marks them again.
    ObjFunKeyUsed.fill(0);
    canvas_->update();
}

void THmPage::FormActivate()
{
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (host_.Doc().EditMode != 3) {
        kes::ResetMemoryImage(host_.Doc());
        kes::BuildPageImage(host_.Doc());
        host_.Doc().EditMode = 3;
    }
    if (HmPage && HmPage != this) {
        THmPage* old = HmPage;
        old->FormDeactivate(true);
        old->canvas_->update();
    }
    if (!live_) {
        const int zoom = Zoom;
        FormCreate();
        Zoom = zoom;
        FormResize();
        LoadFromRecord();
    }
    HmPage = this;
    canvas_->update();

    host_.ShowZoomState(Zoom);
    for (const char* n : {"MmSave", "MmPgDataSave", "TbSave", "MmPrint", "TbPrint", "MmSaveAs", "MmClosePrj",
                          "MmPgRatio", "MmPt", "MmEdit", "MmCompile", "MmTranslate", "TbTranslate", "MmHMIProto",
                          "MmWin", "MmBuzzerSet", "MmLedSet", "MmView", "TbViewPg"})
        Cmds().SetItemEnabled(n, true);
    if (host_.Doc().EditMode == 3) {
        for (const char* n : {"TbAddPg", "MmEle", "MmPageSet"})
            Cmds().SetItemEnabled(n, true);
        host_.EnableObjToolBar(true);
        if (const QWidget* geom = Cmds().ToolWidget("GeomToolBar"))
            for (QAction* a : geom->actions())
                if (!a->isSeparator())
                    Cmds().SetItemEnabled(a->objectName().toLatin1().constData(), true);
    }
    SetPopChecked("ChkHideSet", PgHide.Hide != 0);
    Cmds().SetItemChecked("MmHide", PgHide.Hide != 0);
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
    if (!PgPopMm)
        return;
    if (LinkBusy()) {
        canvas_->setContextMenuPolicy(Qt::NoContextMenu);
        return;
    }
    canvas_->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (DlgProp && host_.Doc().ObjInspectorOn && host_.Doc().EditMode == 3 && CurObj
        && DlgProp->EdtTxt->isVisible())
        DlgProp->EdtTxtExit();
    if (!live_ || !(host_.Doc().EditMode == 1 || forced))
        return;
    if (host_.Doc().Modified)
        PgDataSave();
    DrawPageSnapshot();
    PgFreeAll();
    // The picture is kept at the page's zoom, so a frozen page looks as it did.
    const int w = SnapBmp.Width();
    const int h = SnapBmp.Height();
    TBitmap zoomed(ClientWidth(), ClientHeight());
    StretchBlt(*zoomed.Canvas(), 0, 0, zoomed.Width(), zoomed.Height(), *SnapBmp.Canvas(), 0, 0, w, h, SRCCOPY);
    SnapBmp = zoomed;
    canvas_->update();
}

bool THmPage::FormClose()
{
    if (LinkBusy())
        return false;
    if (IsActiveChild() && host_.Doc().Modified && HmPage == this && live_)
        PgDataSave();
    editor_.Forget(this);
    if (!editor_.Pages().empty()) {
        (HmPage && HmPage != this ? HmPage : this)->EditStateRefresh();
    } else {
        for (const char* n : {"MmPgJump", "MmFunKeyEt", "MmHide", "MmBuzzerSet", "MmLedSet", "MmPgImageCopy", "MmUndo",
                              "MmRedo", "MmDel"})
            Cmds().SetItemEnabled(n, false);
        Cmds().SetItemEnabled("MmCopyAll", false);
        for (const char* bar : kEditToolBars)
            Cmds().SetItemEnabled(bar, false);
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
    if (HmPage == this)
        HmPage = nullptr;
    return true;
}

void THmPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // After the area has placed the window and laid itself out.
    if (fitOnShow_)
        QTimer::singleShot(0, this, [this] { FormResize(); });
}

void THmPage::closeEvent(QCloseEvent* event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void THmPage::PgGridPaint(QImage& img) const
{
    // One dot at the top-left corner of every panel pixel, black while the grid is on.
    if (Zoom <= 1)
        return;
    const QRgb dot = host_.Doc().GridDotsOn ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    for (int y = 0; y * GridHeight < img.height(); y += Zoom)
        for (int x = 0; x * GridWidth < img.width(); x += Zoom)
            img.setPixel(x * GridWidth, y * GridHeight, dot);
}

QImage THmPage::Rendered() const
{
    QImage img(ClientWidth(), ClientHeight(), QImage::Format_RGB32);
    img.fill(Qt::white);
    if (!live_) {
        TCanvas c(&img, TPoint{0, 0}, TRect{0, 0, img.width(), img.height()});
        c.Draw(0, 0, SnapBmp);
        return img;
    }
    PgGridPaint(img);
    for (TLxObj* obj : ObjList) {
        TCanvas view(&img, TPoint{obj->Left, obj->Top}, TRect{0, 0, obj->Width, obj->Height});
        obj->Paint(view);
    }
    TCanvas c(&img, TPoint{0, 0}, TRect{0, 0, img.width(), img.height()});
    for (TLxObj* obj : ObjList)
        if (outlined_.count(obj))
            kes::DrawObjOutline(c, *obj);
    if (bandShown_)
        kes::DrawRubberBand(c, BandCorners);
    if (PolyPtCount > 0) {
        // The clicked segments and the rubber line to the pointer.
        c.Pen.Mode = pmNotXor;
        for (int i = 1; i < PolyPtCount; ++i) {
            c.MoveTo(PolyPts[i - 1].x, PolyPts[i - 1].y);
            c.LineTo(PolyPts[i].x, PolyPts[i].y);
        }
        c.MoveTo(PolyPts[PolyPtCount - 1].x, PolyPts[PolyPtCount - 1].y);
        c.LineTo(PolyLastPt.x, PolyLastPt.y);
        c.Pen.Mode = pmCopy;
    }
    return img;
}

void THmPage::InvalidateObj(TLxObj&) { canvas_->update(); }

void THmPage::RepaintObj(TLxObj&) { canvas_->update(); }

// ---- Page popup menu

void THmPage::BuildPopupMenu()
{
    PgPopMm = new QMenu(this);
    PgPopMm->setObjectName(QStringLiteral("PgPopMm"));
    for (const PopItemDef& d : kPopItems) {
        if (!d.name) {
            PgPopMm->addSeparator();
            continue;
        }
        QAction* a = PgPopMm->addAction(QString::fromUtf8(d.caption));
        a->setObjectName(QString::fromLatin1(d.name));
        a->setProperty("Tag", d.tag);
        if (d.shortcut) {
            // Shown in the menu; the page runs them when it has the keys (PopShortcut).
            a->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
            a->setShortcutContext(Qt::WidgetShortcut);
        }
        a->setEnabled(false);
    }
    Pop("ChkHideSet")->setCheckable(true);
    for (const char* n : {"PopFunKeySet", "PopPgJump", "PopBuzzerSet", "PopLedSet", "PopPgPageWriteSet"})
        Pop(n)->setCheckable(true);
    WirePop("PopUndo", &THmPage::PopUndoClick);
    WirePop("PopRedo", &THmPage::PopRedoClick);
    WirePop("PopSelAll", &THmPage::PopSelAllClick);
    WirePop("PopPgJump", &THmPage::PopPgJumpClick);
    kes::SetCommandForm(Pop("PopPgJump"), "TPgJump");
    WirePopCommands();
}

void THmPage::WirePop(const char* name, void (THmPage::*handler)())
{
    QAction* a = Pop(name);
    if (!a)
        qFatal("WirePop: the page popup has no item named %s", name);
    // Marked as the main window marks its built commands: only these are ever enabled.
    a->setProperty("kesWired", true);
    QObject::connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
}

void THmPage::SetPopEnabled(const char* name, bool enable)
{
    QAction* a = Pop(name);
    if (!a)
        qFatal("SetPopEnabled: the page popup has no item named %s", name);
    a->setEnabled(enable && a->property("kesWired").toBool() && kes::CommandFormReady(a));
}

void THmPage::SetPopChecked(const char* name, bool checked)
{
    QAction* a = Pop(name);
    if (!a)
        qFatal("SetPopChecked: the page popup has no item named %s", name);
    a->setChecked(checked);
}

void THmPage::PgSetMenuChecks()
{
    const SettingsUse use = SettingsInUse();
    const std::pair<const char*, const char*> pairs[] = {{"PopFunKeySet", "MmFunKeyEt"}, {"PopPgJump", "MmPgJump"},
                                                         {"PopBuzzerSet", "MmBuzzerSet"}, {"PopLedSet", "MmLedSet"},
                                                         {"ChkHideSet", "MmHide"},
                                                         {"PopPgPageWriteSet", "MmPgPageWriteSet"}};
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
    if (kes::CountLinkedRecords(host_.Doc(), this) > kes::kMaxLinkedRecords) {
        kes::ShowMsg(kMsgLinkedRecordsFull);
        return;
    }
    host_.Doc().EditScope = 0;
    kes::RunForm("TPgJump", host_.Window());
}

void THmPage::PopUndoClick()
{
    UndoStep();
    EditStateRefresh();
}

void THmPage::PopRedoClick()
{
    RedoStep();
    EditStateRefresh();
}

void THmPage::PopSelAllClick()
{
    SelList.clear();
    for (TLxObj* obj : ObjList) {
        SelList.push_back(obj);
        obj->SetSelected(true);
    }
    EditStateRefresh();
}

void THmPage::MarkModified()
{
    host_.Doc().Modified = 1;
    host_.Doc().Compiled = 0;
}
