#pragma once
// The device references of a panel object, whatever its kind: what the address fix-ups of
// the readers, multiple copy and the address texts of the full-screen view walk over.
#include "objects/tlxobj.h"

#include <cstdint>
#include <functional>

struct TLxDevRef;

namespace kes {

class LxTypeCore;

// The address codec's mode (0 bit, 1 word) and access class of one reference.
using ObjRefVisit = std::function<void(TLxDevRef& ref, std::uint8_t mode, std::uint8_t access)>;

// Each device reference obj uses, in record order: the one reference of the single-reference
// kinds; the write reference of a button or value entry, then its read and notify references
// while they are in use. Kinds without references visit none.
void ForEachObjRef(TLxObj& obj, const ObjRefVisit& visit);

// Steps every set reference of obj (none: -1 stays none) k addresses on through the
// controller's device ranges and rebuilds its text; a button without a type steps nothing.
void StepObjAddresses(TLxObj& obj, const LxTypeCore& model, int k);

} // namespace kes
