// Replays page walk inputs without libFuzzer (see replaymain.h).
#include "fuzz/pagewalk_target.h"
#include "fuzz/replaymain.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::PageWalkSetup,
                                 kes::fuzz::PageWalkOneInput);
}
