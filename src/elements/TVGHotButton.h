#pragma once
// A small image button that glows while the mouse is over its image and reports clicks on it.

#include "TVGBaseSpeedButton.h"
#include "vgVisualObject.h"

class TvgGlowEffect;

class TVGHotButton : public TVGBaseSpeedButton {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TVGHotButton(QObject* AOwner = nullptr);

    // The click of the image: the handler receives the image as its sender. Replaces the previous one.
    void SetOnClick(TNotifyEvent Value);
    const TNotifyEvent& OnClick() const { return FOnClick; }

    TvgGlowEffect* GlowEffect() const { return FGlowEffect; }

private:
    void ImageMouseEnter(TvgObject* Sender);
    void ImageMouseLeave(TvgObject* Sender);

    TNotifyEvent FOnClick;
    TvgGlowEffect* FGlowEffect;
};
