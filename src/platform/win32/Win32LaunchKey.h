#pragma once
// The launch key on Windows: RegisterHotKey for Win+Alt+Space on the user-interface thread, and an
// event filter that sees its WM_HOTKEY messages.

#include <QAbstractNativeEventFilter>
#include <QString>

#include <functional>

class Win32LaunchKey : public QAbstractNativeEventFilter {
public:
    Win32LaunchKey();
    ~Win32LaunchKey() override;

    // The key's name, empty when another program holds it.
    QString Register(std::function<void()> handler);
    void Unregister();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<void()> FHandler;
    bool FRegistered = false;
    bool FFilterInstalled = false;
};
