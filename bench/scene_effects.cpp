// Costs of the scene's effects and animation clock, each reported next to the floor measured in
// the same run: a memcpy of 8 MiB (a 1920 x 1080 frame is 7.9 MiB).
//
//   ./build/bench/scene_effects --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QImage>

#include <cstring>
#include <random>
#include <vector>

#include "FakePlatform.h"
#include "IvgScene.h"
#include "vgAniThread.h"
#include "vgBrush.h"
#include "vgEffect.h"
#include "vgFloatAnimation.h"
#include "vgGlowEffect.h"
#include "vgQtCanvas.h"
#include "vgRectangle.h"
#include "vgStackBlur.h"
#include "vgVisualObject.h"

namespace {

QImage NoisyImage(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(42);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::uint32_t a = random() % 256;
            row[x] = a << 24 | (a / 2) << 16 | (a / 3) << 8 | (a / 4);
        }
    }
    return image;
}

// Arguments: width, height, radius. The cost per pixel must stay flat as the radius grows.
void BM_StackBlur(benchmark::State& state) {
    const QImage source = NoisyImage(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int radius = static_cast<int>(state.range(2));
    QImage work = source;
    // Blurring the result again costs the same as blurring the original: no restore between runs.
    for (auto _ : state) {
        StackBlur(work, radius);
        benchmark::DoNotOptimize(work.constBits());
    }
    const double pixels = static_cast<double>(source.width()) * source.height();
    state.counters["ns_per_pixel"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * pixels,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StackBlur)
    ->Args({116, 116, 9})
    ->Args({116, 116, 15})
    ->Args({1920, 1080, 9})
    ->Args({1920, 1080, 15})
    ->Args({1920, 1080, 95})
    ->Unit(benchmark::kMicrosecond);

// A scene that accepts everything and draws nothing: animations need one to run on the clock.
class TBenchScene : public IvgScene {
public:
    void AddUpdateRect(const TvgRect&) override { ++Updates; }
    bool GetDisableUpdate() const override { return false; }
    TvgObject* GetRoot() const override { return Root; }
    void AddObject(TvgObject* AObject) override {
        Root = AObject;
        AObject->SetScene(this);
    }
    void RemoveObject(TvgObject* AObject) override {
        if (Root == AObject) Root = nullptr;
        AObject->SetScene(nullptr);
    }
    TvgResources* GetStyle() const override { return nullptr; }
    TvgCanvas* GetCanvas() const override { return nullptr; }
    TvgVisualObject* GetCaptured() const override { return nullptr; }
    void SetCaptured(TvgVisualObject*) override {}
    TvgVisualObject* GetFocused() const override { return nullptr; }
    void SetFocused(TvgVisualObject*) override {}
    QPoint LocalToScreen(const TvgPoint& P) const override { return {}; }

    TvgObject* Root = nullptr;
    long Updates = 0;
};

// One clock step with 100 running animations, each moving one object (property write, matrix
// rebuild and invalidation included).
void BM_AnimationStep100(benchmark::State& state) {
    IPlatform* previous = &Platform();
    FakePlatform platform;
    SetPlatform(&platform);
    {
        TBenchScene scene;
        TvgVisualObject root;
        scene.AddObject(&root);
        root.SetBounds(0, 0, 1920, 1080);
        for (int i = 0; i < 100; ++i) {
            auto* object = new TvgVisualObject(&root);
            object->SetParent(&root);
            auto* animation = new TvgFloatAnimation(object);
            animation->SetParent(object);
            animation->SetPropertyName("Position.X");
            animation->SetDuration(1000);
            animation->SetLoop(true);
            animation->FStopFloat = 1000;
            animation->Start();
        }
        for (auto _ : state) platform.Advance(TvgAniThread::Interval);
        state.counters["ns_per_animation"] =
            benchmark::Counter(static_cast<double>(state.iterations()) * 100,
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        TvgAniThread::FreeInstance();
        scene.RemoveObject(&root);
    }
    SetPlatform(previous);
}
BENCHMARK(BM_AnimationStep100)->Unit(benchmark::kMicrosecond);

// A dock icon's hover glow (62 x 62, softness 1: a 116 x 116 picture blurred with radius 15):
// rendering it afresh against drawing it again from its cached picture.
void GlowBenchmark(benchmark::State& state, bool stale) {
    IPlatform* previous = &Platform();
    FakePlatform platform;
    SetPlatform(&platform);
    {
        TBenchScene scene;
        TvgVisualObject root;
        scene.AddObject(&root);
        root.SetBounds(0, 0, 300, 300);
        auto* icon = new TvgRectangle(&root);
        icon->SetParent(&root);
        icon->SetBounds(100, 100, 62, 62);
        icon->SetxRadius(8);
        icon->SetyRadius(8);
        icon->Fill()->SetColor("#FF3080C0");
        auto* glow = new TvgGlowEffect(icon);
        glow->SetParent(icon);
        glow->SetSoftness(1);

        QImage frame(300, 300, QImage::Format_ARGB32_Premultiplied);
        frame.fill(0);
        TvgQtCanvas canvas;
        canvas.AttachBuffer(&frame);
        canvas.BeginScene();
        vgApplyEffects(*icon, canvas);  // the first render fills the cache
        for (auto _ : state) {
            if (stale) icon->UpdateEffects();
            vgApplyEffects(*icon, canvas);
        }
        canvas.EndScene();
        canvas.AttachBuffer(nullptr);
        scene.RemoveObject(&root);
    }
    SetPlatform(previous);
}

void BM_GlowFirstRender(benchmark::State& state) {
    GlowBenchmark(state, true);
}
void BM_GlowFromCache(benchmark::State& state) {
    GlowBenchmark(state, false);
}
BENCHMARK(BM_GlowFirstRender)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GlowFromCache)->Unit(benchmark::kMicrosecond);

}  // namespace
