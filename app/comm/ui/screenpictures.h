#pragma once
// What the screen transfers send of windows that other parts of the program build: the one-bit
// pictures of the start-up screen and user-menu editors. The main window's link asks the screen
// editor through one of these (MainCommLink); while it has none the screen transfers stay
// disabled.
#include "platform/bytes.h"

namespace kes {

class ScreenPictures {
public:
    virtual ~ScreenPictures() = default;
    // TImagePage::DrawPageSnapshot of the start-up screen window: its band picture (a byte per
    // column of every band of 8 rows, bit 0 the band's top row, set for black).
    virtual Bytes StartScreenPicture() = 0;
    // The same of every user-menu page window, one after the other in page order.
    virtual Bytes UserMenuPictures() = 0;
};

} // namespace kes
