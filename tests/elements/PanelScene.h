#pragma once
// A desktop scene for the panels on the fake platform: a work area of the given size at (0, 0) on a
// screen 40 pixels taller, the scene fitted to the work area with a background root, a fresh
// installation folder, and the mouse as the host window would deliver it.

#include <QImage>

#include <memory>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "vgAniThread.h"
#include "vgBackground.h"
#include "vgScene.h"

class PanelScene {
public:
    explicit PanelScene(QSize workArea = {1920, 1040}) {
        Fake->SetWorkArea(QRect(QPoint(0, 0), workArea));
        Fake->SetScreenSize(workArea + QSize(0, 40));
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(QPoint(0, 0), workArea));
        Root = new TvgBackground(Scene.get());
        Scene->AddObject(Root);
        Scene->Show();
        Fake->Advance(1);
    }
    ~PanelScene() {
        Scene.reset();
        // The animation clock is process-wide: the next test starts without one.
        TvgAniThread::FreeInstance();
    }
    PanelScene(const PanelScene&) = delete;
    PanelScene& operator=(const PanelScene&) = delete;

    // A new object owned by and parented to the root.
    template <class T>
    T* Add() {
        auto* object = new T(Root);
        object->SetParent(Root);
        return object;
    }

    void MoveTo(float x, float y) { Scene->HostMouseMove(TShiftState(), QPointF(x, y)); }
    void Press(TMouseButton button, float x, float y, TShiftState shift = TShiftState()) {
        Scene->HostMouseDown(button, shift, QPointF(x, y));
    }
    void Release(TMouseButton button, float x, float y) {
        Scene->HostMouseUp(button, TShiftState(), QPointF(x, y));
    }
    void Click(float x, float y) {
        MoveTo(x, y);
        Press(TMouseButton::mbLeft, x, y, TShiftState(TShiftFlag::ssLeft));
        Release(TMouseButton::mbLeft, x, y);
    }
    void DoubleClick(float x, float y) {
        Click(x, y);
        Press(TMouseButton::mbLeft, x, y, TShiftState(TShiftFlag::ssLeft) | TShiftFlag::ssDouble);
        Release(TMouseButton::mbLeft, x, y);
    }
    // Runs the posted redraw and returns what the window shows.
    const QImage& Frame() {
        Fake->RunPosted();
        return dynamic_cast<FakeHostWindow*>(Scene->HostWindow())->FrameBuffer();
    }

    FakePlatformScope Fake;
    InstallationScope Installation;
    std::unique_ptr<TvgScene> Scene;
    TvgBackground* Root = nullptr;
};
