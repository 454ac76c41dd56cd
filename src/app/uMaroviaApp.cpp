#include "uMaroviaApp.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <memory>

#include "IPlatform.h"
#include "uFreeMemory.h"
#include "uPathInfo.h"
#include "uSingleInstance.h"
#include "ufrmMarovia.h"
#include "vg_Marovia.h"

namespace {

// Publishes an owned instance through its process-wide name for the length of a scope.
template <typename T>
class PublishedInstance {
public:
    PublishedInstance(T*& name, std::unique_ptr<T> instance) : FName(name), FInstance(std::move(instance)) {
        FName = FInstance.get();
    }
    ~PublishedInstance() {
        FInstance.reset();
        FName = nullptr;
    }
    PublishedInstance(const PublishedInstance&) = delete;
    PublishedInstance& operator=(const PublishedInstance&) = delete;

private:
    T*& FName;
    std::unique_ptr<T> FInstance;
};

class FreeMemoryScope {
public:
    FreeMemoryScope() { StartFreeMemory(); }
    ~FreeMemoryScope() { StopFreeMemory(); }
    FreeMemoryScope(const FreeMemoryScope&) = delete;
    FreeMemoryScope& operator=(const FreeMemoryScope&) = delete;
};

// Watches for the first presented frame and says how long the start took.
void ReportFirstFrame(std::uint64_t startedAt) {
    auto timer = std::make_shared<TimerId>(0);
    *timer = Platform().StartTimer(1, [timer, startedAt] {
        if (!frmMarovia || frmMarovia->DesktopPanel()->HostWindow()->PresentedFrames() == 0) return;
        Platform().StopTimer(*timer);
        QElapsedTimer clock;
        clock.start();
        const auto now = static_cast<std::uint64_t>(clock.msecsSinceReference());
        QTextStream(stderr) << "first frame presented " << (now - startedAt) << " ms after start\n";
    });
}

}  // namespace

int RunMarovia(const TStartupOptions& options) {
    PublishedInstance<TPathInfo> paths(
        PathInfo, std::make_unique<TPathInfo>(options.BinPath.isEmpty() ? TPathInfo::ExecutableFolder()
                                                                        : options.BinPath));
    const TSingleInstance instance(PathInfo->DataPath());
    if (!instance.Acquired()) {
        QTextStream(stderr) << "Marovia is already running from " << PathInfo->BinPath()
                            << "; this start ends without touching its data.\n";
        return 1;
    }
    const FreeMemoryScope trimming;
    int exitCode = 0;
    {
        PublishedInstance<TfrmMarovia> form(frmMarovia, std::make_unique<TfrmMarovia>());
        frmMarovia->Show();
        if (options.ReportFirstFrame) ReportFirstFrame(options.StartedAt);
        exitCode = Platform().Exec();
        if (options.ReportFrames)
            QTextStream(stderr) << "presented " << frmMarovia->DesktopPanel()->HostWindow()->PresentedFrames()
                                << " frames\n";
    }
    return exitCode;
}
