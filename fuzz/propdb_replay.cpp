// Replays property database inputs without libFuzzer (see replaymain.h).
#include "fuzz/propdb_target.h"
#include "fuzz/replaymain.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::PropDbSetup,
                                 kes::fuzz::PropDbOneInput);
}
