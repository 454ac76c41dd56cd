#pragma once
// The platform on Windows: Qt's pieces, the layered host window, the work area through
// SystemParametersInfoW, working-set trimming and the Windows shell. A console Ctrl+C or close,
// a log-off and a WM_CLOSE to the desktop window all end the program through its normal shut-down.

#include <memory>

#include "QtPlatform.h"

class TRightStripReservation;
class Win32LaunchKey;

class Win32Platform : public QtPlatform {
public:
    Win32Platform(int& argc, char** argv, const QString& applicationName);
    ~Win32Platform() override;

    QRect WorkArea() const override;
    QSize ScreenSize() const override;
    QPoint CursorPos() const override;
    void ReserveRightStrip(int width) override;
    std::unique_ptr<IHostWindow> CreateHostWindow(THostWindowKind kind) override;
    QString SetOnLaunchKey(std::function<void()> handler) override;
    void TrimWorkingSet() override;

private:
    std::unique_ptr<TRightStripReservation> FStrip;
    std::unique_ptr<Win32LaunchKey> FLaunchKey;
};
