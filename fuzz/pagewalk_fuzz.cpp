// libFuzzer entry points of the page walk.
#include "fuzz/pagewalk_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::PageWalkSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::PageWalkOneInput(data, size);
    return 0;
}
