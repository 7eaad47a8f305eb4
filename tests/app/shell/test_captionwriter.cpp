// The caption-list writer: the form's caption first, then per component in order the lines
// the caption files hold (hints of tool buttons, captions, combo items, radio group caption
// and items; nothing for edits), keys the translator reads; the main window's list goes to
// Lan/Khm.<language>, and a write that fails is reported.
#include "shellfixture.h"

#include "app/shell/shelltools.h"
#include "app/shell/tkhm.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/fileio.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <set>

namespace kes::test {
namespace {

using CaptionWriterTest = StartedShell;

TEST_F(CaptionWriterTest, ListsTheFormsTextsUnderTheKeysTheTranslatorReads)
{
    QDialog form;
    form.setObjectName(QStringLiteral("FrmSample"));
    form.setWindowTitle(QStringLiteral("Sample"));
    form.setProperty("Tag", 2);
    auto* lay = new QVBoxLayout(&form);
    auto* label = new QLabel(QStringLiteral("Name"), &form);
    label->setObjectName(QStringLiteral("Lab_Name"));
    auto* edit = new QLineEdit(&form);
    edit->setObjectName(QStringLiteral("EdtName"));
    auto* combo = new QComboBox(&form);
    combo->setObjectName(QStringLiteral("CB_Kind"));
    combo->addItems({QStringLiteral("Bit"), QStringLiteral("Word")});
    auto* group = new QGroupBox(QStringLiteral("When"), &form);
    group->setObjectName(QStringLiteral("Rg_When"));
    SetComponentClass(group, "TRadioGroup");
    auto* g = new QVBoxLayout(group);
    for (const char* t : {"Now", "Later"}) {
        auto* r = new QRadioButton(QLatin1String(t), group);
        SetComponentClass(r, "");
        g->addWidget(r);
    }
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(edit), static_cast<QWidget*>(combo),
                       static_cast<QWidget*>(group)})
        lay->addWidget(w);

    EXPECT_EQ(CaptionListText(form), "FrmSample.Caption=Sample\n"
                                     "FrmSample.Lab_Name.Caption=Name\n"
                                     "FrmSample.CB_Kind.Items[0]=Bit\n"
                                     "FrmSample.CB_Kind.Items[1]=Word\n"
                                     "FrmSample.Rg_When.Caption=When\n"
                                     "FrmSample.Rg_When.Items[0]=Now\n"
                                     "FrmSample.Rg_When.Items[1]=Later\n");
    EXPECT_EQ(CaptionListPath(form), Dir() + "Lan/FrmSample.ENU");
    form.setProperty("Tag", 0);
    EXPECT_EQ(CaptionListPath(form), Dir() + "Lan/FrmSample.CHT");

    // Every key but the form's caption is one the translator reads for the form.
    std::set<std::string> read;
    for (const CaptionKey& k : FormCaptionKeys(&form))
        read.insert(k.key);
    for (const CaptionLine& line : FormCaptionLines(&form)) {
        if (line.key != "FrmSample.Caption") {
            EXPECT_TRUE(read.count(line.key)) << line.key;
        }
    }
}

TEST_F(CaptionWriterTest, TheMainWindowsListGoesToTheLanguageFolder)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("Lan"))));
    Main()->MmLangChtClick(0);
    Main()->Action("MmWriteLan")->trigger();
    const std::string text = ReadFile("Lan/Khm.CHT");
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.rfind("Khm.Caption=", 0), 0u);
    EXPECT_NE(text.find("\nKhm.MmNew.Caption="), std::string::npos);

    QDir(QString::fromStdString(Path("Lan"))).removeRecursively();
    prompt.shown.clear();
    Main()->Action("MmWriteLan")->trigger();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(prompt.shown[0].startsWith(Msg(475)));
}

} // namespace
} // namespace kes::test
