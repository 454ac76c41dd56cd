#include "AutoStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <glib.h>

#include <memory>

namespace {

struct KeyFileDeleter {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};

// A missing key reads as the given default; a malformed one too, as the session managers do.
bool BooleanKey(GKeyFile* file, const char* key, bool fallback) {
    GError* error = nullptr;
    const gboolean value = g_key_file_get_boolean(file, G_KEY_FILE_DESKTOP_GROUP, key, &error);
    if (error) {
        g_error_free(error);
        return fallback;
    }
    return value;
}

}  // namespace

QString AutoStartEntryFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/marovia.desktop");
}

bool IsAutoStartEntryEnabled() {
    const QString fileName = AutoStartEntryFile();
    if (!QFileInfo(fileName).isFile()) return false;
    std::unique_ptr<GKeyFile, KeyFileDeleter> file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), QFile::encodeName(fileName).constData(), G_KEY_FILE_NONE,
                                   nullptr))
        return false;
    return !BooleanKey(file.get(), G_KEY_FILE_DESKTOP_KEY_HIDDEN, false) &&
           BooleanKey(file.get(), "X-GNOME-Autostart-enabled", true);
}

QString DesktopExecArgument(const QString& program) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : program) needsQuotes |= reserved.contains(c);
    QString exec;
    for (const QChar c : program) {
        // Inside quotes '"', '`', '$' and '\' take a backslash; '%' is a field code everywhere.
        if (needsQuotes && (c == u'"' || c == u'`' || c == u'$' || c == u'\\')) exec += u'\\';
        exec += c;
        if (c == u'%') exec += u'%';
    }
    if (needsQuotes) exec = u'"' + exec + u'"';
    // The key file's own escape: a backslash in a value is written twice.
    return exec.replace(u'\\', QStringLiteral("\\\\"));
}

bool WriteAutoStartEntry(bool enabled, const QString& program) {
    const QString fileName = AutoStartEntryFile();
    if (!enabled) return !QFileInfo::exists(fileName) || QFile::remove(fileName);
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath())) return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QString entry = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Marovia\n"
                              "Exec=%1\n"
                              "Icon=marovia\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n")
                              .arg(DesktopExecArgument(program));
    file.write(entry.toUtf8());
    return file.commit();
}
