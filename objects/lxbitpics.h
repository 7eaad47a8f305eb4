#pragma once
// The built-in state pictures of the bit-state kinds: "BIT-0" (no picture), "BIT-1".."BIT-18"
// (picture numbers 0..17: lamps, switches, arrows) and "VBIT-0" (the multi-range picture's
// own), each 16 x 16, registered with the built-in picture registry at load time.
#include <string_view>

namespace kes {

constexpr int kBitPictureSide = 16;
constexpr int kBitPictureCount = 20;

// Rows of art: '#' black, '.' white, '+' grey, '-' light grey.
struct BitPictureArt {
    std::string_view Name;
    const char* Rows[kBitPictureSide];
};

// Constant-initialised (constinit), so the registration at load time may read it from
// another file's static initialiser.
extern const BitPictureArt kBitPictureArt[kBitPictureCount];

} // namespace kes
