#include "DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gio/gio.h>
#include <glib.h>

#include <memory>
#include <utility>

#include "CommandLine.h"

namespace {

// Removes field codes from one argument. An argument that was only a field code disappears.
std::optional<QString> ExpandFieldCodes(const QString& argument) {
    QString result;
    bool hadCode = false;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument.at(i);
        if (c != QLatin1Char('%') || i + 1 >= argument.size()) {
            result.append(c);
            continue;
        }
        const QChar code = argument.at(++i);
        if (code == QLatin1Char('%')) {
            result.append(QLatin1Char('%'));
        } else {
            hadCode = true;  // %f %F %u %U %i %c %k and the deprecated ones expand to nothing here
        }
    }
    if (hadCode && result.isEmpty()) return std::nullopt;
    return result;
}

struct KeyFileDeleter {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};

QString StringKey(GKeyFile* file, const char* key) {
    gchar* value = g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, key, nullptr);
    const QString text = value ? QString::fromUtf8(value) : QString();
    g_free(value);
    return text;
}

}  // namespace

std::optional<QStringList> ParseDesktopExec(const QString& exec) {
    QStringList words;
    QString current;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                current.append(exec.at(++i));  // \" \` \$ \\ inside quotes
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current.append(c);
            }
            continue;
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')) {
            if (inWord) words.append(current);
            current.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == QLatin1Char('"'))
            quoted = true;
        else
            current.append(c);  // reserved characters outside quotes are taken as they are
    }
    if (quoted) return std::nullopt;
    if (inWord) words.append(current);

    QStringList arguments;
    for (const QString& word : words)
        if (const auto expanded = ExpandFieldCodes(word)) arguments.append(*expanded);
    if (arguments.isEmpty() || arguments.first().isEmpty()) return std::nullopt;
    return arguments;
}

std::optional<TShortcutTarget> ReadDesktopShortcut(const QByteArray& bytes, bool* isApplication) {
    std::unique_ptr<GKeyFile, KeyFileDeleter> file(g_key_file_new());
    if (!g_key_file_load_from_data(file.get(), bytes.constData(), static_cast<gsize>(bytes.size()),
                                   G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    const QString type = StringKey(file.get(), G_KEY_FILE_DESKTOP_KEY_TYPE);
    if (type == QLatin1String(G_KEY_FILE_DESKTOP_TYPE_LINK))
        return TShortcutTarget{StringKey(file.get(), G_KEY_FILE_DESKTOP_KEY_URL), QString()};
    if (type != QLatin1String(G_KEY_FILE_DESKTOP_TYPE_APPLICATION)) return std::nullopt;
    const auto arguments = ParseDesktopExec(StringKey(file.get(), G_KEY_FILE_DESKTOP_KEY_EXEC));
    if (!arguments) return std::nullopt;
    if (isApplication) *isApplication = true;
    return TShortcutTarget{arguments->first(), JoinCommandLine(arguments->mid(1))};
}

QString ReadDesktopEntryName(const QByteArray& bytes) {
    std::unique_ptr<GKeyFile, KeyFileDeleter> file(g_key_file_new());
    if (!g_key_file_load_from_data(file.get(), bytes.constData(), static_cast<gsize>(bytes.size()),
                                   G_KEY_FILE_NONE, nullptr))
        return QString();
    gchar* value = g_key_file_get_locale_string(file.get(), G_KEY_FILE_DESKTOP_GROUP,
                                                G_KEY_FILE_DESKTOP_KEY_NAME, nullptr, nullptr);
    const QString name = value ? QString::fromUtf8(value).trimmed() : QString();
    g_free(value);
    return name;
}

namespace {

TTrustMarkReader& CurrentTrustMarkReader() {
    static TTrustMarkReader reader = ReadTrustMarkThroughGio;
    return reader;
}

bool MarkedTrusted(const QString& path) {
    const TTrustMarkReader& reader = CurrentTrustMarkReader();
    return reader && IsTrustMark(reader(path));
}

bool InApplicationFolder(const QFileInfo& entry) {
    const QString folder = entry.canonicalPath();
    for (const QString& location : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        if (!folder.isEmpty() && QDir(location).canonicalPath() == folder) return true;
    return false;
}

}  // namespace

QString ReadTrustMarkThroughGio(const QString& path) {
    GFile* file = g_file_new_for_path(QFile::encodeName(path).constData());
    GFileInfo* info = g_file_query_info(file, "metadata::trusted", G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
    QString mark;
    if (info) {
        if (char* value = g_file_info_get_attribute_as_string(info, "metadata::trusted")) {
            mark = QString::fromUtf8(value);
            g_free(value);
        }
        g_object_unref(info);
    }
    g_object_unref(file);
    return mark;
}

TTrustMarkReader SetTrustMarkReader(TTrustMarkReader reader) {
    return std::exchange(CurrentTrustMarkReader(), std::move(reader));
}

bool IsTrustMark(const QString& value) {
    return value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

bool DesktopEntryIsTrusted(const QString& path) {
    const QFileInfo entry(path);
    if (!entry.isFile()) return false;
    return entry.isExecutable() || InApplicationFolder(entry) || MarkedTrusted(path);
}
