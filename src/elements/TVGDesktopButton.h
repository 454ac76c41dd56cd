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

protected:
    void MatrixChanged() override;

private:
    QPointer<TVGDesktopPanel> FDesktopPanel;
};
