// Replays inputs of the object table's working file without libFuzzer (see replaymain.h).
#include "fuzz/objdatadb_target.h"
#include "fuzz/replaymain.h"

int main(int argc, char** argv)
{
    return kes::fuzz::ReplayMain(argc, argv, std::string(KES_BIN_DIR) + "/", kes::fuzz::ObjDataDbSetup,
                                 kes::fuzz::ObjDataDbOneInput);
}
