#include "shellfixture.h"

#include "fileerrorout.h"

#include "app/ui/msgtable.h"
#include "app/ui/qtlanguage.h"

#include "app/shell/startup.h"
#include "platform/fileio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace kes::test {

void ShellFixture::SetUp()
{
    ASSERT_TRUE(temp_.isValid());
    dir_ = temp_.path().toStdString() + "/";
    // The program folder of the build holds the shipped data files.
    const QDir bin(QStringLiteral(KES_BIN_DIR));
    for (const QString& name :
         {QStringLiteral("DATAEnu.Lan"), QStringLiteral("DATACht.Lan"), QStringLiteral("DATAChs.Lan"),
          QStringLiteral("MultiLanEng.txt"), QStringLiteral("MultiLanCht.txt"), QStringLiteral("MultiLanChs.txt"),
          QStringLiteral("Loc.ini"), QStringLiteral("Kestro.ico"), QStringLiteral("SplashPageZQ.jpg")})
        QFile::copy(bin.filePath(name), QString::fromStdString(dir_) + name);
    QDir().mkpath(QString::fromStdString(dir_ + "HMI"));
    QDirIterator it(bin.filePath(QStringLiteral("HMI")), QDir::Files);
    while (it.hasNext()) {
        it.next();
        QFile::copy(it.filePath(), QString::fromStdString(dir_ + "HMI/") + it.fileName());
    }
    QDir().mkpath(QString::fromStdString(dir_ + "DocFiles"));
    savedAppDir_ = AppDir();
    SetAppDir(dir_);
    // Problems an earlier test made of its own files are not this test's start-up report.
    TakeFileProblems();
}

void ShellFixture::TearDown()
{
    SetAppDir(savedAppDir_);
    // Qt's own texts are the process's: the next test meets them in English, as the program starts.
    UseQtLanguage(LangEng);
}

void ShellFixture::WriteFile(const std::string& name, const std::string& bytes) const
{
    FileError error;
    ASSERT_TRUE(WriteFileAtomic(Path(name), bytes, &error)) << error;
}

ProjectDoc& ShellFixture::NewDoc()
{
    doc_ = std::make_unique<ProjectDoc>();
    return *doc_;
}

std::string ShellFixture::ReadFile(const std::string& name) const
{
    std::string text;
    ReadFileText(Path(name), 1u << 30, text, nullptr);
    return text;
}

void StartedShell::SetUp()
{
    ShellFixture::SetUp();
    StartupOptions o;
    o.splashMillis = 0;
    o.prompt = asks;
    o.dialogs = dialogs;
    o.screen = &screen;
    StartMain(NewDoc(), o);
}

void StartedShell::TearDown()
{
    ShutDownMain();
    ShellFixture::TearDown();
}

} // namespace kes::test
