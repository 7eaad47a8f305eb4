// The editing engine's window: the canvas in a scroll area, sizing by zoom, painting of the
// objects, the grid and the outlines, the panel picture of the objects, and the popup menu.
#include "app/editor/teditpage.h"

#include "app/dialogs/formrunner.h"
#include "app/editor/pagecanvas.h"
#include "app/editor/pagehost.h"
#include "app/inspector/tdlgprop.h"
#include "app/model/lxtypecore.h"
#include "app/project/projectdoc.h"
#include "app/ui/commandpanel.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

TEditPage::TEditPage(kes::PageHost& host, std::uint8_t popWindow) : host_(host)
{
    kes::MarkForm(this);
    setAttribute(Qt::WA_DeleteOnClose);
    canvas_ = new kes::PageCanvas(*this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
    BuildPopupMenu(popWindow);

    toolKind_ = 0;
    mouseSuppressed_ = 0;
    Data().EncMode = 0;
    Data().GridWidth = std::max(host_.Doc().GridWidth, 1);
    Data().GridHeight = std::max(host_.Doc().GridHeight, 1);
    const kes::LxTypeCore* model = host_.Model();
    const int pw = model ? model->PanelWidth : 128;
    const int ph = model ? model->PanelHeight : 64;
    canvas_->setFixedSize(4 * Data().GridWidth * pw, 4 * Data().GridHeight * ph);
    snapBmp_.SetSize(Data().GridWidth * pw, Data().GridHeight * ph);
}

TEditPage::~TEditPage()
{
    if (TDlgProp* inspector = host_.Inspector();
        inspector && inspector->ShownObj &&
        std::find(Data().ObjList.begin(), Data().ObjList.end(), inspector->ShownObj) != Data().ObjList.end())
        inspector->ShownObj = nullptr;
    canvas_->ForgetObjects();
    // Deleted on its own (closing the project): its MDI child window goes with it, out of
    // sight at once so that a window opened before it is gone is placed as in an empty area.
    if (QMdiSubWindow* sub = SubWindow()) {
        sub->hide();
        sub->deleteLater();
    }
}

QAction* TEditPage::Pop(const char* name) const { return pgPopMm_->findChild<QAction*>(QString::fromLatin1(name)); }

QAction* TEditPage::PopShortcut(const QKeyEvent& key) const
{
    if (LinkBusy())
        return nullptr;
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (QAction* a : pgPopMm_->actions())
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed)
            return a;
    return nullptr;
}

QWidget* TEditPage::Canvas() const { return canvas_; }

QMdiSubWindow* TEditPage::SubWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

bool TEditPage::IsActiveChild() const
{
    QMdiSubWindow* sub = SubWindow();
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    // Standing alone (no MDI area) the window is its own active child.
    if (!area)
        return true;
    return area->currentSubWindow() == sub;
}

int TEditPage::ClientWidth() const
{
    const kes::LxTypeCore* model = host_.Model();
    return (model ? model->PanelWidth : 128) * Data().Zoom * Data().GridWidth;
}

int TEditPage::ClientHeight() const
{
    const kes::LxTypeCore* model = host_.Model();
    return (model ? model->PanelHeight : 64) * Data().Zoom * Data().GridHeight;
}

bool TEditPage::LinkBusy() const { return host_.LinkBusy(); }

kes::CommandPanel& TEditPage::Cmds() const { return host_.Commands(); }

void TEditPage::FormResize()
{
    if (Data().Zoom != 1 && Data().Zoom != 2 && Data().Zoom != 4 && Data().Zoom != 8 && Data().Zoom != 16)
        return;
    canvas_->setFixedSize(ClientWidth(), ClientHeight());
    QMdiSubWindow* sub = SubWindow();
    if (QMdiArea* area = sub ? sub->mdiArea() : nullptr) {
        // The window fits the panel, as far as the MDI area leaves room.
        const QSize frame = sub->size() - sub->contentsRect().size();
        QSize want = canvas_->size() + frame + QSize(2, 2);
        want = want.boundedTo(area->viewport()->size());
        // Before the main window is first shown (a project named on the command line) the
        // area has no size of its own yet: fit again once it has.
        fitOnShow_ = !area->isVisible();
        sub->resize(want.expandedTo(QSize(120, 80)));
    }
    canvas_->update();
}

void TEditPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // After the area has placed the window and laid itself out.
    if (fitOnShow_)
        QTimer::singleShot(0, this, [this] { FormResize(); });
}

kes::PageEnv TEditPage::Env()
{
    kes::PageEnv env(host_.Doc(), *host_.Model());
    env.MainFont.Name = kes::QStringToAnsi(host_.MainFont().family());
    env.MainFont.Size = host_.MainFont().pointSize() > 0 ? host_.MainFont().pointSize() : 9;
    env.OnAttach = [this](TLxObj& obj, bool) { AttachHandlers(obj); };
    return env;
}

kes::RecEncodeEnv TEditPage::EncodeEnv() const
{
    kes::RecEncodeEnv env;
    env.MainFont.Name = kes::QStringToAnsi(host_.MainFont().family());
    env.MainFont.Size = host_.MainFont().pointSize() > 0 ? host_.MainFont().pointSize() : 9;
    return env;
}

void TEditPage::AttachHandlers(TLxObj& obj)
{
    obj.SetHost(this);
    obj.OnMouseDown = [this](TLxObj* o, TMouseButton b, TShiftState s, int x, int y) { ObjMouseDown(o, b, s, x, y); };
    obj.OnMouseMove = [this](TLxObj* o, TShiftState s, int x, int y) { ObjMouseMove(o, s, x, y); };
    obj.OnMouseUp = [this](TLxObj* o, TMouseButton b, TShiftState s, int x, int y) { ObjMouseUp(o, b, s, x, y); };
    obj.OnKeyDown = [this](TLxObj* o, std::uint16_t& key, TShiftState s) { ObjKeyDown(o, key, s); };
    obj.OnDblClick = [this](TLxObj* o) { ObjDblClick(o); };
}

void TEditPage::DrawPageSnapshot()
{
    const kes::LxTypeCore* model = host_.Model();
    const int pw = model ? model->PanelWidth : 128;
    const int ph = model ? model->PanelHeight : 64;
    snapBmp_.SetSize(pw * Data().GridWidth, ph * Data().GridHeight);
    TCanvas& c = *snapBmp_.Canvas();
    c.Brush = TBrush{clWhite, bsSolid};
    c.FillRect(Rect(0, 0, snapBmp_.Width(), snapBmp_.Height()));
    // A picture wholly under a copied one drawn after it shows nothing.
    std::vector<TRect> boxes;
    std::vector<bool> covers;
    boxes.reserve(Data().ObjList.size());
    covers.reserve(Data().ObjList.size());
    for (const TLxObj* obj : Data().ObjList) {
        const int z = std::max(obj->ObjSize, 1);
        boxes.push_back(TRect{obj->Left / z, obj->Top / z, obj->Left / z + obj->Picture.Width(),
                              obj->Top / z + obj->Picture.Height()});
        covers.push_back(!obj->Transparent);
    }
    const std::vector<bool> hidden = kes::HiddenUnderLater(boxes, covers);
    for (std::size_t i = 0; i < Data().ObjList.size(); ++i) {
        if (hidden[i])
            continue;
        const TLxObj* obj = Data().ObjList[i];
        const int z = std::max(obj->ObjSize, 1);
        // A transparent kind is ANDed so its white lets what lies below show.
        c.CopyMode = obj->Transparent ? SRCAND : SRCCOPY;
        c.Draw(obj->Left / z, obj->Top / z, obj->Picture);
    }
    c.CopyMode = SRCCOPY;
}

void TEditPage::ClearPageObjs()
{
    if (TDlgProp* inspector = host_.Inspector();
        inspector && inspector->ShownObj &&
        std::find(Data().ObjList.begin(), Data().ObjList.end(), inspector->ShownObj) != Data().ObjList.end())
        inspector->ShownObj = nullptr;
    canvas_->ForgetObjects();
    outlined_.clear();
    OverlapList.clear();
    Data().FreeObjects();
    // The key bindings are the objects': decoding marks them again.
    Data().ObjFunKeyUsed.fill(0);
    canvas_->update();
}

void TEditPage::PgGridPaint(QImage& img) const
{
    // One dot at the top-left corner of every panel pixel, black while the grid is on.
    if (Data().Zoom <= 1)
        return;
    const QRgb dot = host_.View().GridDotsOn ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    for (int y = 0; y * Data().GridHeight < img.height(); y += Data().Zoom) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y * Data().GridHeight));
        for (int x = 0; x * Data().GridWidth < img.width(); x += Data().Zoom)
            row[x * Data().GridWidth] = dot;
    }
}

QImage TEditPage::Rendered() const
{
    QImage img(ClientWidth(), ClientHeight(), QImage::Format_RGB32);
    img.fill(Qt::white);
    if (!live_) {
        TCanvas c(&img, TPoint{0, 0}, TRect{0, 0, img.width(), img.height()});
        c.Draw(0, 0, snapBmp_);
        return img;
    }
    PgGridPaint(img);
    // An object wholly under one painted after it over its whole box shows nothing.
    std::vector<TRect> boxes;
    std::vector<bool> covers;
    boxes.reserve(Data().ObjList.size());
    covers.reserve(Data().ObjList.size());
    for (const TLxObj* obj : Data().ObjList) {
        boxes.push_back(TRect{obj->Left, obj->Top, obj->Left + obj->Width, obj->Top + obj->Height});
        covers.push_back(obj->PaintsOpaqueBox());
    }
    const std::vector<bool> hidden = kes::HiddenUnderLater(boxes, covers);
    for (std::size_t i = 0; i < Data().ObjList.size(); ++i) {
        if (hidden[i])
            continue;
        TLxObj* obj = Data().ObjList[i];
        TCanvas view(&img, TPoint{obj->Left, obj->Top}, TRect{0, 0, obj->Width, obj->Height});
        obj->Paint(view);
    }
    TCanvas c(&img, TPoint{0, 0}, TRect{0, 0, img.width(), img.height()});
    for (TLxObj* obj : Data().ObjList)
        if (outlined_.count(obj))
            kes::DrawObjOutline(c, *obj);
    if (bandShown_)
        kes::DrawRubberBand(c, BandCorners);
    if (polyPtCount_ > 0) {
        // The clicked segments and the rubber line to the pointer.
        c.Pen.Mode = pmNotXor;
        for (int i = 1; i < polyPtCount_; ++i) {
            c.MoveTo(PolyPts[i - 1].x, PolyPts[i - 1].y);
            c.LineTo(PolyPts[i].x, PolyPts[i].y);
        }
        c.MoveTo(PolyPts[polyPtCount_ - 1].x, PolyPts[polyPtCount_ - 1].y);
        c.LineTo(PolyLastPt.x, PolyLastPt.y);
        c.Pen.Mode = pmCopy;
    }
    return img;
}

void TEditPage::InvalidateObj(TLxObj&) { canvas_->update(); }

void TEditPage::RepaintObj(TLxObj&) { canvas_->update(); }

// ---- Popup menu

void TEditPage::BuildPopupMenu(std::uint8_t popWindow)
{
    pgPopMm_ = new QMenu(this);
    pgPopMm_->setObjectName(QStringLiteral("pgPopMm_"));
    for (const kes::PopItem& d : kes::PopItems()) {
        if (!(d.windows & popWindow))
            continue;
        if (!d.name) {
            pgPopMm_->addSeparator();
            continue;
        }
        QAction* a = pgPopMm_->addAction(QString::fromUtf8(d.caption));
        a->setObjectName(QString::fromLatin1(d.name));
        a->setProperty("Tag", d.tag);
        a->setCheckable(d.checkable);
        if (d.shortcut) {
            // Shown in the menu; the window runs them when it has the keys (PopShortcut).
            a->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
            a->setShortcutContext(Qt::WidgetShortcut);
        }
        if (d.form)
            kes::SetCommandForm(a, d.form);
        // Marked as the main window marks its built commands: only these are ever enabled.
        a->setProperty("kesWired", true);
        const auto run = d.run;
        QObject::connect(a, &QAction::triggered, this, [this, a, run] { run(*this, *a); });
        a->setEnabled(false);
        if (d.when == kes::PopRule::Always)
            SetPopEnabled(d.name, true);
    }
}

void TEditPage::SetPopRule(kes::PopRule rule, bool enable)
{
    for (const kes::PopItem& d : kes::PopItems())
        if (d.name && d.when == rule)
            if (Pop(d.name))
                SetPopEnabled(d.name, enable);
}

void TEditPage::SetPopEnabled(const char* name, bool enable)
{
    QAction* a = Pop(name);
    if (!a)
        qFatal("SetPopEnabled: the popup has no item named %s", name);
    a->setEnabled(enable && a->property("kesWired").toBool() && host_.Forms().CommandReady(a));
}

void TEditPage::SetPopChecked(const char* name, bool checked)
{
    QAction* a = Pop(name);
    if (!a)
        qFatal("SetPopChecked: the popup has no item named %s", name);
    a->setChecked(checked);
}

void TEditPage::PopUndoClick()
{
    UndoStep();
    EditStateRefresh();
}

void TEditPage::PopRedoClick()
{
    RedoStep();
    EditStateRefresh();
}

void TEditPage::PopSelAllClick()
{
    Data().SelList.clear();
    for (TLxObj* obj : Data().ObjList) {
        Data().SelList.push_back(obj);
        obj->SetSelected(true);
    }
    EditStateRefresh();
}

bool TEditPage::SetSelectedLineStyle(int width, int pattern)
{
    bool changed = false;
    for (TLxObj* obj : Data().SelList) {
        if (!kes::IsKind(*obj, kes::ObjKind::Geom))
            continue;
        TPen& pen = obj->Picture.Canvas()->Pen;
        pen.Width = width;
        pen.Style = pattern == 2 ? psDot : psSolid;
        obj->BmpRePaint();
        obj->Invalidate();
        changed = true;
    }
    // A figure drawn anew is an edit.
    if (changed)
        MarkModified();
    return changed;
}

namespace {

// A window alone in the area opens at its corner; one among others where the area put it,
// moved back into view when it went past the area's edge.
void PlaceInView(const QMdiArea& area, QMdiSubWindow& sub)
{
    bool alone = true;
    for (const QMdiSubWindow* w : area.subWindowList())
        alone = alone && (w == &sub || !w->isVisible());
    if (alone) {
        sub.move(0, 0);
        return;
    }
    const QSize room = area.viewport()->size();
    sub.move(std::clamp(sub.x(), 0, std::max(0, room.width() - sub.width())),
             std::clamp(sub.y(), 0, std::max(0, room.height() - sub.height())));
}

} // namespace

void TEditPage::ShowInArea(QMdiArea* area)
{
    if (!area) {
        show();
        return;
    }
    QMdiSubWindow* sub = SubWindow();
    if (!sub) {
        sub = area->addSubWindow(this);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // Ctrl+F4 opens the page's alarm lamp: the window menu's close item leaves the key to it.
        if (QMenu* menu = sub->systemMenu())
            for (QAction* a : menu->actions())
                if (a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_F4))
                    a->setShortcut(QKeySequence());
        if (QWidget* w = host_.Window())
            sub->setWindowIcon(w->windowIcon());
        FormResize();
        sub->show();
        PlaceInView(*area, *sub);
    }
    // A minimised user-menu screen comes back; a maximised page stays so.
    if (sub->isMinimized())
        sub->showNormal();
    else
        sub->show();
    area->setActiveSubWindow(sub);
}

void TEditPage::MarkModified()
{
    host_.Doc().Modified = 1;
    host_.Doc().Compiled = 0;
}

void TEditPage::KeepPartialRecord(kes::ByteSpan record, kes::Bytes readBack)
{
    partialRecord_.assign(record.begin(), record.end());
    partialReadBack_ = record.empty() ? kes::Bytes() : std::move(readBack);
}

kes::Bytes TEditPage::StoredForm(kes::Bytes encoded)
{
    if (partialRecord_.empty())
        return encoded;
    if (encoded == partialReadBack_)
        return partialRecord_;
    // Changed: the objects are the screen or page now.
    KeepPartialRecord({}, {});
    return encoded;
}

// ---- The object tool panel's boxes

QComboBox* TEditPage::StateBox() const { return qobject_cast<QComboBox*>(Cmds().ToolWidget("TbState_Box")); }

QComboBox* TEditPage::FontBox() const { return qobject_cast<QComboBox*>(Cmds().ToolWidget("TbFont_Box")); }

QPlainTextEdit* TEditPage::Memo() const { return qobject_cast<QPlainTextEdit*>(Cmds().ToolWidget("TbMemo")); }

void TEditPage::SetStateTools(bool enable)
{
    for (const char* n : {"TbState_Lab", "TbState_UD", "TbState_Box"})
        Cmds().SetItemEnabled(n, enable);
}

void TEditPage::StretchSnapshot(int width, int height)
{
    TBitmap stretched(width, height);
    StretchBlt(*stretched.Canvas(), 0, 0, width, height, *snapBmp_.Canvas(), 0, 0, snapBmp_.Width(), snapBmp_.Height(),
               SRCCOPY);
    snapBmp_ = stretched;
}
