#pragma once
// What the transfer commands need of windows that other parts of the program build: the
// one-bit pictures of the start-up screen and user-menu editors. The main window's link holds
// one (MainCommLink::Windows()), filled in by the main window as it builds those windows. While
// a hook is empty the command that needs it does without: the screen transfers stay disabled.
#include "platform/bytes.h"

#include <functional>

namespace kes {

struct CommWindowHooks {
    // TImagePage::DrawPageSnapshot of the start-up screen window: its band picture (a byte per
    // column of every band of 8 rows, bit 0 the band's top row, set for black).
    std::function<Bytes()> StartScreenPicture;
    // The same of every user-menu page window, one after the other in page order.
    std::function<Bytes()> UserMenuPictures;
};

} // namespace kes
