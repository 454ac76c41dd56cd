#include "vgAniThread.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "vgAnimation.h"

namespace {
std::unique_ptr<TvgAniThread>& TheClock() {
    static std::unique_ptr<TvgAniThread> clock;
    return clock;
}
}  // namespace

TvgAniThread::~TvgAniThread() {
    StopClock();
}

void TvgAniThread::StartClock() {
    FPlatform = &Platform();
    FStartTime = NowSeconds();
    FTime = 0;
    FDeltaTime = 0;
    FTimer = FPlatform->StartTimer(Interval, [this] { DoSyncTimer(); });
}

void TvgAniThread::StopClock() {
    if (FTimer == 0) return;
    const TimerId timer = std::exchange(FTimer, 0);
    // A platform swapped out underneath, or already gone at exit, no longer owns the timer.
    try {
        if (FPlatform == &Platform()) FPlatform->StopTimer(timer);
    } catch (const std::logic_error&) {
    }
}

double TvgAniThread::NowSeconds() {
    return static_cast<double>(Platform().TickCount()) / 1000.0;
}

TvgAniThread* TvgAniThread::Instance() {
    return TheClock().get();
}

TvgAniThread& TvgAniThread::EnsureInstance() {
    auto& clock = TheClock();
    if (!clock) clock.reset(new TvgAniThread());
    return *clock;
}

void TvgAniThread::FreeInstance() {
    TheClock().reset();
}

void TvgAniThread::Add(TvgAnimation* AAnimation) {
    if (!AAnimation) return;
    // A run started again is the newest one, as if it had just been added.
    std::erase(FAniList, AAnimation);
    FAniList.push_back(AAnimation);
    if (FTimer == 0) StartClock();
}

void TvgAniThread::Remove(TvgAnimation* AAnimation) {
    std::erase(FAniList, AAnimation);
    if (FAniList.empty()) StopClock();
}

bool TvgAniThread::Contains(const TvgAnimation* AAnimation) const {
    return std::find(FAniList.begin(), FAniList.end(), AAnimation) != FAniList.end();
}

void TvgAniThread::DoSyncTimer() {
    const double t = NowSeconds() - FStartTime;
    if (t <= FTime) return;
    FDeltaTime = t - FTime;
    FTime = t;
    // Oldest run first: where two runs drive one property (a button's press and hover colours),
    // the one started last is applied last, so its value is the one shown and the one left at
    // the end. Advancing may remove entries (an OnFinish that stops a sibling, a freed
    // animation), so the step walks a copy and passes over those no longer listed.
    const std::vector<TvgAnimation*> list = FAniList;
    for (TvgAnimation* animation : list)
        if (Contains(animation) && animation->Running())
            animation->ProcessAni(static_cast<float>(FDeltaTime));
}
