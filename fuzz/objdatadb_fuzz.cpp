// libFuzzer entry points of the object table's working file.
#include "fuzz/objdatadb_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::ObjDataDbSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::ObjDataDbOneInput(data, size);
    return 0;
}
