#include "Win32LaunchKey.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

namespace {

constexpr int kHotKeyId = 0x4D56;  // any value of 0 … 0xBFFF the program does not use otherwise
#ifndef MOD_NOREPEAT
constexpr UINT MOD_NOREPEAT = 0x4000;
#endif

}  // namespace

Win32LaunchKey::Win32LaunchKey() = default;

Win32LaunchKey::~Win32LaunchKey() {
    Unregister();
    if (FFilterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

QString Win32LaunchKey::Register(std::function<void()> handler) {
    Unregister();
    FHandler = std::move(handler);
    if (!FHandler) return QString();
    if (!FFilterInstalled) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        FFilterInstalled = true;
    }
    // No window: the messages go to the thread's queue, where the filter sees them.
    FRegistered = RegisterHotKey(nullptr, kHotKeyId, MOD_WIN | MOD_ALT | MOD_NOREPEAT, VK_SPACE) != 0;
    return FRegistered ? QStringLiteral("Win+Alt+Space") : QString();
}

void Win32LaunchKey::Unregister() {
    if (!FRegistered) return;
    UnregisterHotKey(nullptr, kHotKeyId);
    FRegistered = false;
}

bool Win32LaunchKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!FRegistered || eventType != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_HOTKEY || msg->wParam != static_cast<WPARAM>(kHotKeyId)) return false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [handler = FHandler] {
            if (handler) handler();
        },
        Qt::QueuedConnection);
    return true;
}
