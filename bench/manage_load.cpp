// Loading a Desktop.xml of 1,000 entries into live button objects, as the scene manager does at
// start and after every edit (parse, read every value, make the side, dock and desktop buttons with
// their children, free the previous ones). The floor is an 8 MiB memcpy measured in the same run.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

#include "FakePlatform.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "uXmlDesktop.h"
#include "uXmlDocument.h"
#include "vgBackground.h"

namespace {

void WriteDesktop(const QString& path, int count) {
    IXMLDesktopPtr desktop = NewDesktop();
    for (int i = 0; i < count; ++i) {
        auto item = desktop->MVButtons()->Add();
        item->SetName(QStringLiteral("按钮 %1").arg(i));
        item->SetPlace(i % 3);
        item->SetIsRunAsk(i % 2 == 0);
        item->SetFileName(QStringLiteral("/usr/bin/tool-%1").arg(i));
        item->SetCmdLine(QStringLiteral("--verbose %1").arg(i));
        item->SetImage(QStringLiteral("{0F8FAD5B-D9CB-469F-A165-%1}.Png").arg(i, 12, 10, QLatin1Char('0')));
        item->SetIsAdvert(false);
    }
    desktop->OwnerDocument()->SaveToFile(path);
}

void BM_LoadFromFile1000(benchmark::State& state) {
    QTemporaryDir install;
    TPathInfo paths(install.path());
    PathInfo = &paths;
    {
        TvgBackground root;
        root.SetBounds(0, 0, 1920, 1040);
        TMaroviaManage manage(&root);
        WriteDesktop(manage.CurrentPlanConfigFile(), static_cast<int>(state.range(0)));
        for (auto _ : state) {
            manage.LoadFromFile();
            benchmark::DoNotOptimize(manage.ButtonCount());
        }
        state.counters["buttons"] = manage.ButtonCount();
    }
    PathInfo = nullptr;
}
BENCHMARK(BM_LoadFromFile1000)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
