#pragma once
// Project texts are bytes of the process code page: a character it lacks would be stored as
// "?" and lost. The guard refuses such a character where it is typed, committed by an input
// method, pasted (keys, the field's context menu, a middle click) or dropped, with a message
// naming it, and the edit stays as it was.
#include <QString>

class QObject;

namespace kes {

constexpr int kMsgCharNotInCodePage = 600; // the character %1 can not be kept; code page %2

// The message for the first character of text the code page lacks; empty when all fit.
QString CodePageRefusal(const QString& text);

// Watches every text field of the application while owner lives.
void InstallCodePageGuard(QObject* owner);

} // namespace kes
