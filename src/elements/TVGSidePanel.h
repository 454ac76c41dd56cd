#pragma once
// The side bar: an invisible column along the right edge that stacks its side buttons from the
// top down, 2 pixels apart.

#include "vgRectangle.h"

class TVGBaseButton;

class TVGSidePanel : public TvgRectangle {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TVGSidePanel(QObject* AOwner = nullptr);

    // The side buttons among the direct children, counted on every read.
    int ButtonCount() const;
    // Places a button that is already a child of the panel below the ones before it.
    void AddSideButton(TVGBaseButton* AVGSideButton);
};
