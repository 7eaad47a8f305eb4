// Replays user menu reader inputs without libFuzzer (see replaymain.h).
#include "fuzz/replaymain.h"
#include "fuzz/usermenu_target.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::UserMenuSetup,
                                 kes::fuzz::UserMenuOneInput);
}
