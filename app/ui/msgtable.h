#pragma once
// The language files and the message table. Every user message comes from the table by its
// fixed 0-based number; the number means the same message in all three languages.
//
// Language files are bytes in their language's code page (Traditional Chinese 950,
// Simplified Chinese 936, English 1252), decoded with that code page whatever the process
// code page is, so every language shows correctly on any system.
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace kes {

struct DbError;

// Language indexes as LangIndex holds them.
enum LangIndexes { LangCht = 0, LangChs = 1, LangEng = 2 };

// 950, 936 or 1252; an index outside 0..2 is treated as English.
int LangCodePage(int langIndex);
// "DATACht.Lan", "DATAChs.Lan", "DATAEnu.Lan".
std::string CaptionFileName(int langIndex);
// "MultiLanCht.txt", "MultiLanChs.txt", "MultiLanEng.txt".
std::string MsgFileName(int langIndex);

class TIniFile;

// The English caption and message files built into the program: what a damaged or missing
// language file lacks is taken from them.
const TIniFile& BuiltInCaptions();
const TIniFile& BuiltInMessages();

// Problems of the files the program ships (language files, model data), each noted once
// until the start-up report takes them (a file is looked at again only when it changed):
// the file's path and the problem in the user's words, the file named.
struct NotedProblem {
    std::string File;
    QString Text;
};
void NoteFileProblem(const std::string& file, const QString& text);
std::vector<NotedProblem> TakeFileProblems();

class TMsgTable {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Message n, or an empty text when the table does not hold it.
    const QString& operator[](int n) const;
    void Clear()
    {
        items_.clear();
        source_.reset();
    }
    void Append(const QString& text)
    {
        items_.push_back(text);
        source_.reset();
    }
    // Replaces the table from a message file: section "Message", key "Count", then keys
    // "M0".."M<Count-1>" (a missing key gives an empty entry). A message the built-in English
    // table holds and the file lacks (a damaged or missing file, a short Count) is taken in
    // English; what the file lacked comes back.
    struct Gaps {
        int Missing = 0;      // messages taken in English
        int FirstMissing = 0; // the first of them
    };
    Gaps LoadFromFile(const std::string& path, int codePage);
    // The same from the file's text; `loaded` false when there was no file to read.
    Gaps LoadFromText(const std::string& name, const std::string& text, bool loaded, int codePage);

    // The table holds exactly what LoadFromText made of this text.
    bool LoadedFrom(const std::string& name, const std::string& text, bool loaded, int codePage) const;

private:
    struct Source {
        std::string name, text;
        bool loaded;
        int codePage;
    };
    std::vector<QString> items_;
    std::optional<Source> source_;
};

// The table in force; the main window's MsgTable is this table.
TMsgTable& MessageTable();

// Message n of the table in force (empty when the table lacks it).
QString Msg(int n);
// The same as bytes of the process ANSI code page, for texts that go into files.
std::string MsgAnsi(int n);

// Why a database call failed, as the user reads it: a refusal by a bound and a file that could
// not be opened or written in the table's words, any other failure in the engine's.
QString DbErrorText(const DbError& error);

// Reloads the table in force from the message file of the language in AppDir() (parsed again
// only when the file changed); a problem with it is noted for the start-up report.
void LoadMessageTable(int langIndex);
// The language of the last LoadMessageTable (English before any).
int MessageLanguage();
// The table in force as bytes of the process ANSI code page, for the project state's MsgTable
// (read by code without widgets, written into project data); a message that code page can not
// hold is taken in English. Whoever loads the table for a project hands it this.
std::vector<std::string> MessagesInCodePage();

} // namespace kes
