#pragma once
// A page with its project and controller for the reader and factory tests: the shipped
// model data of one machine id, the decoder library beside the built program.
#include "app/model/lxtypecore.h"
#include "app/project/objfactory.h"
#include "app/project/pgread.h"
#include "platform/fileio.h"

#include <memory>
#include <string>

namespace kes::test {

struct PageFixture {
    explicit PageFixture(std::int16_t machineId = 87)
    {
        SetAppDir(std::string(KES_BIN_DIR) + "/");
        state.AppDir = AppDir();
        state.MachineId = machineId;
        core = std::make_unique<LxTypeCore>(state);
        core->LoadDeviceTable(machineId);
        state.MsgTable.assign(100, std::string());
        state.MsgTable[36] = "Static Text";
        state.MsgTable[91] = "Numeric Input";
        env = std::make_unique<PageEnv>(state, *core);
        env->MainFont.Name = "Main Font";
        env->MainFont.Size = 11;
    }
    // The page's panel is 128 x 64 dots (the model form's construction values).
    ProjectState state;
    std::unique_ptr<LxTypeCore> core;
    std::unique_ptr<PageEnv> env;
    PageData page;
};

} // namespace kes::test
