#include "ShutdownSignals.h"

#include <QSocketNotifier>
#include <memory>

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

#include "QuitRequest.h"

namespace ShutdownSignals {
namespace {

int signalPipe[2] = {-1, -1};
std::unique_ptr<QSocketNotifier> notifier;
std::function<void()> handler;
extern "C" void WriteSignalByte(int) {
    // Known at once to work in progress on the loop's thread; the loop runs the handler later.
    SetQuitPending(true);
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void Install(std::function<void()> onSignal) {
    // Close-on-exec: programs the user starts from a button inherit nothing of ours. Non-blocking:
    // a burst of signals must never stall the handler on a full socket.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
    handler = std::move(onSignal);
    notifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const auto bytesRead = ::read(signalPipe[0], &byte, 1);
        if (handler) handler();
    });
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void Remove() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, SIG_DFL);
    notifier.reset();
    handler = nullptr;
    for (int& fd : signalPipe) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
}

}  // namespace ShutdownSignals
