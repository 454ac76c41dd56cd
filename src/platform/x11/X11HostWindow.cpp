#include "X11HostWindow.h"

#include "X11Window.h"

X11HostWindow::X11HostWindow(THostWindowKind kind) : QtHostWindow(kind) {
    create();
    if (IsDesktop()) X11Window::SetDesktopLevelHints(winId());
}

void X11HostWindow::Show() {
    // Qt rewrites _NET_WM_STATE on show from its own flags; write ours again so that nothing is lost.
    if (IsDesktop() && !isVisible()) X11Window::SetDesktopLevelHints(winId());
    QtHostWindow::Show();
}

void X11HostWindow::Shown(bool firstShow) {
    if (firstShow) X11Window::SetDesktopLevelHints(winId());
}

void X11HostWindow::Presented(bool inputRegionChanged) {
    if (inputRegionChanged) FShapeDirty = true;
    ApplyShapes();
}

void X11HostWindow::exposeEvent(QExposeEvent* event) {
    FShapeDirty = true;
    QtHostWindow::exposeEvent(event);
    ApplyShapes();
}

void X11HostWindow::ApplyShapes() {
    // Window managers copy a client's input shape to their frame only when it changes on a mapped
    // window, so the shape waits until the window is exposed.
    if (!isExposed()) return;
    const bool compositor = X11Window::CompositorRunning();
    if (!FShapeDirty && compositor == FCompositor) return;
    X11Window::SetInputShape(winId(), InputRegion());
    // Without a compositor X shows transparent pixels as black: show only the drawn ones.
    if (!compositor)
        X11Window::SetBoundingShape(winId(), InputRegion());
    else if (!FCompositor)
        X11Window::ClearBoundingShape(winId());
    FCompositor = compositor;
    FShapeDirty = false;
}
