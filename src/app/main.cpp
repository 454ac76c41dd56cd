// The program entry: the real platform for this machine, then the portable program.

#include <QElapsedTimer>

#include "NativePlatform.h"
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
    const std::unique_ptr<IPlatform> platform = CreateNativePlatform(argc, argv, QStringLiteral("Marovia"));
    SetPlatform(platform.get());
    TStartupOptions options;
    options.ReportFirstFrame = qEnvironmentVariableIsSet("MAROVIA_REPORT_STARTUP");
    options.ReportFrames = qEnvironmentVariableIsSet("MAROVIA_REPORT_FRAMES");
    options.StartedAt = startedAt;
    const int exitCode = RunMarovia(options);
    SetPlatform(nullptr);
    return exitCode;
}
