// The main of every unit-test program: a Qt application on the offscreen platform (fonts and
// pictures work, no display is needed; minimal on Windows) and a fake platform installed for code
// that asks for one.

#include <gtest/gtest.h>
#include <QApplication>

#include "FakePlatform.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // Windows Qt has no offscreen platform: minimal with the system's font database, unless the run
    // asks for another (the Win32 tests want real windows).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    FakePlatform platform;
    SetPlatform(&platform);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    SetPlatform(nullptr);
    return result;
}
