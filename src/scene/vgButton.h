#pragma once
// Push buttons: TvgCustomButton tracks the pressed state (which its style animates on), may stay
// pressed or repeat its click while held; TvgCornerButton hands its corner and side settings to
// its style's "Background" rectangle, so that two buttons can make one split pill.

#include <QPointer>

#include "IPlatform.h"
#include "vgDrawTypes.h"
#include "vgTextControl.h"

#include "vgRectangle.h"

class TvgCustomButton : public TvgTextControl {
    Q_OBJECT
    Q_PROPERTY(bool IsPressed READ IsPressed WRITE SetIsPressed)
    Q_PROPERTY(bool StaysPressed READ StaysPressed WRITE SetStaysPressed)
    Q_PROPERTY(bool RepeatClick READ RepeatClick WRITE SetRepeatClick)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)

public:
    Q_INVOKABLE explicit TvgCustomButton(QObject* AOwner = nullptr);
    ~TvgCustomButton() override;

    bool IsPressed() const { return FIsPressed; }
    // Starts the "IsPressed" triggers of the button's animations and effects on a change.
    void SetIsPressed(bool value);
    bool StaysPressed() const { return FStaysPressed; }
    void SetStaysPressed(bool value) { FStaysPressed = value; }
    bool RepeatClick() const { return FRepeatClick; }
    void SetRepeatClick(bool value) { FRepeatClick = value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }

    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void DblClick() override;
    void KeyDown(int& Key, QChar& KeyChar, TShiftState Shift) override;

private:
    void StartRepeat();
    void StopRepeat();

    bool FIsPressed = false;
    bool FStaysPressed = false;
    bool FRepeatClick = false;
    int FModalResult = 0;
    TimerId FRepeatTimer = 0;
};

class TvgCornerButton : public TvgCustomButton {
    Q_OBJECT
    Q_PROPERTY(float xRadius READ xRadius WRITE SetxRadius)
    Q_PROPERTY(float yRadius READ yRadius WRITE SetyRadius)
    Q_PROPERTY(vgEnums::TvgCorners Corners READ Corners WRITE SetCorners)
    Q_PROPERTY(vgEnums::TvgCornerType CornerType READ CornerType WRITE SetCornerType)
    Q_PROPERTY(vgEnums::TvgSides Sides READ Sides WRITE SetSides)

public:
    Q_INVOKABLE explicit TvgCornerButton(QObject* AOwner = nullptr);

    float xRadius() const { return FxRadius; }
    void SetxRadius(float value);
    float yRadius() const { return FyRadius; }
    void SetyRadius(float value);
    TvgCorners Corners() const { return FCorners; }
    void SetCorners(TvgCorners value);
    TvgCornerType CornerType() const { return FCornerType; }
    void SetCornerType(TvgCornerType value);
    TvgSides Sides() const { return FSides; }
    void SetSides(TvgSides value);

    // The style's "Background" rectangle (null when the style has none).
    TvgRectangle* Background() const { return FBackground; }

protected:
    void StyleApplied() override;
    void StyleFreeing() override;

private:
    void ApplyCorners();

    float FxRadius = 3;
    float FyRadius = 3;
    TvgCorners FCorners = AllCorners;
    TvgCornerType FCornerType = vgCornerRound;
    TvgSides FSides = AllSides;
    QPointer<TvgRectangle> FBackground;
};
