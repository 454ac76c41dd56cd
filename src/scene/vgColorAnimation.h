#pragma once
// Animates a colour of the parent, named by a dotted path ("Fill.Color"), channel by channel. The
// target may hold colour text or a colour number.

#include <QPointer>

#include "vgAnimation.h"
#include "vgColor.h"

class TvgColorAnimation : public TvgAnimation {
    Q_OBJECT
    Q_PROPERTY(QString StartValue READ StartValue WRITE SetStartValue)
    Q_PROPERTY(QString StopValue READ StopValue WRITE SetStopValue)
    Q_PROPERTY(bool StartFromCurrent READ StartFromCurrent WRITE SetStartFromCurrent)
    Q_PROPERTY(QString PropertyName READ PropertyName WRITE SetPropertyName)

public:
    Q_INVOKABLE explicit TvgColorAnimation(QObject* AOwner = nullptr);

    void Start() override;

    QString StartValue() const { return vgColorToStr(FStartColor); }
    void SetStartValue(const QString& value) { FStartColor = vgStrToColor(value); }
    QString StopValue() const { return vgColorToStr(FStopColor); }
    void SetStopValue(const QString& value) { FStopColor = vgStrToColor(value); }
    bool StartFromCurrent() const { return FStartFromCurrent; }
    void SetStartFromCurrent(bool value) { FStartFromCurrent = value; }
    QString PropertyName() const { return FPropertyName; }
    void SetPropertyName(const QString& value) { FPropertyName = value; }

    QObject* Instance() const { return FInstance; }
    QString Path() const { return FPath; }

    TvgColor FStartColor = 0xFFFFFFFFu;
    TvgColor FStopColor = 0xFFFFFFFFu;

protected:
    void ApplyProgress(double progress) override;

private:
    void ResolveTarget();
    void ReadCurrentColor();

    bool FStartFromCurrent = false;
    QString FPropertyName;
    QPointer<QObject> FInstance;
    QString FPath;
};
