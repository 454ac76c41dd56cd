#include "DesktopBackground.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <gio/gio.h>

namespace {

constexpr unsigned kDefaultColor = 0x00A56E3A;

QStringList Lines(const QByteArray& bytes) {
    return QString::fromUtf8(bytes).split(QLatin1Char('\n'));
}

// "[a][b][c]" → the last bracketed name of a KDE group header line.
bool EndsWithGroups(const QString& header, const QString& tail) {
    return header.endsWith(tail);
}

}  // namespace

TDesktopBackgroundSources TDesktopBackgroundSources::FromEnvironment() {
    TDesktopBackgroundSources sources;
    sources.Desktops =
        qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    sources.Home = QDir::homePath();
    sources.ConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (sources.ConfigHome.isEmpty()) sources.ConfigHome = sources.Home + QStringLiteral("/.config");
    return sources;
}

TDesktopBackground::TDesktopBackground(TDesktopBackgroundSources sources) : FSources(std::move(sources)) {}

TDesktopBackground::~TDesktopBackground() {
    for (auto& [id, settings] : FSettings)
        if (settings) g_object_unref(settings);
}

bool TDesktopBackground::IsDesktop(std::initializer_list<const char*> names) const {
    for (const QString& desktop : FSources.Desktops)
        for (const char* name : names)
            if (desktop.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return true;
    return false;
}

GSettings* TDesktopBackground::Settings(const char* schemaId) {
    const QString id = QString::fromLatin1(schemaId);
    const auto found = FSettings.find(id);
    if (found != FSettings.end()) return found->second;
    // Opening a schema that is not installed aborts the process inside GLib: look it up first.
    GSettings* settings = nullptr;
    if (GSettingsSchemaSource* source = g_settings_schema_source_get_default()) {
        if (GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId, TRUE)) {
            settings = g_settings_new_full(schema, FSources.Backend, nullptr);
            g_settings_schema_unref(schema);
        }
    }
    FSettings.emplace(id, settings);
    return settings;
}

QString TDesktopBackground::SettingsString(const char* schemaId, const char* key) {
    GSettings* settings = Settings(schemaId);
    if (!settings) return QString();
    GSettingsSchema* schema = nullptr;
    g_object_get(settings, "settings-schema", &schema, nullptr);
    const bool hasKey = schema && g_settings_schema_has_key(schema, key);
    if (schema) g_settings_schema_unref(schema);
    if (!hasKey) return QString();
    GVariant* value = g_settings_get_value(settings, key);
    QString text;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        text = QString::fromUtf8(g_variant_get_string(value, nullptr));
    g_variant_unref(value);
    return text;
}

QString TDesktopBackground::GnomeWallPaper() {
    const char* background = "org.gnome.desktop.background";
    if (SettingsString("org.gnome.desktop.interface", "color-scheme") == QLatin1String("prefer-dark")) {
        const QString dark = SettingsString(background, "picture-uri-dark");
        if (!dark.isEmpty()) return LocalPathOf(dark);
    }
    return LocalPathOf(SettingsString(background, "picture-uri"));
}

QString TDesktopBackground::XfceWallPaper() {
    if (!FSources.UseDBus) return QString();
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!bus) return QString();
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.xfce.Xfconf", "/org/xfce/Xfconf", "org.xfce.Xfconf", "GetAllProperties",
        g_variant_new("(ss)", "xfce4-desktop", "/backdrop"), G_VARIANT_TYPE("(a{sv})"),
        G_DBUS_CALL_FLAGS_NO_AUTO_START, 250, nullptr, nullptr);
    g_object_unref(bus);
    if (!reply) return QString();
    // One picture per monitor and workspace, keyed like /backdrop/screen0/monitorX/workspace0/
    // last-image; the first workspace of the first monitor in key order is the one we show.
    std::map<QString, QString> pictures;
    GVariantIter* properties = nullptr;
    g_variant_get(reply, "(a{sv})", &properties);
    const gchar* key = nullptr;
    GVariant* value = nullptr;
    while (g_variant_iter_next(properties, "{&sv}", &key, &value)) {
        const QString name = QString::fromUtf8(key);
        if (name.endsWith(QLatin1String("/last-image")) && g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
            pictures.emplace(name, QString::fromUtf8(g_variant_get_string(value, nullptr)));
        g_variant_unref(value);
    }
    g_variant_iter_free(properties);
    g_variant_unref(reply);
    for (const auto& [name, picture] : pictures)
        if (name.contains(QLatin1String("/workspace0/"))) return LocalPathOf(picture);
    return pictures.empty() ? QString() : LocalPathOf(pictures.begin()->second);
}

QString TDesktopBackground::CachedFileValue(const QString& path,
                                            const std::function<QString(const QByteArray&)>& read) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        FFiles.erase(path);
        return QString();
    }
    CachedFile& cached = FFiles[path];
    if (cached.Size == info.size() && cached.Modified == info.lastModified()) return cached.Value;
    QFile file(path);
    cached.Value = file.open(QIODevice::ReadOnly) ? read(file.read(1 << 20)) : QString();
    cached.Size = info.size();
    cached.Modified = info.lastModified();
    return cached.Value;
}

QString TDesktopBackground::KdeWallPaper() {
    return CachedFileValue(FSources.ConfigHome + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"),
                           ReadKdeWallPaper);
}

QString TDesktopBackground::PcmanfmWallPaper() {
    const QString lxqt = CachedFileValue(
        FSources.ConfigHome + QStringLiteral("/pcmanfm-qt/lxqt/settings.conf"), ReadPcmanfmWallPaper);
    if (!lxqt.isEmpty() || IsDesktop({"LXQt"})) return lxqt;
    return CachedFileValue(FSources.ConfigHome + QStringLiteral("/pcmanfm/LXDE/desktop-items-0.conf"),
                           ReadPcmanfmWallPaper);
}

QString TDesktopBackground::FehWallPaper() {
    return CachedFileValue(FSources.Home + QStringLiteral("/.fehbg"), ReadFehWallPaper);
}

QString TDesktopBackground::WallPaper() {
    QString path;
    if (IsDesktop({"GNOME", "Unity", "Budgie", "Pantheon", "GNOME-Flashback", "GNOME-Classic"}))
        path = GnomeWallPaper();
    else if (IsDesktop({"X-Cinnamon", "Cinnamon"}))
        path = LocalPathOf(SettingsString("org.cinnamon.desktop.background", "picture-uri"));
    else if (IsDesktop({"MATE"}))
        path = SettingsString("org.mate.background", "picture-filename");
    else if (IsDesktop({"XFCE"}))
        path = XfceWallPaper();
    else if (IsDesktop({"KDE"}))
        path = KdeWallPaper();
    else if (IsDesktop({"LXDE", "LXQt"}))
        path = PcmanfmWallPaper();
    // Plain window managers set the picture with feh, which also works under the desktops above.
    if (path.isEmpty()) path = FehWallPaper();
    return path;
}

unsigned TDesktopBackground::Color() {
    QString text;
    if (IsDesktop({"GNOME", "Unity", "Budgie", "Pantheon", "GNOME-Flashback", "GNOME-Classic"}))
        text = SettingsString("org.gnome.desktop.background", "primary-color");
    else if (IsDesktop({"X-Cinnamon", "Cinnamon"}))
        text = SettingsString("org.cinnamon.desktop.background", "primary-color");
    else if (IsDesktop({"MATE"}))
        text = SettingsString("org.mate.background", "primary-color");
    const QColor colour = QColor::fromString(text);
    if (!colour.isValid()) return kDefaultColor;
    return static_cast<unsigned>(colour.red()) | static_cast<unsigned>(colour.green()) << 8 |
           static_cast<unsigned>(colour.blue()) << 16;
}

QString LocalPathOf(const QString& uriOrPath) {
    if (uriOrPath.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(uriOrPath).toLocalFile();
    return uriOrPath;
}

QString ReadKdeWallPaper(const QByteArray& appletsrc) {
    bool inImageGroup = false;
    for (const QString& raw : Lines(appletsrc)) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inImageGroup = EndsWithGroups(line, QStringLiteral("[Wallpaper][org.kde.image][General]"));
            continue;
        }
        if (inImageGroup && line.startsWith(QLatin1String("Image=")))
            return LocalPathOf(line.mid(6).trimmed());
    }
    return QString();
}

QString ReadPcmanfmWallPaper(const QByteArray& config) {
    for (const QString& raw : Lines(config)) {
        const QString line = raw.trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 &&
            line.left(equals).trimmed().compare(QLatin1String("wallpaper"), Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1).trimmed();
    }
    return QString();
}

QString ReadFehWallPaper(const QByteArray& fehbg) {
    // The script holds a line such as: feh --no-fehbg --bg-scale '/home/u/sea.jpg'
    // It is only parsed with GLib's shell-word splitter, never run.
    for (const QString& raw : Lines(fehbg)) {
        const QByteArray line = raw.trimmed().toUtf8();
        if (!line.startsWith("feh ") && !line.contains("/feh ")) continue;
        gint argc = 0;
        gchar** argv = nullptr;
        if (!g_shell_parse_argv(line.constData(), &argc, &argv, nullptr)) continue;
        QString picture;
        for (gint i = 1; i < argc && picture.isEmpty(); ++i)
            if (argv[i][0] != '-') picture = QString::fromUtf8(argv[i]);
        g_strfreev(argv);
        if (!picture.isEmpty()) return LocalPathOf(picture);
    }
    return QString();
}
