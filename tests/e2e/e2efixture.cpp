#include "e2efixture.h"

#include "app/project/ui/tlxtype.h"
#include "app/ui/msgtable.h"
#include "app/ui/translate.h"
#include "platform/inifile.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace kes::test {

void Choose(QComboBox& box, const QString& text)
{
    const int i = box.findText(text);
    ASSERT_GE(i, 0) << box.objectName().toStdString() << " has no item " << text.toStdString();
    box.setCurrentIndex(i);
    Q_EMIT box.activated(i);
}

void TypeInto(QLineEdit& edit, const QString& text)
{
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, text);
}

void PushButton(QWidget& form, const char* button)
{
    QTest::mouseClick(&Control<QPushButton>(form, button), Qt::LeftButton);
}

void ClickItem(QWidget& form, const char* group, int i)
{
    const QList<QRadioButton*> items =
        Control<QGroupBox>(form, group).findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    if (i < 0 || i >= items.size())
        throw std::runtime_error(std::string(group) + " has no item " + std::to_string(i));
    QTest::mouseClick(items[i], Qt::LeftButton);
}

std::optional<std::size_t> FindRecord(ByteSpan page, std::uint16_t tag)
{
    std::size_t at = 0;
    while (at + 4 <= page.size()) {
        const auto t = GetU16be(page, at);
        const auto len = GetU16be(page, at + 2);
        if (!t || !len || *len < 4)
            return std::nullopt;
        if (*t == tag)
            return at;
        at += *len;
    }
    return std::nullopt;
}

std::vector<std::string> MissingCaptions(QWidget& form, const std::string& dir)
{
    std::vector<std::string> missing;
    for (int lang : {LangCht, LangChs, LangEng}) {
        TIniFile ini(dir + CaptionFileName(lang));
        for (const CaptionKey& key : FormCaptionKeys(&form)) {
            const bool hint = key.key.size() > 5 && key.key.compare(key.key.size() - 5, 5, ".Hint") == 0;
            if (!hint && !ini.ValueExists(key.section, key.key))
                missing.push_back(CaptionFileName(lang) + ": " + key.key);
        }
    }
    return missing;
}

void E2ETest::SetUp()
{
    EditorTest::SetUp();
    shots_ = qEnvironmentVariable("KES_E2E_SHOTS");
    QDir().mkpath(QString::fromStdString(Path("work")));
}

void E2ETest::Shot(QWidget& w, const char* name)
{
    if (shots_.isEmpty())
        return;
    w.grab().save(QDir(shots_).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

std::function<void(QDialog&)> E2ETest::Counted(const std::function<void(QDialog&)>& fill, int& runs)
{
    return [this, &fill, &runs](QDialog& d) {
        const auto nested = nested_.find(d.objectName());
        if (nested == nested_.end())
            ++runs;
        try {
            (nested == nested_.end() ? fill : nested->second)(d);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            d.reject();
        }
    };
}

void E2ETest::AnswerNested(const QString& form, std::function<void(QDialog&)> fill) { nested_[form] = std::move(fill); }

void E2ETest::RunWithDialog(const char* command, const std::function<void(QDialog&)>& fill)
{
    int runs = 0;
    prompt.onExec = Counted(fill, runs);
    Trigger(command);
    prompt.onExec = nullptr;
    EXPECT_EQ(runs, 1) << command << " opened no dialog";
}

std::function<void(QDialog&)> E2ETest::AnswerFile(const std::string& path, const char* shot)
{
    return [this, path, shot](QDialog& d) {
        auto& files = dynamic_cast<QFileDialog&>(d);
        files.selectFile(QString::fromStdString(path));
        Shot(files, shot);
        static_cast<QDialog&>(files).accept();
    };
}

void E2ETest::DoubleClickOn(QPoint p, const std::function<void(QDialog&)>& fill)
{
    int runs = 0;
    prompt.onExec = Counted(fill, runs);
    QTest::mouseClick(Canvas(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(Canvas(), Qt::LeftButton, {}, p);
    prompt.onExec = nullptr;
    EXPECT_EQ(runs, 1) << "the double click opened no settings";
}

void E2ETest::NewProjectNamed(const QString& name, const QString& model)
{
    RunWithDialog("MmNew", [&](QDialog& d) {
        EXPECT_EQ(&d, Main()->LxType);
        EXPECT_EQ(Control<QComboBox>(d, "Factory_Box").currentText(), QStringLiteral("Sample"));
        EXPECT_EQ(Control<QComboBox>(d, "PLCType_Box").currentText(), QStringLiteral("Sample PLC"));
        Choose(Control<QComboBox>(d, "MMIType_Box"), model);
        TypeInto(Control<QLineEdit>(d, "FileName_Txt"), name);
        Shot(d, "02-new-project");
        PushButton(d, "OkBtn");
    });
}

void E2ETest::SaveCloseAndReopen(const std::string& name, const char* saveShot, const char* openShot)
{
    const std::string file = Path("work/" + name + ".zqf");
    RunWithDialog("MmSaveAs", AnswerFile(file, saveShot));
    ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));
    const std::size_t shownBeforeClose = prompt.shown.size();
    Trigger("MmClosePrj");
    EXPECT_EQ(prompt.shown.size(), shownBeforeClose) << "a saved project closes without a question";
    EXPECT_EQ(CurPage(), nullptr);
    EXPECT_TRUE(Main()->Doc.PgDataList.empty());
    RunWithDialog("MmOpen", AnswerFile(file, openShot));
}

} // namespace kes::test
