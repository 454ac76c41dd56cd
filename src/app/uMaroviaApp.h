#pragma once
// The program from start-up to shut-down, on whatever platform is installed.

#include <QString>

struct TStartupOptions {
    QString BinPath;  // the installation folder; empty: the executable's own folder
};

// Runs the program; returns its exit code (non-zero when another instance already runs).
int RunMarovia(const TStartupOptions& options = {});
