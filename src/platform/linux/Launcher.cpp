#include "Launcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "CommandLine.h"
#include "DesktopEntry.h"
#include "IPlatform.h"

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

bool AskToRun(const QString& question) {
    return Platform().MessageBox(question, QStringLiteral("提示"), TMsgIcon::MI_Question,
                                 TMsgButtons::MB_YesNo) == TMsgResult::MR_Yes;
}

// An entry anyone could have dropped into a folder (a download, a mail attachment saved to the
// desktop) runs its command only when the user made it executable or a file manager marked it
// trusted; otherwise the user is asked, and shown what it would run.
bool MayRunEntry(GDesktopAppInfo* entry, const QString& path) {
    if (DesktopEntryIsTrusted(path)) return true;
    const QString name = QString::fromUtf8(g_app_info_get_display_name(G_APP_INFO(entry)));
    const char* command = g_app_info_get_commandline(G_APP_INFO(entry));
    return AskToRun(QStringLiteral("启动器【%1】（%2）既不是可执行文件，也未被标记为可信任。\r\n"
                                   "它将运行命令：%3\r\n确定要运行吗？")
                        .arg(name, path, command ? QString::fromUtf8(command) : QString()));
}

bool LaunchDesktopEntry(const QString& path, const QStringList& arguments, bool& declined) {
    // Returns null when the file is not a valid application entry or its TryExec is missing.
    GDesktopAppInfo* entry = g_desktop_app_info_new_from_filename(QFile::encodeName(path).constData());
    if (!entry) return false;
    if (!MayRunEntry(entry, path)) {
        g_object_unref(entry);
        declined = true;
        return false;
    }
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

// A bare program name is looked up on PATH, as the shell's launcher does with "notepad"; never in
// the current folder, nor through relative or empty PATH entries, which name the current folder
// too: a file planted there must not stand in for a system program.
QString ResolveProgram(const QString& fileName) {
    if (fileName.contains(QLatin1Char('/'))) return fileName;
    QStringList folders;
    for (const QString& folder : qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(folder)) folders.append(folder);
    if (folders.isEmpty()) return QString();
    return QStandardPaths::findExecutable(fileName, folders);
}

bool IsRunnable(const QFileInfo& info) {
    return info.isFile() &&
           (info.isExecutable() || info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0);
}

}  // namespace

bool LaunchFile(const QString& fileName, const QString& params) {
    if (fileName.trimmed().isEmpty()) return false;
    QString path = fileName;
    bool viaAddress = false;
    if (IsAddress(fileName)) {
        const QUrl url(fileName);
        if (!url.isLocalFile()) return LaunchDefaultForUri(fileName);
        path = url.toLocalFile();
        viaAddress = true;
    }
    path = ResolveProgram(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return false;
    // An address reads as a web page or a document; one that runs a program is asked about first.
    if (viaAddress && IsRunnable(info) &&
        !AskToRun(QStringLiteral("地址【%1】指向一个可执行程序：%2\r\n确定要运行吗？")
                      .arg(fileName, info.absoluteFilePath())))
        return true;
    if (info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0) {
        bool declined = false;
        const bool started = LaunchDesktopEntry(info.absoluteFilePath(), SplitCommandLine(params), declined);
        return started || declined;
    }
    if (info.isFile() && info.isExecutable()) return StartProgram(info.absoluteFilePath(), params);
    return LaunchDefaultForUri(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded));
}
