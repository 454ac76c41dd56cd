#pragma once
// The desktop's background picture and colour as the running desktop environment has set them.
// Read in-process on every call (the desktop panel asks every 500 ms): GSettings for GNOME,
// Cinnamon and MATE, xfconf over D-Bus for XFCE, the configuration files of KDE and pcmanfm,
// and ~/.fehbg for plain window managers. No process is ever started for it.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

typedef struct _GSettings GSettings;
typedef struct _GSettingsBackend GSettingsBackend;

struct TDesktopBackgroundSources {
    QStringList Desktops;                 // XDG_CURRENT_DESKTOP split at ':', e.g. {"ubuntu", "GNOME"}
    QString ConfigHome;                   // XDG_CONFIG_HOME or ~/.config
    QString Home;                         // the user's home folder
    GSettingsBackend* Backend = nullptr;  // null: the session's own settings (dconf)
    bool UseDBus = true;                  // XFCE's settings daemon; tests turn it off

    static TDesktopBackgroundSources FromEnvironment();
};

class TDesktopBackground {
public:
    explicit TDesktopBackground(TDesktopBackgroundSources sources);
    ~TDesktopBackground();
    TDesktopBackground(const TDesktopBackground&) = delete;
    TDesktopBackground& operator=(const TDesktopBackground&) = delete;

    // A local file path; empty when no picture is set or the desktop is not one we know.
    QString WallPaper();
    // 0x00BBGGRR: the desktop's primary colour where it has one, else a fixed default.
    unsigned Color();

private:
    // Settings objects are made once and kept: reading a key from them is a memory lookup.
    GSettings* Settings(const char* schemaId);
    QString SettingsString(const char* schemaId, const char* key);
    bool IsDesktop(std::initializer_list<const char*> names) const;
    QString GnomeWallPaper();
    QString XfceWallPaper();
    QString KdeWallPaper();
    QString PcmanfmWallPaper();
    QString FehWallPaper();
    // The value a reader found in a file, kept until the file's time stamp or size changes.
    QString CachedFileValue(const QString& path, const std::function<QString(const QByteArray&)>& read);

    struct CachedFile {
        QDateTime Modified;
        qint64 Size = -1;
        QString Value;
    };

    TDesktopBackgroundSources FSources;
    std::map<QString, GSettings*> FSettings;  // null entries: schema not installed
    std::map<QString, CachedFile> FFiles;
};

// Readers of the individual configuration formats, exposed for tests and fuzzing.
QString ReadKdeWallPaper(const QByteArray& appletsrc);
QString ReadPcmanfmWallPaper(const QByteArray& config);
QString ReadFehWallPaper(const QByteArray& fehbg);
// A file: URI becomes its local path; a plain path stays as it is.
QString LocalPathOf(const QString& uriOrPath);
