#pragma once
// The user menu file: the screens of the panel's own main menu, one file per panel family,
// kept under the program folder (or the user's, see below) rather than in the project.
#include "app/project/pgread.h"
#include "app/project/projectdoc.h"

#include <array>
#include <string>
#include <utility>

namespace kes {

constexpr std::size_t kUserMenuHeadSize = 512;
// A screen takes a full one-bit picture of the panel in the main-menu area, which holds 18 on
// the sample models; no panel's menu area holds a thousand. The model's own area bounds it
// further once its data are loaded (CheckUserMenu).
constexpr std::size_t kMaxUserMenuScreens = 1000;
// The head, a chunk head per screen and the empty chunk, and screens within a panel's memory.
constexpr std::size_t kMaxUserMenuFileBytes =
    kUserMenuHeadSize + 8 * (kMaxUserMenuScreens + 1) + std::size_t(kMaxPanelAddress);

// What the head carries beside the project state: the serial port of the panel link.
struct UserMenuPort {
    std::uint8_t PortNumber = 1;
    std::uint32_t Baud = 9600;
    std::array<std::uint8_t, 3> Settings{2, 1, 7}; // parity, stop bits, data bits
};

// "UserMenu/ZQ04/UserMenu.Men" for panel model 0, "UserMenu/ZQ02/UserMenu.Men" for 1, under
// dir; empty for the models without one.
std::string UserMenuPath(const std::string& dir, int panelModelIndex);
// Where the file is written: under the folder the program writes to, which is the user's own
// when the program folder can not be written.
std::string UserMenuWritePath(const ProjectState& s, int panelModelIndex);
// Where it is read: the user's own file first, else the one shipped beside the program.
std::string UserMenuReadPath(const ProjectState& s, int panelModelIndex);

// True when the screens fit the main-menu area: a full one-bit picture of the panel per
// screen, and the screens' stored streams themselves.
bool UserMenuFits(const ProjectDoc& doc, int panelWidth, int panelHeight);

// Fills UserMenuOffsetList (screen 0 at 0, each after the one before, then the end) and
// returns the file (little-endian):
//   0 i16 machine id | 2 i16 panel model index | 4 u32 data version | 8 u8 unit address |
//   9 u8 port number | 10 u32 baud | 14 3 port setting bytes | 17 zeros up to 512 |
//   512 u32 0, u32 0 (an empty chunk) | 520 per screen: u32 start, u32 end, the bytes
Bytes EncodeUserMenuFile(ProjectDoc& doc, const UserMenuPort& port);

struct ParsedUserMenu {
    std::int16_t MachineId = 0;
    std::int16_t PanelModelIndex = 0;
    std::uint32_t Version = 0;
    std::uint8_t HmiUnitAddr = 0;
    std::vector<Bytes> Screens;
    // Each screen's start and end in the user menu's image, from the file.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Ranges;
    // Where a run of zero bytes after the last screen starts; the file's size when none does.
    std::size_t TailAt = 0;
};
// Checks every chunk against the file: the empty chunk first, then the screens in a row
// (ReadChunkRow), at most kMaxUserMenuScreens of them.
ProjectError ParseUserMenuFile(ByteSpan file, ParsedUserMenu& out);
// True when the panel model index is a family's (0 or 1) and every screen lies in an image of
// areaSize bytes, each starting where the one before ended.
bool UserMenuInArea(const ParsedUserMenu& menu, std::int64_t areaSize);
// What the loaded model makes of a parsed file: OutOfImage when it is no family's or a
// screen lies outside the object data area, TooManyScreens when the screens' pictures or
// their records do not fit the main-menu area (as a save would refuse them).
ProjectError CheckUserMenu(const ParsedUserMenu& menu, const ProjectState& s, int panelWidth, int panelHeight);
// True for a controller the model data list that draws screens (not a keypad type).
bool UserMenuMachine(const LxTypeCore& type, std::int16_t machineId);

// The first screen whose records do not read wholly, and how far it read; Screen is the
// count of screens when every one reads, or when the decoder library is missing (which the
// screens' windows say).
struct ScreenRead {
    std::size_t Screen = 0;
    PgReadResult Read;
};
ScreenRead FirstUnreadScreen(const ParsedUserMenu& menu, const PageEnv& env);

} // namespace kes
