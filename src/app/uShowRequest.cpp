#include "uShowRequest.h"

#include <QFile>
#include <memory>

namespace {

QString RequestFile(const QString& ADataPath) {
    return ADataPath + QStringLiteral("marovia.show");
}

}  // namespace

void DropShowRequest(const QString& ADataPath) {
    QFile::remove(RequestFile(ADataPath));
}

TShowRequestWatch::TShowRequestWatch(const QString& ADataPath, std::function<void()> AOnShow)
    : FFileName(RequestFile(ADataPath)) {
    const QString folder = ADataPath.isEmpty() ? QStringLiteral(".") : ADataPath;
    FTimer = Platform().WatchFolder(folder, ShowRequestPollMs,
                                    [fileName = FFileName, onShow = std::move(AOnShow)] {
                                        // Only a request this instance could take away counts, so that it is
                                        // acted on once.
                                        if (QFile::exists(fileName) && QFile::remove(fileName)) onShow();
                                    });
}

TShowRequestWatch::~TShowRequestWatch() {
    Platform().StopTimer(FTimer);
}

bool AskRunningInstanceToShow(const QString& ADataPath) {
    const QString fileName = RequestFile(ADataPath);
    QFile request(fileName);
    if (!request.open(QIODevice::WriteOnly) || request.write("show\n") < 0) return false;
    request.close();

    const std::uint64_t startedAt = Platform().TickCount();
    auto taken = std::make_shared<bool>(false);
    const TimerId timer = Platform().StartTimer(ShowRequestPollMs / 5, [fileName, startedAt, taken] {
        *taken = !QFile::exists(fileName);
        if (*taken || Platform().TickCount() - startedAt >= ShowRequestWaitMs) Platform().Quit();
    });
    Platform().Exec();
    Platform().StopTimer(timer);
    // Taken back unless the running instance took it at the last moment.
    if (!*taken && !QFile::remove(fileName)) *taken = !QFile::exists(fileName);
    return *taken;
}
