// "保存信息" in both modes, and the icons it stores.

#include <QRegularExpression>

#include "DialogFixture.h"
#include "SaveFaultScope.h"
#include "uManageButtonModel.h"

namespace {

class ManageButtonEdit : public DialogFixture {
protected:
    void SetUp() override {
        model.SetOnFocusField([this](TManageField field) { focused.push_back(field); });
    }
    void Fill(const QString& name, const QString& fileName, const QString& cmdLine = QString()) {
        model.SetName(name);
        model.SetFileName(fileName);
        model.SetCmdLine(cmdLine);
    }
    void Select(int row) {
        model.SetItemIndex(row);
        model.LvButtonsClick();
    }
    // Chooses a picture file through "更换图标".
    void ChangeIcon(const QString& path) {
        platform->ScriptOpenFileName(path);
        model.BtnChageIconClick();
    }
    static bool IsGuidName(const QString& fileName, const QString& ext) {
        static const QRegularExpression guid(
            "^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
        return fileName.endsWith(ext) && guid.match(fileName.chopped(ext.size())).hasMatch();
    }

    TManageButtonModel model{manage};
    std::vector<TManageField> focused;
};

TEST_F(ManageButtonEdit, AddingRefusesAMissingNameADuplicateNameAndAMissingFile) {
    WritePlan({{"Mail"}});
    model.LoadButtonList();
    struct Case {
        QString Name, FileName, Message;
        TManageField Focus;
    };
    for (const Case& c : {Case{" \t", "/bin/x", "按钮名称不能为空！", MF_Name},
                          Case{"mAIL", "/bin/x", "按钮名称已经存在！", MF_Name},
                          Case{"New", "   ", "执行文件不能为空！", MF_FileName}}) {
        platform->ClearMessages();
        focused.clear();
        Fill(c.Name, c.FileName);
        model.BtnWorkOkClick();
        ASSERT_EQ(platform->Messages().size(), 1u) << c.Message.toStdString();
        EXPECT_EQ(platform->Messages()[0].Text, c.Message);
        EXPECT_EQ(platform->Messages()[0].Title, "提示");
        EXPECT_EQ(platform->Messages()[0].Icon, TMsgIcon::MI_Information);
        EXPECT_EQ(platform->Messages()[0].Buttons, TMsgButtons::MB_Ok);
        EXPECT_EQ(focused, std::vector<TManageField>{c.Focus});
        EXPECT_EQ(model.RowCount(), 1);
        EXPECT_FALSE(model.ApplyEnabled());
        // The fields keep what the user typed, to be corrected.
        EXPECT_EQ(model.Name(), c.Name);
    }
}

TEST_F(ManageButtonEdit, NamesDifferingOnlyInANonAsciiLetterAreDifferentNames) {
    WritePlan({{"Ärger"}});
    model.LoadButtonList();
    Fill("ärger", "/bin/x");
    model.BtnWorkOkClick();
    EXPECT_TRUE(platform->Messages().empty());
    EXPECT_EQ(model.RowCount(), 2);
}

TEST_F(ManageButtonEdit, AddingAppendsATrimmedRowEnablesApplyAndClearsTheFields) {
    WritePlan({{"Mail"}});
    model.LoadButtonList();
    Fill("  Editor ", " /usr/bin/editor\t", " -n ");
    model.SetPlaceIndex(1);
    model.SetRunAsk(true);
    model.BtnWorkOkClick();
    EXPECT_TRUE(platform->Messages().empty());
    ASSERT_EQ(model.RowCount(), 2);
    const TButtonRow& row = model.Row(1);
    EXPECT_EQ(row.Caption, "Editor");
    EXPECT_EQ(row.PlaceText, "Dock");
    EXPECT_EQ(row.RunAskText, "是");
    EXPECT_EQ(row.FileName, "/usr/bin/editor");
    EXPECT_EQ(row.CmdLine, "-n");
    EXPECT_FALSE(row.Picture);
    EXPECT_TRUE(row.ImagePath.isEmpty());
    EXPECT_TRUE(model.ApplyEnabled());
    EXPECT_TRUE(model.Name().isEmpty());
    EXPECT_EQ(model.PlaceIndex(), 0);
    EXPECT_FALSE(model.RunAsk());
    EXPECT_TRUE(PlanImageFiles().empty());
}

TEST_F(ManageButtonEdit, AnAddedButtonsIconIsStoredInThePlanFolderUnderANewGuidName) {
    manage.LoadFromFile();
    const QString png = install.Folder() + "/chosen.png";
    WritePicture(png, Qt::green);
    ChangeIcon(png);
    ASSERT_TRUE(model.Picture());
    EXPECT_EQ(model.Picture()->Kind(), IK_Png);
    Fill("Green", "/bin/g");
    model.BtnWorkOkClick();
    ASSERT_EQ(model.RowCount(), 1);
    const TButtonRow& row = model.Row(0);
    ASSERT_TRUE(row.Picture);
    EXPECT_TRUE(row.ImagePath.startsWith(PlanPath()));
    EXPECT_TRUE(IsGuidName(QFileInfo(row.ImagePath).fileName(), ".Png")) << row.ImagePath.toStdString();
    // Stored exactly as chosen, not re-encoded.
    EXPECT_EQ(Bytes(row.ImagePath), Bytes(png));
    EXPECT_FALSE(model.Picture());  // cleared with the other fields

    const QString ico = install.Folder() + "/chosen.ico";
    WritePicture(ico, Qt::yellow, 32, "ico");
    ChangeIcon(ico);
    ASSERT_TRUE(model.Picture());
    EXPECT_TRUE(model.Picture()->IsIcon());
    Fill("Yellow", "/bin/y");
    model.BtnWorkOkClick();
    ASSERT_EQ(model.RowCount(), 2);
    EXPECT_TRUE(IsGuidName(QFileInfo(model.Row(1).ImagePath).fileName(), ".Ico"));
    EXPECT_EQ(Bytes(model.Row(1).ImagePath), Bytes(ico));
    EXPECT_EQ(PlanImageFiles().size(), 2u);
}

TEST_F(ManageButtonEdit, ChoosingAProgramTakesItsShellIconStoredAsAnIcoFile) {
    manage.LoadFromFile();
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(QColor(10, 20, 30));
    // The program is known by its path as stored, with the system's separators.
    const QString tool = QDir::toNativeSeparators("/opt/tool.exe");
    platform->ShellFake().FileIcons[tool] = icon;
    platform->ScriptOpenFileName("/opt/tool.exe");
    model.BEdtFileNameButtonClick();
    ASSERT_EQ(platform->OpenFileFilters().size(), 1u);
    EXPECT_TRUE(platform->OpenFileFilters()[0].contains("EXE文件 (*.exe)"));
    EXPECT_EQ(model.FileName(), tool);
    ASSERT_TRUE(model.Picture());
    EXPECT_TRUE(model.Picture()->IsIcon());

    model.SetName("Tool");
    model.BtnWorkOkClick();
    ASSERT_EQ(model.RowCount(), 1);
    const QString path = model.Row(0).ImagePath;
    EXPECT_TRUE(IsGuidName(QFileInfo(path).fileName(), ".Ico"));
    const QImage written(path, "ico");
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.pixelColor(24, 24), QColor(10, 20, 30));
}

TEST_F(ManageButtonEdit, AChosenProgramIsStoredWithTheSystemsSeparators) {
    // Qt's file dialog answers with forward slashes everywhere; Desktop.xml holds the path as the
    // system writes it: backslashes on Windows, the path unchanged on Linux.
    struct Case {
        QString Chosen, OnWindows;
    };
    const std::vector<Case> cases{
        {"C:/Program Files/Tool/tool.exe", "C:\\Program Files\\Tool\\tool.exe"},
        {"//server/share/apps/run.exe", "\\\\server\\share\\apps\\run.exe"},
        {"Z:/home/user/Mixed\\Name.exe", "Z:\\home\\user\\Mixed\\Name.exe"},
    };
    manage.LoadFromFile();
    model.LoadButtonList();
    std::vector<TWritten> expected;
    for (const Case& c : cases) {
#ifdef Q_OS_WIN
        const QString stored = c.OnWindows;
#else
        const QString stored = c.Chosen;
#endif
        const QString name = QStringLiteral("Tool%1").arg(expected.size());
        platform->ShellFake().ShortcutNames[stored] = name;
        platform->ScriptOpenFileName(c.Chosen);
        model.BEdtFileNameButtonClick();
        EXPECT_EQ(model.FileName(), stored) << c.Chosen.toStdString();
        // The shell is asked about the path the button will start.
        EXPECT_EQ(model.Name(), name) << c.Chosen.toStdString();
        model.BtnWorkOkClick();
        expected.push_back({name, 0, false, stored, "", ""});
    }
    ASSERT_EQ(model.RowCount(), static_cast<int>(cases.size()));
    model.Apply();
    EXPECT_EQ(ReadPlan(), expected);
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(ManageButtonEdit, AChosenMenuEntrySuggestsItsNameAndIconButKeepsANameTheUserTyped) {
    manage.LoadFromFile();
    QImage icon(48, 48, QImage::Format_ARGB32);
    icon.fill(QColor(200, 100, 0));
    const QString entry = "/usr/share/applications/term.desktop";
    const QString stored = QDir::toNativeSeparators(entry);
    platform->ShellFake().FileIcons[stored] = icon;
    platform->ShellFake().ShortcutNames[stored] = "终端";
    platform->ScriptOpenFileName(entry);
    model.BEdtFileNameButtonClick();
    EXPECT_EQ(model.Name(), "终端");
    EXPECT_EQ(model.FileName(), stored);
    ASSERT_TRUE(model.Picture());
    EXPECT_TRUE(model.Picture()->IsIcon());

    model.SetName("My shell");
    platform->ScriptOpenFileName(entry);
    model.BEdtFileNameButtonClick();
    EXPECT_EQ(model.Name(), "My shell");
}

TEST_F(ManageButtonEdit, CancellingTheOpenDialogsChangesNothing) {
    manage.LoadFromFile();
    model.SetFileName("/bin/kept");
    model.BEdtFileNameButtonClick();
    model.BtnChageIconClick();
#ifdef Q_OS_WIN
    const QString programs = "EXE文件 (*.exe);;所有文件 (*)";
#else
    // Every file first, so that /usr/bin lists its programs; then programs alone, menu entries, .exe.
    const QString programs = "所有文件 (*);;可执行文件 (*);;应用程序 (*.desktop);;EXE文件 (*.exe)";
#endif
    EXPECT_EQ(platform->OpenFileFilters(),
              (std::vector<QString>{programs, "PNG图标 (*.png);;ICON图标 (*.ico)"}));
    EXPECT_EQ(model.FileName(), "/bin/kept");
    EXPECT_TRUE(platform->ShellFake().FileIconRequests.empty());
}

TEST_F(ManageButtonEdit, APictureThatCannotBeReadIsReportedAndLeavesNoIcon) {
    manage.LoadFromFile();
    const QString good = install.Folder() + "/good.png";
    WritePicture(good, Qt::red);
    ChangeIcon(good);
    ASSERT_TRUE(model.Picture());

    const QString fake = install.Folder() + "/fake.ico";
    QFile file(fake);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG but not really");
    file.close();
    for (const QString& path : {fake, install.Folder() + "/missing.png"}) {
        platform->ClearMessages();
        ChangeIcon(path);
        EXPECT_FALSE(model.Picture());
        ASSERT_EQ(platform->Messages().size(), 1u);
        const QString lead = "加载图片失败！错误信息如下：\r\n";
        EXPECT_TRUE(platform->Messages()[0].Text.startsWith(lead));
        EXPECT_GT(platform->Messages()[0].Text.size(), lead.size());  // the reader's own message follows
        EXPECT_EQ(platform->Messages()[0].Title, "提示");
    }
}

TEST_F(ManageButtonEdit, EditingWithoutASelectedRowDoesNothing) {
    WritePlan({{"A"}});
    model.LoadButtonList();
    model.SetSaveMode(SM_Edit);
    Fill("B", "/bin/b");
    model.BtnWorkOkClick();
    EXPECT_EQ(model.Row(0).Caption, "A");
    EXPECT_FALSE(model.ApplyEnabled());
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(ManageButtonEdit, EditingReplacesTheRowWithoutValidation) {
    WritePlan({{"A", "0", "false", "/bin/a"}, {"B", "1", "true", "/bin/b"}});
    model.LoadButtonList();
    Select(1);
    Fill(" a ", " /bin/new ", "p");
    model.SetPlaceIndex(2);
    model.SetRunAsk(false);
    model.BtnWorkOkClick();
    // The name of another row is accepted here; the loader later keeps the first of the two.
    EXPECT_TRUE(platform->Messages().empty());
    const TButtonRow& row = model.Row(1);
    EXPECT_EQ(row.Caption, "a");
    EXPECT_EQ(row.PlaceText, "Marovia");
    EXPECT_EQ(row.RunAskText, "否");
    EXPECT_EQ(row.FileName, "/bin/new");
    EXPECT_EQ(row.CmdLine, "p");
    EXPECT_TRUE(model.ApplyEnabled());
    EXPECT_EQ(model.RowCount(), 2);
    EXPECT_TRUE(PlanImageFiles().empty());  // no picture, nothing stored

    model.Apply();
    EXPECT_EQ(SceneNames(), (std::vector<QString>{"Win桌面文件", "A"}));
}

TEST_F(ManageButtonEdit, EditingAPictureOfTheSameKindRewritesItsFile) {
    WritePicture(PlanPath() + "{1}.Png", Qt::red);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}});
    model.LoadButtonList();
    Select(0);
    const QString other = install.Folder() + "/blue.png";
    WritePicture(other, Qt::blue);
    ChangeIcon(other);
    model.BtnWorkOkClick();
    EXPECT_EQ(model.Row(0).ImagePath, PlanPath() + "{1}.Png");
    EXPECT_EQ(Bytes(PlanPath() + "{1}.Png"), Bytes(other));
    EXPECT_TRUE(model.TempImageList().isEmpty());
}

TEST_F(ManageButtonEdit, ChangingAPngIconToAnIcoKeepsTheGuidAndQueuesTheOldFile) {
    WritePicture(PlanPath() + "{1}.Png", Qt::red);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}});
    model.LoadButtonList();
    Select(0);
    const QString ico = install.Folder() + "/x.ico";
    WritePicture(ico, Qt::yellow, 16, "ico");
    ChangeIcon(ico);
    model.BtnWorkOkClick();
    EXPECT_EQ(model.Row(0).ImagePath, PlanPath() + "{1}.Ico");
    EXPECT_EQ(Bytes(PlanPath() + "{1}.Ico"), Bytes(ico));
    EXPECT_EQ(model.TempImageList(), QStringList{PlanPath() + "{1}.Png"});
    // Closing without "应用" keeps both files, and the plan still names the PNG.
    EXPECT_TRUE(QFileInfo::exists(PlanPath() + "{1}.Png"));
    EXPECT_EQ(ReadPlan()[0].Image, "{1}.Png");
}

TEST_F(ManageButtonEdit, ChangingTheKindBackAndForthNeverDeletesThePictureInUse) {
    WritePicture(PlanPath() + "{1}.Png", Qt::red);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}});
    model.LoadButtonList();
    Select(0);
    const QString ico = install.Folder() + "/x.ico";
    WritePicture(ico, Qt::yellow, 16, "ico");
    const QString png = install.Folder() + "/x.png";
    WritePicture(png, Qt::green);
    ChangeIcon(ico);
    model.BtnWorkOkClick();
    ChangeIcon(png);
    model.BtnWorkOkClick();
    EXPECT_EQ(model.Row(0).ImagePath, PlanPath() + "{1}.Png");
    model.Apply();
    EXPECT_EQ(ReadPlan()[0].Image, "{1}.Png");
    EXPECT_EQ(Bytes(PlanPath() + "{1}.Png"), Bytes(png));
    EXPECT_FALSE(QFileInfo::exists(PlanPath() + "{1}.Ico"));
}

TEST_F(ManageButtonEdit, ARowWithoutAPictureFileGetsANewNameWhenGivenOne) {
    WritePlan({{"A", "0", "false", "/bin/a"}});
    model.LoadButtonList();
    Select(0);
    const QString png = install.Folder() + "/x.png";
    WritePicture(png, Qt::green);
    ChangeIcon(png);
    model.BtnWorkOkClick();
    EXPECT_TRUE(IsGuidName(QFileInfo(model.Row(0).ImagePath).fileName(), ".Png"));
    // Directly in the plan folder, named in the plan path's own form.
    EXPECT_EQ(model.Row(0).ImagePath, PlanPath() + QFileInfo(model.Row(0).ImagePath).fileName());
    EXPECT_TRUE(model.TempImageList().isEmpty());
}

TEST_F(ManageButtonEdit, APictureNamedOutsideThePlanFolderIsNeverOverwritten) {
    const QString outside = install.Folder() + "/outside.png";
    WritePicture(outside, Qt::red);
    WritePlan({{"A", "0", "false", "/bin/a", "", "../../outside.png"}});
    model.LoadButtonList();
    ASSERT_TRUE(model.Row(0).Picture);  // reading it is harmless
    const QByteArray before = Bytes(outside);
    Select(0);
    const QString png = install.Folder() + "/new.png";
    WritePicture(png, Qt::green);
    ChangeIcon(png);
    model.BtnWorkOkClick();
    EXPECT_EQ(Bytes(outside), before);
    EXPECT_TRUE(model.Row(0).ImagePath.startsWith(PlanPath()));
    EXPECT_TRUE(model.TempImageList().isEmpty());
}

#ifndef _WIN32  // symbolic links as POSIX makes them
TEST_F(ManageButtonEdit, APictureThatIsALinkIsReplacedByANewFileNeverWrittenThrough) {
    const QString outside = install.Folder() + "/precious.png";
    WritePicture(outside, Qt::red);
    const QByteArray before = Bytes(outside);
    ASSERT_TRUE(QFile::link(outside, PlanPath() + "{1}.Png"));
    WritePicture(PlanPath() + "{3}.Png", Qt::blue);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}, {"B", "0", "false", "/bin/b", "", "{3}.Png"}});
    model.LoadButtonList();
    ASSERT_TRUE(QFile::link(outside, PlanPath() + "{3}.Ico"));  // planted where a change of kind writes
    const QString png = install.Folder() + "/new.png";
    WritePicture(png, Qt::green);
    Select(0);
    ChangeIcon(png);
    model.BtnWorkOkClick();
    const QString ico = install.Folder() + "/new.ico";
    WritePicture(ico, Qt::yellow, 16, "ico");
    Select(1);
    ChangeIcon(ico);
    model.BtnWorkOkClick();
    EXPECT_EQ(Bytes(outside), before);
    for (int row : {0, 1}) {
        const QString path = model.Row(row).ImagePath;
        EXPECT_TRUE(IsGuidName(QFileInfo(path).completeBaseName(), "")) << path.toStdString();
        EXPECT_FALSE(QFileInfo(path).isSymLink()) << path.toStdString();
        EXPECT_EQ(QFileInfo(path).absolutePath() + "/", PlanPath());
    }
    EXPECT_EQ(Bytes(model.Row(0).ImagePath), Bytes(png));
    EXPECT_EQ(Bytes(model.Row(1).ImagePath), Bytes(ico));
    model.Apply();
    EXPECT_FALSE(QFileInfo(PlanPath() + "{1}.Png").isSymLink());  // the link went, its target stays
    EXPECT_EQ(Bytes(outside), before);
}
#endif

TEST_F(ManageButtonEdit, APictureThatCannotBeStoredLeavesTheRowWithoutIcon) {
    WritePlan({{"A"}});
    model.LoadButtonList();
    const QString png = install.Folder() + "/x.png";
    WritePicture(png, Qt::green);
    ChangeIcon(png);
    Fill("B", "/bin/b");
    // Something that is not a folder now stands where the plan folder was.
    const QString plan = PlanPath();
    ASSERT_TRUE(QDir(plan).removeRecursively());
    QFile blocker(plan.chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    model.BtnWorkOkClick();
    ASSERT_EQ(model.RowCount(), 2);
    EXPECT_FALSE(model.Row(1).Picture);
    EXPECT_TRUE(model.Row(1).ImagePath.isEmpty());
    EXPECT_TRUE(model.ApplyEnabled());
}

}  // namespace

TEST_F(ManageButtonEdit, APictureThatCannotBeSavedIsReportedAndTheRowKeepsItsOldOne) {
    WritePicture(PlanPath() + "{1}.Png", Qt::red);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}});
    model.LoadButtonList();
    const QByteArray before = Bytes(PlanPath() + "{1}.Png");
    auto fault = std::make_unique<SaveFaultScope>(TSaveStep::Flush);
    Select(0);
    const QString ico = install.Folder() + "/x.ico";
    WritePicture(ico, Qt::yellow, 16, "ico");
    ChangeIcon(ico);
    model.BtnWorkOkClick();
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("保存图片失败！错误信息如下：\r\n"));
    EXPECT_EQ(model.Row(0).ImagePath, PlanPath() + "{1}.Png");
    EXPECT_TRUE(model.TempImageList().isEmpty());  // the picture still in use is not queued

    platform->ClearMessages();
    model.SetSaveMode(SM_Add);
    Fill("B", "/bin/b");
    ChangeIcon(ico);
    model.BtnWorkOkClick();
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("保存图片失败！"));
    EXPECT_TRUE(model.Row(1).ImagePath.isEmpty());
    fault.reset();

    model.Apply();
    EXPECT_EQ(ReadPlan()[0].Image, "{1}.Png");
    EXPECT_EQ(Bytes(PlanPath() + "{1}.Png"), before);
}
