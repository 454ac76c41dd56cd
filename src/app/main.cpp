// The program entry: the real platform for this machine, then the portable program.

#include <QElapsedTimer>

#include <chrono>

#include "NativePlatform.h"
#include "uMaroviaApp.h"

namespace {
std::uint64_t MonotonicMs() {
    QElapsedTimer clock;
    clock.start();
    return static_cast<std::uint64_t>(clock.msecsSinceReference());
}

// The start-up report counts from main() unless the launcher said when it exec'd us:
// MAROVIA_EXEC_AT holds the realtime clock's microseconds since the epoch at that moment, so
// that the dynamic loading before main() is counted too.
std::uint64_t StartedAt(std::uint64_t mainAt) {
    bool ok = false;
    const qint64 execAt = qgetenv("MAROVIA_EXEC_AT").toLongLong(&ok);
    if (!ok) return mainAt;
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const auto sinceExecMs = static_cast<std::uint64_t>((now - execAt) / 1000);
    // A clock set meanwhile or a stale value: the report stays with main().
    if (now < execAt || sinceExecMs > 60000 || sinceExecMs > mainAt) return mainAt;
    return mainAt - sinceExecMs;
}
}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t startedAt = StartedAt(MonotonicMs());
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
