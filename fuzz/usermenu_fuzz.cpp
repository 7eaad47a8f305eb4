// libFuzzer entry points of the user menu reader.
#include "fuzz/usermenu_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::UserMenuSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::UserMenuOneInput(data, size);
    return 0;
}
