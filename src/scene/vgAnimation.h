#pragma once
// An animation changes one property of its parent smoothly over time. It is an ordinary tree
// object, started by code, by writing Enabled, or by a state trigger of the control whose style
// holds it ("IsMouseOver=true;IsPressed=false"), and advanced by the process-wide clock.

#include <QString>

#include <functional>

#include "vgEasing.h"
#include "vgObject.h"

class TvgAnimation : public TvgObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(float Duration READ Duration WRITE SetDuration)
    Q_PROPERTY(float Delay READ Delay WRITE SetDelay)
    Q_PROPERTY(vgAnimationEnums::TvgAnimationType AnimationType READ AnimationType WRITE SetAnimationType)
    Q_PROPERTY(vgAnimationEnums::TvgInterpolationType Interpolation READ Interpolation WRITE SetInterpolation)
    Q_PROPERTY(bool Inverse READ Inverse WRITE SetInverse)
    Q_PROPERTY(bool AutoReverse READ AutoReverse WRITE SetAutoReverse)
    Q_PROPERTY(bool Loop READ Loop WRITE SetLoop)
    Q_PROPERTY(QString Trigger READ Trigger WRITE SetTrigger)
    Q_PROPERTY(QString TriggerInverse READ TriggerInverse WRITE SetTriggerInverse)

public:
    using TAnimationEvent = std::function<void(TvgObject* Sender)>;

    Q_INVOKABLE explicit TvgAnimation(QObject* AOwner = nullptr);
    ~TvgAnimation() override;

    // Starts a run from the beginning (from the end with Inverse); a running animation restarts.
    virtual void Start();
    // Ends a run at its end value and fires OnFinish; nothing when not running.
    virtual void Stop();
    // Ends a run where it is, without applying the end value.
    virtual void StopAtCurrent();

    bool IsAnimation() const override { return true; }
    void StartTrigger(TvgObject* AInstance, const QString& ATrigger) override;
    void StopTrigger(TvgObject* AInstance) override;
    void Loaded() override;

    // One step of the clock: advances the run by dt seconds.
    void ProcessAni(float dt);
    // The eased progress for the current time, 0 at the start value and 1 at the stop value.
    double NormalizedTime() const;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    float Duration() const { return FDuration; }
    void SetDuration(float value) { FDuration = value; }
    float Delay() const { return FDelay; }
    void SetDelay(float value) { FDelay = value; }
    TvgAnimationType AnimationType() const { return FAnimationType; }
    void SetAnimationType(TvgAnimationType value) { FAnimationType = value; }
    TvgInterpolationType Interpolation() const { return FInterpolation; }
    void SetInterpolation(TvgInterpolationType value) { FInterpolation = value; }
    bool Inverse() const { return FInverse; }
    void SetInverse(bool value) { FInverse = value; }
    bool AutoReverse() const { return FAutoReverse; }
    void SetAutoReverse(bool value) { FAutoReverse = value; }
    bool Loop() const { return FLoop; }
    void SetLoop(bool value) { FLoop = value; }
    QString Trigger() const { return FTrigger; }
    void SetTrigger(const QString& value) { FTrigger = value; }
    QString TriggerInverse() const { return FTriggerInverse; }
    void SetTriggerInverse(const QString& value) { FTriggerInverse = value; }

    bool Running() const { return FRunning; }
    bool Pause() const { return FPause; }
    void SetPause(bool value) { FPause = value; }
    float Time() const { return FTime; }
    float DelayTime() const { return FDelayTime; }

    void SetOnProcess(TAnimationEvent handler) { FOnProcess = std::move(handler); }
    void SetOnFinish(TAnimationEvent handler) { FOnFinish = std::move(handler); }

protected:
    // Applies the value for an eased progress to the target; the base class has no target.
    virtual void ApplyProgress(double progress) {}
    // The value for the current time.
    void ProcessAnimation() { ApplyProgress(NormalizedTime()); }
    // The parent is a visual object that is hidden: the run ends (or never begins).
    bool ParentHidden() const;
    void Finish();

    bool FEnabled = false;
    float FDuration = 0.2f;
    float FDelay = 0;
    TvgAnimationType FAnimationType = vgAnimationIn;
    TvgInterpolationType FInterpolation = vgInterpolationLinear;
    bool FInverse = false;
    bool FAutoReverse = false;
    bool FLoop = false;
    QString FTrigger;
    QString FTriggerInverse;
    float FTime = 0;
    float FDelayTime = 0;
    bool FRunning = false;
    bool FPause = false;
    TAnimationEvent FOnProcess;
    TAnimationEvent FOnFinish;

private:
    void LeaveClock();
};
