// The include check of the build (cmake/check-layers.cmake) places every include of ours where
// the compiler would find it and lets a source see only its own folder and the folders its
// layer may see: a path that climbs out of its folder, a header of ours in angle brackets, an
// include it can not place and one of a folder in no layer all fail it, as does a widget
// header below the UI base. Run on a small tree of its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class LayerCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Put("layers.txt", "platform|MODEL|\napp/editor|WIDGETS|platform\napp/shell|WIDGETS|app/editor platform\n");
        Put("qt/QtWidgets/QWidget", "");
        Put("platform/p.h", "");
        Put("app/editor/e.h", "");
        Put("app/shell/s.h", "");
        Put("fuzz/f.h", "");
    }

    void Put(const QString& name, const QByteArray& text)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    // Runs the check; the messages when it fails, empty when it passes.
    QString Check()
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(KES_CMAKE),
                {QStringLiteral("-DROOT=") + dir.path(), QStringLiteral("-DTABLE=") + dir.filePath("layers.txt"),
                 QStringLiteral("-DWIDGET_DIRS=") + dir.filePath("qt/QtWidgets"),
                 QStringLiteral("-DSTAMP=") + dir.filePath("stamp"), QStringLiteral("-P"),
                 QStringLiteral(KES_SOURCE_DIR "/cmake/check-layers.cmake")});
        EXPECT_TRUE(p.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(p.readAll()).simplified();
        const bool passed = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        EXPECT_EQ(passed, QFile::exists(dir.filePath("stamp"))) << "the stamp is written when it passes";
        QFile::remove(dir.filePath("stamp"));
        return passed ? QString() : out;
    }

    QTemporaryDir dir;
};

TEST_F(LayerCheck, IncludesArePlacedAndCheckedAgainstTheLayers)
{
    struct Case {
        const char* source;
        const char* include;
        const char* failure; // null: the check passes
    } cases[] = {
        {"app/editor/e.cpp", "\"platform/p.h\"", nullptr},
        {"app/editor/e.cpp", "\"e.h\"", nullptr}, // beside the source, where the compiler looks first
        {"app/shell/s.cpp", "\"app/editor/e.h\"", nullptr},
        {"app/editor/e.cpp", "<QWidget>", nullptr},
        {"app/editor/e.cpp", "<vector>", nullptr},
        {"app/editor/e.cpp", "\"app/shell/s.h\"", "but app/editor may not see app/shell"},
        {"app/editor/e.cpp", "<app/shell/s.h>", "but app/editor may not see app/shell"},
        {"app/editor/e.cpp", "\"../shell/s.h\"", "climbs out of its folder"},
        {"app/editor/e.cpp", "\"./../shell/s.h\"", "climbs out of its folder"},
        {"app/editor/e.cpp", "\"app/editor/../shell/s.h\"", "climbs out of its folder"},
        {"app/editor/e.cpp", "\"s.h\"", "which is no header of the tree"},
        {"app/editor/e.cpp", "\"app/editor\"", "which is no header of the tree"},
        {"app/editor/e.cpp", "\"fuzz/f.h\"", "which lies in no layer"},
        {"platform/p.cpp", "<QWidget>", "a widget header, below the UI base"},
        {"platform/p.cpp", "<QtWidgets/QWidget>", "a widget header, below the UI base"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " includes " + c.include);
        Put(c.source, QByteArray("#include ") + c.include + "\n");
        const QString out = Check();
        if (c.failure) {
            EXPECT_TRUE(out.contains(QString::fromLatin1(c.failure))) << out.toStdString();
            EXPECT_TRUE(out.contains(QString::fromLatin1(c.source))) << "names the source";
        } else {
            EXPECT_TRUE(out.isEmpty()) << out.toStdString();
        }
        QFile::remove(dir.filePath(c.source));
    }
}

TEST_F(LayerCheck, ASourceInNoLayerFails)
{
    Put("app/other/o.cpp", "#include \"platform/p.h\"\n");
    EXPECT_TRUE(Check().contains(QStringLiteral("app/other/o.cpp: lies in no layer")));
}

} // namespace
