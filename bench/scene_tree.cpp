// The scene tree's own costs: a layout pass over many aligned children, a hit test down a deep
// tree, and cloning a style. Each is read against a memcpy of an 8 MiB buffer (about one
// 1920 × 1080 frame) measured in the same run.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "FakePlatform.h"
#include "vgBounds.h"
#include "vgLayout.h"
#include "vgObjectRegistry.h"
#include "vgPosition.h"
#include "vgVisualObject.h"

namespace {

// One parent with 1,000 children spread over the strip, client, centre and corner passes; each
// iteration changes the parent's size so that every child really moves.
void BM_LayoutPass1000Children(benchmark::State& state) {
    TvgLayout parent;
    parent.SetBounds(0, 0, 4000, 4000);
    parent.BeginUpdate();
    const TvgAlign aligns[] = {vaTop, vaLeft, vaRight, vaBottom, vaClient, vaCenter, vaBottomRight, vaScale};
    for (int i = 0; i < 1000; ++i) {
        auto* child = new TvgVisualObject(&parent);
        child->SetBounds(static_cast<float>(i % 50), static_cast<float>(i / 50), 2, 2);
        child->Padding()->SetRect({0.5f, 0.5f, 0.5f, 0.5f});
        child->SetAlign(aligns[i % 8]);
        parent.AddObject(child);
    }
    parent.EndUpdate();
    float width = 4000;
    for (auto _ : state) {
        width = width == 4000 ? 4001 : 4000;
        parent.SetBounds(0, 0, width, width);
        parent.Realign();
    }
}
BENCHMARK(BM_LayoutPass1000Children);

// Ten levels of ten siblings; the path goes through the first (lowest) sibling of each level,
// so the hit test tries nine siblings on every level before descending.
void BM_HitTest10Deep10Wide(benchmark::State& state) {
    TvgLayout root;
    root.SetBounds(0, 0, 1000, 1000);
    TvgVisualObject* level = &root;
    for (int depth = 0; depth < 10; ++depth) {
        TvgVisualObject* first = nullptr;
        for (int i = 0; i < 10; ++i) {
            auto* child = new TvgVisualObject(level);
            child->SetBounds(i == 0 ? 1.f : 500.f + static_cast<float>(i), 1,
                             90 - 2.f * static_cast<float>(depth), 90);
            level->AddObject(child);
            if (i == 0) first = child;
        }
        level = first;
    }
    for (auto _ : state) {
        TvgVisualObject* hit = root.ObjectByPoint(50, 50);
        benchmark::DoNotOptimize(hit);
        if (hit != level) state.SkipWithError("the deepest object was not hit");
    }
}
BENCHMARK(BM_HitTest10Deep10Wide);

// A style of 50 objects: one layout holding seven groups of seven parts.
void BM_Clone50ObjectStyle(benchmark::State& state) {
    TvgLayout style;
    style.SetResourceName("buttonstyle");
    int count = 1;
    for (int g = 0; g < 7; ++g) {
        auto* group = new TvgLayout(&style);
        group->SetAlign(vaClient);
        group->Margins()->SetRect({1, 1, 1, 1});
        style.AddObject(group);
        ++count;
        for (int p = 0; p < 6; ++p) {
            auto* part = new TvgVisualObject(group);
            part->SetAlign(p % 2 ? vaTop : vaLeft);
            part->SetResourceName(QStringLiteral("part%1").arg(p));
            part->SetOpacity(0.5f);
            group->AddObject(part);
            ++count;
        }
    }
    if (count != 50) state.SkipWithError("the style does not hold 50 objects");
    for (auto _ : state) {
        TvgObject* copy = style.Clone(nullptr);
        benchmark::DoNotOptimize(copy);
        delete copy;
    }
}
BENCHMARK(BM_Clone50ObjectStyle);

// A style lookup that falls through to the live objects, with 10,000 of them alive (a plan of
// 1,000 buttons has about that many) and one of them carrying the name.
void BM_LiveStyleLookup10000(benchmark::State& state) {
    std::vector<std::unique_ptr<TvgVisualObject>> objects;
    for (int i = 0; i < 10000; ++i) objects.push_back(std::make_unique<TvgVisualObject>());
    objects[10]->SetResourceName(QStringLiteral("LookupProbeStyle"));
    const QString name = QStringLiteral("lookupprobestyle");
    for (auto _ : state) benchmark::DoNotOptimize(FindLiveResource(name));
}
BENCHMARK(BM_LiveStyleLookup10000);

}  // namespace
