#pragma once
// The program from start-up to shut-down, on whatever platform is installed.

#include <QString>

#include <cstdint>

struct TStartupOptions {
    QString BinPath;  // the installation folder; empty: the executable's own folder
    // When set, the time from `StartedAt` (milliseconds of the monotonic clock QElapsedTimer reads)
    // to the first presented frame is written to standard error, for measuring start-up.
    bool ReportFirstFrame = false;
    // At exit, writes how many frames the main window presented (for bench/measure_running.sh).
    bool ReportFrames = false;
    std::uint64_t StartedAt = 0;
};

// Runs the program; returns its exit code (non-zero when another instance already runs).
int RunMarovia(const TStartupOptions& options = {});
