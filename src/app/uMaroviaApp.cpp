#include "uMaroviaApp.h"

#include <QElapsedTimer>
#include <QTextStream>
#include <memory>

#include "IPlatform.h"
#include "uFreeMemory.h"
#include "uPathInfo.h"
#include "uSaveLeftovers.h"
#include "uShowRequest.h"
#include "uSingleInstance.h"
#include "ufrmMarovia.h"
#include "vgButton.h"
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

// Watches for the first presented frame and says how long the start took: until the moment the
// window presented it where the window keeps that (work done after the frame, such as making the
// tray icon, may hold up the watch), else until the watch saw it.
void ReportFirstFrame(std::uint64_t startedAt) {
    auto timer = std::make_shared<TimerId>(0);
    *timer = Platform().StartTimer(1, [timer, startedAt] {
        if (!frmMarovia) return;
        const IHostWindow* window = frmMarovia->DesktopPanel()->HostWindow();
        if (window->PresentedFrames() == 0) return;
        Platform().StopTimer(*timer);
        QElapsedTimer clock;
        clock.start();
        const std::uint64_t presentedAt = window->FirstFramePresentedAt();
        const auto at = presentedAt ? presentedAt : static_cast<std::uint64_t>(clock.msecsSinceReference());
        QTextStream(stderr) << "first frame presented " << (at - startedAt) << " ms after start\n";
    });
}

}  // namespace

int RunMarovia(const TStartupOptions& options) {
    PublishedInstance<TPathInfo> paths(
        PathInfo, std::make_unique<TPathInfo>(options.BinPath.isEmpty() ? TPathInfo::ExecutableFolder()
                                                                        : options.BinPath));
    const TSingleInstance instance(PathInfo->DataPath());
    switch (instance.State()) {
        case TInstanceState::IS_Acquired:
            break;
        case TInstanceState::IS_HeldByAnother:
            QTextStream(stderr) << "Marovia is already running from " << PathInfo->BinPath()
                                << "; this start ends without touching its data.\n";
            // The user asked to see the program: the running one shows itself, or this start says
            // why nothing new appears.
            if (!AskRunningInstanceToShow(PathInfo->DataPath()))
                Platform().MessageBox(QStringLiteral("Marovia 已经在运行，但没有响应。"),
                                      QStringLiteral("提示"), TMsgIcon::MI_Information, TMsgButtons::MB_Ok);
            return 1;
        case TInstanceState::IS_Failed:
            // Without the lock a second start could not be told apart: this one ends, and says why.
            Platform().MessageBox(
                QStringLiteral("Marovia 无法启动！错误信息如下：\r\n") + instance.ErrorText(),
                QStringLiteral("Marovia"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
            return 1;
    }
    RemoveSaveLeftovers(PathInfo->DataPath());
    DropShowRequest(PathInfo->DataPath());
    const FreeMemoryScope trimming;
    int exitCode = 0;
    {
        PublishedInstance<TfrmMarovia> form(frmMarovia, std::make_unique<TfrmMarovia>());
        frmMarovia->Show();
        const TShowRequestWatch secondStarts(PathInfo->DataPath(), [] {
            // Showing is what a click on "Marovia" does; when the panel is in already, nothing.
            if (frmMarovia && frmMarovia->BtnMarovia()->Enabled()) frmMarovia->BtnMaroviaClick();
        });
        if (options.ReportFirstFrame) ReportFirstFrame(options.StartedAt);
        exitCode = Platform().Exec();
        if (options.ReportFrames)
            QTextStream(stderr) << "presented " << frmMarovia->DesktopPanel()->HostWindow()->PresentedFrames()
                                << " frames\n";
    }
    return exitCode;
}
