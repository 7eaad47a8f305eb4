#pragma once
// The page record stream: a page's setting records, then one record per object, in the
// order the panel reads them.
#include "app/project/pagedata.h"
#include "app/project/pgrecput.h"
#include "platform/gdi.h"

#include <cstddef>
#include <functional>
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

// Encodes page into base from start: the page's setting records when mode is 1 or
// objects is not the page's selection, then the record of every object in objects (none
// when it is null). base keeps its bytes before start and ends with the stream. The mode
// is kept in page.EncMode. Returns start plus the bytes written.
int PgDataChx(PageData& page, Bytes& base, std::size_t start, int mode, const TObjList* objects,
              const RecEncodeEnv& env);

// One object's record at pos, by its kind; 0 for the kinds that have none (10, 11) and for
// a record too long to store.
int ObjRecChx(RecOut& out, std::size_t pos, TLxObj& obj, const RecEncodeEnv& env);

// The 14-byte object record header at pos (the length, bytes 2-3, is the kind writer's):
//   0 u16 kind | 2 u16 length | 4 u16 left | 6 u16 top | 8 u16 right | 10 u16 bottom
//   (panel pixels, right and bottom inclusive) | 12 font style bits (bold 1, italic 2,
//   underline 4, strike-out 8) | 13 font point size (8 when 0)
int ObjHeadChx(const TLxObj& obj, RecOut& out, std::size_t pos);

// The font-exists step before a font name is stored: a font not installed here takes the
// main font's name, and the main font as a whole when its size is then 0. Returns the
// name to store.
const std::string& StoredFontName(TLxObj& obj, const RecEncodeEnv& env);

} // namespace kes
