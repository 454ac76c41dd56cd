#pragma once
// A large launch button of the desktop panel: a double click launches it, or, for a system
// button, raises its built-in command through the panel that placed it.

#include <QPointer>

#include "TVGDesktopPanel.h"
#include "TVGDockButton.h"

class TVGDesktopButton : public TVGDockButton {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TVGDesktopButton(QObject* AOwner = nullptr);

    void ButtonMouseEnter(TvgObject* Sender) override;
    void ButtonMouseLeave(TvgObject* Sender) override;
    void BackGroundDblClick(TvgObject* Sender);

    // Borrowed: the panel that placed the button (forgotten when that panel goes first).
    TVGDesktopPanel* DesktopPanel() const { return FDesktopPanel; }
    void SetDesktopPanel(TVGDesktopPanel* Value) { FDesktopPanel = Value; }
    // The receiver of a system button that no panel placed: the scene manager's own system
    // button, until the manager hands it to the desktop panel. Remove once nothing sets it.
    void SetOnBuildInEvent(TOnBuildInEvent Value) { FOnBuildInEvent = std::move(Value); }

private:
    QPointer<TVGDesktopPanel> FDesktopPanel;
    TOnBuildInEvent FOnBuildInEvent;
};
