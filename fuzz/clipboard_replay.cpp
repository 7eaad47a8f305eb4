// Replays clipboard paste inputs without libFuzzer (see replaymain.h).
#include "fuzz/clipboard_target.h"
#include "fuzz/replaymain.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::ClipboardSetup,
                                 kes::fuzz::ClipboardOneInput);
}
