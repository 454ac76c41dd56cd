// Drawing costs of the scene host, each next to the floor measured in the same run: a memcpy of one
// 1920 x 1080 frame buffer. The frame rate of a moving object is driven by the fake platform's
// timer (advanced as fast as the machine can draw), so it is the rate the drawing itself allows.
//
//   ./build/bench/scene_draw --benchmark_counters_tabular=true
//   ./build/bench/scene_draw --benchmark_filter="Labelled|HundredChinese" --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <cstring>
#include <memory>
#include <vector>

#include "FakeHostWindow.h"
#include "FakePlatform.h"
#include "vgBackground.h"
#include "vgLabel.h"
#include "vgPosition.h"
#include "vgProgramStyles.h"
#include "vgRectangle.h"
#include "vgResources.h"
#include "vgScene.h"

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;

FakePlatform& Fake() {
    return static_cast<FakePlatform&>(Platform());
}

// A transparent full-screen scene with a background root, drawn once so that the first-draw
// work is out of the way.
struct TBenchScene {
    TBenchScene() {
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(0, 0, FrameWidth, FrameHeight));
        Root = new TvgBackground;
        Scene->AddObject(Root);
        Scene->Show();
    }
    void Settle() { Fake().Advance(1); }
    void Redraw(const TvgRect& rect) {
        Scene->AddUpdateRect(rect);
        Scene->DrawUpdateRects();
    }
    std::unique_ptr<TvgScene> Scene;
    TvgBackground* Root;
};

QImage Wallpaper() {
    QImage image(FrameWidth, FrameHeight, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < FrameHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < FrameWidth; ++x) row[x] = qRgb(x % 256, y % 256, (x + y) % 256);
    }
    return image;
}

void FillWithWallpaper(TvgBackground& root) {
    root.Fill()->SetStyle(vgBrushBitmap);
    root.Fill()->Bitmap()->SetWrapMode(vgWrapTileStretch);
    root.Fill()->Bitmap()->Bitmap()->SetImage(Wallpaper());
}

void BM_FullRedrawStretchedBitmap(benchmark::State& state) {
    TBenchScene bench;
    FillWithWallpaper(*bench.Root);
    bench.Settle();
    for (auto _ : state) bench.Redraw({0, 0, FrameWidth, FrameHeight});
}
BENCHMARK(BM_FullRedrawStretchedBitmap)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HoverRepaint64x80(benchmark::State& state) {
    TBenchScene bench;
    FillWithWallpaper(*bench.Root);
    // A hovered button: a rounded, stroked, gradient-filled rectangle over the wallpaper.
    auto* button = new TvgRectangle;
    button->SetBounds(900, 500, 64, 80);
    button->SetxRadius(8);
    button->SetyRadius(8);
    button->Fill()->SetStyle(vgBrushGradient);
    button->Fill()->Gradient()->SetPointsText("#FF6A9BEC 0, #FF1D669C 1");
    bench.Root->AddObject(button);
    bench.Settle();
    for (auto _ : state) bench.Redraw({900, 500, 964, 580});
}
BENCHMARK(BM_HoverRepaint64x80)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same hovered button with its name under the picture, as a dock button has: the label is
// drawn again on every hover frame.
void BM_HoverRepaintLabelledButton(benchmark::State& state) {
    TBenchScene bench;
    FillWithWallpaper(*bench.Root);
    auto* styles = new TvgResources(bench.Scene.get());
    LoadProgramStyles(*styles);
    bench.Scene->SetStyle(styles);
    auto* button = new TvgRectangle;
    button->SetBounds(900, 500, 64, 80);
    button->SetxRadius(8);
    button->SetyRadius(8);
    button->Fill()->SetStyle(vgBrushGradient);
    button->Fill()->Gradient()->SetPointsText("#FF6A9BEC 0, #FF1D669C 1");
    bench.Root->AddObject(button);
    auto* label = new TvgLabel;
    label->SetBounds(902, 556, 60, 20);
    label->Font()->SetFamily(QStringLiteral("宋体"));
    label->Font()->SetSize(12);
    label->SetResource(QStringLiteral("LableURLStyle1"));
    label->SetText(QStringLiteral("这是一个很长的程序名称"));
    bench.Root->AddObject(label);
    bench.Settle();
    for (auto _ : state) bench.Redraw({900, 500, 964, 580});
}
BENCHMARK(BM_HoverRepaintLabelledButton)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Labels as the program makes them: each wears a clone of the URL label's style with its text part.
void BM_HundredChineseLabels(benchmark::State& state) {
    TBenchScene bench;
    auto* styles = new TvgResources(bench.Scene.get());
    LoadProgramStyles(*styles);
    bench.Scene->SetStyle(styles);
    for (int i = 0; i < 100; ++i) {
        auto* label = new TvgLabel;
        label->SetBounds(static_cast<float>(100 + (i % 10) * 120), static_cast<float>(100 + (i / 10) * 40),
                         100, 24);
        label->Font()->SetFamily(QStringLiteral("宋体"));
        label->Font()->SetSize(16);
        label->SetResource(QStringLiteral("LableURLStyle1"));
        label->SetText(QStringLiteral("电脑桌面"));
        bench.Root->AddObject(label);
    }
    bench.Settle();
    for (auto _ : state) bench.Redraw({0, 0, FrameWidth, FrameHeight});
}
BENCHMARK(BM_HundredChineseLabels)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A 1920-wide band moves down the screen by 4 pixels per 16 ms tick of the platform timer; every
// tick invalidates the old and new places and the posted redraw presents them.
void BM_MovingBandFramesPerSecond(benchmark::State& state) {
    TBenchScene bench;
    auto* band = new TvgRectangle;
    band->SetBounds(0, 0, FrameWidth, 120);
    band->Fill()->SetStyle(vgBrushGradient);
    band->Fill()->Gradient()->SetPointsText("#C06A9BEC 0, #C01D669C 1");
    bench.Root->AddObject(band);
    bench.Settle();
    const TimerId timer = Fake().StartTimer(16, [band] {
        const float y = band->Position()->Y() + 4;
        band->Position()->SetY(y > FrameHeight ? -120 : y);
    });
    auto& window = *dynamic_cast<FakeHostWindow*>(bench.Scene->HostWindow());
    const auto before = window.PresentedFrames();
    for (auto _ : state) Fake().Advance(16);
    Fake().StopTimer(timer);
    state.counters["frames"] = static_cast<double>(window.PresentedFrames() - before);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(window.PresentedFrames() - before),
                                               benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MovingBandFramesPerSecond)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
