#pragma once
// The object record writers, one per kind, each (out, pos, object, env) -> record length.
// Each writes the header, then its body, then the length. Internal to the encoder.
#include "app/project/pgrecstream.h"

#include <cstddef>

namespace kes {

// u16 byte count P, then the object's picture in band format: 2 + P bytes.
std::size_t PutObjPicture(RecWriter& w, std::size_t off, TLxObj& obj);

} // namespace kes
