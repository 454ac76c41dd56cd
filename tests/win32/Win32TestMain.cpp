// The main of the Win32 platform tests: the real Win32 platform (its application object runs on
// the windows platform plugin, so host windows are real layered windows) installed for the tests.

#include <gtest/gtest.h>

#include "Win32Platform.h"

int main(int argc, char** argv) {
    // The other unit tests run offscreen; these need the system's own windows.
    qputenv("QT_QPA_PLATFORM", "windows");
    Win32Platform platform(argc, argv, QStringLiteral("Marovia tests"));
    SetPlatform(&platform);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    SetPlatform(nullptr);
    return result;
}
