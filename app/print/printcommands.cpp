#include "app/print/printcommands.h"

#include "app/print/tprnset.h"
#include "app/print/tshowpagepropdlg.h"
#include "app/project/projectdoc.h"
#include "app/ui/prompt.h"

namespace kes {
namespace {

constexpr int kPrintPages = 3;
constexpr int kPrintStartScreen = 1;

void RunPrnSet(ReportContext& ctx, int source, QWidget* owner)
{
    TPrnSet dlg(ctx, owner);
    dlg.PrintSource = source;
    ExecModal(ctx.Ask, &dlg);
}

void StoreStartScreen(ProjectDoc& doc) { doc.StoreStartScreen(); }

} // namespace

void MmPrintmmPgClick(ReportContext& ctx, QWidget* owner)
{
    ProjectDoc& doc = ctx.Doc;
    if (doc.EditMode() == kes::Editing::Pages) {
        if (doc.Modified)
            doc.StoreActivePage();
        RunPrnSet(ctx, kPrintPages, owner);
    } else if (doc.EditMode() == kes::Editing::StartScreen) {
        if (doc.Modified)
            StoreStartScreen(doc);
        RunPrnSet(ctx, kPrintStartScreen, owner);
    }
}

void MmPrintStartPgClick(ReportContext& ctx, QWidget* owner)
{
    if (ctx.Doc.Modified)
        StoreStartScreen(ctx.Doc);
    RunPrnSet(ctx, kPrintStartScreen, owner);
}

void MmPgDataSaveClick(ReportContext& ctx, QWidget* owner)
{
    ctx.Doc.StoreActivePage();
    if (ctx.Doc.EditMode() == kes::Editing::StartScreen)
        StoreStartScreen(ctx.Doc);
    TShowPagePropDlg dlg(ctx, owner);
    ExecModal(ctx.Ask, &dlg);
}

} // namespace kes
