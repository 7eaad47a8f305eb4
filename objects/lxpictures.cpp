// The registry of built-in named pictures.
#include "objects/lxpictures.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace kes {

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// Built on first use, so registrations from any static initialiser find it ready.
std::vector<BuiltinPictureEntry>& Registry()
{
    static std::vector<BuiltinPictureEntry> entries;
    return entries;
}

const BuiltinPictureEntry* Find(std::string_view name)
{
    for (const BuiltinPictureEntry& e : Registry())
        if (SameName(e.Name, name))
            return &e;
    return nullptr;
}

} // namespace

void RegisterBuiltinPictures(std::span<const BuiltinPictureEntry> entries)
{
    for (const BuiltinPictureEntry& e : entries) {
        if (!e.Make)
            continue;
        auto& reg = Registry();
        auto old = std::find_if(reg.begin(), reg.end(), [&](const BuiltinPictureEntry& r) { return SameName(r.Name, e.Name); });
        if (old != reg.end())
            *old = e;
        else
            reg.push_back(e);
    }
}

bool HasBuiltinPicture(std::string_view name)
{
    return Find(name) != nullptr;
}

TBitmap BuiltinPicture(std::string_view name)
{
    const BuiltinPictureEntry* e = Find(name);
    return e ? e->Make() : TBitmap();
}

bool LoadBuiltinPicture(std::string_view name, TBitmap& dst)
{
    const BuiltinPictureEntry* e = Find(name);
    if (!e)
        return false;
    const TBitmap pic = e->Make();
    dst.SetSize(pic.Width(), pic.Height());
    if (!pic.Empty())
        BitBlt(*dst.Canvas(), 0, 0, pic.Width(), pic.Height(), *pic.Canvas(), 0, 0, SRCCOPY);
    return true;
}

} // namespace kes
