#pragma once
// Built-in named pictures of LxObject ("BIT-3", "VBIT-0", "SLENGTH_2", "HHMMSS_805"...).
// The kinds that own them register them at start-up; lookup is by name, ignoring ASCII
// case as resource names do. An unknown name gives an empty picture, never an exception.
// Each picture is made once, on its first use, and shared by every load after it.
#include "platform/gdi.h"

#include <span>
#include <string_view>

namespace kes {

using PictureMaker = TBitmap (*)();

struct BuiltinPictureEntry {
    std::string_view Name;
    PictureMaker Make; // the same picture on every call
};

// Adds entries; an entry whose name is already registered replaces the older one.
void RegisterBuiltinPictures(std::span<const BuiltinPictureEntry> entries);
bool HasBuiltinPicture(std::string_view name);
// The picture of that name, or an empty bitmap (0 x 0) when there is none.
TBitmap BuiltinPicture(std::string_view name);
// Loads the named picture into dst (size and pixels); false, dst untouched, when unknown.
bool LoadBuiltinPicture(std::string_view name, TBitmap& dst);

// Registers a table from a translation unit's static initialisation.
struct BuiltinPictureRegistrar {
    explicit BuiltinPictureRegistrar(std::span<const BuiltinPictureEntry> entries) { RegisterBuiltinPictures(entries); }
};

} // namespace kes
