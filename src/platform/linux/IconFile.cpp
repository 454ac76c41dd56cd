#include "IconFile.h"

#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStandardPaths>

#include <glib.h>

#include "IcoFile.h"

namespace {

constexpr int kIconSize = 48;
constexpr int kDecodeLimitMiB = 128;

// A picture named by path: only a regular file (a FIFO or a device would block the read for ever),
// decoded at the size the icon is used, never whole (a small PNG can claim thousands of pixels).
QIcon PictureIcon(const QString& path) {
    if (!QFileInfo(path).isFile()) return QIcon();
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kDecodeLimitMiB);
    const QSize size = reader.size();
    if (size.width() > kIconSize || size.height() > kIconSize)
        reader.setScaledSize(size.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    const QImage image = reader.read();
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

// Without a desktop session nothing names an icon theme, and hicolor alone holds the programs'
// own icons but none of the standard names (utilities-terminal, text-x-generic). Then a full theme
// that is installed stands in as the fallback, in the order desktops ship them.
void UseAnInstalledThemeWhenNoneIsSet() {
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty() && theme != QLatin1String("hicolor")) return;
    for (const char* candidate : {"Adwaita", "breeze", "gnome", "Tango"}) {
        const QString name = QString::fromLatin1(candidate);
        for (const QString& folder : QIcon::themeSearchPaths()) {
            if (!QFileInfo(folder + QLatin1Char('/') + name + QStringLiteral("/index.theme")).isFile())
                continue;
            if (theme.isEmpty()) QIcon::setThemeName(QStringLiteral("hicolor"));
            if (QIcon::fallbackThemeName() != name) QIcon::setFallbackThemeName(name);
            return;
        }
    }
}

// Icon names that no theme has may still lie in the old shared pixmaps folders.
QIcon PixmapsIcon(const QString& name) {
    const QStringList folders = QStandardPaths::locateAll(
        QStandardPaths::GenericDataLocation, QStringLiteral("pixmaps"), QStandardPaths::LocateDirectory);
    for (const QString& folder : folders)
        for (const char* ext : {".png", ".svg", ".xpm"}) {
            const QString file = folder + QLatin1Char('/') + name + QLatin1String(ext);
            if (QFileInfo(file).isFile()) return QIcon(file);
        }
    return QIcon();
}

QIcon NamedIcon(const QString& name) {
    UseAnInstalledThemeWhenNoneIsSet();
    const QIcon icon = QIcon::fromTheme(name);
    return icon.isNull() ? PixmapsIcon(name) : icon;
}

QIcon DesktopEntryIcon(const QString& sourceFile) {
    GKeyFile* file = g_key_file_new();
    QString name;
    if (g_key_file_load_from_file(file, QFile::encodeName(sourceFile).constData(), G_KEY_FILE_NONE,
                                  nullptr)) {
        gchar* value =
            g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_ICON, nullptr);
        name = QString::fromUtf8(value ? value : "");
        g_free(value);
    }
    g_key_file_free(file);
    if (name.isEmpty()) return QIcon();
    if (QFileInfo(name).isAbsolute()) return PictureIcon(name);
    // A theme name is a plain name; one with a path in it would reach outside the theme folders.
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))) return QIcon();
    return NamedIcon(name);
}

QIcon MimeTypeIcon(const QString& sourceFile) {
    UseAnInstalledThemeWhenNoneIsSet();
    const QFileInfo info(sourceFile);
    // A program's icon is named after it by custom (/usr/bin/firefox: "firefox").
    if (info.isExecutable()) {
        const QIcon own = QIcon::fromTheme(info.fileName());
        if (!own.isNull()) return own;
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(sourceFile);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
    return icon;
}

}  // namespace

QIcon IconForFile(const QString& sourceFile) {
    const QFileInfo info(sourceFile);
    if (!info.exists()) return QIcon();
    // The key-file reader would wait for ever on a FIFO named like an entry.
    if (info.isFile() && info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0) {
        const QIcon icon = DesktopEntryIcon(sourceFile);
        if (!icon.isNull()) return icon;
    }
    if (info.isFile()) {
        const QIcon icon = MimeTypeIcon(sourceFile);
        if (!icon.isNull()) return icon;
    }
    return QFileIconProvider().icon(info);
}

QImage IconImage(const QIcon& icon) {
    if (icon.isNull()) return QImage();
    return icon.pixmap(QSize(kIconSize, kIconSize)).toImage();
}

bool WriteIconFile(const QIcon& icon, const QString& iconFile) {
    return WriteIcoFile(IconImage(icon), iconFile);
}
