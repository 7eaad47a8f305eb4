#pragma once
// The decoder library as the program binds it, for the tests of its entry points.
#include "app/project/morvikload.h"
#include "decoder/pgsetrec.h"

#include <gtest/gtest.h>

#include <string>

namespace kes::test {

inline std::string MorvikPath() { return std::string(KES_BIN_DIR) + "/" + kMorvikFileName; }

constexpr unsigned kAllMorvikExports = 0x1FF;

class MorvikTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(lib.Open(kAllMorvikExports, MorvikPath()), DecodeError::None) << lib.Detail();
        f = lib.Fns();
    }
    MorvikLib lib;
    MorvikFns f;
};

} // namespace kes::test
