#pragma once
// INI files as the Windows profile functions read them: "[Section]" lines and
// "Key=Value" lines; section and key names compare without regard to case; keys and
// values are trimmed; a value in matching quotes loses them; ";" starts a comment line;
// the first of two equal keys wins. Values are bytes (ANSI code page).
//
// Unlike the profile functions, writes are kept in memory until UpdateFile(), which
// reports failure, so that no caller drops a failed write silently. Look-ups go through an
// index built once after a change, so a file of many keys (a message file) reads in linear
// time. A file larger than kMaxIniBytes is not read (Loaded() is false, LoadError() says why).
#include "platform/fileio.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace kes {

// The largest shipped INI-style file is a language file of some 100 KiB.
inline constexpr std::size_t kMaxIniBytes = 16u << 20;

class TIniFile {
public:
    // Reads the file when it exists; a missing file is an empty INI.
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    // The file existed and was read.
    bool Loaded() const { return loaded_; }
    // Why a file that is there was not read (too large, unreadable, no plain file); not
    // Failed() when it was read or is missing.
    const FileError& LoadError() const { return loadError_; }

    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
    // Decimal, or hexadecimal with "0x"/"$"; anything else (or missing) gives def.
    int ReadInteger(const std::string& section, const std::string& ident, int def) const;
    // An integer, non-zero = true; missing or not a number gives def.
    bool ReadBool(const std::string& section, const std::string& ident, bool def) const;

    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int value);
    void WriteBool(const std::string& section, const std::string& ident, bool value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& ident) const;
    std::vector<std::string> ReadSections() const;
    // Keys of a section in file order.
    std::vector<std::string> ReadSection(const std::string& section) const;
    void DeleteKey(const std::string& section, const std::string& ident);

    // The text the file would hold (CR LF line ends).
    std::string ToText() const;
    // Writes the file (through a temporary file renamed over it, watched by watch). False with
    // LastError() set on failure.
    bool UpdateFile(const WriteWatch* watch = nullptr);
    const FileError& LastError() const { return lastError_; }

    // Parses INI text (CR LF or LF) in place of the file's.
    void SetText(const std::string& text);

private:
    struct Entry {
        std::string key;   // empty for a comment or blank line
        std::string value; // raw line for comments
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(const std::string& name) const;
    Section* FindSection(const std::string& name);
    const Entry* FindEntry(const std::string& section, const std::string& ident) const;
    void BuildIndex() const;

    std::string fileName_;
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
    bool loaded_ = false;
    FileError loadError_;
    FileError lastError_;
    // Lower-case names to the first section and, per section, to its first entry of a key;
    // rebuilt on the first look-up after a change.
    mutable std::unordered_map<std::string, std::size_t> sectionAt_;
    mutable std::vector<std::unordered_map<std::string, std::size_t>> entryAt_;
    mutable bool indexed_ = false;
};

// Parses like TIniFile::ReadInteger; false when text is not a number.
bool ParseIniInteger(const std::string& text, int& value);

} // namespace kes
