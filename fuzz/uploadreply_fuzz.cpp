// libFuzzer entry points of the upload's reply stream.
#include "fuzz/uploadreply_target.h"

#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kes::fuzz::UploadReplySetup(std::string(KES_BIN_DIR) + "/");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kes::fuzz::UploadReplyOneInput(data, size);
    return 0;
}
