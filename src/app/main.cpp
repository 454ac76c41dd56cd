// The program entry: the real platform for this machine, then the portable program.

#include <QElapsedTimer>

#include "QtPlatform.h"
#include "uMaroviaApp.h"

namespace {
std::uint64_t MonotonicMs() {
    QElapsedTimer clock;
    clock.start();
    return static_cast<std::uint64_t>(clock.msecsSinceReference());
}
}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t startedAt = MonotonicMs();
    QtPlatform platform(argc, argv, QStringLiteral("Marovia"));
    SetPlatform(&platform);
    TStartupOptions options;
    options.ReportFirstFrame = qEnvironmentVariableIsSet("MAROVIA_REPORT_STARTUP");
    options.StartedAt = startedAt;
    const int exitCode = RunMarovia(options);
    SetPlatform(nullptr);
    return exitCode;
}
