#include "Win32Platform.h"

#include <QPixmapCache>

#include <windows.h>

#include <atomic>

#include "NativePlatform.h"
#include "QuitRequest.h"
#include "Win32HostWindow.h"
#include "Win32LaunchKey.h"
#include "Win32Shell.h"
#include "WorkArea.h"

namespace {

std::atomic<Win32Platform*> gConsolePlatform{nullptr};
HANDLE gShutDownDone = nullptr;

// Runs on a thread of its own that the system starts for the console event.
BOOL WINAPI ConsoleControl(DWORD event) {
    Win32Platform* platform = gConsolePlatform.load();
    if (!platform) return FALSE;
    SetQuitPending(true);  // known at once to a paint in progress on the loop's thread
    platform->Quit();      // queued to the event loop's thread
    // After a close, log-off or shut-down event the system ends the process as soon as this
    // returns: wait (within the system's grace period) for the normal shut-down to finish.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(gShutDownDone, 4500);
    return TRUE;
}

// The program draws in device pixels, as the work area and the screen metrics are given.
int& DisableScaling(int& argc) {
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    return argc;
}

}  // namespace

Win32Platform::Win32Platform(int& argc, char** argv, const QString& applicationName)
    : QtPlatform(DisableScaling(argc), argv, applicationName),
      FStrip(std::make_unique<TRightStripReservation>()) {
    SetShell(std::make_unique<Win32Shell>());
    gShutDownDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gConsolePlatform = this;
    SetConsoleCtrlHandler(ConsoleControl, TRUE);
}

Win32Platform::~Win32Platform() {
    FStrip.reset();  // the work area goes back before the process may be ended
    gConsolePlatform = nullptr;
    SetConsoleCtrlHandler(ConsoleControl, FALSE);
    if (gShutDownDone) SetEvent(gShutDownDone);
}

QRect Win32Platform::WorkArea() const {
    return Win32WorkArea::Get();
}

QSize Win32Platform::ScreenSize() const {
    return Win32WorkArea::ScreenSize();
}

QPoint Win32Platform::CursorPos() const {
    POINT point{};
    if (!GetCursorPos(&point)) return QtPlatform::CursorPos();
    return QPoint(point.x, point.y);
}

void Win32Platform::ReserveRightStrip(int width) {
    FStrip->Reserve(width);
}

std::unique_ptr<IHostWindow> Win32Platform::CreateHostWindow(THostWindowKind kind) {
    return std::make_unique<Win32HostWindow>(kind, [this] { Quit(); });
}

QString Win32Platform::SetOnLaunchKey(std::function<void()> handler) {
    if (!FLaunchKey) FLaunchKey = std::make_unique<Win32LaunchKey>();
    return FLaunchKey->Register(std::move(handler));
}

void Win32Platform::TrimWorkingSet() {
    QPixmapCache::clear();
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

std::unique_ptr<IPlatform> CreateNativePlatform(int& argc, char** argv, const QString& applicationName) {
    return std::make_unique<Win32Platform>(argc, argv, applicationName);
}
