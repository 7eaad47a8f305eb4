#pragma once
// The language files and the message table. Every user message comes from the table by its
// fixed 0-based number; the number means the same message in all three languages.
//
// Language files are bytes in their language's code page (Traditional Chinese 950,
// Simplified Chinese 936, English 1252), decoded with that code page whatever the process
// code page is, so every language shows correctly on any system.
#include <QString>
#include <string>
#include <vector>

namespace kes {

// Language indexes as LangIndex holds them.
enum LangIndexes { LangCht = 0, LangChs = 1, LangEng = 2 };

// 950, 936 or 1252; an index outside 0..2 is treated as English.
int LangCodePage(int langIndex);
// "DATACht.Lan", "DATAChs.Lan", "DATAEnu.Lan".
std::string CaptionFileName(int langIndex);
// "MultiLanCht.txt", "MultiLanChs.txt", "MultiLanEng.txt".
std::string MsgFileName(int langIndex);

class TMsgTable {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Message n, or an empty text when the table does not hold it.
    const QString& operator[](int n) const;
    void Clear() { items_.clear(); }
    void Append(const QString& text) { items_.push_back(text); }
    // Replaces the table from a message file: section "Message", key "Count", then keys
    // "M0".."M<Count-1>" (a missing key gives an empty entry). A missing file or key
    // "Count" gives an empty table.
    void LoadFromFile(const std::string& path, int codePage);

private:
    std::vector<QString> items_;
};

// The table in force; the main window's MsgTable is this table.
TMsgTable& MessageTable();

// Message n of the table in force (empty when the table lacks it).
QString Msg(int n);
// The same as bytes of the process ANSI code page, for texts that go into files.
std::string MsgAnsi(int n);

// Reloads the table in force from the message file of the language in AppDir().
void LoadMessageTable(int langIndex);
// After every LoadMessageTable the mirror receives the messages as bytes of the process ANSI
// code page (the project state's MsgTable, read by code without widgets). Null: none.
void SetMessageTableMirror(std::vector<std::string>* mirror);

} // namespace kes
