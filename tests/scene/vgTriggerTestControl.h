#pragma once
// A visual object with a pressed state, standing in for a button in the trigger tests.

#include "vgVisualObject.h"

class TTriggerTestControl : public TvgVisualObject {
    Q_OBJECT
    Q_PROPERTY(bool IsPressed READ IsPressed STORED false)

public:
    using TvgVisualObject::TvgVisualObject;
    bool IsPressed() const { return FIsPressed; }
    bool FIsPressed = false;
};
