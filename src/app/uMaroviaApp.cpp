#include "uMaroviaApp.h"

#include <QTextStream>
#include <memory>

#include "IPlatform.h"
#include "uFreeMemory.h"
#include "uPathInfo.h"
#include "uSingleInstance.h"
#include "ufrmMarovia.h"

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
        exitCode = Platform().Exec();
    }
    return exitCode;
}
