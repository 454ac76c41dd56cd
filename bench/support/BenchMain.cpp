// The main of every benchmark program: a Qt application on the offscreen platform and a fake
// platform installed, then Google Benchmark's runner. Linked as objects, so the floor below is
// registered in every program.

#include <benchmark/benchmark.h>
#include <QApplication>

#include <cstring>
#include <vector>

#include "FakePlatform.h"

namespace {

// The floor every figure is quoted against: copying one full-screen frame buffer (8 MiB).
void BM_Memcpy8MiB(benchmark::State& state) {
    const std::size_t size = 8u << 20;
    std::vector<char> from(size, 1), to(size);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_Memcpy8MiB)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakePlatform platform;
    SetPlatform(&platform);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SetPlatform(nullptr);
    return 0;
}
