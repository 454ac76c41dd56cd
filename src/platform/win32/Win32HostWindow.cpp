#include "Win32HostWindow.h"

#include <QMouseEvent>

namespace {

constexpr wchar_t kOwnerClass[] = L"MaroviaDesktopOwner";

// The hidden owner gets WM_CLOSE too (taskkill sends it to every top-level window of the
// process); closing it would destroy the desktop window it owns, so it asks for the shut-down.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        auto* onClose = reinterpret_cast<std::function<void()>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (onClose && *onClose) (*onClose)();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The hidden owner of the desktop window: a top-level window that is never shown.
HWND CreateOwnerWindow(std::function<void()>* onClose) {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = OwnerProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kOwnerClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (owner) SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(onClose));
    return owner;
}

constexpr wchar_t kHostProperty[] = L"MaroviaHostWindow";

}  // namespace

// Ahead of Qt's own window procedure, so that no z-order change and no close request reaches
// the default handling first.
LRESULT CALLBACK Win32HostWindow::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = static_cast<Win32HostWindow*>(GetPropW(window, kHostProperty));
    if (!host) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_WINDOWPOSCHANGING:
            if (!host->IsDesktop()) break;
            // Every change goes to the bottom; one with SWP_NOZORDER stays a pure move or resize.
            reinterpret_cast<WINDOWPOS*>(lParam)->hwndInsertAfter = HWND_BOTTOM;
            return 0;
        case WM_ACTIVATE:
            // Deactivated for a window of another program (or none): the user went elsewhere.
            if (LOWORD(wParam) == WA_INACTIVE && host->Client()) {
                DWORD process = 0;
                if (lParam) GetWindowThreadProcessId(reinterpret_cast<HWND>(lParam), &process);
                if (process != GetCurrentProcessId()) host->Client()->HostDeactivated();
            }
            break;
        case WM_CLOSE:
            // Closing the native window under the scene would leave the program without its
            // window; the desktop window ends the program instead, a tool window ignores it.
            if (host->IsDesktop() && host->FOnClose) host->FOnClose();
            return 0;
        default:
            break;
    }
    return CallWindowProcW(host->FQtProc, window, message, wParam, lParam);
}

Win32HostWindow::Win32HostWindow(THostWindowKind kind, std::function<void()> onClose)
    : QtHostWindow(kind), FOnClose(std::move(onClose)) {
    DropBackingStore();  // the DIB section below is the one frame buffer
    create();
    FHandle = reinterpret_cast<HWND>(winId());
    MakeLayered();
    SetPropW(FHandle, kHostProperty, this);
    FQtProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32HostWindow::HostProc)));
    if (IsDesktop()) HangUnderDesktop();
}

Win32HostWindow::~Win32HostWindow() {
    // Qt destroys the window itself; the owner goes after it, so the window is never left ownerless.
    if (FQtProc) SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FQtProc));
    RemovePropW(FHandle, kHostProperty);
    destroy();
    if (FOwner) DestroyWindow(FOwner);
}

void Win32HostWindow::MakeLayered() {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    // Dropping the layered style first discards any SetLayeredWindowAttributes state, which would
    // make UpdateLayeredWindow fail.
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    style |= WS_EX_LAYERED;
    // The desktop window has no taskbar button; the tool kind is an ordinary window that has one.
    if (IsDesktop()) {
        style |= WS_EX_TOOLWINDOW;
        style &= ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    } else {
        style &= ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW);
        style |= WS_EX_APPWINDOW;
    }
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, style);
}

void Win32HostWindow::HangUnderDesktop() {
    // Without the shell's desktop window the window stays unowned: an ordinary bottom-most one
    // (an owner of its own would hold it above the owner's place in the z-order).
    HWND progman = FindWindowW(L"Progman", nullptr);
    if (!progman) return;
    FOwner = CreateOwnerWindow(&FOnClose);
    if (!FOwner) return;
    SetParent(FOwner, progman);
    Shown(true);
}

QImage* Win32HostWindow::BeginPaint(const QRegion&, const QRegion&) {
    if (!FSurface.Resize(size())) return nullptr;
    FPainting = true;
    return FSurface.Image();
}

void Win32HostWindow::EndPaint(const QRegion& region, const QRegion& opaque) {
    if (!FPainting) return;
    FPainting = false;
    QImage* image = FSurface.Image();
    const bool inputRegionChanged = image && TakeInputRegion(*image, region, opaque);
    if (region.isEmpty()) return;
    FSurface.Present(FHandle, region.boundingRect());
    CountPresentedFrame();
    Presented(inputRegionChanged);
}

void Win32HostWindow::Resized() {
    FSurface.Resize(size());
}

void Win32HostWindow::KeepAtBottom() {
    SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32HostWindow::Shown(bool) {
    // Qt sets the owner from the transient parent (none) each time it shows the window.
    if (FOwner && GetWindow(FHandle, GW_OWNER) != FOwner)
        SetWindowLongPtrW(FHandle, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(FOwner));
}

void Win32HostWindow::mousePressEvent(QMouseEvent* event) {
    // A drag that leaves the drawn pixels (or the window) still reaches the scene.
    SetCapture(FHandle);
    QtHostWindow::mousePressEvent(event);
}

void Win32HostWindow::mouseReleaseEvent(QMouseEvent* event) {
    QtHostWindow::mouseReleaseEvent(event);
    if (event->buttons() == Qt::NoButton && GetCapture() == FHandle) ReleaseCapture();
}
