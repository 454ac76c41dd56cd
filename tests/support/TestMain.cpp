// The main of every unit-test program: a Qt application on the offscreen platform (fonts and
// pictures work, no display is needed) and a fake platform installed for code that asks for one.

#include <gtest/gtest.h>
#include <QApplication>

#include "FakePlatform.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakePlatform platform;
    SetPlatform(&platform);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    SetPlatform(nullptr);
    return result;
}
