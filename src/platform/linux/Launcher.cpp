#include "Launcher.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "CommandLine.h"

namespace {

// "https:", "mailto:", "file:"… but not a bare word; two letters at least keeps "C:" a path.
bool IsAddress(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch();
}

bool LaunchDefaultForUri(const QString& uri) {
    GError* error = nullptr;
    const gboolean started = g_app_info_launch_default_for_uri(uri.toUtf8().constData(), nullptr, &error);
    if (error) g_error_free(error);
    return started;
}

bool LaunchDesktopEntry(const QString& path, const QStringList& arguments) {
    // Returns null when the file is not a valid application entry or its TryExec is missing.
    GDesktopAppInfo* entry = g_desktop_app_info_new_from_filename(QFile::encodeName(path).constData());
    if (!entry) return false;
    GList* files = nullptr;
    for (const QString& argument : arguments)
        files = g_list_append(files, g_file_new_for_commandline_arg(argument.toUtf8().constData()));
    GError* error = nullptr;
    const gboolean started = g_app_info_launch(G_APP_INFO(entry), files, nullptr, &error);
    if (error) g_error_free(error);
    g_list_free_full(files, g_object_unref);
    g_object_unref(entry);
    return started;
}

bool StartProgram(const QString& program, const QString& params) {
    // startDetached execs the program itself and reports a failed exec; no shell is involved,
    // so characters like ; | $ ` & in the parameters stay literal arguments.
    return QProcess::startDetached(program, SplitCommandLine(params));
}

// A bare program name is looked up on PATH, as the shell's launcher does with "notepad".
QString ResolveProgram(const QString& fileName) {
    if (fileName.contains(QLatin1Char('/')) || QFileInfo::exists(fileName)) return fileName;
    return QStandardPaths::findExecutable(fileName);
}

}  // namespace

bool LaunchFile(const QString& fileName, const QString& params) {
    if (fileName.trimmed().isEmpty()) return false;
    QString path = fileName;
    if (IsAddress(fileName)) {
        const QUrl url(fileName);
        if (!url.isLocalFile()) return LaunchDefaultForUri(fileName);
        path = url.toLocalFile();
    }
    path = ResolveProgram(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return false;
    if (info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0)
        return LaunchDesktopEntry(info.absoluteFilePath(), SplitCommandLine(params));
    if (info.isFile() && info.isExecutable()) return StartProgram(info.absoluteFilePath(), params);
    return LaunchDefaultForUri(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded));
}
