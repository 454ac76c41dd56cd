#pragma once
// The mark of a top-level window that owns a scene and can be asked to close (a form). A window
// control's close button walks the owner chain from its scene to the first one.

class IvgForm {
public:
    virtual ~IvgForm() = default;
    virtual void Close() = 0;
};
