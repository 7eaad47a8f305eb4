#include "app/shell/reportcommands.h"

#include "app/print/printcommands.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/tkhm.h"
#include "app/ui/fileopener.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"

#include <QAction>

namespace kes {
namespace {

QString CaptionOf(TKhm& k, const char* item)
{
    const QAction* a = k.Action(item);
    return a ? CaptionText(a->text()) : QString();
}

} // namespace

ReportContext MainReportContext(TKhm& k)
{
    ReportContext ctx(k.Doc, *k.LxType, k.Ask());
    ctx.Screen = k.Desktop();
    // Printed texts are bytes of the project's code page; the table's are UTF-8.
    ctx.Print.StartScreen = QStringToAnsi(CaptionOf(k, "MmStartPg"));
    ctx.Print.Jumps = QStringToAnsi(CaptionOf(k, "MmPgJump"));
    const auto name = [&k](const char* item) { return CaptionOf(k, item).toStdString(); };
    ObjDataNames& n = ctx.ObjData;
    n.PgJump = name("MmPgJump");
    n.FunKey = name("MmFunKeyEt");
    n.Buzzer = name("MmBuzzerSet");
    n.AlarmLamp = name("MmLedSet");
    n.Hide = name("MmHide");
    n.PgNumWrite = name("MmPgPageWriteSet");
    n.SysPgJump = name("MmSysPgChgSet");
    n.SysFunKey = name("MmSysFunKeySet");
    n.SysBuzzer = name("MmSysBuzzerSet");
    n.SysAlarmLamp = name("MmSysLedSet");
    n.Clock = name("MmClock");
    n.PowerOn = name("MmSysPowerOnSet");
    n.System = Msg(kMsgObjDataSystem).toStdString();
    n.Pages = Msg(kMsgObjDataPages).toStdString();
    n.StartScreen = Msg(kMsgObjDataStartScreen).toStdString();
    ctx.DocDir = k.OpenDlg.InitialDir.empty() ? k.Doc.AppDir : k.OpenDlg.InitialDir;
    ctx.Opener = k.FileOpen.get();
    return ctx;
}

void InstallPrintCommands(TKhm& k)
{
    const auto wire = [&k](const char* item, void (*command)(ReportContext&, QWidget*)) {
        k.Wire(item, [&k, command] {
            ReportContext ctx = MainReportContext(k);
            command(ctx, &k);
        });
    };
    wire("MmPrintmmPg", MmPrintmmPgClick);
    wire("TbPrint", MmPrintmmPgClick);
    wire("MmPrintStartPg", MmPrintStartPgClick);
    wire("MmPgDataSave", MmPgDataSaveClick);
}

} // namespace kes
