#pragma once
// Presses of a mouse button anywhere on the screen, told apart by whether they fall on one of this
// program's windows. While a window holds the keyboard it is not given the focus (the desktop
// window never takes it), so a click into another program changes no focus this program would
// see: the XInput 2 raw presses, selected on the root window, reach every client whatever window
// or grab the press goes to, and do not change where it goes.

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

class X11OutsideClicks : public QAbstractNativeEventFilter {
public:
    // `onOutside` runs from the event loop after a press of a button (not the wheel) outside every
    // visible top-level window of this program.
    explicit X11OutsideClicks(std::function<void()> onOutside);
    ~X11OutsideClicks() override;
    X11OutsideClicks(const X11OutsideClicks&) = delete;
    X11OutsideClicks& operator=(const X11OutsideClicks&) = delete;

    // Starts or stops watching; does nothing without X11 or its input extension.
    void SetWatching(bool watching);
    bool Watching() const { return FWatching; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    bool SelectRawPresses(bool on);
    bool PointerOverOurs() const;

    std::function<void()> FOnOutside;
    std::uint8_t FOpcode = 0;
    bool FWatching = false;
    bool FFilterInstalled = false;
};
