#pragma once
// The launch key on X11: a passive grab of the key on the root window (XGrabKey), for every state
// of Caps Lock and Num Lock, and an event filter that sees its presses.

#include <QAbstractNativeEventFilter>
#include <QString>

#include <cstdint>
#include <functional>

class X11LaunchKey : public QAbstractNativeEventFilter {
public:
    X11LaunchKey();
    ~X11LaunchKey() override;

    // Grabs Super+Space, or Ctrl+Alt+Space when another program holds that; the name of the one
    // grabbed, empty when neither could be had (or there is no X11 display).
    QString Grab(std::function<void()> handler);
    void Release();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool TryGrab(std::uint16_t modifiers);

    std::function<void()> FHandler;
    std::uint8_t FKeycode = 0;
    std::uint16_t FModifiers = 0;
    bool FGrabbed = false;
    bool FFilterInstalled = false;
};
