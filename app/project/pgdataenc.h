#pragma once
// A page's records: the page data handed to the record encoder.
#include "app/project/pagedata.h"
#include "decoder/pgrecstream.h"

#include <cstddef>

namespace kes {

// Encodes page into base from start: the page's setting records when mode is 1 or
// objects is not the page's selection, then the record of every object in objects (none
// when it is null). base keeps its bytes before start and ends with the stream. The mode
// is kept in page.EncMode. Returns start plus the bytes written.
int PgDataChx(PageData& page, Bytes& base, std::size_t start, int mode, const TObjList* objects,
              const RecEncodeEnv& env);

} // namespace kes
