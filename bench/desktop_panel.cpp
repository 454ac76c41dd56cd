// The desktop panel's slide: every step of the 0.6 s animation moves a full-screen panel painted
// with the stretched wallpaper; the steps copy the panel's picture, made before the slide, to the
// part of the frame between its old and new left edge and the right edge. Reported next to
// the floor measured in the same run: a memcpy of 8 MiB (a 1920 x 1080 frame is 7.9 MiB).
//
//   ./build/bench/desktop_panel --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstring>
#include <memory>
#include <vector>

#include "FakeHostWindow.h"
#include "FakePlatform.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "uPathInfo.h"
#include "vgAniThread.h"
#include "vgBackground.h"
#include "vgFloatAnimation.h"
#include "vgPosition.h"
#include "vgScene.h"
#include "vgScrollBar.h"
#include "vgScrollBox.h"

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;

FakePlatform& Fake() {
    return static_cast<FakePlatform&>(Platform());
}

// A wallpaper with detail everywhere, so that no drawing shortcut applies to flat colour.
QString WriteWallPaper(const QTemporaryDir& folder, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 0xFF);
    }
    const QString path = folder.filePath(QStringLiteral("wallpaper.png"));
    picture.save(path, "PNG");
    return path;
}

// The main form's scene on a 1920 x 1080 desktop with the panel, which slides in and out for ever.
struct TSlideScene {
    explicit TSlideScene(const QString& wallPaper) {
        Fake().SetWorkArea(QRect(0, 0, FrameWidth, FrameHeight));
        Fake().SetScreenSize(QSize(FrameWidth, FrameHeight));
        Fake().ShellFake().WallPaperPath = wallPaper;
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(0, 0, FrameWidth, FrameHeight));
        Root = new TvgBackground(Scene.get());
        Scene->AddObject(Root);
        Panel = new TVGDesktopPanel(Root);
        Panel->SetParent(Root);
        Panel->SetVisible(false);
        Scene->Show();
        Fake().Advance(1);
    }
    ~TSlideScene() {
        Scene.reset();
        TvgAniThread::FreeInstance();
    }
    // One step of the animation clock: the panel moves and the frame is drawn again.
    void Step() {
        if (!Panel->FloatAnimation()->Running()) {
            if (Panel->Visible() && Panel->Position()->X() == 0) {
                Panel->Hide();
            } else {
                Panel->Show();
            }
        }
        Fake().Advance(TvgAniThread::Interval);
    }
    FakeHostWindow& Window() { return *dynamic_cast<FakeHostWindow*>(Scene->HostWindow()); }

    std::unique_ptr<TvgScene> Scene;
    TvgBackground* Root;
    TVGDesktopPanel* Panel;
};

// Argument: the wallpaper's width (16:9); the picture is stretched to the screen on every frame.
void BM_SlideFrame(benchmark::State& state) {
    QTemporaryDir folder;
    const int width = static_cast<int>(state.range(0));
    TSlideScene slide(WriteWallPaper(folder, width, width * 9 / 16));
    const auto before = slide.Window().PresentedFrames();
    for (auto _ : state) slide.Step();
    const auto frames = slide.Window().PresentedFrames() - before;
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SlideFrame)->Arg(1366)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same slide with desktop buttons (named, with a 128 x 128 icon each) on a 1920-wide wallpaper,
// as the program's panel has them: the panel is painted once per slide, before its clock starts,
// and its steps copy that picture. Argument: the number of buttons. "kept" counts the steps drawn
// from the kept picture.
void BM_SlideFrameWithButtons(benchmark::State& state) {
    QTemporaryDir folder;
    TPathInfo paths(folder.path());
    PathInfo = &paths;
    QImage icon(128, 128, QImage::Format_ARGB32);
    icon.fill(QColor(40, 120, 200, 220));
    const QString iconFile = folder.filePath(QStringLiteral("icon.png"));
    icon.save(iconFile, "PNG");
    {
        TSlideScene slide(WriteWallPaper(folder, 1920, 1080));
        for (int i = 0; i < state.range(0); ++i) {
            auto* button = new TVGDesktopButton(slide.Panel);
            button->SetButtonName(QStringLiteral("按钮 %1").arg(i));
            button->SetImageFile(iconFile);
            slide.Panel->AddDesktopButton(button);
        }
        const auto before = slide.Window().PresentedFrames();
        const int kept = slide.Scene->KeptPictureDraws();
        for (auto _ : state) slide.Step();
        state.counters["frames"] = static_cast<double>(slide.Window().PresentedFrames() - before);
        state.counters["kept"] = slide.Scene->KeptPictureDraws() - kept;
    }
    PathInfo = nullptr;
}
BENCHMARK(BM_SlideFrameWithButtons)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// Arguments: the wallpaper's width (16:9) and the panel's offset in hundredths of a pixel. The
// whole frame is drawn again with the panel at that place, as at the widest steps of the slide.
void BM_FullFrame(benchmark::State& state) {
    QTemporaryDir folder;
    const int width = static_cast<int>(state.range(0));
    TSlideScene slide(WriteWallPaper(folder, width, width * 9 / 16));
    slide.Panel->Show();
    Fake().Advance(1000);
    slide.Panel->Position()->SetX(static_cast<float>(state.range(1)) / 100);
    const TvgRect frame{0, 0, FrameWidth, FrameHeight};
    for (auto _ : state) {
        slide.Scene->AddUpdateRect(frame);
        slide.Scene->DrawUpdateRects();
    }
}
BENCHMARK(BM_FullFrame)
    ->Args({1366, 0})
    ->Args({1920, 0})
    ->Args({1920, 50})
    ->Args({3840, 0})
    ->Args({3840, 50})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Placing 1,000 desktop buttons on the scene manager's panel, the "添加" button moving on after
// each: the grid part of loading a plan of 1,000 desktop buttons.
void BM_PlaceDesktopButtons(benchmark::State& state) {
    Fake().SetWorkArea(QRect(0, 0, FrameWidth, FrameHeight - 40));
    Fake().SetScreenSize(QSize(FrameWidth, FrameHeight));
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir install;
    TPathInfo paths(install.path());
    PathInfo = &paths;
    for (auto _ : state) {
        state.PauseTiming();
        TvgBackground root;
        auto* panel = new TVGDesktopPanel(&root);
        panel->SetParent(&root);
        panel->CreateDefaultButton();
        std::vector<TVGDesktopButton*> buttons;
        for (int i = 0; i < count; ++i) buttons.push_back(new TVGDesktopButton(panel));
        state.ResumeTiming();
        for (TVGDesktopButton* button : buttons) panel->AddDesktopButton(button);
        benchmark::DoNotOptimize(panel->ButtonCount());
        state.PauseTiming();
        delete panel;
        state.ResumeTiming();
    }
    PathInfo = nullptr;
}
BENCHMARK(BM_PlaceDesktopButtons)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The desktop file window's part: a panel that fills rows of 8 inside a scroll box, which lays out
// its range again after every placed button (the range takes in the buttons below the panel's
// own height). Argument: the number of shortcuts.
void BM_PlaceInScrollBox(benchmark::State& state) {
    Fake().SetWorkArea(QRect(0, 0, FrameWidth, FrameHeight - 40));
    Fake().SetScreenSize(QSize(FrameWidth, FrameHeight));
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir install;
    TPathInfo paths(install.path());
    PathInfo = &paths;
    TvgScene scene;
    scene.SetBounds(QRect(0, 0, 720, 640));
    auto* root = new TvgBackground(&scene);
    scene.AddObject(root);
    auto* box = new TvgScrollBox(root);
    box->SetParent(root);
    box->SetBounds(16, 36, 688, 588);
    box->ApplyResource();
    float range = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto* panel = new TVGDesktopPanel(box);
        panel->SetParent(box);
        panel->SetAlign(vaTop);
        panel->SetButtonAlign(BA_Horizontal);
        panel->SetValidWidth(720);
        std::vector<TVGDesktopButton*> buttons;
        for (int i = 0; i < count; ++i) buttons.push_back(new TVGDesktopButton(panel));
        state.ResumeTiming();
        for (TVGDesktopButton* button : buttons) panel->AddDesktopButton(button);
        state.PauseTiming();
        range = box->VScrollBar() ? box->VScrollBar()->Max() : 0;
        delete panel;
        state.ResumeTiming();
    }
    state.counters["range"] = range;
    PathInfo = nullptr;
}
BENCHMARK(BM_PlaceInScrollBox)->Arg(60)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
