#pragma once
// The mark of an object that resizes the scene's window when dragged (a window's size grip).
// The scene recognises it by type; the interface has nothing to implement.

class IvgSizeGrip {
public:
    virtual ~IvgSizeGrip() = default;
};
