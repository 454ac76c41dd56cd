#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGBaseButton.h"
#include "TVGDesktopPanel.h"
#include "uKeyboardLaunch.h"
#include "uMaroviaManage.h"
#include "uPinyin.h"
#include "ufrmMarovia.h"
#include "vgButton.h"
#include "vgRectangle.h"
#include "vgScene.h"

namespace {

struct Entry {
    const char* Name;
    int Place;
    const char* FileName;
    bool RunAsk;
};

const Entry kPlan[] = {
    {"文件管理", 2, "/opt/apps/files", false},    {"记事本", 1, "/opt/apps/notepad", false},
    {"终端", 0, "/opt/apps/terminal", false},     {"Firefox 浏览器", 2, "https://www.example.org/", true},
    {"计算器", 2, "/opt/apps/calculator", false},
};

class KeyboardLaunch : public ::testing::Test {
protected:
    KeyboardLaunch() {
        const QString planFile = install.Paths().GetPlanConfigFile(QStringLiteral("默认方案"));
        QDir().mkpath(QFileInfo(planFile).path());
        QFile plan(planFile);
        EXPECT_TRUE(plan.open(QIODevice::WriteOnly));
        QByteArray xml = "<?xml version=\"1.0\"?><Desktop><MVButtons>";
        for (const Entry& e : kPlan)
            xml += QStringLiteral(
                       "<MVButton Name=\"%1\" Place=\"%2\" IsRunAsk=\"%3\" FileName=\"%4\" "
                       "CmdLine=\"\" Image=\"\"/>")
                       .arg(QString::fromUtf8(e.Name))
                       .arg(e.Place)
                       .arg(e.RunAsk ? "true" : "false", e.FileName)
                       .toUtf8();
        plan.write(xml + "</MVButtons></Desktop>");
        plan.close();
        form = std::make_unique<TfrmMarovia>();
        form->Show();
        platform->Advance(50);
    }
    FakeHostWindow& Window() { return *platform->HostWindows().front(); }
    TKeyboardLaunch& Search() { return *MaroviaManage->KeyboardLaunch(); }
    void Type(const QString& text) {
        for (const QChar c : text) {
            const bool upper = c.isUpper();
            const int key = c.isLetter() ? Qt::Key_A + (c.toLower().unicode() - 'a') : c.unicode();
            Window().KeyDown(key, c, upper ? TShiftState(TShiftFlag::ssShift) : TShiftState());
        }
    }
    void Press(int key) { Window().KeyDown(key); }
    std::vector<QString> MatchNames() {
        std::vector<QString> names;
        for (TVGBaseButton* b : Search().Matches()) names.push_back(b->ButtonName());
        return names;
    }
    QString ChosenName() { return Search().Chosen() ? Search().Chosen()->ButtonName() : QString(); }
    TVGBaseButton* Button(const QString& name) {
        for (int i = 0; i < MaroviaManage->ButtonCount(); ++i)
            if (MaroviaManage->GetButton(i)->ButtonName() == name) return MaroviaManage->GetButton(i);
        return nullptr;
    }
    std::vector<TRecordedLaunch>& Launches() { return platform->ShellFake().Launches; }

    FakePlatformScope platform;
    InstallationScope install;
    std::unique_ptr<TfrmMarovia> form;
};

}  // namespace

TEST_F(KeyboardLaunch, TheLaunchKeyIsTakenAtStartAndGivenBackAtTheEnd) {
    EXPECT_TRUE(platform->HasLaunchKey());
    EXPECT_EQ(form->LaunchKeyName(), "Super+Space");
    form.reset();
    EXPECT_FALSE(platform->HasLaunchKey());
}

TEST_F(KeyboardLaunch, TheKeySlidesThePanelInAndGivesTheSearchTheKeyboard) {
    ASSERT_FALSE(MaroviaManage->IsShowDesktop());
    platform->PressLaunchKey();
    EXPECT_TRUE(MaroviaManage->IsShowDesktop());
    EXPECT_TRUE(Search().Active());
    EXPECT_GE(Window().Activations(), 1);
    EXPECT_TRUE(Window().KeyboardGrabbed());
    ASSERT_NE(Search().Box(), nullptr);
    EXPECT_TRUE(Search().Box()->Visible());
    EXPECT_TRUE(Search().Box()->IsFocused());
    EXPECT_EQ(Search().BoxText(), "输入名称或拼音查找按钮");
    // Every launch button matches an empty text; the system button is no launcher.
    EXPECT_EQ(MatchNames(), (std::vector<QString>{"文件管理", "记事本", "终端", "Firefox 浏览器", "计算器"}));
    EXPECT_EQ(ChosenName(), "文件管理");
}

TEST_F(KeyboardLaunch, PinyinInitialsFindAChineseNameAndEnterLaunchesIt) {
    if (!PinyinAvailable()) GTEST_SKIP() << "built without ICU";
    platform->PressLaunchKey();
    platform->Advance(700);
    Type("wjgl");
    EXPECT_EQ(Search().Filter(), "wjgl");
    EXPECT_EQ(MatchNames(), std::vector<QString>{"文件管理"});
    EXPECT_EQ(Search().BoxText(), "查找：wjgl（1个）");
    // What does not match is dimmed, on every panel.
    EXPECT_FLOAT_EQ(Button("文件管理")->Opacity(), 1);
    EXPECT_LT(Button("记事本")->Opacity(), 1);
    EXPECT_LT(Button("终端")->Opacity(), 1);
    Press(Qt::Key_Return);
    ASSERT_EQ(Launches().size(), 1u);
    EXPECT_EQ(Launches()[0].FileName, "/opt/apps/files");
    EXPECT_FALSE(Search().Active());
    EXPECT_FALSE(Window().KeyboardGrabbed());
    EXPECT_FLOAT_EQ(Button("记事本")->Opacity(), 1);
    platform->Advance(700);
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());
    EXPECT_TRUE(form->BtnMarovia()->Enabled());
}

TEST_F(KeyboardLaunch, TheArrowsMoveTheChoiceRoundTheMatches) {
    if (!PinyinAvailable()) GTEST_SKIP() << "built without ICU";
    platform->PressLaunchKey();
    Type("j");  // 文件 (wen jian), 记事本 (ji), 计算器 (ji)
    EXPECT_EQ(MatchNames(), (std::vector<QString>{"文件管理", "记事本", "计算器"}));
    EXPECT_EQ(ChosenName(), "文件管理");
    Press(Qt::Key_Down);
    EXPECT_EQ(ChosenName(), "记事本");
    Press(Qt::Key_Right);
    EXPECT_EQ(ChosenName(), "计算器");
    Press(Qt::Key_Down);
    EXPECT_EQ(ChosenName(), "文件管理");
    Press(Qt::Key_Up);
    EXPECT_EQ(ChosenName(), "计算器");
    Press(Qt::Key_Enter);
    ASSERT_EQ(Launches().size(), 1u);
    EXPECT_EQ(Launches()[0].FileName, "/opt/apps/calculator");
}

TEST_F(KeyboardLaunch, LettersMatchInAnyCaseAndBackspaceWidensTheSearchAgain) {
    platform->PressLaunchKey();
    Type("FIREX");
    EXPECT_TRUE(MatchNames().empty());
    EXPECT_EQ(Search().BoxText(), "查找：FIREX（没有匹配的按钮）");
    EXPECT_EQ(Search().Chosen(), nullptr);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Search().Filter(), "FIRE");
    EXPECT_EQ(MatchNames(), std::vector<QString>{"Firefox 浏览器"});
    // Keys held with Ctrl or Alt are no text.
    Window().KeyDown(Qt::Key_A, QChar('a'), TShiftFlag::ssCtrl);
    EXPECT_EQ(Search().Filter(), "FIRE");
}

TEST_F(KeyboardLaunch, EnterStillAsksWhenTheButtonSaysSoAndNoMeansNoLaunch) {
    platform->PressLaunchKey();
    Type("fire");
    ASSERT_EQ(ChosenName(), "Firefox 浏览器");
    platform->ScriptAnswer(TMsgResult::MR_No);
    Press(Qt::Key_Return);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("确定要运行【Firefox 浏览器】吗？"));
    EXPECT_TRUE(Launches().empty());
    // The keyboard was given back before the box asked.
    EXPECT_FALSE(Window().KeyboardGrabbed());
}

TEST_F(KeyboardLaunch, EscapeOrTheKeyAgainEndsTheSearchWithoutLaunching) {
    platform->PressLaunchKey();
    Type("zd");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Search().Active());
    EXPECT_FALSE(Search().Box()->Visible());
    EXPECT_TRUE(Launches().empty());
    platform->Advance(700);
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());
    // Keys after the end reach nothing.
    Type("x");
    Press(Qt::Key_Return);
    EXPECT_TRUE(Launches().empty());

    platform->PressLaunchKey();
    EXPECT_TRUE(Search().Active());
    EXPECT_EQ(Search().Filter(), "");
    platform->PressLaunchKey();
    EXPECT_FALSE(Search().Active());
    EXPECT_FALSE(Window().KeyboardGrabbed());
    EXPECT_TRUE(Launches().empty());
}

TEST_F(KeyboardLaunch, TheSwitchEndsASearchToo) {
    platform->PressLaunchKey();
    Type("ji");
    form->BtnDesktopPcClick();
    EXPECT_FALSE(Search().Active());
    EXPECT_FALSE(Window().KeyboardGrabbed());
    EXPECT_FLOAT_EQ(Button("终端")->Opacity(), 1);
}

TEST_F(KeyboardLaunch, AClickIntoAnotherProgramEndsTheSearchAsEscapeDoes) {
    // Without a search, losing the keyboard changes nothing.
    Window().Deactivate();
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());
    platform->PressLaunchKey();
    Type("js");
    ASSERT_TRUE(Search().Active());
    Window().Deactivate();
    EXPECT_FALSE(Search().Active());
    EXPECT_FALSE(Search().Box()->Visible());
    EXPECT_FALSE(Window().KeyboardGrabbed());
    EXPECT_FLOAT_EQ(Button("终端")->Opacity(), 1);
    platform->Advance(700);
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());
    EXPECT_TRUE(Launches().empty());
    // A second loss (the system telling twice) does nothing more, and the key starts a new search.
    Window().Deactivate();
    Press(Qt::Key_Return);
    EXPECT_TRUE(Launches().empty());
    platform->PressLaunchKey();
    EXPECT_TRUE(Search().Active());
    EXPECT_EQ(Search().Filter(), "");
    EXPECT_TRUE(MaroviaManage->IsShowDesktop());
}
