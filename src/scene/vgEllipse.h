#pragma once
// The ellipse inscribed in the shape rectangle (style decorations).

#include "vgShape.h"

class TvgEllipse : public TvgShape {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgEllipse(QObject* AOwner = nullptr);

protected:
    void PaintShape(TvgCanvas& Canvas) override;
};
