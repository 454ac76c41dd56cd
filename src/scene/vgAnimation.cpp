#include "vgAnimation.h"

#include <cmath>

#include "vgAniThread.h"
#include "vgClassRegistry.h"
#include "vgPropertyPath.h"
#include "vgVisualObject.h"

VG_REGISTER_CLASS(TvgAnimation)

namespace {
// Shorter runs are not worth a timer: they land on their end value at once.
constexpr float MinimalDuration = 0.001f;
}  // namespace

TvgAnimation::TvgAnimation(QObject* AOwner) : TvgObject(AOwner) {}

TvgAnimation::~TvgAnimation() {
    SetDestroying();
    LeaveClock();
}

void TvgAnimation::LeaveClock() {
    if (TvgAniThread* clock = TvgAniThread::Instance()) clock->Remove(this);
}

bool TvgAnimation::ParentHidden() const {
    const TvgObject* parent = Parent();
    return parent && parent->Visual() && !parent->Visual()->Visible();
}

void TvgAnimation::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    if (Loading()) return;
    if (value) {
        Start();
    } else {
        Stop();
    }
}

void TvgAnimation::Loaded() {
    if (FEnabled) Start();
}

double TvgAnimation::NormalizedTime() const {
    if (FDuration <= 0 || FDelayTime > 0) return 0;
    return InterpolateValue(FInterpolation, FAnimationType, FTime, 0, 1, FDuration);
}

void TvgAnimation::Finish() {
    if (FOnFinish) FOnFinish(this);
}

void TvgAnimation::Start() {
    if (ParentHidden()) return;
    if (std::fabs(FDuration) < MinimalDuration || !Scene()) {
        ApplyProgress(FInverse ? 0.0 : 1.0);
        FTime = 0;
        Finish();
        FEnabled = false;
        return;
    }
    FDelayTime = FDelay;
    FRunning = true;
    FTime = FInverse ? FDuration : 0;
    if (FDelay == 0) ProcessAnimation();
    TvgAniThread::EnsureInstance().Add(this);
    FEnabled = true;
}

void TvgAnimation::Stop() {
    if (!FRunning) return;
    LeaveClock();
    FTime = FInverse ? 0 : FDuration;
    FDelayTime = 0;
    ProcessAnimation();
    FRunning = false;
    FEnabled = false;
    Finish();
}

void TvgAnimation::StopAtCurrent() {
    if (!FRunning) return;
    LeaveClock();
    FRunning = false;
    FEnabled = false;
    Finish();
}

void TvgAnimation::ProcessAni(float dt) {
    if (Destroying()) return;
    if (ParentHidden()) {
        Stop();
        return;
    }
    if (!FRunning || FPause) return;

    if (FDelay > 0 && FDelayTime != 0) {
        if (FDelayTime > 0) {
            FDelayTime -= dt;
            if (FDelayTime <= 0) {
                Start();
                FDelayTime = 0;
            }
        }
        return;
    }

    FTime += FInverse ? -dt : dt;
    if (FTime >= FDuration) {
        FTime = FDuration;
        if (!FLoop) {
            FRunning = false;
        } else if (FAutoReverse) {
            FInverse = true;
        } else {
            FTime = 0;
        }
    } else if (FTime <= 0) {
        FTime = 0;
        if (!FLoop) {
            FRunning = false;
        } else if (FAutoReverse) {
            FInverse = false;
        } else {
            FTime = FDuration;
        }
    }

    ProcessAnimation();
    if (FOnProcess) FOnProcess(this);

    // Enabled stays set after a natural end: the owner writes False before it can start again.
    if (!FRunning && Scene()) {
        LeaveClock();
        Finish();
    }
}

void TvgAnimation::StartTrigger(TvgObject* AInstance, const QString& ATrigger) {
    if (!AInstance) return;
    if (!FTriggerInverse.isEmpty() && FTriggerInverse.contains(ATrigger, Qt::CaseInsensitive) &&
        TriggerConditionsHold(AInstance, FTriggerInverse)) {
        FInverse = true;
        Start();
        return;
    }
    if (!FTrigger.isEmpty() && FTrigger.contains(ATrigger, Qt::CaseInsensitive) &&
        TriggerConditionsHold(AInstance, FTrigger)) {
        if (!FTriggerInverse.isEmpty()) FInverse = false;
        Start();
    }
}

void TvgAnimation::StopTrigger(TvgObject* AInstance) {
    if (!FTrigger.isEmpty()) Stop();
}
