// Replays upload reply inputs without libFuzzer (see replaymain.h).
#include "fuzz/replaymain.h"
#include "fuzz/uploadreply_target.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::UploadReplySetup,
                                 kes::fuzz::UploadReplyOneInput);
}
