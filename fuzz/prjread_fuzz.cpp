// libFuzzer entry points of the project file readers.
#include "fuzz/prjread_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::PrjReadSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::PrjReadOneInput(data, size);
    return 0;
}
