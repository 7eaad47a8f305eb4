#pragma once
// What the edit commands work on: the edit mode (ViewState::EditMode). The main window
// routes every edit command to the window of the mode; tests set it by name.
#include <cstdint>

namespace kes {

enum class Editing : std::int32_t {
    StartScreen = 1, // the start-up screen window
    UserMenu = 2,    // a user-menu screen window
    Pages = 3,       // the page windows
};

} // namespace kes
