#pragma once
// Animates a Single property of the parent, named by a dotted path ("Position.X").

#include <QPointer>

#include "vgAnimation.h"

class TvgFloatAnimation : public TvgAnimation {
    Q_OBJECT
    Q_PROPERTY(float StartValue READ StartValue WRITE SetStartValue)
    Q_PROPERTY(float StopValue READ StopValue WRITE SetStopValue)
    Q_PROPERTY(bool StartFromCurrent READ StartFromCurrent WRITE SetStartFromCurrent)
    Q_PROPERTY(QString PropertyName READ PropertyName WRITE SetPropertyName)

public:
    Q_INVOKABLE explicit TvgFloatAnimation(QObject* AOwner = nullptr);

    void Start() override;
    // Also forgets the resolved target, so the next start resolves the path again.
    void Stop() override;

    float StartValue() const { return FStartFloat; }
    void SetStartValue(float value) { FStartFloat = value; }
    float StopValue() const { return FStopFloat; }
    void SetStopValue(float value) { FStopFloat = value; }
    bool StartFromCurrent() const { return FStartFromCurrent; }
    void SetStartFromCurrent(bool value) { FStartFromCurrent = value; }
    QString PropertyName() const { return FPropertyName; }
    void SetPropertyName(const QString& value) { FPropertyName = value; }

    // The resolved target (null until a start resolves it).
    QObject* Instance() const { return FInstance; }
    QString Path() const { return FPath; }

    float FStartFloat = 0;
    float FStopFloat = 0;

protected:
    void ApplyProgress(double progress) override;

private:
    void ResolveTarget();

    bool FStartFromCurrent = false;
    QString FPropertyName;
    QPointer<QObject> FInstance;
    QString FPath;
};
