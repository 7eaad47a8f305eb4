#pragma once
// The page record stream: a page's setting records, then one record per object, in the
// order the panel reads them.
#include "decoder/pgrecput.h"
#include "decoder/pgsetwrite.h"
#include "objects/tlxobj.h"
#include "platform/gdi.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>

namespace kes {

// What the object writers take from the main window.
struct RecEncodeEnv {
    // An object whose font is not installed is stored with this font's name.
    TFont MainFont;
    std::function<bool(const std::string&)> FontExists = [](const std::string& name) { return kes::FontExists(name); };
    // Told about an object whose record would pass 64 KB: it is left out of the stream.
    std::function<void(const TLxObj&)> OnTooLong;
};

// Encodes into base from start in mode (1 file order, 2 memory): the setting records of
// settings (none when it is null), then the record of every object of objects in order.
// base keeps its bytes before start and ends with the stream. Returns start plus the bytes
// written.
int PgRecordsChx(Bytes& base, std::size_t start, int mode, const PgSettingsView* settings,
                 std::span<TLxObj* const> objects, const RecEncodeEnv& env);

// One object's record at pos, by its kind; 0 for the kinds that have none and for a record
// too long to store.
int ObjRecChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env);

// The 14-byte object record header at pos (objects/objlayout.h: ObjHead); the length is the
// kind writer's. A font size of 0 is stored as 8.
int ObjHeadChx(const TLxObj& obj, RecOut& out, std::size_t pos);

// The font-exists step before a font name is stored: a font not installed here takes the
// main font's name, and the main font as a whole when its size is then 0; the object is then
// drawn again in it. Returns the name to store.
const std::string& StoredFontName(TLxObj& obj, const RecEncodeEnv& env);

} // namespace kes
