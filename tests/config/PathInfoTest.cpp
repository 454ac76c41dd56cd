#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "uPathInfo.h"

namespace {
QString Sep() {
    return PathDelim();
}
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
    ASSERT_TRUE(QFile::link(elsewhere.path(), install.filePath("Images")));
    const TPathInfo paths(install.path());
    paths.TakeNoteImagePath();
    EXPECT_TRUE(QFileInfo(elsewhere.filePath("TakeNotes")).isDir());
}
