#pragma once
// A scene on the fake platform with a transparent background root, drawn on demand, for render
// and routing tests.

#include <gtest/gtest.h>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "vgBackground.h"
#include "vgScene.h"

class SceneFixture : public ::testing::Test {
protected:
    explicit SceneFixture(QSize size = {100, 100}) {
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(QPoint(0, 0), size));
        Root = new TvgBackground;
        Scene->AddObject(Root);
        Scene->Show();
        Draw();
    }
    ~SceneFixture() override { Scene.reset(); }

    FakeHostWindow& Window() { return *dynamic_cast<FakeHostWindow*>(Scene->HostWindow()); }
    const QImage& Frame() { return Window().FrameBuffer(); }
    // Runs the posted redraw (and anything else waiting) and the 1 ms first-draw timer.
    void Draw() { Fake->Advance(1); }
    int AlphaAt(int x, int y) { return qAlpha(Frame().pixel(x, y)); }
    QRgb PixelAt(int x, int y) { return Frame().pixel(x, y); }
    template <class T>
    T* Add(TvgObject* parent, float x, float y, float w, float h) {
        auto* object = new T;
        object->SetBounds(x, y, w, h);
        parent->AddObject(object);
        return object;
    }

    FakePlatformScope Fake;
    std::unique_ptr<TvgScene> Scene;
    TvgBackground* Root = nullptr;
};
