#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

#include "uPathInfo.h"

namespace {
QString Sep() {
    return PathDelim();
}

// Sets an environment variable for one test and puts the old value back.
class EnvScope {
public:
    EnvScope(const char* name, const QByteArray& value)
        : FName(name), FHad(qEnvironmentVariableIsSet(name)), FOld(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvScope() {
        if (FHad)
            qputenv(FName, FOld);
        else
            qunsetenv(FName);
    }

private:
    const char* FName;
    bool FHad;
    QByteArray FOld;
};

// An installation folder with its pictures, made read-only as a package leaves it.
class ReadOnlyInstallation {
public:
    ReadOnlyInstallation() {
        QDir(FFolder.path()).mkpath("Images/TakeNotes");
        QFile picture(FFolder.filePath("Images/Add.png"));
        picture.open(QIODevice::WriteOnly);
        picture.close();
        for (const QString& folder :
             {FFolder.filePath("Images/TakeNotes"), FFolder.filePath("Images"), FFolder.path()})
            QFile::setPermissions(folder,
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    }
    ~ReadOnlyInstallation() {
        for (const QString& folder :
             {FFolder.path(), FFolder.filePath("Images"), FFolder.filePath("Images/TakeNotes")})
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Path() const { return FFolder.path(); }
    QStringList Entries() const {
        QStringList all;
        QDirIterator it(FFolder.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) all << QDir(FFolder.path()).relativeFilePath(it.next());
        all.sort();
        return all;
    }

private:
    QTemporaryDir FFolder;
};
}  // namespace

TEST(PathInfo, EveryValueDerivesFromTheInstallationFolderWithItsLetterCase) {
    QTemporaryDir install;
    const TPathInfo paths(install.path());
    const QString bin = QDir::toNativeSeparators(install.path()) + Sep();
    EXPECT_EQ(paths.BinPath(), bin);
    EXPECT_EQ(paths.DataPath(), bin + "Data" + Sep());
    EXPECT_EQ(paths.ImagesPath(), bin + "Images" + Sep());
    EXPECT_EQ(paths.AddImageFile(), bin + "Images" + Sep() + "Add.png");
    EXPECT_EQ(paths.SetButtonImageFile(), bin + "Images" + Sep() + "set.png");
    EXPECT_EQ(paths.CloseButtonImageFile(), bin + "Images" + Sep() + "Close.png");
    EXPECT_EQ(paths.WinFileButtonImageFile(), bin + "Images" + Sep() + "WinFile.png");
    EXPECT_EQ(paths.DockPanelLeftImageFile(), bin + "Images" + Sep() + "DockPanelLeft.png");
    EXPECT_EQ(paths.DockPanelCenterImageFile(), bin + "Images" + Sep() + "DockPanelCenter.png");
    EXPECT_EQ(paths.DockPanelRightImageFile(), bin + "Images" + Sep() + "DockPanelRight.png");
    EXPECT_EQ(paths.TempImagePath(), bin + "Images" + Sep() + "Temp" + Sep());
    EXPECT_EQ(paths.TakeNoteImagePath(), bin + "Images" + Sep() + "TakeNotes" + Sep());
    EXPECT_EQ(paths.TakeNoteConfigFile(), bin + "Data" + Sep() + "TakeNote.dat");
    EXPECT_EQ(paths.GetPlanPath("默认方案"), bin + "Data" + Sep() + "默认方案" + Sep());
    EXPECT_EQ(paths.GetPlanConfigFile("默认方案"), bin + "Data" + Sep() + "默认方案" + Sep() + "Desktop.xml");
}

TEST(PathInfo, FoldersAreCreatedOnFirstReadAndFilesNever) {
    QTemporaryDir install;
    const TPathInfo paths(install.path());
    const QString config = paths.GetPlanConfigFile("默认方案");
    EXPECT_TRUE(QFileInfo(install.filePath("Data")).isDir());
    EXPECT_TRUE(QFileInfo(install.filePath("Data/默认方案")).isDir());
    EXPECT_FALSE(QFileInfo::exists(config));

    const QString note = paths.TakeNoteConfigFile();
    EXPECT_FALSE(QFileInfo::exists(note));
    EXPECT_FALSE(QFileInfo::exists(install.filePath("Images")));

    // Reading a nested folder makes its parent first; a second read finds both and changes nothing.
    const QString temp = paths.TempImagePath();
    EXPECT_TRUE(QFileInfo(install.filePath("Images/Temp")).isDir());
    EXPECT_EQ(paths.TempImagePath(), temp);
    EXPECT_EQ(QDir(install.filePath("Images")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"Temp"});
}

TEST(PathInfo, AFolderThatCannotBeCreatedIsStillReturned) {
    QTemporaryDir install;
    // A file where the data folder should be: creation fails silently, the path is returned anyway.
    QFile blocker(install.filePath("Data"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const TPathInfo paths(install.path());
    EXPECT_TRUE(paths.GetPlanPath("x").endsWith("Data" + Sep() + "x" + Sep()));
    EXPECT_TRUE(QFileInfo(install.filePath("Data")).isFile());
}

TEST(PathInfo, ASymbolicLinkToAFolderCountsAsTheFolder) {
    QTemporaryDir install, elsewhere;
    // A file-system link, not QFile::link, which makes a shell shortcut on Windows: a file that
    // only the shell follows. Where the system cannot make folder links, there is nothing to test.
    std::error_code failed;
    std::filesystem::create_directory_symlink(
        std::filesystem::path(elsewhere.path().toStdWString()),
        std::filesystem::path(install.filePath("Images").toStdWString()), failed);
    if (failed) GTEST_SKIP() << "no folder links here: " << failed.message();
    const TPathInfo paths(install.path());
    paths.TakeNoteImagePath();
    EXPECT_TRUE(QFileInfo(elsewhere.filePath("TakeNotes")).isDir());
}

TEST(PathInfo, AWritableInstallationFolderIsPortable) {
    QTemporaryDir install, dataHome;
    const EnvScope xdg("XDG_DATA_HOME", dataHome.path().toUtf8());
    const TPathInfo paths(install.path());
    EXPECT_TRUE(paths.IsPortable());
    EXPECT_EQ(paths.UserPath(), paths.BinPath());
    paths.GetPlanPath("默认方案");
    EXPECT_TRUE(QFileInfo(install.filePath("Data/默认方案")).isDir());
    EXPECT_TRUE(QDir(dataHome.path()).isEmpty());
}

#ifndef Q_OS_WIN
TEST(PathInfo, AReadOnlyInstallationKeepsWhatItWritesInTheXdgDataHome) {
    const ReadOnlyInstallation install;
    const QStringList before = install.Entries();
    QTemporaryDir dataHome;
    const EnvScope xdg("XDG_DATA_HOME", dataHome.path().toUtf8());
    const TPathInfo paths(install.Path());
    ASSERT_FALSE(paths.IsPortable());

    const QString user = dataHome.path() + "/marovia/";
    const QString bin = install.Path() + "/";
    EXPECT_EQ(paths.UserPath(), user);
    EXPECT_EQ(paths.GetPlanConfigFile("默认方案"), user + "Data/默认方案/Desktop.xml");
    EXPECT_TRUE(QFileInfo(user + "Data/默认方案").isDir());
    EXPECT_EQ(paths.TakeNoteConfigFile(), user + "Data/TakeNote.dat");
    EXPECT_EQ(paths.TempImagePath(), user + "Images/Temp/");
    EXPECT_TRUE(QFileInfo(user + "Images/Temp").isDir());
    // The fixed pictures are the installation's.
    EXPECT_EQ(paths.ImagesPath(), bin + "Images/");
    EXPECT_EQ(paths.AddImageFile(), bin + "Images/Add.png");
    EXPECT_EQ(paths.TakeNoteImagePath(), bin + "Images/TakeNotes/");
    EXPECT_EQ(install.Entries(), before);
}

TEST(PathInfo, WithoutXdgDataHomeTheDataGoesUnderDotLocalShareOfTheHomeFolder) {
    const ReadOnlyInstallation install;
    QTemporaryDir home;
    const EnvScope xdg("XDG_DATA_HOME", QByteArray());
    const EnvScope homeVar("HOME", home.path().toUtf8());
    const TPathInfo paths(install.Path());
    // Every missing level is made, ~/.local and ~/.local/share included.
    EXPECT_EQ(paths.DataPath(), home.path() + "/.local/share/marovia/Data/");
    EXPECT_TRUE(QFileInfo(home.path() + "/.local/share/marovia/Data").isDir());
}
#endif
