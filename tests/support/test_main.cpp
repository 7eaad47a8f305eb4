// Test entry point: every test binary gets a Qt application object (fonts and images
// need one), on the offscreen platform unless the caller chose another.
#include KES_TEST_APP_HEADER
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    KES_TEST_APP app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
