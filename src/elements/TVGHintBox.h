#pragma once
// The one speech bubble of the scene: a pale yellow callout that shows the name of the side or dock
// button under the mouse, its pointer aimed at the button. It never takes the mouse.

#include <cstdint>

#include "vgCalloutPanel.h"

class TvgText;

enum THintDirection : std::uint8_t { HD_None, HD_Right, HD_Bottom };

class TVGHintBox : public TvgCalloutPanel {
    Q_OBJECT
    Q_PROPERTY(QString HintInfo READ HintInfo WRITE SetHintInfo)

public:
    Q_INVOKABLE explicit TVGHintBox(QObject* AOwner = nullptr);

    QString HintInfo() const { return FHintInfo; }
    void SetHintInfo(const QString& Value);
    THintDirection HintDirection() const { return FHintDirection; }
    // Moves the pointer to that side and keeps the text out of the strip it takes.
    void SetHintDirection(THintDirection Value);
    TvgText* Lable() const { return FLable; }

private:
    TvgText* FLable;
    QString FHintInfo;
    THintDirection FHintDirection = HD_None;
};
