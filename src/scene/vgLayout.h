#pragma once
// An invisible grouping object: it paints nothing and does not take the mouse itself (its children
// still do).

#include "vgVisualObject.h"

class TvgLayout : public TvgVisualObject {
    Q_OBJECT

public:
    explicit TvgLayout(QObject* AOwner = nullptr);
};
