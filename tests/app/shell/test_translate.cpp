// The caption translator applies a language file to a form by the component class and key
// scheme, empties a text whose key is missing, leaves everything alone when the caption file
// is missing, and reloads the message table (Count entries, in the language's own code page
// whatever the process code page is; a message a damaged file lacks in English).
#include "cputime.h"
#include "shellfixture.h"

#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/codepage.h"
#include "platform/inifile.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace kes::test {
namespace {

TEST(FormSectionName, TrimsAFinalNumberAndEverythingFromTheFirstUnderscore)
{
    const struct {
        const char* name;
        const char* section;
    } cases[] = {
        {"HmPage_1", "HmPage"},
        {"HmPage_12", "HmPage"},
        {"Form1", "For"},
        {"FrmAutoSaveSet", "FrmAutoSaveSet"},
        {"A_b", "A"},
        {"X", "X"},
        {"7", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormSectionName(c.name), c.section) << c.name;
}

// A label subclass: not translated, as its class is not exactly TLabel.
class DerivedLabel : public QLabel {
public:
    using QLabel::QLabel;
};

struct SampleForm {
    QDialog form;
    QLabel* label;
    DerivedLabel* derived;
    QPushButton* button;
    QComboBox* combo;
    QComboBox* emptyCombo;
    QGroupBox* radioGroup;
    QRadioButton* r0;
    QRadioButton* r1;
    QTabWidget* pages;
    QTableView* grid;
    QStandardItemModel model{0, 2};
    QLineEdit* edit;
    QAction* item;
    QAction* tool;

    explicit SampleForm(const char* name)
    {
        form.setObjectName(QString::fromLatin1(name));
        auto* l = new QVBoxLayout(&form);
        auto named = [&](QWidget* w, const char* n) {
            w->setObjectName(QString::fromLatin1(n));
            l->addWidget(w);
        };
        named(label = new QLabel(QStringLiteral("design"), &form), "Lab");
        named(derived = new DerivedLabel(QStringLiteral("derived"), &form), "Derived");
        named(button = new QPushButton(QStringLiteral("design"), &form), "Btn");
        named(combo = new QComboBox(&form), "Box");
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        named(emptyCombo = new QComboBox(&form), "Empty");
        named(radioGroup = new QGroupBox(QStringLiteral("group"), &form), "Rg");
        SetComponentClass(radioGroup, "TRadioGroup");
        auto* rl = new QVBoxLayout(radioGroup);
        rl->addWidget(r0 = new QRadioButton(QStringLiteral("x"), radioGroup));
        rl->addWidget(r1 = new QRadioButton(QStringLiteral("y"), radioGroup));
        named(pages = new QTabWidget(&form), "Pc");
        pages->addTab(new QWidget, QStringLiteral("t0"));
        named(grid = new QTableView(&form), "Grid");
        grid->setModel(&model);
        SetComponentClass(grid, "TDBGrid");
        named(edit = new QLineEdit(QStringLiteral("kept"), &form), "Edt");
        auto* menu = new QMenu(&form);
        item = new QAction(QStringLiteral("design"), &form);
        item->setObjectName(QStringLiteral("MmItem"));
        menu->addAction(item);
        tool = new QAction(QStringLiteral("design"), &form);
        tool->setObjectName(QStringLiteral("TbTool"));
        SetComponentClass(tool, "TToolButton");
    }
};

class TranslateTest : public ShellFixture {};

TEST_F(TranslateTest, SetsEveryComponentClassFromItsKeys)
{
    WriteFile("DATAEnu.Lan", "[Sample_1]\r\n"
                             "Sample_1.Caption=Form title\r\n"
                             "[Sample]\r\n"
                             "Sample.Lab.Caption=Label text\r\n"
                             "Sample.Lab.Hint=Label hint\r\n"
                             "Sample.Derived.Caption=never\r\n"
                             "Sample.Btn.Caption=Button\r\n"
                             "Sample.Box.Items[0]=First\r\n"
                             "Sample.Box.Items[1]=Second\r\n"
                             "Sample.Rg.Caption=Group\r\n"
                             "Sample.Rg.Items[0]=R0\r\n"
                             "Sample.Rg.Items[1]=R1\r\n"
                             "Sample.Pc.Pages[0].Caption=Tab\r\n"
                             "Sample.GridColumns.Items[0].Title.Caption=Col0\r\n"
                             "Sample.GridColumns.Items[1].Title.Caption=Col1\r\n"
                             "Sample.Edt.Hint=Edit hint\r\n"
                             "Sample.MmItem.Caption=&Item\r\n"
                             "Sample.TbTool.Hint=Tool hint\r\n");
    SampleForm f("Sample_1");
    TranslateForm(&f.form, 2);

    EXPECT_EQ(f.form.property("Tag").toInt(), 2);
    // The form's caption is read under its name before trimming; the components under the
    // trimmed section name, which the form now carries.
    EXPECT_EQ(f.form.windowTitle(), "Form title");
    EXPECT_EQ(f.form.objectName(), "Sample");
    EXPECT_EQ(f.label->text(), "Label text");
    EXPECT_EQ(f.label->toolTip(), "Label hint");
    EXPECT_EQ(f.derived->text(), "derived");
    EXPECT_EQ(f.button->text(), "Button");
    EXPECT_EQ(f.combo->itemText(0), "First");
    EXPECT_EQ(f.combo->itemText(1), "Second");
    EXPECT_EQ(f.emptyCombo->count(), 0);
    EXPECT_EQ(f.radioGroup->title(), "Group");
    EXPECT_EQ(f.r0->text(), "R0");
    EXPECT_EQ(f.r1->text(), "R1");
    EXPECT_EQ(f.pages->tabText(0), "Tab");
    EXPECT_EQ(f.model.headerData(1, Qt::Horizontal).toString(), "Col1");
    EXPECT_EQ(f.edit->text(), "kept");
    EXPECT_EQ(f.edit->toolTip(), "Edit hint");
    EXPECT_EQ(f.item->text(), "&Item");
    EXPECT_EQ(f.tool->toolTip(), "Tool hint");
    EXPECT_EQ(f.tool->text(), "design");
}

TEST_F(TranslateTest, AMissingKeyEmptiesItsTextAndAMissingFileChangesNothing)
{
    WriteFile("DATAEnu.Lan", "[Sample]\r\nSample.Lab.Caption=only this\r\n");
    SampleForm f("Sample");
    TranslateForm(&f.form, 2);
    EXPECT_EQ(f.label->text(), "only this");
    EXPECT_EQ(f.button->text(), "");
    EXPECT_EQ(f.combo->itemText(1), "");
    EXPECT_EQ(f.combo->count(), 2);

    // No Simplified Chinese caption file: texts and the message table stay as they were.
    LoadMessageTable(2);
    const QString before = Msg(32);
    ASSERT_FALSE(before.isEmpty());
    std::remove(Path("DATAChs.Lan").c_str());
    SampleForm g("Sample");
    TranslateForm(&g.form, 1);
    EXPECT_EQ(g.form.property("Tag").toInt(), 1);
    EXPECT_EQ(g.button->text(), "design");
    EXPECT_EQ(Msg(32), before);
}

TEST_F(TranslateTest, AMessageTheFileLacksComesFromTheBuiltInEnglishTable)
{
    TakeFileProblems();
    WriteFile("MultiLanEng.txt", "[Message]\r\nCount=5\r\nM0=zero\r\nM3=\" three \"\r\nM9=beyond\r\n");
    LoadMessageTable(2);
    const TMsgTable& t = MessageTable();
    const int builtIn = BuiltInMessages().ReadInteger("Message", "Count", 0);
    ASSERT_GT(builtIn, 400);
    ASSERT_EQ(t.Count(), builtIn);
    EXPECT_EQ(t[0], "zero");
    EXPECT_EQ(t[1], "Min. Value Setting Error!!") << "a gap takes the built-in text";
    EXPECT_EQ(t[3], " three ");
    EXPECT_EQ(t[9], "beyond") << "a key past a damaged Count is still the file's";
    EXPECT_EQ(t[-1], "");
    const std::vector<NotedProblem> problems = TakeFileProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(problems[0].File.ends_with("MultiLanEng.txt")) << problems[0].File;
    EXPECT_TRUE(problems[0].Text.contains(QStringLiteral("MultiLanEng.txt: "))) << problems[0].Text.toStdString();

    // Damaged or missing: the built-in English table, never a crash, a blank table or a huge
    // allocation; each problem is noted once.
    for (const char* text : {"[Message]\r\nCount=abc\r\n", "[Message]\r\nCount=-4\r\n", "garbage\x01\x02",
                             "[Message]\r\nCount=2147483647\r\nM0=x\r\n", ""}) {
        WriteFile("MultiLanEng.txt", text);
        LoadMessageTable(2);
        EXPECT_LE(MessageTable().Count(), 65536) << text;
        EXPECT_EQ(Msg(31), "Do you want to save Project to ") << text;
    }
    std::remove(Path("MultiLanEng.txt").c_str());
    LoadMessageTable(2);
    EXPECT_EQ(MessageTable().Count(), builtIn);
    EXPECT_EQ(Msg(31), "Do you want to save Project to ");
    EXPECT_FALSE(TakeFileProblems().empty());
    LoadMessageTable(2);
    EXPECT_TRUE(TakeFileProblems().empty()) << "a problem is reported once";
}

// Look-ups are indexed: a message file of 65,536 messages loads in well under a second,
// and forms translated one after another do not read it again.
TEST_F(TranslateTest, AHugeMessageFileLoadsQuickly)
{
    std::string text = "[Message]\r\nCount=65536\r\n";
    for (int i = 0; i < 65536; ++i)
        text += "M" + std::to_string(i) + "=message " + std::to_string(i) + "\r\n";
    WriteFile("MultiLanEng.txt", text);
    const test::CpuStopwatch cpu;
    LoadMessageTable(2);
    for (int i = 0; i < 20; ++i) {
        SampleForm f("Sample");
        TranslateForm(&f.form, 2);
    }
    EXPECT_LT(cpu.Elapsed().count(), 3000) << "ms of CPU time (well under a second without sanitizers)";
    EXPECT_EQ(Msg(65535), "message 65535");
}

TEST_F(TranslateTest, LanguageFilesDecodeInTheirOwnCodePage)
{
    // The process runs in the Western code page; the Chinese files are still read correctly.
    ScopedCodePage western(1252);
    LoadMessageTable(0);
    EXPECT_EQ(Msg(46), QString::fromUtf8("畫面編號"));
    LoadMessageTable(1);
    EXPECT_EQ(Msg(46), QString::fromUtf8("画面编号"));
    LoadMessageTable(2);
    EXPECT_EQ(Msg(46), "Page number");
    EXPECT_EQ(Msg(31), "Do you want to save Project to ");
}

} // namespace
} // namespace kes::test
