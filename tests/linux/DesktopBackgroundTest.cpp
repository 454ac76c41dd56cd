// Where the desktop picture comes from on each desktop environment. GSettings run on an
// in-memory backend; the file-based readers get real files in a temporary home.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gio/gio.h>
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>

#include "DesktopBackground.h"

namespace {

class Background : public ::testing::Test {
protected:
    Background() : FBackend(g_memory_settings_backend_new()) {}
    ~Background() override { g_object_unref(FBackend); }

    TDesktopBackgroundSources Sources(QStringList desktops) {
        TDesktopBackgroundSources sources;
        sources.Desktops = std::move(desktops);
        sources.Home = FHome.path();
        sources.ConfigHome = FHome.filePath(".config");
        sources.Backend = FBackend;
        sources.UseDBus = false;
        return sources;
    }

    void Set(const char* schema, const char* key, const char* value) {
        GSettings* settings = g_settings_new_with_backend(schema, FBackend);
        g_settings_set_value(settings, key, g_variant_new_string(value));
        g_object_unref(settings);
    }

    void WriteHomeFile(const QString& relative, const QByteArray& bytes) {
        const QString path = FHome.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir FHome;
    GSettingsBackend* FBackend;
};

}  // namespace

TEST_F(Background, GnomeReadsThePictureUriAsAPathAndFollowsChanges) {
    TDesktopBackground background(Sources({"ubuntu", "GNOME"}));
    Set("org.gnome.desktop.background", "picture-uri", "file:///pics/%E6%B5%B7%20sea.jpg");
    EXPECT_EQ(background.WallPaper(), QStringLiteral("/pics/海 sea.jpg"));
    Set("org.gnome.desktop.background", "picture-uri", "file:///pics/other.png");
    EXPECT_EQ(background.WallPaper(), "/pics/other.png");
    Set("org.gnome.desktop.background", "picture-uri", "");
    EXPECT_EQ(background.WallPaper(), "");
}

TEST_F(Background, GnomeInDarkStyleUsesTheDarkPicture) {
    TDesktopBackground background(Sources({"GNOME"}));
    Set("org.gnome.desktop.background", "picture-uri", "file:///pics/light.jpg");
    Set("org.gnome.desktop.background", "picture-uri-dark", "file:///pics/dark.jpg");
    Set("org.gnome.desktop.interface", "color-scheme", "prefer-dark");
    EXPECT_EQ(background.WallPaper(), "/pics/dark.jpg");
    Set("org.gnome.desktop.interface", "color-scheme", "default");
    EXPECT_EQ(background.WallPaper(), "/pics/light.jpg");
}

TEST_F(Background, ADesktopWhoseSchemaIsNotInstalledReadsAsNoPicture) {
    // Cinnamon's and MATE's schemas are not on this machine; looking them up must not abort.
    EXPECT_EQ(TDesktopBackground(Sources({"X-Cinnamon"})).WallPaper(), "");
    EXPECT_EQ(TDesktopBackground(Sources({"MATE"})).WallPaper(), "");
}

TEST_F(Background, TheColourIsTheDesktopsPrimaryColourOrTheDefault) {
    TDesktopBackground gnome(Sources({"GNOME"}));
    Set("org.gnome.desktop.background", "primary-color", "#023c88");
    EXPECT_EQ(gnome.Color(), 0x00883C02u);
    Set("org.gnome.desktop.background", "primary-color", "not a colour");
    EXPECT_EQ(gnome.Color(), 0x00A56E3Au);
    EXPECT_EQ(TDesktopBackground(Sources({"openbox"})).Color(), 0x00A56E3Au);
}

TEST_F(Background, KdeReadsTheImageOfTheDesktopContainment) {
    WriteHomeFile(".config/plasma-org.kde.plasma.desktop-appletsrc",
                  "[Containments][1][General]\nImage=file:///wrong.jpg\n"
                  "[Containments][1][Wallpaper][org.kde.image][General]\nImage=file:///usr/share/wallpapers/"
                  "Next.png\n");
    EXPECT_EQ(TDesktopBackground(Sources({"KDE"})).WallPaper(), "/usr/share/wallpapers/Next.png");
}

TEST_F(Background, PcmanfmDesktopsReadTheirConfiguration) {
    WriteHomeFile(".config/pcmanfm/LXDE/desktop-items-0.conf",
                  "[*]\nwallpaper_mode=stretch\nwallpaper=/pics/lxde.jpg\n");
    EXPECT_EQ(TDesktopBackground(Sources({"LXDE"})).WallPaper(), "/pics/lxde.jpg");
    WriteHomeFile(".config/pcmanfm-qt/lxqt/settings.conf", "[Desktop]\nWallpaper=/pics/lxqt.jpg\n");
    EXPECT_EQ(TDesktopBackground(Sources({"LXQt"})).WallPaper(), "/pics/lxqt.jpg");
}

TEST_F(Background, FehIsReadUnderPlainWindowManagersAndChangesAreSeen) {
    TDesktopBackground background(Sources({}));
    EXPECT_EQ(background.WallPaper(), "");
    WriteHomeFile(".fehbg", "#!/bin/sh\nfeh --no-fehbg --bg-scale '/home/u/my pictures/sea.jpg' \n");
    EXPECT_EQ(background.WallPaper(), "/home/u/my pictures/sea.jpg");
    WriteHomeFile(".fehbg", "#!/bin/sh\nfeh --bg-fill '/p/it'\\''s.png'\n");
    EXPECT_EQ(background.WallPaper(), "/p/it's.png");
    QFile::remove(FHome.filePath(".fehbg"));
    EXPECT_EQ(background.WallPaper(), "");
}

TEST(BackgroundReaders, DamagedConfigurationsGiveNoPicture) {
    EXPECT_EQ(ReadFehWallPaper("feh --bg-scale 'unterminated\n"), "");
    EXPECT_EQ(ReadFehWallPaper("echo '/not/feh.jpg'\n"), "");
    EXPECT_EQ(ReadKdeWallPaper("Image=/outside/a/group.jpg\n"), "");
    EXPECT_EQ(ReadPcmanfmWallPaper("wallpaper_mode=color\n"), "");
    EXPECT_EQ(LocalPathOf("/already/a/path.jpg"), "/already/a/path.jpg");
}
