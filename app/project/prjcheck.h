#pragma once
// The project check run by compile: settings the panel can not honour, one line each, and
// the small tests it shares with other commands (user level, font, linked-record count).
#include "app/project/projectdoc.h"

#include <functional>
#include <string>
#include <vector>

namespace kes {

class PageData;

// The words the lines use for object kinds: the current captions of the main window's
// static text (TbStTxt), message display (TbMsg), lamp (TbLighter), button (MmBtn) and
// value entry (MmInputVal) commands.
struct CheckNames {
    std::string StTxt = "Static Text";
    std::string Msg = "Message Display";
    std::string Lighter = "Multi-State Bitmap";
    std::string Btn = "Button";
    std::string InputVal = "Numeric Input";
};

struct CheckResult {
    std::vector<std::string> Lines; // in the order found, bytes of the ANSI code page
    int Errors = 0;                 // findings that fail the check
    bool Passed() const { return Errors == 0; }
};

// Checks the system function keys and every stored page. screenDpi is the screen's
// horizontal pixels per inch (a project drawn at another gives an uncounted line);
// fontExists answers whether a font face is installed.
CheckResult CheckProject(const ProjectDoc& doc, const CheckNames& names, int screenDpi,
                         const std::function<bool(const std::string&)>& fontExists);

// Level 0, or a level that one of the ten password slots carries.
bool UserLevelDefined(const ProjectState& s, int level);

// Device-linked records in use: the system page jumps, buzzer and lamp, clock write,
// power-on macro and address-map references that have an address, and of the current page
// (when given) its jumps, page-number write, buzzer and lamp, and every object. Commands
// refuse a new such record when this is above kMaxLinkedRecords.
int CountLinkedRecords(const ProjectState& s, const PageData* currentPage);
constexpr int kMaxLinkedRecords = 68;

} // namespace kes
