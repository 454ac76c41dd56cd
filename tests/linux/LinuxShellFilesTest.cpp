// The user's desktop folder and icon extraction, against files made by the test.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>

#include <sys/stat.h>

#include "LinuxShell.h"
#include "XdgSandbox.h"

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void WritePicture(const QString& path, QColor colour) {
    QDir().mkpath(QFileInfo(path).path());
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "PNG"));
}

// A theme with one picture per name, in a single colour each, so a written icon shows which
// name the shell chose.
class Icons : public ::testing::Test {
protected:
    Icons() : FRoot(XdgSandbox::Get().Root + "/icons") {
        const QString theme = FRoot + "/marovia-test";
        WriteText(theme + "/index.theme",
                  "[Icon Theme]\nName=marovia-test\nDirectories=48x48/mimetypes,48x48/apps\n"
                  "[48x48/mimetypes]\nSize=48\nType=Fixed\n[48x48/apps]\nSize=48\nType=Fixed\n");
        WritePicture(theme + "/48x48/mimetypes/text-plain.png", Qt::red);
        WritePicture(theme + "/48x48/apps/marovia-app.png", Qt::green);
        QIcon::setThemeSearchPaths({FRoot});
        QIcon::setThemeName("marovia-test");
        QDir().mkpath(FRoot + "/work");
    }
    ~Icons() override { QIcon::setThemeName(QString()); }

    QString Work(const QString& name) const { return FRoot + "/work/" + name; }

    static QRgb CentreOf(const QString& iconFile) {
        QImageReader reader(iconFile, "ico");
        const QImage image = reader.read();
        return image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2);
    }

    QString FRoot;
    LinuxShell FShell;
};

}  // namespace

TEST(LinuxShellFolders, TheDesktopComesFromTheUserDirsAndThereIsNoSharedOne) {
    const XdgSandbox& sandbox = XdgSandbox::Get();
    WriteText(sandbox.ConfigHome + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n");
    LinuxShell shell;
    EXPECT_EQ(shell.SpecialFolderPath(TSpecialFolder::SF_Desktop), sandbox.Home + QStringLiteral("/桌面"));
    EXPECT_EQ(shell.SpecialFolderPath(TSpecialFolder::SF_CommonDesktop), "");
    QFile::remove(sandbox.ConfigHome + "/user-dirs.dirs");
    EXPECT_EQ(shell.SpecialFolderPath(TSpecialFolder::SF_Desktop), sandbox.Home + "/Desktop");
}

TEST_F(Icons, ADocumentGetsTheIconOfItsTypeWrittenAsIco) {
    const QString document = Work("notes.txt");
    WriteText(document, "text");
    const QString icon = Work("notes.Ico");
    ASSERT_TRUE(FShell.ExtractIconToFile(document, icon));
    QFile file(icon);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == QByteArray("\0\0\1\0", 4)) << "not an .ico header";
    EXPECT_EQ(CentreOf(icon), QColor(Qt::red).rgba());
}

TEST_F(Icons, ADesktopEntryGetsItsOwnIconByThemeNameOrPath) {
    const QString byName = Work("app.desktop");
    WriteText(byName, "[Desktop Entry]\nType=Application\nName=A\nExec=true\nIcon=marovia-app\n");
    ASSERT_TRUE(FShell.ExtractIconToFile(byName, Work("app.Ico")));
    EXPECT_EQ(CentreOf(Work("app.Ico")), QColor(Qt::green).rgba());

    WritePicture(Work("blue.png"), Qt::blue);
    const QString byPath = Work("path.desktop");
    WriteText(byPath, "[Desktop Entry]\nType=Application\nName=P\nExec=true\nIcon=" +
                          Work("blue.png").toUtf8() + "\n");
    ASSERT_TRUE(FShell.ExtractIconToFile(byPath, Work("app.Ico")));  // replaces the green one
    EXPECT_EQ(CentreOf(Work("app.Ico")), QColor(Qt::blue).rgba());
}

TEST_F(Icons, AMissingSourceGivesNoIconFile) {
    EXPECT_FALSE(FShell.ExtractIconToFile(Work("absent.txt"), Work("absent.Ico")));
    EXPECT_FALSE(QFile::exists(Work("absent.Ico")));
}

// No desktop session: nothing names a theme, so the installed full theme stands in.
class IconsWithoutSession : public ::testing::Test {
protected:
    IconsWithoutSession() : FRoot(XdgSandbox::Get().Root + "/session-less-icons") {
        WriteText(FRoot + "/Adwaita/index.theme",
                  "[Icon Theme]\nName=Adwaita\nInherits=hicolor\nDirectories=48x48/legacy,48x48/mimetypes\n"
                  "[48x48/legacy]\nSize=48\nType=Fixed\n[48x48/mimetypes]\nSize=48\nType=Fixed\n");
        WritePicture(FRoot + "/Adwaita/48x48/legacy/utilities-terminal.png", Qt::blue);
        WritePicture(FRoot + "/Adwaita/48x48/mimetypes/text-plain.png", Qt::yellow);
        WriteText(FRoot + "/hicolor/index.theme",
                  "[Icon Theme]\nName=hicolor\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\nType=Fixed\n");
        WritePicture(FRoot + "/hicolor/48x48/apps/marovia-tool.png", Qt::green);
        QDir().mkpath(FRoot + "/work");
        QIcon::setThemeSearchPaths({FRoot});
        QIcon::setThemeName(QString());
    }
    ~IconsWithoutSession() override {
        QIcon::setThemeName(QString());
        QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
    }
    QString Work(const QString& name) const { return FRoot + "/work/" + name; }
    static QRgb CentreOf(const QImage& image) {
        return image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2);
    }

    QString FRoot;
    LinuxShell FShell;
};

TEST_F(IconsWithoutSession, AShortcutsThemeIconComesFromTheInstalledFullTheme) {
    const QString entry = Work("term.desktop");
    WriteText(entry, "[Desktop Entry]\nType=Application\nName=T\nExec=xterm\nIcon=utilities-terminal\n");
    EXPECT_EQ(CentreOf(FShell.FileIcon(entry)), QColor(Qt::blue).rgba());
}

TEST_F(IconsWithoutSession, ADocumentGetsItsTypesIconAndAProgramTheIconNamedAfterIt) {
    const QString document = Work("notes.txt");
    WriteText(document, "text");
    EXPECT_EQ(CentreOf(FShell.FileIcon(document)), QColor(Qt::yellow).rgba());

    const QString program = Work("marovia-tool");
    WriteText(program, "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(CentreOf(FShell.FileIcon(program)), QColor(Qt::green).rgba());
}

TEST_F(Icons, AnIconOrEntryThatIsAFifoIsNeverOpened) {
    // Opening either FIFO would wait for a writer for ever; the calls return, and the entry gets
    // what an entry without an icon gets.
    const QString fifo = Work("icon.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString entry = Work("fifo-icon.desktop");
    WriteText(entry, "[Desktop Entry]\nType=Application\nName=F\nExec=true\nIcon=" + fifo.toUtf8() + "\n");
    const QString plain = Work("no-icon.desktop");
    WriteText(plain, "[Desktop Entry]\nType=Application\nName=N\nExec=true\n");
    EXPECT_EQ(FShell.ExtractIconToFile(entry, Work("fifo.Ico")),
              FShell.ExtractIconToFile(plain, Work("plain.Ico")));
    EXPECT_EQ(CentreOf(Work("fifo.Ico")), CentreOf(Work("plain.Ico")));
    const QString fifoEntry = Work("pipe.desktop");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifoEntry).constData(), 0600), 0);
    FShell.ExtractIconToFile(fifoEntry, Work("pipe.Ico"));
    EXPECT_NE(CentreOf(Work("pipe.Ico")), QColor(Qt::green).rgba());
    QFile::remove(fifo);
    QFile::remove(fifoEntry);
}

TEST_F(Icons, AThemeNameWithAPathInItIsNotLookedUp) {
    WritePicture(Work("blue.png"), Qt::blue);
    const QString entry = Work("climb.desktop");
    WriteText(entry, "[Desktop Entry]\nType=Application\nName=C\nExec=true\nIcon=../../work/blue\n");
    FShell.ExtractIconToFile(entry, Work("climb.Ico"));
    EXPECT_NE(CentreOf(Work("climb.Ico")), QColor(Qt::blue).rgba());
}
