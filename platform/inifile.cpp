#include "platform/inifile.h"

#include "platform/fileio.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

namespace kes {
namespace {

std::string Trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Lower(const std::string& text)
{
    std::string l = text;
    for (char& c : l)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return l;
}

} // namespace

bool ParseIniInteger(const std::string& raw, int& value)
{
    std::string t = Trim(raw);
    if (t.empty())
        return false;
    bool neg = false;
    std::size_t i = 0;
    if (t[i] == '-' || t[i] == '+') {
        neg = t[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        int d;
        char c = t[i];
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL)
            return false;
    }
    if (base == 16 && !neg && v > INT_MAX)
        v -= 0x100000000LL; // hexadecimal literals wrap to the 32-bit pattern
    if (neg)
        v = -v;
    if (v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName))
{
    std::string text;
    FileError error;
    if (ReadFileText(fileName_, kMaxIniBytes, text, &error)) {
        loaded_ = true;
        SetText(text);
        return;
    }
    // A missing file is an empty INI; anything else in its place is one that could not be read.
    if (SomethingAt(fileName_))
        loadError_ = error;
}

void TIniFile::SetText(const std::string& text)
{
    indexed_ = false;
    preamble_.clear();
    sections_.clear();
    for (const std::string& rawLine : SplitLines(text)) {
        std::string line = Trim(rawLine);
        if (!line.empty() && line[0] == '[') {
            std::size_t close = line.find(']');
            std::string name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            sections_.push_back(Section{name, {}});
            continue;
        }
        std::size_t eq = line.find('=');
        bool comment = line.empty() || line[0] == ';' || eq == std::string::npos || eq == 0;
        if (sections_.empty()) {
            preamble_.push_back(rawLine);
            continue;
        }
        if (comment) {
            sections_.back().entries.push_back(Entry{"", rawLine});
            continue;
        }
        std::string key = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        sections_.back().entries.push_back(Entry{key, value});
    }
}

void TIniFile::BuildIndex() const
{
    sectionAt_.clear();
    entryAt_.assign(sections_.size(), {});
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        sectionAt_.try_emplace(Lower(sections_[i].name), i);
        const std::vector<Entry>& entries = sections_[i].entries;
        for (std::size_t j = 0; j < entries.size(); ++j)
            if (!entries[j].key.empty())
                entryAt_[i].try_emplace(Lower(entries[j].key), j);
    }
    indexed_ = true;
}

const TIniFile::Section* TIniFile::FindSection(const std::string& name) const
{
    if (!indexed_)
        BuildIndex();
    const auto it = sectionAt_.find(Lower(name));
    return it == sectionAt_.end() ? nullptr : &sections_[it->second];
}

TIniFile::Section* TIniFile::FindSection(const std::string& name)
{
    return const_cast<Section*>(static_cast<const TIniFile*>(this)->FindSection(name));
}

const TIniFile::Entry* TIniFile::FindEntry(const std::string& section, const std::string& ident) const
{
    const Section* s = FindSection(section);
    if (!s)
        return nullptr;
    const auto& keys = entryAt_[static_cast<std::size_t>(s - sections_.data())];
    const auto it = keys.find(Lower(ident));
    return it == keys.end() ? nullptr : &s->entries[it->second];
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const
{
    const Entry* e = FindEntry(section, ident);
    return e ? e->value : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int def) const
{
    const Entry* e = FindEntry(section, ident);
    int v;
    return (e && ParseIniInteger(e->value, v)) ? v : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    if (const Entry* e = FindEntry(section, ident)) {
        const_cast<Entry*>(e)->value = value;
        return;
    }
    Section* s = FindSection(section);
    indexed_ = false;
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    // New keys go after the last key, before trailing blank lines.
    auto pos = s->entries.end();
    while (pos != s->entries.begin() && std::prev(pos)->key.empty() && Trim(std::prev(pos)->value).empty())
        --pos;
    s->entries.insert(pos, Entry{ident, value});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value)
{
    WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

bool TIniFile::ValueExists(const std::string& section, const std::string& ident) const
{
    return FindEntry(section, ident) != nullptr;
}

std::vector<std::string> TIniFile::ReadSections() const
{
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (!e.key.empty())
                keys.push_back(e.key);
    return keys;
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident)
{
    if (Section* s = FindSection(section))
        s->entries.erase(std::remove_if(s->entries.begin(), s->entries.end(),
                                        [&](const Entry& e) { return !e.key.empty() && SameText(e.key, ident); }),
                         s->entries.end());
    indexed_ = false;
}

std::string TIniFile::ToText() const
{
    std::string out;
    for (const std::string& l : preamble_)
        out += l + "\r\n";
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const Entry& e : s.entries)
            out += (e.key.empty() ? e.value : e.key + "=" + e.value) + "\r\n";
    }
    return out;
}

bool TIniFile::UpdateFile(const WriteWatch* watch)
{
    lastError_ = {};
    return WriteFileAtomic(fileName_, ToText(), &lastError_, watch);
}

} // namespace kes
