#pragma once
// A project for the report tests, made as the editor makes one: objects of every kind from the
// factory with known device addresses, page settings (conditions, a function key, the buzzer,
// hide, the page-number write), system settings and a start-up screen, stored by the record
// encoder; the shipped model data (controller 3, panel LX-04) and the English message table.
#include "app/print/reportcontext.h"
#include "app/project/objfactory.h"
#include "app/project/pagedata.h"
#include "app/project/pgdataenc.h"
#include "app/ui/msgtable.h"
#include "app/ui/prompt.h"
#include "platform/codepage.h"
#include "prjtest.h"

#include <functional>
#include <memory>
#include <string>

namespace kes::test {

class ReportProject {
public:
    // A project of its own over the shipped model data, with the English message table and a
    // scripted prompt of its own.
    ReportProject() : ReportProject(std::make_unique<Prj>(std::string(KES_BIN_DIR) + "/")) {}
    // Adds to the main window's open project (its message table and model form as they are),
    // asking through the window's prompt.
    ReportProject(ProjectDoc& doc, const LxTypeCore& lx, Prompt& prompt) : doc_(doc), lx_(lx), ctx(doc, lx, prompt)
    {
        Init();
    }

    ProjectDoc& doc() { return doc_; }
    const LxTypeCore& lx() { return lx_; }

    // The code of an address text (bit or word).
    std::int32_t Code(const char* text, bool word) const
    {
        return lx_.ParseDeviceAddress(text, word ? 1 : 0, 0, true, false);
    }

    // An object of kind at panel position (x, y) on page, set up by setup.
    template <typename Obj>
    Obj& Add(PageData& page, ObjKind kind, int x, int y, const std::function<void(Obj&)>& setup = {})
    {
        std::unique_ptr<TLxObj> obj = NewPageObj(page, *env_, kind);
        Obj& o = dynamic_cast<Obj&>(*obj);
        if (setup)
            setup(o);
        o.BmpRePaint();
        o.Left = x * page.Zoom * doc().GridWidth;
        o.Top = y * page.Zoom * doc().GridHeight;
        page.AppendObj(std::move(obj));
        return o;
    }
    // A new page for Add, at the project's zoom.
    std::unique_ptr<PageData> NewPage()
    {
        auto page = std::make_unique<PageData>();
        page->Zoom = doc().DefaultZoom;
        page->GridWidth = doc().GridWidth;
        page->GridHeight = doc().GridHeight;
        page->ResetPgSettings(doc());
        return page;
    }
    // Stores page as the project's next page under title.
    void StorePage(PageData& page, const std::string& title)
    {
        auto rec = std::make_unique<PgDataStr>();
        rec->Title = title;
        page.PgIndex = static_cast<int>(doc().PgDataList.size());
        PgDataChx(page, rec->Data, 0, kEncFile, &page.ObjList, encode_);
        doc().PgDataList.push_back(std::move(rec));
    }
    // Stores page's objects as the start-up screen.
    void StoreStartScreen(PageData& page)
    {
        page.SelList = page.ObjList;
        doc().StartScreenData->Data.clear();
        PgDataChx(page, doc().StartScreenData->Data, 0, kEncMemory, &page.SelList, encode_);
        page.SelList.clear();
    }

private:
    explicit ReportProject(std::unique_ptr<Prj> own)
        : own_(std::move(own)), doc_(own_->doc), lx_(*own_->core), ctx(doc_, lx_, ownPrompt_)
    {
        SetAppDir(std::string(KES_BIN_DIR) + "/");
        TMsgTable table;
        table.LoadFromFile(std::string(KES_BIN_DIR) + "/" + MsgFileName(LangEng), 1252);
        for (int n = 0; n < table.Count(); ++n)
            doc_.MsgTable.push_back(QStringToAnsi(table[n]));
        doc_.PrjName = "Plant";
        Init();
    }
    void Init()
    {
        ctx.Print.StartScreen = "Start-up Screen Editing";
        ctx.Print.Jumps = "Page Change Conditions";
        ObjDataNames& n = ctx.ObjData;
        n.PgJump = n.SysPgJump = "Page Change Conditions";
        n.FunKey = n.SysFunKey = "Function Keys";
        n.Buzzer = n.SysBuzzer = "Buzzer";
        n.AlarmLamp = n.SysAlarmLamp = "Alarm Lamp";
        n.Hide = "Hide Page";
        n.PgNumWrite = "Page Number Write";
        n.Clock = "Clock Write";
        n.PowerOn = "Power-on Macro";
        n.System = "System Settings";
        n.Pages = "Pages";
        n.StartScreen = "Start-up Screen";
        env_ = std::make_unique<PageEnv>(doc_, lx_);
        env_->MainFont.Name = "Main Font";
        env_->MainFont.Size = 11;
        encode_.FontExists = [](const std::string&) { return true; };
    }

    ScriptedPrompt ownPrompt_;
    std::unique_ptr<Prj> own_;
    ProjectDoc& doc_;
    const LxTypeCore& lx_;

public:
    ReportContext ctx;

private:
    std::unique_ptr<PageEnv> env_;
    RecEncodeEnv encode_;
};

} // namespace kes::test
