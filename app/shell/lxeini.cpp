#include "app/shell/lxeini.h"

#include "platform/fileio.h"

#include <cctype>
#include <climits>

namespace kes {
namespace {

// Value positions of the numbered lines (the key texts' lengths).
constexpr std::size_t kPosVersion = 10, kPosCom = 6, kPosBaud = 7, kPosWindowState = 14, kPosWidth = 8, kPosHeight = 9,
                      kPosPath = 7, kPosBmpPath = 10, kPosFiles = 8, kPosFont = 7, kPosFontSize = 11, kPosAutoSave = 11,
                      kPosInterval = 19, kPosLanguage = 11;

std::string ValueAt(const std::string& line, std::size_t pos) { return line.size() > pos ? line.substr(pos) : ""; }

} // namespace

int ParseLeadingLong(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX)
            v = static_cast<long long>(INT_MAX) + 1; // keeps growing bounded
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

void ParseLxeIni(const std::string& text, const std::string& appDir, LxeSettings& s)
{
    // Whole lines are read, so a long folder or file path never shifts the later lines.
    const std::vector<std::string> lines = SplitLines(text);
    std::size_t n = 0;
    auto next = [&](std::string& line) {
        if (n >= lines.size())
            return false;
        line = lines[n++];
        return true;
    };
    std::string line;
    if (!next(line))
        return;
    s.Version = ParseLeadingLong(ValueAt(line, kPosVersion));
    if (!next(line))
        return;
    // Older files hold a port number there, newer ones the port's name or path.
    const std::string com = ValueAt(line, kPosCom);
    const std::size_t first = com.find_first_not_of(" \t");
    const bool number = first == std::string::npos || std::isdigit(static_cast<unsigned char>(com[first])) ||
                        com[first] == '+' || com[first] == '-';
    s.ComPort = number ? std::string() : com;
    s.ComNumber = ParseLeadingLong(com);
    if (!next(line))
        return;
    s.Baud = ParseLeadingLong(ValueAt(line, kPosBaud));
    if (!next(line))
        return;
    s.WindowState = ParseLeadingLong(ValueAt(line, kPosWindowState));
    if (!next(line))
        return;
    s.Width = ParseLeadingLong(ValueAt(line, kPosWidth));
    if (!next(line))
        return;
    s.Height = ParseLeadingLong(ValueAt(line, kPosHeight));
    if (!next(line))
        return;
    s.Path = ValueAt(line, kPosPath);
    if (s.Path.empty())
        s.Path = appDir + "DocFiles";
    if (!next(line))
        return;
    s.BmpPath = ValueAt(line, kPosBmpPath);
    if (s.BmpPath.empty())
        s.BmpPath = appDir + "BmpGroup/darrow";
    if (!next(line))
        return;
    const int count = ParseLeadingLong(ValueAt(line, kPosFiles));
    // A count past the lines present means a damaged file: keep the design values of the rest.
    if (count < 0 || static_cast<std::size_t>(count) > lines.size() - n)
        return;
    s.RecentFiles.clear();
    for (int i = 0; i < count; ++i) {
        next(line);
        if (static_cast<int>(s.RecentFiles.size()) < kMaxRecentFiles)
            s.RecentFiles.push_back(line);
    }
    if (!next(line))
        return;
    s.FontName = ValueAt(line, kPosFont);
    if (!next(line))
        return;
    s.FontSize = ParseLeadingLong(ValueAt(line, kPosFontSize));
    if (!next(line))
        return;
    s.AutoSave = ParseLeadingLong(ValueAt(line, kPosAutoSave)) != 0;
    if (!next(line))
        return;
    s.SaveTimeInterval = ParseLeadingLong(ValueAt(line, kPosInterval));
    if (!next(line))
        return;
    const int language = ParseLeadingLong(ValueAt(line, kPosLanguage));
    s.Language = language >= 0 && language <= 2 ? language : -1;
}

// Values no screen or font of a real session reaches give the design values, so that a damaged
// file is not written back and met again at every start.
void BoundLxeSettings(LxeSettings& s)
{
    const LxeSettings design;
    constexpr int kMaxWindowSide = 16384; // wider than any screen of today
    if (s.Width < 0 || s.Width > kMaxWindowSide || s.Height < 0 || s.Height > kMaxWindowSide) {
        s.Width = design.Width;
        s.Height = design.Height;
    }
    constexpr int kMinFontSize = 6, kMaxFontSize = 72; // points
    if (s.FontSize != 0 && (s.FontSize < kMinFontSize || s.FontSize > kMaxFontSize))
        s.FontSize = design.FontSize;
}

bool ReadLxeIni(const std::string& path, const std::string& appDir, LxeSettings& settings)
{
    std::string text;
    // Some hundred bytes: a few numbers, two folders and the recent files.
    constexpr std::size_t kMaxLxeIniBytes = 1u << 20;
    if (!ReadFileText(path, kMaxLxeIniBytes, text, nullptr))
        return false;
    ParseLxeIni(text, appDir, settings);
    BoundLxeSettings(settings);
    return true;
}

std::string FormatLxeIni(const LxeSettings& s)
{
    std::string out;
    auto line = [&](const char* key, const std::string& value) {
        out += key;
        out += value;
        out += '\n';
    };
    line("[Version]=", std::to_string(s.Version));
    line("[COM]=", s.ComPort.empty() ? std::to_string(s.ComNumber) : s.ComPort);
    line("[Baud]=", std::to_string(s.Baud));
    line("[WindowState]=", std::to_string(s.WindowState));
    line("[Width]=", std::to_string(s.Width));
    line("[Height]=", std::to_string(s.Height));
    line("[Path]=", s.Path);
    line("[BmpPath]=", s.BmpPath);
    line("[Files]=", std::to_string(s.RecentFiles.size()));
    for (const std::string& f : s.RecentFiles)
        out += f + '\n';
    line("[Font]=", s.FontName);
    line("[FontSize]=", std::to_string(s.FontSize));
    line("[AutoSave]=", s.AutoSave ? "1" : "0");
    line("[SaveTimeInterval]=", std::to_string(s.SaveTimeInterval));
    if (s.Language >= 0)
        line("[Language]=", std::to_string(s.Language));
    return out;
}

bool WriteLxeIni(const std::string& path, const LxeSettings& settings, FileError* error, const WriteWatch* watch)
{
    return WriteFileAtomic(path, FormatLxeIni(settings), error, watch);
}

} // namespace kes
