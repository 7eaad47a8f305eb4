// libFuzzer entry points of the clipboard paste.
#include "fuzz/clipboard_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::ClipboardSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::ClipboardOneInput(data, size);
    return 0;
}
