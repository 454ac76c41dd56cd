// Desktop.xml with 1,000 buttons: writing it as the manage dialog does (build, serialize, atomic
// replace) and reading it as the button loader does (open, then every value of every entry).
// The floor is an 8 MiB memcpy, the size of one full-screen frame buffer, measured in the same run.

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

#include "uXmlDesktop.h"
#include "uXmlDocument.h"

namespace {

constexpr int kButtons = 1000;

IXMLDesktopPtr BuildDesktop() {
    IXMLDesktopPtr desktop = NewDesktop();
    for (int i = 0; i < kButtons; ++i) {
        auto item = desktop->MVButtons()->Add();
        item->SetName(QStringLiteral("按钮 %1 & <tools>").arg(i));
        item->SetPlace(i % 3);
        item->SetIsRunAsk(i % 2 == 0);
        item->SetFileName(QStringLiteral("/home/用户/programs/tool-%1/run.sh").arg(i));
        item->SetCmdLine(QStringLiteral("--config \"/home/用户/.config/tool %1\" --verbose").arg(i));
        item->SetImage(QStringLiteral("{0F8FAD5B-D9CB-469F-A165-%1}.Png").arg(i, 12, 10, QLatin1Char('0')));
    }
    return desktop;
}

void BM_WriteDesktop1000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Desktop.xml"));
    for (auto _ : state) BuildDesktop()->OwnerDocument()->SaveToFile(path);
    state.counters["buttons/s"] = benchmark::Counter(kButtons, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WriteDesktop1000)->Unit(benchmark::kMicrosecond);

void BM_BuildAndSerialize1000(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(BuildDesktop()->OwnerDocument()->SaveToBytes());
}
BENCHMARK(BM_BuildAndSerialize1000)->Unit(benchmark::kMicrosecond);

void BM_LoadDesktop1000(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Desktop.xml"));
    BuildDesktop()->OwnerDocument()->SaveToFile(path);
    for (auto _ : state) {
        const auto buttons = LoadDesktop(path)->MVButtons();
        const int count = buttons->Count();
        for (int i = 0; i < count; ++i) {
            const auto item = buttons->Item(i);
            benchmark::DoNotOptimize(item->Name());
            benchmark::DoNotOptimize(item->Place());
            benchmark::DoNotOptimize(item->FileName());
            benchmark::DoNotOptimize(item->CmdLine());
            benchmark::DoNotOptimize(item->IsRunAsk());
            benchmark::DoNotOptimize(item->Image());
        }
    }
    state.counters["buttons/s"] = benchmark::Counter(kButtons, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadDesktop1000)->Unit(benchmark::kMicrosecond);

}  // namespace
