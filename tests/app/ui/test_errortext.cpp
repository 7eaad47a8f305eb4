// Every error the layers below return (a file that could not be read, written or removed and
// why, a project file that can not be used, a page record walk that stopped, a problem of the
// model data, a part left out of a file) is worded from the message table of the language in
// force, with its paths and numbers as arguments: its text holds the messages it is made of,
// names a file once, and in Chinese holds no Latin letter but those of the arguments.
#include "app/ui/errortext.h"
#include "app/ui/msgtable.h"
#include "platform/fileio.h"
#include "platform/sqlitedb.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

namespace kes {
namespace {

const std::string kPath = "/tmp/plant/p.zqf";

FileError Failed(FileOp op, FileFault fault, int err = 0)
{
    return FileError{op, fault, kPath, err, fault == FileFault::TooLarge ? 4096u : 0u};
}

struct Case {
    std::string name;
    std::function<QString()> text;
    std::vector<int> messages; // the messages the text is made of
    QStringList args;          // what the text names: paths, numbers, what a file holds
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    const QString path = QString::fromStdString(kPath);
    // What was done and why, each with each: the why's message and its argument.
    const struct {
        const char* name;
        FileFault fault;
        int err;
        int message;
        QString arg;
    } faults[] = {
        {"a folder", FileFault::Folder, 0, 963, {}},
        {"no plain file", FileFault::NoPlainFile, 0, 964, {}},
        {"too large", FileFault::TooLarge, 0, 965, QStringLiteral("4096")},
        {"read-only", FileFault::ReadOnly, EACCES, 967, {}},
        {"missing", FileFault::System, ENOENT, 966, {}},
        {"a missing folder on the way", FileFault::System, ENOTDIR, 966, {}},
        {"a folder in the way", FileFault::System, EISDIR, 963, {}},
        {"no access", FileFault::System, EACCES, 967, {}},
        {"not permitted", FileFault::System, EPERM, 967, {}},
        {"a read-only file system", FileFault::System, EROFS, 967, {}},
        {"a full disk", FileFault::System, ENOSPC, 968, {}},
        {"over quota", FileFault::System, EDQUOT, 968, {}},
        {"an input error", FileFault::System, EIO, 969, QStringLiteral("EIO (5)")},
    };
    const struct {
        const char* name;
        FileOp op;
        int message;
    } ops[] = {{"read", FileOp::Read, 960}, {"written", FileOp::Write, 961}, {"removed", FileOp::Remove, 962}};
    for (const auto& o : ops)
        for (const auto& f : faults)
            cases.push_back({std::string("file not ") + o.name + ": " + f.name,
                             [o, f] { return FileErrorText(Failed(o.op, f.fault, f.err)); },
                             {o.message, f.message},
                             {path, f.arg}});

    // Why a project file can not be used; a failed read or write says what the system met.
    const struct {
        ProjectError error;
        FileError file;
        int message;
        QString arg;
    } projects[] = {
        {ProjectError::Damaged, {}, 970, {}},
        {ProjectError::TooShort, {}, 970, {}},
        {ProjectError::ScreenDamaged, {}, 970, {}},
        {ProjectError::TooLarge, {}, 970, {}},
        {ProjectError::TooLarge, Failed(FileOp::Read, FileFault::TooLarge), 965, QStringLiteral("4096")},
        {ProjectError::OutOfImage, {}, 971, {}},
        {ProjectError::NoModel, {}, 971, {}},
        {ProjectError::TooManyPages, {}, 971, {}},
        {ProjectError::TooManyScreens, {}, 971, {}},
        {ProjectError::UnknownModel, {}, 972, {}},
        {ProjectError::BadName, {}, 472, {}},
        {ProjectError::NoSpace, {}, 968, {}},
        {ProjectError::Inconsistent, {}, 26, {}},
        {ProjectError::CannotRead, Failed(FileOp::Read, FileFault::NoPlainFile), 964, {}},
        {ProjectError::CannotWrite, Failed(FileOp::Write, FileFault::System, ENOSPC), 968, {}},
    };
    for (const auto& p : projects)
        cases.push_back({std::string("project: ") + ProjectErrorName(p.error) + (p.file.Failed() ? ", read" : ""),
                         [p] { return ProjectErrorText(p.error, p.file); },
                         {p.message},
                         {p.arg}});

    // Why a walk over page records stopped.
    const struct {
        DecodeError error;
        int message;
    } decodes[] = {
        {DecodeError::LibraryMissing, 973}, {DecodeError::ExportMissing, 973}, {DecodeError::BadRange, 970},
        {DecodeError::ShortHead, 970},      {DecodeError::ZeroLength, 970},    {DecodeError::LengthPastEnd, 970},
        {DecodeError::UnknownKind, 974},    {DecodeError::Truncated, 970},     {DecodeError::KeyIndexRange, 970},
        {DecodeError::SlotRange, 970},      {DecodeError::BadContent, 970},    {DecodeError::NoProgress, 970},
        {DecodeError::Internal, 970},
    };
    for (const auto& d : decodes)
        cases.push_back({std::string("records: ") + DecodeErrorName(d.error),
                         [d] { return DecodeErrorText(d.error); },
                         {d.message},
                         {}});

    // A problem of a model data file names the file once, and what it holds as it holds it.
    const std::string hmi = "/opt/kestrova/HMI/HMI.hmi";
    const struct {
        ModelWarning warning;
        std::vector<int> messages;
        QStringList args;
    } models[] = {
        {{ModelError::FileMissing, hmi, 0, {}, {}}, {960, 966}, {}},
        {{ModelError::Unreadable, hmi, 0, {}, {FileOp::Read, FileFault::TooLarge, hmi, 0, 16777216}},
         {960, 965},
         {QStringLiteral("16777216")}},
        {{ModelError::BadValue, hmi, 0, "[LX-04] Width=9999", {}}, {975}, {QStringLiteral("[LX-04] Width=9999")}},
        {{ModelError::MissingEntry, hmi, 0, "[HMI_TYPE] Count", {}}, {975}, {QStringLiteral("[HMI_TYPE] Count")}},
        {{ModelError::Inconsistent, hmi, 0, "[FactoryType] TotalMachine=7", {}},
         {975},
         {QStringLiteral("[FactoryType] TotalMachine=7")}},
        {{ModelError::TableDamaged, hmi, 12, "Step=0", {}}, {970}, {QStringLiteral(":12"), QStringLiteral("Step=0")}},
    };
    for (const auto& m : models) {
        QStringList args = m.args;
        args.prepend(QString::fromStdString(hmi));
        cases.push_back({std::string("model data: ") + ModelErrorName(m.warning.Code),
                         [w = m.warning] { return ModelWarningText(w); }, m.messages, args});
    }

    // Parts left out of a file that read only in part.
    LeftOutPart tail;
    tail.Path = kPath;
    tail.Bytes = 8388608;
    LeftOutPart past = tail;
    past.What = LeftOutPart::Kind::PastTitles;
    LeftOutPart cut;
    cut.What = LeftOutPart::Kind::TitlesCut;
    cut.Path = kPath;
    cut.Count = 3;
    cut.Limit = 65534;
    LeftOutPart unread;
    unread.What = LeftOutPart::Kind::TitlesUnread;
    unread.File = Failed(FileOp::Read, FileFault::Folder);
    const struct {
        LeftOutPart part;
        std::vector<int> messages;
        QString number;
    } parts[] = {{tail, {976}, QStringLiteral("8388608")},
                 {past, {976}, QStringLiteral("8388608")},
                 {cut, {977}, QStringLiteral("65534")},
                 {unread, {960, 963}, {}}};
    for (const auto& p : parts)
        cases.push_back({"left out: " + std::to_string(static_cast<int>(p.part.What)),
                         [part = p.part] { return LeftOutText(part); },
                         p.messages,
                         {path, p.number, QStringLiteral("3")}});

    // Entries a language file lacks, and a database file that could not be written.
    cases.push_back({"language file gaps",
                     [] { return MissingEntriesText("MultiLanCht.txt", "M960", 20); },
                     {975},
                     {QStringLiteral("MultiLanCht.txt"), QStringLiteral("M960"), QStringLiteral("19")}});
    cases.push_back({"database file",
                     [] {
                         DbError e;
                         e.File = Failed(FileOp::Write, FileFault::Folder);
                         return DbErrorText(e);
                     },
                     {961, 963},
                     {path}});
    // A database's refusals, with the bound each met.
    const struct {
        const char* name;
        DbRefusal refusal;
        int message;
    } refusals[] = {
        {"a value too long", DbRefusal::ValueTooLong, 530},
        {"a read too slow", DbRefusal::TooSlow, 531},
        {"too many rows", DbRefusal::TooManyRows, 986},
    };
    for (const auto& r : refusals)
        cases.push_back({r.name,
                         [refusal = r.refusal] {
                             DbError e;
                             e.Refusal = refusal;
                             e.MaxValueBytes = 1024;
                             e.MaxRows = 256;
                             return DbErrorText(e);
                         },
                         {r.message},
                         {r.refusal == DbRefusal::ValueTooLong  ? QStringLiteral("1024")
                          : r.refusal == DbRefusal::TooManyRows ? QStringLiteral("256")
                                                                : QString()}});
    return cases;
}

class ErrorText : public ::testing::Test {
protected:
    ErrorText() : saved_(AppDir()) { SetAppDir(std::string(KES_BIN_DIR) + "/"); }
    ~ErrorText() override
    {
        LoadMessageTable(LangEng);
        SetAppDir(saved_);
    }

private:
    std::string saved_;
};

TEST_F(ErrorText, EachKindIsWordedFromTheTableOfEachLanguage)
{
    const std::vector<Case> cases = Cases();
    std::vector<QString> english(cases.size());
    for (const int lang : {LangEng, LangCht, LangChs}) {
        LoadMessageTable(lang);
        TakeFileProblems();
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            SCOPED_TRACE(c.name + ", language " + std::to_string(lang));
            const QString text = c.text();
            ASSERT_FALSE(text.isEmpty());
            // A file is named once.
            for (const QString& arg : c.args) {
                if (arg.startsWith(QLatin1Char('/'))) {
                    EXPECT_EQ(text.count(arg), 1) << text.toStdString();
                }
            }
            // Each message's own words, around its arguments, are in the text.
            for (const int n : c.messages) {
                ASSERT_FALSE(Msg(n).isEmpty()) << n;
                for (const QString& words :
                     Msg(n).split(QRegularExpression(QStringLiteral("%\\d")), Qt::SkipEmptyParts))
                    EXPECT_TRUE(text.contains(words.trimmed())) << n << ": " << text.toStdString();
            }
            if (lang == LangEng) {
                english[i] = text;
                continue;
            }
            EXPECT_NE(text, english[i]);
            QString rest = text;
            for (const QString& arg : c.args)
                if (!arg.isEmpty())
                    rest.remove(arg);
            EXPECT_FALSE(rest.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << text.toStdString();
        }
    }
    EXPECT_TRUE(TakeFileProblems().empty()) << "the shipped message files lack none of these";
}

} // namespace
} // namespace kes
