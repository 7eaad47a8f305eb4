// libFuzzer entry points of the text file readers.
#include "fuzz/textfiles_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::TextFilesSetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::TextFilesOneInput(data, size);
    return 0;
}
