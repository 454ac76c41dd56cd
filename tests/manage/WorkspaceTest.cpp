// The workspace as one file: exported, changed, imported back; a hostile file changes nothing.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGBaseButton.h"
#include "uErrors.h"
#include "uMaroviaManage.h"
#include "uTakeNoteManage.h"
#include "uWorkspaceFile.h"
#include "vgBackground.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Workspace : public ::testing::Test {
protected:
    FakePlatformScope platform;
    InstallationScope install;
    TvgBackground root;
    QTemporaryDir away;
};

}  // namespace

TEST_F(Workspace, ExportedAndImportedBackItRestoresButtonsPicturesAndNotes) {
    TMaroviaManage manage(&root);
    const QByteArray picture("\x89PNG\r\n\x1a\n\0\1binary", 16);
    WriteFile(manage.CurrentPlanPath() + "{A}.Png", picture);
    WriteFile(
        manage.CurrentPlanConfigFile(),
        "<?xml version=\"1.0\"?><Desktop><MVButtons><MVButton Name=\"甲\" Place=\"0\" "
        "IsRunAsk=\"false\" FileName=\"/bin/a\" CmdLine=\"\" Image=\"{A}.Png\"/></MVButtons></Desktop>");
    manage.LoadFromFile();
    manage.CreateNewTakeNote(3, 4);
    manage.TakeNoteManage()->Item(0)->Content = "带走";  // not saved yet: the export saves first

    const QString file = manage.ExportWorkspace(away.path() + "/");
    ASSERT_FALSE(file.isEmpty());
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.endsWith(file));
    platform->ClearMessages();

    QFile::remove(manage.CurrentPlanPath() + "{A}.Png");
    WriteFile(manage.CurrentPlanConfigFile(), "<?xml version=\"1.0\"?><Desktop/>");
    manage.LoadFromFile();
    manage.TakeNoteManage()->Item(0)->Content = "changed";
    ASSERT_EQ(manage.ButtonCount(), 1);

    ASSERT_TRUE(manage.ImportWorkspace(file));
    EXPECT_TRUE(platform->Messages().empty());
    ASSERT_EQ(manage.ButtonCount(), 2);
    EXPECT_EQ(manage.GetButton(1)->ButtonName(), "甲");
    EXPECT_EQ(ReadFile(manage.CurrentPlanPath() + "{A}.Png"), picture);
    ASSERT_EQ(manage.TakeNoteManage()->Count(), 1);
    EXPECT_EQ(manage.TakeNoteManage()->Item(0)->Content, "带走");
    // What was replaced is a version to go back to.
    EXPECT_FALSE(manage.TakeNoteManage()->BackupStore().List(TBackupKind::Notes).empty());
    EXPECT_FALSE(Backups().List(TBackupKind::Buttons).empty());
}

TEST_F(Workspace, AFileNameThatLeavesThePlanFolderOrDamagedContentChangesNothing) {
    TMaroviaManage manage(&root);
    manage.CreateNewTakeNote(0, 0);
    const QByteArray notesBefore = ReadFile(install.Paths().TakeNoteConfigFile());
    for (const QByteArray& name : {QByteArray("../escape.txt"), QByteArray("sub/x"), QByteArray("..")}) {
        const QString file = away.filePath("hostile.xml");
        WriteFile(file, "<?xml version=\"1.0\"?><MaroviaWorkspace Version=\"1\"><Notes>" +
                            QByteArray("<TakeNotes/>").toBase64() + "</Notes><Plan><File Name=\"" + name +
                            "\">eA==</File></Plan></MaroviaWorkspace>");
        platform->ClearMessages();
        EXPECT_FALSE(manage.ImportWorkspace(file)) << name.constData();
        ASSERT_EQ(platform->Messages().size(), 1u);
        EXPECT_TRUE(platform->Messages()[0].Text.startsWith("导入工作区失败！错误信息如下：\r\n"));
        EXPECT_EQ(ReadFile(install.Paths().TakeNoteConfigFile()), notesBefore);
        EXPECT_EQ(manage.TakeNoteManage()->Count(), 1);
    }
    EXPECT_FALSE(QFile::exists(install.Paths().DataPath() + "escape.txt"));
    EXPECT_THROW(WorkspaceFromBytes("<MaroviaWorkspace><Notes>*not base64*</Notes></MaroviaWorkspace>", "w"),
                 EXmlError);
    EXPECT_THROW(WorkspaceFromBytes("<Desktop/>", "w"), EXmlError);
}
