// Replays text file reader inputs without libFuzzer (see replaymain.h).
#include "fuzz/replaymain.h"
#include "fuzz/textfiles_target.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::TextFilesSetup,
                                 kes::fuzz::TextFilesOneInput);
}
