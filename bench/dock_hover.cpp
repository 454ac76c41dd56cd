// One step of a hover sweep over the dock: the pointer moves from one dock button to its neighbour,
// so one button loses its glow, title style and hint while the other gains them, and the changed
// part of the 1920 x 1080 frame is drawn. Reported next to the floor measured in the same run: a
// memcpy of 8 MiB (a 1920 x 1080 frame is 7.9 MiB).
//
//   ./build/bench/dock_hover --benchmark_counters_tabular=true --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "FakeHostWindow.h"
#include "FakePlatform.h"
#include "TVGDockButton.h"
#include "TVGDockPanel.h"
#include "TVGHintBox.h"
#include "uPathInfo.h"
#include "vgAniThread.h"
#include "vgBackground.h"
#include "vgPosition.h"
#include "vgProgramStyles.h"
#include "vgResources.h"
#include "vgScene.h"

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;
constexpr int ButtonCount = 10;

FakePlatform& Fake() {
    return static_cast<FakePlatform&>(Platform());
}

// A 128 x 128 icon with a transparent border, as the plan's pictures are.
QString WriteIcon(const QTemporaryDir& folder, int seed) {
    QImage picture(128, 128, QImage::Format_ARGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const bool inside = x > 8 && x < 120 && y > 8 && y < 120;
            picture.setPixel(x, y, inside ? qRgba((x * 2 + seed * 37) % 256, y * 2, 128, 255) : 0);
        }
    const QString path = folder.filePath(QStringLiteral("icon%1.png").arg(seed));
    picture.save(path, "PNG");
    return path;
}

// The installation beside the benchmarks (build/bin) gives the dock its background pictures.
QString InstallationFolder() {
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

// The main form's scene with the program's styles, the hint box and a dock of ten buttons.
struct TDockScene {
    explicit TDockScene(const QTemporaryDir& folder) : Paths(InstallationFolder()) {
        PathInfo = &Paths;
        Fake().SetWorkArea(QRect(0, 0, FrameWidth, FrameHeight));
        Fake().SetScreenSize(QSize(FrameWidth, FrameHeight));
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(0, 0, FrameWidth, FrameHeight));
        auto* styles = new TvgResources(Scene.get());
        LoadProgramStyles(*styles);
        Scene->SetStyle(styles);
        Root = new TvgBackground(Scene.get());
        Scene->AddObject(Root);
        Dock = new TVGDockPanel(Root);
        Dock->SetParent(Root);
        Dock->LoadBackGround(Paths.DockPanelLeftImageFile(), Paths.DockPanelCenterImageFile(),
                             Paths.DockPanelRightImageFile());
        Hint = new TVGHintBox(Root);
        Hint->SetParent(Root);
        Hint->SetVisible(false);
        for (int i = 0; i < ButtonCount; ++i) {
            auto* button = new TVGDockButton(Dock);
            button->SetButtonName(QStringLiteral("按钮1-%1").arg(i));
            button->SetImageFile(WriteIcon(folder, i));
            button->SetHintBox(Hint);
            Dock->AddDockButton(button);
            Buttons.push_back(button);
        }
        Scene->Show();
        Fake().Advance(1);
        Scene->DrawUpdateRects();
    }
    ~TDockScene() {
        Scene.reset();
        TvgAniThread::FreeInstance();
        PathInfo = nullptr;
    }
    // The middle of a button's icon in window coordinates.
    QPointF IconCentre(int index) const {
        const TvgRect r = Buttons[static_cast<std::size_t>(index)]->AbsoluteRect();
        return {(r.Left + r.Right) / 2, r.Top + 32};
    }
    TPathInfo Paths;
    std::unique_ptr<TvgScene> Scene;
    TvgBackground* Root;
    TVGDockPanel* Dock;
    TVGHintBox* Hint;
    std::vector<TVGDockButton*> Buttons;
};

// The pointer goes back and forth between two neighbouring buttons; each step is one hover change
// and the frame it presents.
void BM_DockHoverStep(benchmark::State& state) {
    QTemporaryDir folder;
    TDockScene dock(folder);
    const QPointF points[2] = {dock.IconCentre(4), dock.IconCentre(5)};
    auto& window = *dynamic_cast<FakeHostWindow*>(dock.Scene->HostWindow());
    int step = 0;
    dock.Scene->HostMouseMove({}, points[0]);
    dock.Scene->DrawUpdateRects();
    const auto before = window.PresentedFrames();
    for (auto _ : state) {
        dock.Scene->HostMouseMove({}, points[++step % 2]);
        dock.Scene->DrawUpdateRects();
    }
    if (dock.Scene->Hovered() != dock.Buttons[static_cast<std::size_t>(4 + step % 2)])
        state.SkipWithError("the pointer did not hover the dock button");
    state.counters["frames"] = static_cast<double>(window.PresentedFrames() - before);
}
BENCHMARK(BM_DockHoverStep)->Unit(benchmark::kMicrosecond);

// A move that stays on the same button: hit testing and nothing to draw.
void BM_DockMoveInsideButton(benchmark::State& state) {
    QTemporaryDir folder;
    TDockScene dock(folder);
    const QPointF centre = dock.IconCentre(4);
    const QPointF points[2] = {centre, centre + QPointF(3, 1)};
    int step = 0;
    dock.Scene->HostMouseMove({}, points[0]);
    dock.Scene->DrawUpdateRects();
    for (auto _ : state) {
        dock.Scene->HostMouseMove({}, points[++step % 2]);
        dock.Scene->DrawUpdateRects();
    }
}
BENCHMARK(BM_DockMoveInsideButton)->Unit(benchmark::kMicrosecond);

}  // namespace
