// The registry of built-in named pictures. Each picture is made on its first use and then
// shared: a load hands out the same pixels, which the receiving picture copies only when it
// is drawn on.
#include "objects/lxpictures.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace kes {

namespace {

struct Registered {
    PictureMaker Make = nullptr;
    std::unique_ptr<TBitmap> Made; // null until first asked for
};

std::string Folded(std::string_view name)
{
    std::string s(name);
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// Built on first use, so registrations from any static initialiser find it ready. Never
// destroyed: pictures may be asked for while other static objects go at exit.
struct Registry {
    std::mutex Mutex;
    std::unordered_map<std::string, Registered> Entries; // by the name in upper case
};

Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

// The picture of that name, made now if it was not yet; null when unknown. Call with the
// registry's mutex held.
const TBitmap* Picture(Registry& reg, std::string_view name)
{
    auto it = reg.Entries.find(Folded(name));
    if (it == reg.Entries.end())
        return nullptr;
    if (!it->second.Made)
        it->second.Made = std::make_unique<TBitmap>(it->second.Make());
    return it->second.Made.get();
}

} // namespace

void RegisterBuiltinPictures(std::span<const BuiltinPictureEntry> entries)
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.Mutex);
    for (const BuiltinPictureEntry& e : entries)
        if (e.Make)
            reg.Entries[Folded(e.Name)] = Registered{e.Make, nullptr};
}

bool HasBuiltinPicture(std::string_view name)
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.Mutex);
    return reg.Entries.count(Folded(name)) != 0;
}

TBitmap BuiltinPicture(std::string_view name)
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.Mutex);
    const TBitmap* pic = Picture(reg, name);
    return pic ? *pic : TBitmap();
}

bool LoadBuiltinPicture(std::string_view name, TBitmap& dst)
{
    Registry& reg = TheRegistry();
    std::lock_guard<std::mutex> lock(reg.Mutex);
    const TBitmap* pic = Picture(reg, name);
    if (!pic)
        return false;
    if (pic->Empty())
        dst.SetSize(pic->Width(), pic->Height());
    else
        dst.SetImage(pic->Image());
    return true;
}

} // namespace kes
