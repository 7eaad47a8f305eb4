#pragma once
// The process-wide "ANSI code page": texts in project files, language files and panel
// records are bytes in this code page; the UI converts them at its edge.
#include <QString>
#include <string>
#include <string_view>
#include <vector>

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

// The code page in which texts read as written when the code page in use does not. Texts do
// not read in a code page when bytes of them are no characters of it, or when they give
// characters of another script there: in 1252 a text that is two or more ideographs of 950 or
// 936, making at least half of it (a Chinese code page's characters read a byte at a time); in
// 950 or 936 kana, Hangul, Cyrillic, box drawing or private characters (the other Chinese code
// page's characters). The code page named reads every text; of two, the one whose most used
// characters the texts hold more of. 0 when the code page in use reads them, or no other one
// reads them all.
int CodePageThatReads(const std::vector<std::string>& texts, int inUse);
// The code pages (950, 936, 1252, in that order) that hold the character at the start of text.
std::vector<int> CodePagesHolding(const QString& text);

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
