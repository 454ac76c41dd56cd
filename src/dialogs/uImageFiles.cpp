#include "uImageFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString CanonicalFolder(const QString& folder) {
    return QFileInfo(folder).canonicalFilePath();
}

// The same file by its resolved folder and its own name, so that "a/../b" and "b" compare equal.
QString ResolvedPath(const QString& path) {
    const QFileInfo info(path);
    const QString folder = CanonicalFolder(info.absolutePath());
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + info.fileName();
}

}  // namespace

bool IsInsideFolder(const QString& APath, const QString& AFolder) {
    if (APath.isEmpty()) return false;
    const QFileInfo info(APath);
    const QString name = info.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    // The folder part must be a folder: below a file (on Windows also below a shell shortcut,
    // which only the shell follows) there is nothing, however the names compare.
    if (!QFileInfo(info.absolutePath()).isDir()) return false;
    const QString folder = CanonicalFolder(info.absolutePath());
    const QString root = CanonicalFolder(AFolder);
    if (folder.isEmpty() || root.isEmpty()) return false;
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

void DeleteImageFiles(const QStringList& AFiles, const QString& APlanFolder, const QStringList& AKeep) {
    QStringList keep;
    for (const QString& path : AKeep)
        if (!path.isEmpty()) keep << ResolvedPath(path);
    for (const QString& path : AFiles) {
        if (!IsInsideFolder(path, APlanFolder)) continue;
        if (keep.contains(ResolvedPath(path))) continue;
        const QFileInfo info(path);
        // Only a file (or a link, which goes without its target): never a folder.
        if (info.isDir() && !info.isSymLink()) continue;
        QFile::remove(path);
    }
}

QString ChangeFileExt(const QString& APath, const QString& AExt) {
    const QFileInfo info(APath);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? APath : APath.left(APath.size() - suffix.size() - 1);
    return base + AExt;
}
