// The cost of presenting a frame without a compositor, where the program blends the frame over the
// root's picture itself, next to a plain present of the same frame and to the floor measured in the
// same run (a memcpy of one 1920 x 1080 frame buffer). Both presents first put the painted pixels back
// (the scene's drawing, the same in both) and take the input region from the alpha; the blended one
// then lays the frame over the wallpaper in place.
//
//   ./build/bench/present_blend --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <cstring>

#include "AlphaRegion.h"
#include "BackdropBlend.h"

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;

// An overlay frame as the program draws one: transparent almost everywhere, a dock of translucent
// and opaque pixels at the bottom, a side bar at the right and glows of low alpha around them.
QImage OverlayFrame() {
    QImage frame(FrameWidth, FrameHeight, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(660, 960, 600, 55), QColor(200, 200, 210, 200));
    for (int i = 0; i < 10; ++i) {
        painter.setBrush(QColor(230, 80, 40, 230));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRect(700 + i * 52, 910, 48, 48));
        painter.setBrush(QColor(255, 200, 0, 40));
        painter.drawEllipse(QRect(694 + i * 52, 904, 60, 60));
    }
    for (int i = 0; i < 8; ++i) painter.fillRect(QRect(1880, 4 + i * 42, 38, 38), QColor(40, 120, 220, 240));
    painter.fillRect(QRect(858, 4, 203, 22), QColor(30, 100, 160, 255));
    return frame;
}

QImage Wallpaper() {
    QImage wallpaper(FrameWidth, FrameHeight, QImage::Format_RGB32);
    for (int y = 0; y < FrameHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(wallpaper.scanLine(y));
        for (int x = 0; x < FrameWidth; ++x) line[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return wallpaper;
}

// The painted part of a frame: all of it (a first frame, a wallpaper change) or the dock (a hover).
QRect Area(int whole) {
    return whole ? QRect(0, 0, FrameWidth, FrameHeight) : QRect(640, 890, 640, 140);
}

void Repaint(QImage& frame, const QImage& painted, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(frame.scanLine(y) + area.left() * 4, painted.constScanLine(y) + area.left() * 4,
                    static_cast<std::size_t>(area.width()) * 4);
}

void BM_PresentPlain(benchmark::State& state) {
    const QImage painted = OverlayFrame();
    QImage frame = painted.copy();
    const QRect area = Area(static_cast<int>(state.range(0)));
    QRegion input;
    for (auto _ : state) {
        Repaint(frame, painted, area);
        UpdateAlphaRegion(input, frame, QRegion(area));
        benchmark::DoNotOptimize(frame.bits());
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) ? "whole frame" : "dock");
}
BENCHMARK(BM_PresentPlain)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_PresentBlended(benchmark::State& state) {
    const QImage painted = OverlayFrame();
    const QImage wallpaper = Wallpaper();
    QImage frame = painted.copy();
    const QRect area = Area(static_cast<int>(state.range(0)));
    QRegion input;
    for (auto _ : state) {
        Repaint(frame, painted, area);
        UpdateAlphaRegion(input, frame, QRegion(area));
        BlendOverBackdrop(frame, QRegion(area), wallpaper, {}, 0);
        benchmark::DoNotOptimize(frame.bits());
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(0) ? "whole frame" : "dock");
}
BENCHMARK(BM_PresentBlended)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
