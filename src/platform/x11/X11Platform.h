#pragma once
// The platform on a freedesktop system with X11: Qt's pieces, the X11 host window, the strut
// window that reserves the strip, the Linux shell and the shut-down signals.

#include <memory>

#include "QtPlatform.h"

class QWindow;
class X11LaunchKey;

class X11Platform : public QtPlatform {
public:
    X11Platform(int& argc, char** argv, const QString& applicationName);
    ~X11Platform() override;

    void ReserveRightStrip(int width) override;
    std::unique_ptr<IHostWindow> CreateHostWindow(THostWindowKind kind) override;
    QString SetOnLaunchKey(std::function<void()> handler) override;
    void TrimWorkingSet() override;

private:
    std::unique_ptr<QWindow> FStrutWindow;
    std::unique_ptr<X11LaunchKey> FLaunchKey;
};
