#pragma once
// The main form: a borderless per-pixel-alpha window over the primary work area, kept below every
// ordinary window, on which the scene draws the panels, the notes and the two-segment switch.

#include <QRect>
#include <memory>

#include "IPlatform.h"

class TfrmMarovia {
public:
    TfrmMarovia();
    ~TfrmMarovia();
    TfrmMarovia(const TfrmMarovia&) = delete;
    TfrmMarovia& operator=(const TfrmMarovia&) = delete;

    void Show();
    QRect BoundsRect() const;
    IHostWindow& Window() { return *FWindow; }

private:
    void FormCreate();
    void FormDestroy();
    void FitToWorkArea();

    std::unique_ptr<IHostWindow> FWindow;
};

// The one main form while the program runs.
extern TfrmMarovia* frmMarovia;
