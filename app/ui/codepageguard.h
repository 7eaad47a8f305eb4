#pragma once
// Project texts are bytes of the process code page: a character it lacks would be stored as
// "?" and lost. The guard refuses such a character where it is typed, committed by an input
// method, pasted (keys, the field's context menu, a middle click) or dropped, with a message
// naming it and how to start in a code page that holds it, and the edit stays as it was. A
// project whose texts are in another code page is told of once when it opens.
#include <QString>

#include <string>
#include <vector>

class QObject;
class QWidget;

namespace kes {

class Prompt;

constexpr int kMsgCharNotInCodePage = 600;     // the character %1 can not be kept; code page %2
constexpr int kMsgTextsInOtherCodePage = 870;  // project texts in code page %1, not %2 in use
constexpr int kMsgUseCodePageByLanguage = 871; // to use %1: choose %2 and restart, or KESTROVA_CODEPAGE
constexpr int kMsgUseCodePageByVariable = 872; // to use %1: start with KESTROVA_CODEPAGE=%1
constexpr int kMsgPathNotInCodePage = 998;     // the character %1 of a file's path is not in code page %2

// The message for the first character of text the code page lacks, with how to start in a code
// page that holds it; empty when all fit. menus: as for HowToUseCodePage.
QString CodePageRefusal(const QString& text, const QWidget* menus);
// A path chosen in a dialog is a text of the program too: false, after a message through prompt
// naming the path, its first character the code page lacks and how to start in one that holds
// it, when the code page lacks one (the path would name another file). menus: as above.
bool PathFitsCodePage(const QString& path, Prompt& prompt, const QWidget* menus);
// The message for project texts the code page in use does not read, naming the one that reads
// them and how to start in it; empty when they read (or no code page reads them all).
QString CodePageMismatch(const std::vector<std::string>& texts, const QWidget* menus);
// How to start the program in code page cp: the item of the language menu of menus (the main
// window) that chooses it, where the desktop's locale leaves the choice to the language, else
// the environment variable (always without menus).
QString HowToUseCodePage(int cp, const QWidget* menus);

// Watches every text field of the application while owner lives; a refusal is told through
// prompt and names the language items of menus (null: none).
void InstallCodePageGuard(QObject* owner, Prompt& prompt, const QWidget* menus);

} // namespace kes
