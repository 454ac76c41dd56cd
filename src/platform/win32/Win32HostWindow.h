#pragma once
// The host window on Windows: a layered window presented with UpdateLayeredWindow from the one
// frame buffer (a DIB section), so that every pixel takes the scene's alpha and fully transparent
// pixels let the mouse through to the window below. The desktop kind is a tool window (no
// taskbar button) owned by a hidden window hung under the shell's "Progman" window, and it answers
// every z-order change with HWND_BOTTOM. Without "Progman" it is an unowned bottom-most window.

#include <functional>

#include "LayeredSurface.h"
#include "QtHostWindow.h"

class Win32HostWindow : public QtHostWindow {
    Q_OBJECT
public:
    // `onClose` runs when the system asks the desktop window to close (taskkill, Alt+F4, a test):
    // the program then ends through its normal shut-down instead of losing its window.
    Win32HostWindow(THostWindowKind kind, std::function<void()> onClose);
    ~Win32HostWindow() override;

    using IHostWindow::BeginPaint;
    QImage* BeginPaint(const QRegion& region, const QRegion& covered) override;
    using IHostWindow::EndPaint;
    void EndPaint(const QRegion& region, const QRegion& opaque) override;

    HWND Handle() const { return FHandle; }
    // The hidden window under "Progman" that owns the desktop window; null for the tool kind and
    // when the shell has no desktop window.
    HWND OwnerHandle() const { return FOwner; }

protected:
    void KeepAtBottom() override;
    void Resized() override;
    void Shown(bool firstShow) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MakeLayered();
    void HangUnderDesktop();

    HWND FHandle = nullptr;
    HWND FOwner = nullptr;
    std::function<void()> FOnClose;
    WNDPROC FQtProc = nullptr;
    TLayeredSurface FSurface;
    bool FPainting = false;
};
