// The page and system settings through the started program: a page change condition, a
// function key, the system buzzer, a power-on macro and the page's page-number write are set
// from the menus on a new project, which is saved, closed, opened again and compiled; the
// reopened project holds every setting and the compiled image carries them, the system ones
// in its header sections and the page ones in the page's records. With KES_E2E_SHOTS set, each
// dialog is pictured in English and, after the language command, in Traditional Chinese.
#include "e2efixture.h"

#include "app/project/ui/tlxtype.h"
#include "decoder/setlayout.h"
#include "platform/codepage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace kes::test {
namespace {

// Page starts in the compiled image, as decimal texts, then its end.
std::vector<std::size_t> Offsets(const std::vector<std::string>& list)
{
    std::vector<std::size_t> out;
    for (const std::string& s : list)
        out.push_back(static_cast<std::size_t>(std::stoul(s)));
    return out;
}

class PageSettings : public E2ETest {
protected:
    // The settings menu as it opens, then one of its commands with its dialog.
    void FromMenu(const char* menu, const char* command, const std::function<void(QDialog&)>& fill)
    {
        auto* m = Main()->findChild<QMenu*>(QString::fromLatin1(menu) + QStringLiteral("_menu"));
        ASSERT_NE(m, nullptr);
        emit m->aboutToShow();
        RunWithDialog(command, fill);
    }
    void Click(QDialog& d, const char* radio) { Control<QRadioButton>(d, radio).click(); }
    QString WordText() const { return AnsiToQString(Main()->LxType->DefWordText); }

    // Every settings dialog opened and closed without a change, pictured as prefix + name.
    void LookAtAll(const std::string& prefix)
    {
        const struct {
            const char* menu;
            const char* command;
            const char* shot;
            const char* close;
        } looks[] = {
            {"MmPageSet", "MmPgJump", "pgjump", "CloseBtn"},
            {"MmPageSet", "MmFunKeyEt", "funkeyset", "CloseBtn"},
            {"MmPageSet", "MmLedSet", "sysset-lamp", "CloseBtn"},
            {"MmPageSet", "MmPgPageWriteSet", "plcvaladdrset", "BtnClose"},
            {"MmGlobalSet", "MmSysPowerOnSet", "sysset-poweron", "CloseBtn"},
            {"MmGlobalSet", "MmParaset", "paraset", "BtnClose"},
        };
        for (const auto& l : looks)
            FromMenu(l.menu, l.command, [&](QDialog& d) {
                Shot(d, (prefix + l.shot).c_str());
                EXPECT_EQ(MissingCaptions(d, Dir()), std::vector<std::string>{}) << l.shot;
                PushButton(d, l.close);
            });
    }
};

TEST_F(PageSettings, SetFromTheMenusSavedReopenedAndCompiled)
{
    NewProjectNamed("Line");
    ASSERT_NE(CurPage(), nullptr);
    FromMenu("MmPageSet", "MmPgJump", [&](QDialog& d) {
        Click(d, "Bit_Rdo");
        Control<QRadioButton>(d, "DevCond_1").click();
        Choose(Control<QComboBox>(d, "PgChg_Box"), QStringLiteral("0"));
        PushButton(d, "AddInBtn");
        EXPECT_EQ(Control<QListWidget>(d, "PgChgList").count(), 1) << prompt.shown.size();
        Shot(d, "en-pgjump");
        PushButton(d, "CloseBtn");
    });
    FromMenu("MmPageSet", "MmFunKeyEt", [&](QDialog& d) {
        auto& grid = Control<QTableWidget>(d, "FunKey_Grid");
        grid.setCurrentCell(1, 0);
        emit grid.cellClicked(1, 0);
        Choose(Control<QComboBox>(d, "BtnType_Box"),
               Control<QComboBox>(d, "BtnType_Box").itemText(kes::BtnCode(kes::BtnType::SetOn)));
        PushButton(d, "SetBtn");
        Shot(d, "en-funkeyset");
        PushButton(d, "CloseBtn");
    });
    FromMenu("MmGlobalSet", "MmSysBuzzerSet", [&](QDialog& d) {
        Click(d, "Bit_Rdo");
        Click(d, "On_Rdo");
        Shot(d, "en-sysset-buzzer");
        PushButton(d, "OkBtn");
    });
    FromMenu("MmGlobalSet", "MmSysPowerOnSet", [&](QDialog& d) {
        Click(d, "Val_Rdo");
        TypeInto(Control<QLineEdit>(d, "DevRefTxt"), WordText());
        TypeInto(Control<QLineEdit>(d, "EdtVal"), QStringLiteral("123"));
        Choose(Control<QComboBox>(d, "CB_TimeSet"), QStringLiteral("1000ms"));
        Shot(d, "en-sysset-poweron");
        PushButton(d, "OkBtn");
    });
    FromMenu("MmPageSet", "MmPgPageWriteSet", [&](QDialog& d) {
        EXPECT_EQ(Control<QLineEdit>(d, "DevRefTxt").text(), WordText());
        Shot(d, "en-plcvaladdrset");
        PushButton(d, "BtnOK");
    });
    FromMenu("MmGlobalSet", "MmParaset", [&](QDialog& d) {
        Shot(d, "en-paraset");
        PushButton(d, "BtnClose");
    });
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front().toStdString();
    ASSERT_EQ(CurPage()->Data().PgJmpList.size(), 1u);
    ASSERT_EQ(CurPage()->Data().PgFunKeyUsed[1], 1);
    const std::int32_t buzzer = Main()->Doc.SysBuzzer.Ref.DevAddrCode;
    const std::int32_t numWrite = CurPage()->Data().PgNumWrite.Ref.DevAddrCode;
    ASSERT_NE(buzzer, -1);
    ASSERT_NE(numWrite, -1);

    SaveCloseAndReopen("Line", "settings-save-as", "settings-open");
    ASSERT_NE(CurPage(), nullptr);
    ProjectDoc& doc = Main()->Doc;
    EXPECT_EQ(doc.SysBuzzer.Ref.DevAddrCode, buzzer);
    EXPECT_EQ(doc.SysBuzzer.OnOffOrOperator, 1);
    EXPECT_EQ(doc.PowerOnMacro.Value, 123);
    EXPECT_EQ(doc.PowerOnMacro.IntervalIndex, 1);
    ASSERT_EQ(CurPage()->Data().PgJmpList.size(), 1u);
    EXPECT_EQ(CurPage()->Data().PgJmpList[0].OnOff, 1);
    EXPECT_EQ(CurPage()->Data().PgFunKeys[1].ButtonType, kes::BtnType::SetOn);
    EXPECT_EQ(CurPage()->Data().PgNumWrite.Ref.DevAddrCode, numWrite);
    // The system menu marks what is set.
    {
        auto* m = Main()->findChild<QMenu*>(QStringLiteral("MmGlobalSet_menu"));
        emit m->aboutToShow();
        EXPECT_TRUE(Main()->Action("MmSysBuzzerSet")->isChecked());
        EXPECT_TRUE(Main()->Action("MmSysPowerOnSet")->isChecked());
        EXPECT_FALSE(Main()->Action("MmSysLedSet")->isChecked());
    }

    prompt.shown.clear();
    Trigger("MmTranslate");
    ASSERT_EQ(doc.Compiled, 1) << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());
    const ByteSpan image(doc.MemImage.data(), static_cast<std::size_t>(doc.MemImageLen));
    const ByteSpan header = image.first(static_cast<std::size_t>(doc.ImageHeaderLen));
    const auto macro = FindRecord(header, kTagMacPowerOn);
    ASSERT_TRUE(macro) << "the header holds the power-on macro";
    EXPECT_EQ(GetU32be(header, *macro + layout::MacPowerOn::Value), 123u);
    const auto sys = FindRecord(header, kTagPgSys);
    ASSERT_TRUE(sys) << "the header holds the buzzer";
    EXPECT_EQ(GetU32be(header, *sys + layout::PgSys::Ref), static_cast<std::uint32_t>(buzzer));
    const std::vector<std::size_t> offsets = Offsets(doc.OffsetList);
    ASSERT_EQ(offsets.size(), 2u);
    const ByteSpan page = image.subspan(offsets[0], offsets[1] - offsets[0]);
    for (std::uint16_t tag : {kTagPgJmp, kTagPgFunKey, kTagPgNumWrite})
        EXPECT_TRUE(FindRecord(page, tag)) << "the page's records hold tag " << tag;
    const auto write = FindRecord(page, kTagPgNumWrite);
    ASSERT_TRUE(write);
    EXPECT_EQ(GetU32be(page, *write + layout::PLCValSet::Ref), static_cast<std::uint32_t>(numWrite));

    // Each dialog again, in English and in Traditional Chinese; closing changes nothing.
    doc.Modified = 0;
    LookAtAll("en-look-");
    Trigger("MmLangCht");
    LookAtAll("cht-");
    Trigger("MmLangEng");
    EXPECT_EQ(doc.Modified, 0);
}

} // namespace
} // namespace kes::test
