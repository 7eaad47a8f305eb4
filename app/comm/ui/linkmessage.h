#pragma once
// What a window says when a transfer over the panel link ends: the engine's outcome turned
// into a message of the message table; a firmware file that could not be read as the file's
// problem (kes::FileErrorText).
#include "app/comm/transferhost.h"

#include <QString>

namespace kes {

// The message table number an outcome shows; -1 when it shows the firmware file's problem or
// nothing.
int LinkMessageNumber(LinkError error);
// The whole text shown for an outcome; empty when nothing is shown (a stopped transfer). A
// connect failure names its port; a refused upload says on a second line what was wrong.
QString LinkMessageText(const TransferOutcome& outcome);

} // namespace kes
