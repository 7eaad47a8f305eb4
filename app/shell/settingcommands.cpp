#include "app/shell/settingcommands.h"

#include "app/dialogs/formrunner.h"
#include "app/dialogs/tfrmparaset.h"
#include "app/dialogs/tfrmplcvaladdrset.h"
#include "app/dialogs/tfunkeyset.h"
#include "app/dialogs/tpgjump.h"
#include "app/dialogs/tsysset.h"
#include "app/editor/pageeditor.h"
#include "app/editor/thmpage.h"
#include "app/project/pagesettings.h"
#include "app/project/prjcheck.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <memory>

namespace kes {
namespace {

constexpr int kMsgSysLinkedFull = 299; // more than 68 device-linked records
constexpr int kMsgRedefineUpDown = 129;
constexpr int kMsgContinue = 123;
constexpr int kSysRecTagBase = 1002; // the buzzer and lamp items carry 1002 and 1003

THmPage* LivePage(const TKhm& k)
{
    THmPage* page = k.PageEd->Current();
    return page && page->Live() ? page : nullptr;
}

// A page or system dialog on the main window's project and active page; the dialog owns the
// context it works on.
template <class Dlg> QDialog* MakeSettingForm(TKhm& k, QWidget* owner)
{
    auto ctx = std::make_unique<DialogContext>(MainDialogContext(k, DataOf(LivePage(k))));
    auto* dlg = new Dlg(*ctx, owner);
    QObject::connect(dlg, &QObject::destroyed, [c = ctx.release()] { delete c; });
    return dlg;
}

bool LinkedRecordsFull(TKhm& k, int msg)
{
    if (CountLinkedRecords(k.Doc, DataOf(LivePage(k))) <= kMaxLinkedRecords)
        return false;
    ShowMsg(k.Ask(), msg);
    return true;
}

// The page's own command: the menu and the page popup refuse with the same message.
void MmBuzzerSetClick(TKhm& k, QAction* sender)
{
    if (THmPage* page = LivePage(k))
        page->PopBuzzerSetClick(sender);
}

void MmSysFunKeySetClick(TKhm& k)
{
    k.Doc.EditScope = 1;
    k.Forms.Run(k.Ask(), "TFunKeySet", &k);
}

void MmSysPgChgSetClick(TKhm& k)
{
    if (LinkedRecordsFull(k, kMsgSysLinkedFull))
        return;
    k.Doc.EditScope = 1;
    k.Forms.Run(k.Ask(), "TPgJump", &k);
}

void MmSysBuzzerSetClick(TKhm& k, QAction* sender)
{
    if (LinkedRecordsFull(k, kMsgSysLinkedFull))
        return;
    k.Doc.EditScope = 1;
    const int index = std::clamp(sender->property("Tag").toInt() - kSysRecTagBase, 0, 1);
    k.Forms.Run(k.Ask(), "TSysSet", &k, nullptr, [index](QDialog& d) { static_cast<TSysSet&>(d).RecordIndex = index; });
}

void MmSysPowerOnSetClick(TKhm& k)
{
    if (LinkedRecordsFull(k, kMsgSysLinkedFull))
        return;
    k.Doc.EditScope = 1;
    k.Forms.Run(k.Ask(), "TSysSet", &k, nullptr, [](QDialog& d) { static_cast<TSysSet&>(d).PowerOnMode = true; });
}

// The clock write says why it does not open, as the other system items do.
void MmClockClick(TKhm& k)
{
    if (LinkedRecordsFull(k, kMsgSysLinkedFull))
        return;
    k.Forms.Run(k.Ask(), "TFrmPLCValAddrSet", &k, nullptr,
                [](QDialog& d) { static_cast<TFrmPLCValAddrSet&>(d).Mode = TFrmPLCValAddrSet::kClockMode; });
}

void MmParasetClick(TKhm& k) { k.Forms.Run(k.Ask(), "TFrmParaSet", &k); }

void WireWithSender(TKhm& k, const char* name, void (*handler)(TKhm&, QAction*))
{
    QAction* a = k.Action(name);
    k.Wire(name, [&k, a, handler] { handler(k, a); });
}

void OnMenuShow(TKhm& k, const char* menu, void (*handler)(TKhm&))
{
    if (auto* m = k.findChild<QMenu*>(QString::fromLatin1(menu) + QStringLiteral("_menu")))
        QObject::connect(m, &QMenu::aboutToShow, &k, [&k, handler] { handler(k); });
}

void EnableReady(TKhm& k, const char* name, bool enable)
{
    k.SetItemEnabled(name, enable && k.Forms.CommandReady(k.Action(name)));
}

} // namespace

void InstallSettingCommands(TKhm& k)
{
    k.Forms.Register("TFunKeySet", [&k](QWidget* owner) { return MakeSettingForm<TFunKeySet>(k, owner); });
    k.Forms.Register("TPgJump", [&k](QWidget* owner) { return MakeSettingForm<TPgJump>(k, owner); });
    k.Forms.Register("TSysSet", [&k](QWidget* owner) { return MakeSettingForm<TSysSet>(k, owner); });
    k.Forms.Register("TFrmPLCValAddrSet",
                     [&k](QWidget* owner) { return MakeSettingForm<TFrmPLCValAddrSet>(k, owner); });
    k.Forms.Register("TFrmParaSet", [&k](QWidget* owner) { return MakeSettingForm<TFrmParaSet>(k, owner); });

    WireWithSender(k, "MmBuzzerSet", MmBuzzerSetClick);
    WireWithSender(k, "MmLedSet", MmBuzzerSetClick);
    WireWithSender(k, "MmSysBuzzerSet", MmSysBuzzerSetClick);
    WireWithSender(k, "MmSysLedSet", MmSysBuzzerSetClick);
    const std::pair<const char*, void (*)(TKhm&)> commands[] = {
        {"MmSysFunKeySet", MmSysFunKeySetClick},
        {"MmSysPgChgSet", MmSysPgChgSetClick},
        {"MmSysPowerOnSet", MmSysPowerOnSetClick},
        {"MmClock", MmClockClick},
        {"MmParaset", MmParasetClick},
        {"MmEnableUD", MmEnableUDClick},
    };
    for (const auto& [name, handler] : commands)
        k.Wire(name, [&k, handler = handler] { handler(k); });
    const std::pair<const char*, const char*> forms[] = {
        {"MmBuzzerSet", "TSysSet"},       {"MmLedSet", "TSysSet"},          {"MmSysBuzzerSet", "TSysSet"},
        {"MmSysLedSet", "TSysSet"},       {"MmSysPowerOnSet", "TSysSet"},   {"MmSysPgChgSet", "TPgJump"},
        {"MmSysFunKeySet", "TFunKeySet"}, {"MmClock", "TFrmPLCValAddrSet"}, {"MmParaset", "TFrmParaSet"},
    };
    for (const auto& [item, form] : forms)
        SetCommandForm(k.Action(item), form);
    OnMenuShow(k, "MmPageSet", MmPageSetClick);
    OnMenuShow(k, "MmGlobalSet", MmGlobalSetClick);
}

void MmPageSetClick(TKhm& k)
{
    THmPage* page = LivePage(k);
    const bool pages = k.View.EditMode == kes::Editing::Pages && !k.PageEd->Pages().empty() && page;
    for (const char* n : {"MmPgJump", "MmFunKeyEt", "MmHide", "MmBuzzerSet", "MmLedSet", "MmPgPageWriteSet"})
        EnableReady(k, n, pages);
    k.SetItemVisible("MmHide", !k.Doc.EnableUpDown);
    if (page)
        page->PgSetMenuChecks();
    // A parameter register changes the pages itself.
    if (k.Doc.ParaDataSetDefined())
        k.SetItemEnabled("MmPgJump", false);
}

void MmGlobalSetClick(TKhm& k)
{
    const ProjectState& s = k.Doc;
    const bool edit = k.View.EditMode == kes::Editing::Pages;
    for (const char* n : {"MmSysPgChgSet", "MmSysFunKeySet", "MmSysBuzzerSet", "MmSysLedSet", "MmSysPowerOnSet",
                          "MmClock", "MmParaset"})
        EnableReady(k, n, edit);
    const bool anyKey =
        std::any_of(s.SysFunKeyUsed.begin(), s.SysFunKeyUsed.end(), [](std::uint8_t u) { return u != 0; });
    const std::pair<const char*, bool> checks[] = {
        {"MmSysFunKeySet", anyKey},
        {"MmClock", s.SysClockWrite.Ref.DevAddrCode != -1},
        {"MmSysPgChgSet", !s.SysPgJumps.empty()},
        {"MmSysBuzzerSet", s.SysBuzzer.Ref.DevAddrCode != -1},
        {"MmSysLedSet", s.SysAlarmLamp.Ref.DevAddrCode != -1},
        {"MmParaset", s.ParaDataSetDefined()},
        {"MmSysPowerOnSet", s.PowerOnMacro.Ref.DevAddrCode != -1},
    };
    for (const auto& [item, on] : checks)
        k.Action(item)->setChecked(on);
    k.SetItemVisible("MmClock", s.HasRtc);
    if (edit && s.ParaDataSetDefined())
        k.SetItemEnabled("MmSysPgChgSet", false);
}

void MmEnableUDClick(TKhm& k)
{
    ProjectDoc& doc = k.Doc;
    THmPage* page = LivePage(k);
    if (!doc.EnableUpDown) {
        const QString ask = Msg(kMsgRedefineUpDown) + QLatin1Char('\n') + Msg(kMsgContinue);
        if (ShowMessage(k.Ask(), ask, Buttons::YesNo) != Answer::Yes) {
            k.ShowStateChecks();
            return;
        }
        RedefineUpDownOn(doc, DataOf(page));
        doc.EnableUpDown = true;
    } else {
        doc.EnableUpDown = false;
        RedefineUpDownOff(doc, DataOf(page));
    }
    // Either way the stored pages and the project's switch changed.
    doc.Modified = 1;
    doc.Compiled = 0;
    k.ShowStateChecks();
}

} // namespace kes

void TKhm::ClearAllPgJumps() { kes::ClearAllPgJumps(Doc, DataOf(kes::LivePage(*this))); }
