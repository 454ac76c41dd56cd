#pragma once
// The one animation clock of the process: a plain 33 ms user-interface timer that advances every
// running animation by the time really elapsed since its previous step (read from the platform's
// tick count), so a late timer event makes a larger step rather than a slower animation. The timer
// runs only while some animation does: an idle program is not woken thirty times a second, and a
// run that starts on an idle clock measures its first step from its own start.

#include <memory>
#include <vector>

#include "IPlatform.h"

class TvgAnimation;

class TvgAniThread {
public:
    static constexpr int Interval = 33;

    ~TvgAniThread();
    TvgAniThread(const TvgAniThread&) = delete;
    TvgAniThread& operator=(const TvgAniThread&) = delete;

    // The clock, or null while no animation of a scene has started since the last FreeInstance.
    static TvgAniThread* Instance();
    // The clock, created (and its timer started) when there is none yet.
    static TvgAniThread& EnsureInstance();
    // Stops the timer and forgets the list; the scene host calls it when its last scene goes.
    static void FreeInstance();

    bool Ticking() const { return FTimer != 0; }

    void Add(TvgAnimation* AAnimation);
    void Remove(TvgAnimation* AAnimation);
    bool Contains(const TvgAnimation* AAnimation) const;
    int Count() const { return static_cast<int>(FAniList.size()); }

    // One step: advances every running animation by the time since the previous step.
    void DoSyncTimer();

    double Time() const { return FTime; }
    double DeltaTime() const { return FDeltaTime; }

private:
    TvgAniThread() = default;
    static double NowSeconds();
    void StartClock();
    void StopClock();

    IPlatform* FPlatform = nullptr;
    TimerId FTimer = 0;
    std::vector<TvgAnimation*> FAniList;
    double FStartTime = 0;
    double FTime = 0;
    double FDeltaTime = 0;
};
