#pragma once
// The process-wide "ANSI code page": texts in project files, language files and panel
// records are bytes in this code page; the UI converts them at its edge.
#include <QString>
#include <string>
#include <string_view>

namespace kes {

// 950 (Traditional Chinese), 936 (Simplified Chinese) or 1252 (Western).
int AnsiCodePage();
// Unknown code pages fall back to 1252.
void SetAnsiCodePage(int codePage);
// KESTROVA_CODEPAGE overrides; else the locale (LC_ALL, LC_CTYPE, LANG):
// zh_TW/zh_HK -> 950, zh_CN/zh_SG -> 936; any other locale names none of the three and
// gives otherLocale (the code page of the language the user chose).
int CodePageFromEnvironment(int otherLocale = 1252);
// Sets the code page from the environment; called once at start-up.
void InitAnsiCodePage();

// Bytes that do not decode become U+FFFD; characters the code page lacks become '?'.
QString AnsiToQString(std::string_view ansi);
std::string QStringToAnsi(const QString& text);
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// The index in text of the first character the code page lacks; -1 when every one fits.
qsizetype FirstUnencodable(const QString& text);

// True for the first byte of a double-byte character in the current code page.
bool IsDBCSLeadByte(unsigned char b);

// Restores the previous code page at scope end (tests).
class ScopedCodePage {
public:
    explicit ScopedCodePage(int codePage) : saved_(AnsiCodePage()) { SetAnsiCodePage(codePage); }
    ~ScopedCodePage() { SetAnsiCodePage(saved_); }
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;
private:
    int saved_;
};

} // namespace kes
