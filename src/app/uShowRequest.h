#pragma once
// A second start makes the running instance show itself through a request file in the data folder
// ("marovia.show"). It needs nothing beyond files and timers, so it works alike on every system:
// the running instance watches the data folder (looking every `ShowRequestPollMs` only where the
// system cannot tell it of a change), removes the file and shows itself;
// the second start waits for the file to go and, when nobody takes it in time, removes it itself.

#include <QString>
#include <functional>

#include "IPlatform.h"

constexpr int ShowRequestPollMs = 250;
constexpr int ShowRequestWaitMs = 3000;

// Drops a request left from before this start (a second start that gave up on a busy instance), so
// that it is not acted on. Called as soon as the lock is held, so that a request made while the
// start goes on is answered once the watch runs.
void DropShowRequest(const QString& ADataPath);

// The running instance's side, for as long as it lives.
class TShowRequestWatch {
public:
    TShowRequestWatch(const QString& ADataPath, std::function<void()> AOnShow);
    ~TShowRequestWatch();
    TShowRequestWatch(const TShowRequestWatch&) = delete;
    TShowRequestWatch& operator=(const TShowRequestWatch&) = delete;

private:
    QString FFileName;
    TimerId FTimer = 0;
};

// The second start's side: true when the running instance took the request within the wait.
// Runs the event loop while it waits.
bool AskRunningInstanceToShow(const QString& ADataPath);
