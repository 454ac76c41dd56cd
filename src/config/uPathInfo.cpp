#include "uPathInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

TPathInfo* PathInfo = nullptr;

QString PathDelim() {
    return QString(QDir::separator());
}

namespace {

QString WithTrailingDelim(QString path) {
    if (!path.endsWith(PathDelim())) path += PathDelim();
    return path;
}

// One level only: the parent was made when its own value was computed. Failures are not reported;
// the caller's file operation fails in its own way later.
QString EnsureFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) QDir().mkdir(folder);
    return folder;
}

}  // namespace

TPathInfo::TPathInfo(const QString& binPath)
    : FBinPath(WithTrailingDelim(QDir::toNativeSeparators(binPath))) {}

QString TPathInfo::ExecutableFolder() {
    QString file = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (file.isEmpty()) file = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(file).absolutePath();
}

QString TPathInfo::DataPath() const {
    return EnsureFolder(FBinPath + QStringLiteral("Data") + PathDelim());
}

QString TPathInfo::ImagesPath() const {
    return EnsureFolder(FBinPath + QStringLiteral("Images") + PathDelim());
}

QString TPathInfo::AddImageFile() const {
    return ImagesPath() + QStringLiteral("Add.png");
}

QString TPathInfo::SetButtonImageFile() const {
    return ImagesPath() + QStringLiteral("set.png");
}

QString TPathInfo::CloseButtonImageFile() const {
    return ImagesPath() + QStringLiteral("Close.png");
}

QString TPathInfo::WinFileButtonImageFile() const {
    return ImagesPath() + QStringLiteral("WinFile.png");
}

QString TPathInfo::DockPanelLeftImageFile() const {
    return ImagesPath() + QStringLiteral("DockPanelLeft.png");
}

QString TPathInfo::DockPanelCenterImageFile() const {
    return ImagesPath() + QStringLiteral("DockPanelCenter.png");
}

QString TPathInfo::DockPanelRightImageFile() const {
    return ImagesPath() + QStringLiteral("DockPanelRight.png");
}

QString TPathInfo::TempImagePath() const {
    return EnsureFolder(ImagesPath() + QStringLiteral("Temp") + PathDelim());
}

QString TPathInfo::TakeNoteImagePath() const {
    return EnsureFolder(ImagesPath() + QStringLiteral("TakeNotes") + PathDelim());
}

QString TPathInfo::TakeNoteConfigFile() const {
    return DataPath() + QStringLiteral("TakeNote.dat");
}

QString TPathInfo::GetPlanPath(const QString& planName) const {
    return EnsureFolder(DataPath() + planName + PathDelim());
}

QString TPathInfo::GetPlanConfigFile(const QString& planName) const {
    return GetPlanPath(planName) + QStringLiteral("Desktop.xml");
}
