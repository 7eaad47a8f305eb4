// The program installed with cmake --install into a prefix made read-only, as under a system
// prefix: the prefix holds the command, the desktop menu entry naming the command by its full
// path (quoted: the prefix has a blank and a dollar sign) and its icon; the installed
// program starts offscreen; a project created and saved, the user menu and a caption list go
// to the user's data folder, the settings to the user's config folder, and after a new start
// the settings are kept, the project opens again and the user's menu is the one read. Root may write anywhere, so as
// root the part that runs the program runs as the user nobody.
#include "app/project/projectdoc.h"
#include "app/project/ui/tlxtype.h"
#include "app/shell/lxeini.h"
#include "app/shell/startup.h"
#include "app/shell/tkhm.h"
#include "app/ui/prompt.h"
#include "mainwindow.h"
#include "platform/fileio.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace kes::test {
namespace {

constexpr const char* kPrefixVar = "KES_INSTALLED_PREFIX";
constexpr uid_t kNobody = 65534;

// Runs a program to its end; its output goes to *output.
int RunToEnd(const QString& program, const QStringList& args, QString* output = nullptr,
             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(300000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The arguments of a desktop entry's Exec key: the value's string escapes undone, then split at
// blanks outside double quotes, where a backslash takes the next character as it is.
QStringList DesktopExec(const QByteArray& entry)
{
    QString value;
    for (const QByteArray& line : entry.split('\n'))
        if (line.startsWith("Exec="))
            value = QString::fromUtf8(line.mid(5));
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size() && value[i + 1] == QLatin1Char('\\'))
            ++i;
        unescaped += value[i];
    }
    QStringList args;
    QString arg;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (quoted && c == QLatin1Char('\\') && i + 1 < unescaped.size()) {
            arg += unescaped[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (c == QLatin1Char(' ') && !quoted) {
            if (any || !arg.isEmpty())
                args.append(arg);
            arg.clear();
            any = false;
        } else {
            arg += c;
        }
    }
    if (any || !arg.isEmpty())
        args.append(arg);
    return args;
}

// As the user who runs the program: nobody when this test runs as root.
QStringList AsUser(const QString& program, const QStringList& args)
{
    if (geteuid() != 0)
        return QStringList{program} + args;
    return QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                       QStringLiteral("--clear-groups"), QStringLiteral("--"), program} +
           args;
}

QProcessEnvironment UserEnvironment(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    return env;
}

// The installed program's part, in the process of the user who runs it.
void CreateSaveAndReopen(const std::string& prefix)
{
    const std::string home = std::getenv("HOME");
    const std::string appDir = prefix + "/lib/kestrova/";
    ASSERT_NE(::access(appDir.c_str(), W_OK), 0) << "the program folder is read-only";
    const std::string saved = AppDir();
    SetAppDir(appDir);
    ScriptedPrompt prompt;
    StartupOptions o;
    o.splashMillis = 0;
    o.prompt = &prompt;

    auto doc = std::make_unique<ProjectDoc>();
    StartMain(*doc, o);
    const std::string config = home + "/.config/kestrova/";
    const std::string data = home + "/.local/share/kestrova/";
    EXPECT_EQ(Main()->Doc.ConfigDir, config);
    EXPECT_EQ(Main()->Doc.DataDir, data);

    prompt.onExec = [](QDialog& d) {
        auto& form = static_cast<TLxType&>(d);
        form.FileName_Txt->setText(QStringLiteral("Plant"));
        form.OkBtn->click();
    };
    Main()->Action("MmNew")->trigger();
    prompt.onExec = nullptr;
    ASSERT_EQ(Main()->Doc.PrjName, "Plant");
    Main()->Action("MmSave")->trigger();
    const std::string project = data + "Plant.zqf";
    EXPECT_TRUE(FileExists(project)) << (prompt.shown.empty() ? "" : prompt.shown.back().toStdString());

    // The user menu opens from the shipped file and is saved as the user's own.
    Main()->Doc.Modified = 0;
    Main()->Action("LX041")->trigger();
    ASSERT_EQ(Main()->View.EditMode, kes::Editing::UserMenu);
    const std::uint8_t unit = Main()->Doc.HmiUnitAddr ^ 1;
    Main()->Doc.HmiUnitAddr = unit;
    Main()->Doc.Modified = 1;
    prompt.answers = {Answer::Yes};
    ASSERT_TRUE(Main()->CloseProjectQuery());
    EXPECT_TRUE(FileExists(data + "UserMenu/ZQ04/UserMenu.Men"));
    // So is a caption list, into the user's language folder.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(data + "Lan")));
    Main()->Action("MmWriteLan")->trigger();
    EXPECT_TRUE(FileExists(data + "Lan/Khm.ENU"));

    Main()->MmLangChtClick(1);
    Main()->FormClose();
    ShutDownMain();
    EXPECT_TRUE(FileExists(config + "Lxe.ini"));
    EXPECT_TRUE(FileExists(config + "Loc.ini"));
    EXPECT_FALSE(FileExists(appDir + "Lxe.ini"));

    // The next start finds the settings and the project again.
    doc = std::make_unique<ProjectDoc>();
    StartMain(*doc, o);
    LxeSettings settings;
    ASSERT_TRUE(ReadLxeIni(config + "Lxe.ini", data, settings));
    EXPECT_EQ(settings.Language, 1) << "the language chosen";
    Main()->OpenDlg.FileName = project;
    EXPECT_TRUE(Main()->ReadProjectFiles());
    EXPECT_EQ(Main()->Doc.PrjName, "Plant");
    EXPECT_EQ(Main()->Doc.PgDataList.size(), 1u);
    // The user's user menu is the one read.
    Main()->Doc.Modified = 0;
    Main()->Action("LX041")->trigger();
    EXPECT_EQ(Main()->Doc.HmiUnitAddr, unit);
    ASSERT_TRUE(Main()->CloseProjectQuery());
    Main()->OpenDlg.FileName = project;
    ASSERT_TRUE(Main()->ReadProjectFiles());
    // Opened, it is the newest of the recent files the next start finds.
    Main()->AddRecentFile(project);
    Main()->Doc.Modified = 0;
    Main()->FormClose();
    ShutDownMain();
    doc = std::make_unique<ProjectDoc>();
    StartMain(*doc, o);
    ASSERT_FALSE(Main()->Doc.RecentFiles.empty());
    EXPECT_EQ(Main()->Doc.RecentFiles.front(), project);
    Main()->Doc.Modified = 0;
    Main()->FormClose();
    ShutDownMain();
    SetAppDir(saved);
    for (std::size_t i = 0; i < prompt.shown.size(); ++i)
        EXPECT_NE(prompt.kinds[i], MsgKind::Error) << prompt.shown[i].toStdString();
}

TEST(Installed, RunsFromAReadOnlyPrefixAndKeepsWhatItWritesInTheUsersFolders)
{
    // The second run of this test: as the user, on the prefix the first one installed.
    if (const char* prefix = std::getenv(kPrefixVar)) {
        CreateSaveAndReopen(prefix);
        return;
    }
    // Under /tmp rather than this test's own scratch folder, which the user may not reach.
    QTemporaryDir temp(QStringLiteral("/tmp/kes_install-XXXXXX"));
    ASSERT_TRUE(temp.isValid());
    QFile::setPermissions(temp.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ReadOther | QFileDevice::ExeOther);
    // A blank and a dollar sign: the desktop entry quotes the path it names.
    const QString prefix = temp.filePath(QStringLiteral("pre fix$1"));
    const QString home = temp.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    QString out;
    ASSERT_EQ(RunToEnd(QStringLiteral(KES_CMAKE),
                       {QStringLiteral("--install"), QStringLiteral(KES_BUILD_DIR), QStringLiteral("--prefix"), prefix},
                       &out),
              0)
        << out.toStdString();

    // What the desktop needs.
    const QFileInfo command(prefix + QStringLiteral("/bin/kestrova"));
    EXPECT_TRUE(command.isSymLink() && command.isExecutable());
    QFile entry(prefix + QStringLiteral("/share/applications/kestrova.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray desktop = entry.readAll();
    EXPECT_TRUE(desktop.contains("Icon=kestrova"));
    // The entry starts the installed command by its full path, whatever PATH holds.
    const QStringList exec = DesktopExec(desktop);
    ASSERT_EQ(exec.size(), 2) << desktop.toStdString();
    EXPECT_EQ(exec[0], command.filePath());
    EXPECT_EQ(exec[1], QStringLiteral("%f"));
    EXPECT_TRUE(QFile::exists(prefix + QStringLiteral("/share/icons/hicolor/48x48/apps/kestrova.png")));
    for (const char* shipped : {"libMorvik.so", "MultiLanCht.txt", "DATAEnu.Lan", "HMI/HMI.hmi", "Help/index.html",
                                "objenu.mdb", "Loc.ini", "UserMenu/ZQ04/UserMenu.Men"})
        EXPECT_TRUE(QFile::exists(prefix + QStringLiteral("/lib/kestrova/") + QLatin1String(shipped))) << shipped;

    ASSERT_EQ(RunToEnd(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a-w"), prefix}), 0);
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(home.toLocal8Bit().constData(), kNobody, kNobody), 0);
    }
    const QProcessEnvironment env = UserEnvironment(home);

    // The installed program starts and keeps running.
    {
        QStringList cmd = AsUser(command.absoluteFilePath(), {});
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        const QString exe = geteuid() == 0 ? QStringLiteral("setpriv") : cmd.takeFirst();
        program.start(exe, cmd);
        ASSERT_TRUE(program.waitForStarted());
        EXPECT_FALSE(program.waitForFinished(3000)) << program.readAll().toStdString();
        program.kill();
        program.waitForFinished();
    }

    // Create, save, start again and reopen, as the user.
    QProcessEnvironment child = env;
    child.insert(QString::fromLatin1(kPrefixVar), prefix);
    // The user may not reach the build folder: this test and the libraries it needs are copied
    // to where it can, in the same places relative to each other.
    const QString runDir = temp.filePath(QStringLiteral("run"));
    ASSERT_TRUE(QDir().mkpath(runDir + QStringLiteral("/tests")) && QDir().mkpath(runDir + QStringLiteral("/bin")));
    const QString self = runDir + QStringLiteral("/tests/test_install");
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), self));
    for (const QString& lib : QDir(QStringLiteral(KES_BIN_DIR)).entryList({QStringLiteral("lib*.so")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(QStringLiteral(KES_BIN_DIR "/") + lib, runDir + QStringLiteral("/bin/") + lib));
    QStringList cmd = AsUser(
        self,
        {QStringLiteral("--gtest_filter=Installed.RunsFromAReadOnlyPrefixAndKeepsWhatItWritesInTheUsersFolders")});
    const QString exe = geteuid() == 0 ? QStringLiteral("setpriv") : cmd.takeFirst();
    const int rc = RunToEnd(exe, cmd, &out, child);
    EXPECT_EQ(rc, 0) << out.toStdString();
    EXPECT_FALSE(QFile::exists(prefix + QStringLiteral("/lib/kestrova/Lxe.ini")));

    RunToEnd(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), prefix});
    RunToEnd(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("u+w"), home});
}

} // namespace
} // namespace kes::test
