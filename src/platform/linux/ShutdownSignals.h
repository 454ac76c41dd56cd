#pragma once
// SIGTERM, SIGINT and SIGHUP end the program through its normal shut-down: the signal handler
// only marks the quit as pending (QuitRequest.h) and writes a byte to a pipe; the event loop reads it
// and runs the handler.

#include <functional>

namespace ShutdownSignals {
void Install(std::function<void()> onSignal);
void Remove();
}  // namespace ShutdownSignals
