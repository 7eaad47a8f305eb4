// The page list: inserting, deleting and moving pages keeps every record and says where each
// open page went; the dialog asks before deleting or moving and renumbers its items.
#include "../shell/shellfixture.h"
#include "recordingpages.h"

#include "app/editor/pageeditor.h"
#include "app/project/pagelist.h"
#include "app/project/ui/tpglistfrm.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/shell/tkhm_hosts.h"
#include "app/ui/msgtable.h"

#include <QLineEdit>

namespace kes::test {
namespace {

std::vector<std::string> Titles(const ProjectDoc& doc)
{
    std::vector<std::string> t;
    for (const auto& p : doc.PgDataList)
        t.push_back(p->Title);
    return t;
}

void FivePages(ProjectDoc& doc)
{
    doc.PgDataList.clear();
    for (const char* t : {"A", "B", "C", "D", "E"}) {
        doc.PgDataList.push_back(std::make_unique<PgDataStr>());
        doc.PgDataList.back()->Title = t;
    }
}

TEST(PageList, Operations)
{
    struct Case {
        const char* name;
        std::function<PageRenumbering(ProjectDoc&)> op;
        std::vector<std::string> titles;
        PageRenumbering map;
    };
    const Case cases[] = {
        {"insert before 0",
         [](ProjectDoc& d) { return InsertPage(d, 0); },
         {"", "A", "B", "C", "D", "E"},
         {1, 2, 3, 4, 5}},
        {"insert at the end",
         [](ProjectDoc& d) { return InsertPage(d, 9); },
         {"A", "B", "C", "D", "E", ""},
         {0, 1, 2, 3, 4}},
        {"delete the middle", [](ProjectDoc& d) { return DeletePage(d, 2); }, {"A", "B", "D", "E"}, {0, 1, -1, 2, 3}},
        {"delete the last", [](ProjectDoc& d) { return DeletePage(d, 4); }, {"A", "B", "C", "D"}, {0, 1, 2, 3, -1}},
        {"move 4 up to 1", [](ProjectDoc& d) { return MovePage(d, 4, 1); }, {"A", "E", "B", "C", "D"}, {0, 2, 3, 4, 1}},
        {"move 1 down to 3",
         [](ProjectDoc& d) { return MovePage(d, 1, 3); },
         {"A", "C", "D", "B", "E"},
         {0, 3, 1, 2, 4}},
        {"move onto itself",
         [](ProjectDoc& d) { return MovePage(d, 2, 2); },
         {"A", "B", "C", "D", "E"},
         {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        ProjectDoc doc;
        FivePages(doc);
        EXPECT_EQ(c.op(doc), c.map) << c.name;
        EXPECT_EQ(Titles(doc), c.titles) << c.name;
    }
    ProjectDoc doc;
    FivePages(doc);
    doc.Modified = 0;
    RetitlePage(doc, 1, "Main");
    EXPECT_EQ(doc.PgDataList[1]->Title, "Main");
    EXPECT_EQ(doc.Modified, 1);
    EXPECT_EQ(PageItemText(0, "Main"), "0:Main");
}

class PageListDialog : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        StartupOptions o;
        o.splashMillis = 0;
        o.prompt = &prompt;
        o.screen = &screen;
        StartMain(NewDoc(), o);
        FivePages(Main()->Doc);
        pages = std::make_unique<RecordingPages>(Main()->PageEd.get());
        form = new TPgListFrm(*Main()->ProjectHost, *pages);
        form->FormShow();
    }
    void TearDown() override
    {
        delete form;
        Main()->Doc.Modified = 0;
        Main()->FormClose();
        ShutDownMain();
        ShellFixture::TearDown();
    }
    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < form->PgListBx->count(); ++i)
            items.push_back(form->PgListBx->item(i)->text().toStdString());
        return items;
    }
    TPgListFrm* form = nullptr;
    std::unique_ptr<RecordingPages> pages;
    const std::vector<std::vector<int>>& Maps() const { return pages->maps; }
};

TEST_F(PageListDialog, DeleteAsksFirst)
{
    form->PgListBx->setCurrentRow(4);
    prompt.answers = {Answer::No};
    form->DelBtnClick();
    EXPECT_EQ(Main()->Doc.PgDataList.size(), 5u);
    EXPECT_TRUE(Maps().empty());
    prompt.answers = {Answer::Yes};
    form->DelBtnClick();
    EXPECT_EQ(Items(), (std::vector<std::string>{"0:A", "1:B", "2:C", "3:D"}));
    EXPECT_EQ(form->PgListBx->currentRow(), 3);
    EXPECT_EQ(prompt.shown.back(), Msg(72));
    ASSERT_EQ(Maps().size(), 1u);
}

TEST_F(PageListDialog, DragMovesAfterConfirmation)
{
    form->PgListBx->setCurrentRow(4);
    form->PgListBxStartDrag();
    prompt.answers = {Answer::No};
    form->PgListBxEndDrag(1);
    EXPECT_EQ(Items()[1], "1:B");
    EXPECT_EQ(form->PgListBx->currentRow(), 4);
    prompt.answers = {Answer::Yes};
    form->PgListBxEndDrag(1);
    EXPECT_EQ(Items(), (std::vector<std::string>{"0:A", "1:E", "2:B", "3:C", "4:D"}));
    EXPECT_EQ(form->PgListBx->currentRow(), 1);
    EXPECT_EQ(form->PgTitleTxt->text(), QStringLiteral("E"));
    ASSERT_EQ(Maps().size(), 1u);
    EXPECT_EQ(Maps()[0], (std::vector<int>{0, 2, 3, 4, 1}));
    // A drag ending where it started asks nothing.
    prompt.shown.clear();
    form->PgListBxStartDrag();
    form->PgListBxEndDrag(1);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PageListDialog, InsertAndRetitle)
{
    form->PgListBx->setCurrentRow(0);
    form->InsBtnClick();
    EXPECT_EQ(Items().front(), "0:");
    EXPECT_EQ(Items()[1], "1:A");
    EXPECT_EQ(Main()->Doc.PgDataList.size(), 6u);
    form->PgListBx->setCurrentRow(2);
    form->PgTitleTxt->setText(QStringLiteral("Alarms"));
    Main()->Doc.Modified = 0;
    form->PgTitleTxtKeyUp();
    EXPECT_EQ(Items()[2], "2:Alarms");
    EXPECT_EQ(Main()->Doc.PgDataList[2]->Title, "Alarms");
    EXPECT_EQ(Main()->Doc.Modified, 1);
}

} // namespace
} // namespace kes::test
