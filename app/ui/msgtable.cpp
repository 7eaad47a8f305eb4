#include "app/ui/msgtable.h"

#include "app/ui/errortext.h"
#include "platform/codepage.h"
#include "platform/fileio.h"
#include "platform/inifile.h"
#include "platform/sqlitedb.h"

#include <utility>

#include <QFile>

#include <algorithm>
#include <set>

namespace kes {
namespace {
// The shipped tables hold some 500 messages.
constexpr int kMaxMessages = 65536;

TIniFile BuiltInFile(const char* name)
{
    TIniFile ini("");
    QFile f(QStringLiteral(":/lang/") + QLatin1String(name));
    if (f.open(QIODevice::ReadOnly))
        ini.SetText(f.readAll().toStdString());
    return ini;
}

struct ProblemList {
    std::vector<NotedProblem> pending;
    std::set<std::pair<std::string, QString>> seen;
};

ProblemList& Problems()
{
    static ProblemList list;
    return list;
}

std::string NamePart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int MessageCount(const TIniFile& ini)
{
    int count = 0;
    if (!ParseIniInteger(ini.ReadString("Message", "Count", ""), count))
        return 0;
    return std::clamp(count, 0, kMaxMessages);
}

} // namespace

const TIniFile& BuiltInCaptions()
{
    static const TIniFile ini = BuiltInFile("DATAEnu.Lan");
    return ini;
}

const TIniFile& BuiltInMessages()
{
    static const TIniFile ini = BuiltInFile("MultiLanEng.txt");
    return ini;
}

void NoteFileProblem(const std::string& file, const QString& text)
{
    if (!text.isEmpty() && Problems().seen.insert({file, text}).second)
        Problems().pending.push_back({file, text});
}

std::vector<NotedProblem> TakeFileProblems()
{
    Problems().seen.clear();
    return std::exchange(Problems().pending, {});
}

int LangCodePage(int langIndex)
{
    switch (langIndex) {
    case LangCht:
        return 950;
    case LangChs:
        return 936;
    default:
        return 1252;
    }
}

std::string CaptionFileName(int langIndex)
{
    switch (langIndex) {
    case LangCht:
        return "DATACht.Lan";
    case LangChs:
        return "DATAChs.Lan";
    default:
        return "DATAEnu.Lan";
    }
}

std::string MsgFileName(int langIndex)
{
    switch (langIndex) {
    case LangCht:
        return "MultiLanCht.txt";
    case LangChs:
        return "MultiLanChs.txt";
    default:
        return "MultiLanEng.txt";
    }
}

const QString& TMsgTable::operator[](int n) const
{
    static const QString empty;
    if (n < 0 || n >= Count())
        return empty;
    return items_[static_cast<std::size_t>(n)];
}

TMsgTable::Gaps TMsgTable::LoadFromFile(const std::string& path, int codePage)
{
    std::string text;
    const bool loaded = ReadFileText(path, kMaxIniBytes, text, nullptr);
    return LoadFromText(path, loaded ? text : std::string(), loaded, codePage);
}

bool TMsgTable::LoadedFrom(const std::string& name, const std::string& text, bool loaded, int codePage) const
{
    return source_ && source_->name == name && source_->text == text && source_->loaded == loaded &&
           source_->codePage == codePage;
}

TMsgTable::Gaps TMsgTable::LoadFromText(const std::string& name, const std::string& text, bool loaded, int codePage)
{
    items_.clear();
    source_ = Source{name, text, loaded, codePage};
    TIniFile ini("");
    ini.SetText(text);
    const TIniFile& builtIn = BuiltInMessages();
    const int count = MessageCount(ini);
    const int builtInCount = MessageCount(builtIn);
    // Keys past a damaged Count are still the file's own texts.
    const int n = std::max(count, builtInCount);
    std::vector<std::string> raw(static_cast<std::size_t>(n));
    std::vector<bool> english(static_cast<std::size_t>(n), false);
    Gaps gaps;
    for (int i = 0; i < n; ++i) {
        const std::string key = "M" + std::to_string(i);
        if (ini.ValueExists("Message", key)) {
            raw[static_cast<std::size_t>(i)] = ini.ReadString("Message", key, "");
        } else if (builtIn.ValueExists("Message", key)) {
            raw[static_cast<std::size_t>(i)] = builtIn.ReadString("Message", key, "");
            english[static_cast<std::size_t>(i)] = true;
            gaps.FirstMissing = gaps.Missing++ == 0 ? i : gaps.FirstMissing;
        }
    }
    items_.resize(static_cast<std::size_t>(n));
    for (const bool inEnglish : {false, true}) {
        ScopedCodePage cp(inEnglish ? 1252 : codePage);
        for (std::size_t i = 0; i < raw.size(); ++i)
            if (english[i] == inEnglish)
                items_[i] = AnsiToQString(raw[i]);
    }
    return gaps;
}

TMsgTable& MessageTable()
{
    static TMsgTable table;
    return table;
}

QString Msg(int n) { return MessageTable()[n]; }

std::string MsgAnsi(int n) { return QStringToAnsi(Msg(n)); }

QString DbErrorText(const DbError& error)
{
    constexpr int kMsgDbValueTooLong = 530; // a value longer than %1 bytes
    constexpr int kMsgDbTooSlow = 531;      // the read took too long and was stopped
    constexpr int kMsgDbTooManyRows = 986;  // the table holds more than %1 rows
    switch (error.Refusal) {
    case DbRefusal::ValueTooLong:
        return Msg(kMsgDbValueTooLong).arg(error.MaxValueBytes);
    case DbRefusal::TooSlow:
        return Msg(kMsgDbTooSlow);
    case DbRefusal::TooManyRows:
        return Msg(kMsgDbTooManyRows).arg(error.MaxRows);
    case DbRefusal::None:
        break;
    }
    if (error.File.Failed())
        return FileErrorText(error.File);
    return QString::fromStdString(error.Text);
}

namespace {
int g_messageLanguage = LangEng;
} // namespace

int MessageLanguage() { return g_messageLanguage; }

void LoadMessageTable(int langIndex)
{
    g_messageLanguage = langIndex;
    // Every form's translation reloads the table: the file is parsed again only when it changed.
    const std::string path = AppDir() + MsgFileName(langIndex);
    std::string text;
    FileError read;
    const bool loaded = ReadFileText(path, kMaxIniBytes, text, &read);
    if (!loaded)
        text.clear();
    TMsgTable& table = MessageTable();
    const int cp = LangCodePage(langIndex);
    if (table.LoadedFrom(path, text, loaded, cp))
        return;
    // Said in the words of the table just loaded: a missing file's are the built-in English.
    const TMsgTable::Gaps gaps = table.LoadFromText(path, text, loaded, cp);
    if (!loaded)
        NoteFileProblem(path, FileErrorText(read));
    else if (gaps.Missing > 0)
        NoteFileProblem(path,
                        MissingEntriesText(NamePart(path), "M" + std::to_string(gaps.FirstMissing), gaps.Missing));
}

std::vector<std::string> MessagesInCodePage()
{
    const TMsgTable& table = MessageTable();
    std::vector<std::string> out;
    // What goes into project files must survive the process code page: a message it can not
    // hold is taken in English rather than as "?".
    TMsgTable english;
    for (int i = 0; i < table.Count(); ++i) {
        if (FirstUnencodable(table[i]) < 0) {
            out.push_back(QStringToAnsi(table[i]));
            continue;
        }
        if (english.Count() == 0)
            english.LoadFromFile(AppDir() + MsgFileName(LangEng), LangCodePage(LangEng));
        out.push_back(QStringToAnsi(english[i]));
    }
    return out;
}

} // namespace kes
