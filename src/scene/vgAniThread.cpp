#include "vgAniThread.h"

#include <algorithm>

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
    // A platform swapped out underneath no longer owns the timer.
    if (FPlatform == &Platform()) FPlatform->StopTimer(FTimer);
    FTimer = 0;
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
    if (!AAnimation || Contains(AAnimation)) return;
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
    // From the last entry: advancing may remove this entry or others (an OnFinish that stops a
    // sibling), so the index is clamped to the list after every entry.
    auto index = static_cast<std::ptrdiff_t>(FAniList.size()) - 1;
    while (index >= 0) {
        TvgAnimation* animation = FAniList[static_cast<std::size_t>(index)];
        if (animation->Running()) animation->ProcessAni(static_cast<float>(FDeltaTime));
        index = std::min(index - 1, static_cast<std::ptrdiff_t>(FAniList.size()) - 1);
    }
}
