#pragma once
// The host window on X11: the EWMH hints that keep it on the desktop, and the Shape extension's
// input shape (and, without a compositor, bounding shape) following the drawn pixels.

#include "QtHostWindow.h"

class X11HostWindow : public QtHostWindow {
    Q_OBJECT
public:
    explicit X11HostWindow(THostWindowKind kind);

    void Show() override;

protected:
    void Shown(bool firstShow) override;
    void Presented(bool inputRegionChanged) override;
    void Resized() override { FShapeDirty = true; }
    void exposeEvent(QExposeEvent* event) override;

private:
    void ApplyShapes();

    bool FShapeDirty = true;
    bool FCompositor = true;
};
