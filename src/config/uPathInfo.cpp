#include "uPathInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

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
    : FBinPath(WithTrailingDelim(QDir::toNativeSeparators(binPath))), FUserPath(FBinPath) {
    if (!IsWritableFolder(FBinPath)) {
        const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        FUserPath = WithTrailingDelim(QDir::toNativeSeparators(dataHome + QStringLiteral("/marovia")));
    }
}

bool TPathInfo::IsWritableFolder(const QString& folder) {
#ifdef Q_OS_WIN
    // A Windows installation is portable by nature; its data always sits beside the executable.
    Q_UNUSED(folder);
    return true;
#else
    const QFileInfo info(folder);
    // A folder that does not exist yet is the caller's to create: portable, as before.
    if (!info.exists()) return true;
    // access(): read-only mounts, ACLs and the ordinary permission checks.
    if (!info.isWritable()) return false;
    // access() grants root everything; the mode bits still tell a folder meant to be written from
    // one installed read-only, so root running an unpacked read-only tree is not portable either.
    if (::geteuid() != 0) return true;
    if (info.ownerId() == 0) return info.permission(QFile::WriteOwner);
    if (info.groupId() == 0) return info.permission(QFile::WriteGroup);
    return info.permission(QFile::WriteOther);
#endif
}

// Made with every missing level: the user's data folder may be the first thing ever written
// under ~/.local/share.
QString TPathInfo::UserFolder() const {
    if (!IsPortable() && !QFileInfo(FUserPath).isDir()) QDir().mkpath(FUserPath);
    return FUserPath;
}

QString TPathInfo::ExecutableFolder() {
    QString file = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (file.isEmpty()) file = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(file).absolutePath();
}

QString TPathInfo::DataPath() const {
    return EnsureFolder(UserFolder() + QStringLiteral("Data") + PathDelim());
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

// Written by the program, so it follows the data; the other pictures are the installation's.
QString TPathInfo::TempImagePath() const {
    const QString images =
        IsPortable() ? ImagesPath() : EnsureFolder(UserFolder() + QStringLiteral("Images") + PathDelim());
    return EnsureFolder(images + QStringLiteral("Temp") + PathDelim());
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
