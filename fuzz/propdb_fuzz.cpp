// libFuzzer entry points of the property databases' reader.
#include "fuzz/propdb_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::PropDbSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::PropDbOneInput(data, size);
    return 0;
}
