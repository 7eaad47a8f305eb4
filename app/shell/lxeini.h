#pragma once
// The settings file Lxe.ini: not an INI file but fixed lines in a fixed order, each a key text
// and its value; only the position counts, the key text is never compared.
//
//  # key text (value position)   value
//  1 "[Version]=" (10)            data version of the program
//  2 "[COM]=" (6)                 serial port: its name or path; a number in older files
//  3 "[Baud]=" (7)                baud rate
//  4 "[WindowState]=" (14)        0 normal, 1 minimized, 2 maximized
//  5 "[Width]=" (8)               client width of the main window
//  6 "[Height]=" (9)              client height
//  7 "[Path]=" (7)                project folder
//  8 "[BmpPath]=" (10)            picture folder
//  9 "[Files]=" (8)               n, then n lines: recent files, newest first
// 10 "[Font]=" (7)                font name of the main window
// 11 "[FontSize]=" (11)           font size
// 12 "[AutoSave]=" (11)           0 or 1
// 13 "[SaveTimeInterval]=" (19)   minutes between working copies, -1 = before compiling only
// 14 "[Language]=" (11)           the language last chosen from the language menu (0..2), which
//                                 gives the code page of project texts in a locale naming none
#include <string>
#include <vector>

namespace kes {

struct FileError;
struct WriteWatch;

struct LxeSettings {
    int Version = 120;
    int ComNumber = 1;   // the [COM] line as a number (older files)
    std::string ComPort; // the [COM] line as a port name or path; empty when it held a number
    int Baud = 9600;
    int WindowState = 0;
    int Width = 962;
    int Height = 664;
    std::string Path;
    std::string BmpPath;
    std::vector<std::string> RecentFiles;
    std::string FontName = "Times New Roman";
    int FontSize = 9;
    bool AutoSave = false;
    int SaveTimeInterval = -1;
    int Language = -1; // none chosen yet
};

// At most this many recent files are kept.
constexpr int kMaxRecentFiles = 5;

// Reads the file over `settings`; values the file does not hold keep what `settings` had.
// An empty folder line gives the defaults below appDir ("DocFiles", "BmpGroup/darrow").
// False when the file cannot be read (nothing is changed then).
bool ReadLxeIni(const std::string& path, const std::string& appDir, LxeSettings& settings);
// Parses the text of the file (CR LF or LF lines).
void ParseLxeIni(const std::string& text, const std::string& appDir, LxeSettings& settings);
// A window size or font size no real session has (a damaged file) goes back to the design
// value; ReadLxeIni applies it.
void BoundLxeSettings(LxeSettings& settings);
// The text of the file, LF line ends.
std::string FormatLxeIni(const LxeSettings& settings);
// Writes the file (watched by watch); false with *error set when it cannot be written.
bool WriteLxeIni(const std::string& path, const LxeSettings& settings, FileError* error,
                 const WriteWatch* watch = nullptr);

// A number read as the C library reads a long: leading blanks, an optional sign, digits up to
// the first other character; no digits give 0. Values beyond int are clamped.
int ParseLeadingLong(const std::string& text);

} // namespace kes
