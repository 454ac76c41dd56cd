#pragma once
// A large launch button of the desktop panel: a double click launches it, or, for a system
// button, raises its built-in command.

#include "TVGDockButton.h"

class TVGDesktopPanel;

class TVGDesktopButton : public TVGDockButton {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TVGDesktopButton(QObject* AOwner = nullptr);

    void ButtonMouseEnter(TvgObject* Sender) override;
    void ButtonMouseLeave(TvgObject* Sender) override;
    void BackGroundDblClick(TvgObject* Sender);

    // Borrowed: the panel that placed the button.
    TVGDesktopPanel* DesktopPanel() const { return FDesktopPanel; }
    void SetDesktopPanel(TVGDesktopPanel* Value) { FDesktopPanel = Value; }
    // Raised by a system button's double click (until the panel forwards it).
    void SetOnBuildInEvent(TOnBuildInEvent handler) { FOnBuildInEvent = std::move(handler); }

private:
    TVGDesktopPanel* FDesktopPanel = nullptr;
    TOnBuildInEvent FOnBuildInEvent;
};
