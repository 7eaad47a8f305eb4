// Windows font faces mapped to the families this machine has, and font heights at 96 DPI.
#include "platform/gdi.h"
#include "platform/gdi_internal.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <mutex>
#include <string_view>

namespace {

constexpr const char* kSans = "DejaVu Sans";
constexpr const char* kMono = "DejaVu Sans Mono";
constexpr const char* kSerif = "DejaVu Serif";
constexpr const char* kChinese = "WenQuanYi Zen Hei";

struct FaceMapping {
    std::string_view face; // as projects store it: ASCII, code page 950/936 bytes or UTF-8
    const char* family;
};

// The only place that knows which face becomes which family.
constexpr FaceMapping kFaces[] = {
    {"MS Sans Serif", kSans},                           // the default face of forms and object pictures
    {"Microsoft Sans Serif", kSans},                    // the outline successor of MS Sans Serif
    {"Small Fonts", kSans},                             // the tiny face of the two smallest panel fonts
    {"System", kSans},                                  // the Windows system face
    {"Arial", kSans},                                   // common sans-serif face
    {"Tahoma", kSans},                                  // sans-serif face of later Windows dialogs
    {"Verdana", kSans},                                 // wide sans-serif face
    {"MS Shell Dlg", kSans},                            // dialog alias face
    {"MS Shell Dlg 2", kSans},                          // dialog alias face
    {"Times New Roman", kSerif},                        // the default face of the main window and new texts
    {"Courier New", kMono},                             // fixed-pitch face
    {"Courier", kMono},                                 // fixed-pitch bitmap face
    {"Fixedsys", kMono},                                // fixed-pitch system face
    {"Terminal", kMono},                                // fixed-pitch OEM face
    {"MingLiU", kChinese},                              // Traditional Chinese fixed face, English name
    {"PMingLiU", kChinese},                             // Traditional Chinese proportional face, English name
    {"SimSun", kChinese},                               // Simplified Chinese face, English name
    {"NSimSun", kChinese},                              // Simplified Chinese fixed face, English name
    {"\xB2\xD3\xA9\xFA\xC5\xE9", kChinese},             // MingLiU, code page 950
    {"\xB7\x73\xB2\xD3\xA9\xFA\xC5\xE9", kChinese},     // PMingLiU, code page 950
    {"\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94", kChinese}, // MingLiU, UTF-8
    {"\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94", kChinese}, // PMingLiU, UTF-8
    {"\xCB\xCE\xCC\xE5", kChinese},                                 // SimSun, code page 936
    {"\xD0\xC2\xCB\xCE\xCC\xE5", kChinese},                         // NSimSun, code page 936
    {"\xE5\xAE\x8B\xE4\xBD\x93", kChinese},                         // SimSun, UTF-8
    {"\xE6\x96\xB0\xE5\xAE\x8B\xE4\xBD\x93", kChinese},             // NSimSun, UTF-8
};

bool SameFace(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

const FaceMapping* FindFace(std::string_view name)
{
    for (const FaceMapping& m : kFaces)
        if (SameFace(m.face, name))
            return &m;
    return nullptr;
}

// The installed family spelled as the font database spells it; empty when none.
std::string InstalledFamily(std::string_view name)
{
    if (name.empty() || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    static std::mutex mutex;
    static QStringList families;
    static bool loaded = false;
    std::lock_guard<std::mutex> lock(mutex);
    if (!loaded) {
        families = QFontDatabase::families();
        loaded = true;
    }
    QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (const QString& f : families)
        if (f.compare(wanted, Qt::CaseInsensitive) == 0)
            return f.toStdString();
    return {};
}

} // namespace

namespace kes::gdi {

const char* FallbackFamily() { return kChinese; }

bool DrawUnhinted(const std::string& family) { return family == kChinese; }

} // namespace kes::gdi

int TFont::Height() const { return kes::FontHeightForPoints(Size); }

void TFont::SetHeight(int height) { Size = -kes::gdi::MulDiv(height, 72, 96); }

namespace kes {

std::string InstalledFamilyFor(const std::string& windowsName)
{
    if (const FaceMapping* m = FindFace(windowsName))
        return m->family;
    std::string installed = InstalledFamily(windowsName);
    return installed.empty() ? kSans : installed;
}

bool FontExists(const std::string& windowsName)
{
    return FindFace(windowsName) != nullptr || !InstalledFamily(windowsName).empty();
}

int FontHeightForPoints(int points) { return -gdi::MulDiv(points, 96, 72); }

} // namespace kes
