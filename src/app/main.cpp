// The program entry: the real platform for this machine, then the portable program.

#include "QtPlatform.h"
#include "uMaroviaApp.h"

int main(int argc, char** argv) {
    QtPlatform platform(argc, argv, QStringLiteral("Marovia"));
    SetPlatform(&platform);
    const int exitCode = RunMarovia();
    SetPlatform(nullptr);
    return exitCode;
}
