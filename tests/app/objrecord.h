#pragma once
// An object's record as a saved page holds it, for tests that compare what an edit stored.
#include "decoder/pgrecstream.h"
#include "objects/tlxobj.h"
#include "platform/bytes.h"

#include <string>

namespace kes::test {

// Empty for a kind that stores none.
inline Bytes RecordOf(TLxObj& obj)
{
    Bytes out;
    RecOut ro(out, kEncFile);
    RecEncodeEnv env;
    env.FontExists = [](const std::string&) { return true; };
    ObjRecChx(ro, 0, obj, env);
    return out;
}

} // namespace kes::test
