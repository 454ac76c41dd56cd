#include "X11Platform.h"

#include <QPixmapCache>
#include <QWindow>

#include "LinuxShell.h"
#include "NativePlatform.h"
#include "ShutdownSignals.h"
#include "X11HostWindow.h"
#include "X11LaunchKey.h"
#include "X11Window.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

X11Platform::X11Platform(int& argc, char** argv, const QString& applicationName)
    : QtPlatform(argc, argv, applicationName) {
    SetShell(std::make_unique<LinuxShell>());
    ShutdownSignals::Install([this] { Quit(); });
}

X11Platform::~X11Platform() {
    FLaunchKey.reset();
    FStrutWindow.reset();
    ShutdownSignals::Remove();
}

void X11Platform::ReserveRightStrip(int width) {
    if (width <= 0) {
        // Unmapping the dock window gives the strip back to every program.
        FStrutWindow.reset();
        return;
    }
    const QSize screen = ScreenSize();
    FStrutWindow = std::make_unique<QWindow>();
    FStrutWindow->setFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowStaysOnBottomHint);
    FStrutWindow->setGeometry(screen.width() - 1, 0, 1, 1);
    FStrutWindow->create();
    X11Window::SetRightStrut(FStrutWindow->winId(), width, screen);
    X11Window::MapWindow(FStrutWindow->winId());
    X11Window::SetInputShape(FStrutWindow->winId(), QRegion());
}

std::unique_ptr<IHostWindow> X11Platform::CreateHostWindow(THostWindowKind kind) {
    return std::make_unique<X11HostWindow>(kind);
}

QString X11Platform::SetOnLaunchKey(std::function<void()> handler) {
    if (!FLaunchKey) FLaunchKey = std::make_unique<X11LaunchKey>();
    return FLaunchKey->Grab(std::move(handler));
}

void X11Platform::TrimWorkingSet() {
    QPixmapCache::clear();
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

std::unique_ptr<IPlatform> CreateNativePlatform(int& argc, char** argv, const QString& applicationName) {
    return std::make_unique<X11Platform>(argc, argv, applicationName);
}
