// Registers the built-in state pictures with the picture registry.
#include "objects/lxbitpics.h"

#include "objects/lxpictures.h"

#include <array>
#include <utility>

namespace kes {

namespace {

TColor ArtColour(char c)
{
    switch (c) {
    case '#':
        return clBlack;
    case '+':
        return clGray;
    case '-':
        return clBtnFace;
    default:
        return clWhite;
    }
}

template <int I> TBitmap MakeBitPicture()
{
    TBitmap bmp(kBitPictureSide, kBitPictureSide);
    TCanvas& c = *bmp.Canvas();
    for (int y = 0; y < kBitPictureSide; ++y)
        for (int x = 0; x < kBitPictureSide; ++x)
            c.SetPixel(x, y, ArtColour(kBitPictureArt[I].Rows[y][x]));
    return bmp;
}

template <std::size_t... I> constexpr std::array<BuiltinPictureEntry, sizeof...(I)> Entries(std::index_sequence<I...>)
{
    return {BuiltinPictureEntry{kBitPictureArt[I].Name, &MakeBitPicture<static_cast<int>(I)>}...};
}

const BuiltinPictureRegistrar kRegistrar{[] {
    static const auto entries = Entries(std::make_index_sequence<kBitPictureCount>{});
    return std::span<const BuiltinPictureEntry>(entries);
}()};

} // namespace

} // namespace kes
