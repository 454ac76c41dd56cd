#include <gtest/gtest.h>

#include <memory>

#include "FakePlatformScope.h"
#include "RecordingScene.h"
#include "vgAniThread.h"
#include "vgButton.h"
#include "vgColorAnimation.h"
#include "vgFloatAnimation.h"
#include "vgGlowEffect.h"
#include "vgPosition.h"
#include "vgProgramStyles.h"
#include "vgRectangle.h"
#include "vgResources.h"
#include "vgTriggerTestControl.h"
#include "vgVisualObject.h"

namespace {

class vgAnimationTest : public ::testing::Test {
protected:
    vgAnimationTest() {
        Scene.AddObject(&Root);
        Root.SetWidth(1920);
        Root.SetHeight(1080);
        Panel = new TvgVisualObject(&Root);
        Panel->SetParent(&Root);
    }
    ~vgAnimationTest() override {
        // The clock is process-wide: every test starts without one.
        TvgAniThread::FreeInstance();
    }

    TvgFloatAnimation* Slide(float from, float to, float duration) {
        auto* animation = new TvgFloatAnimation(Panel);
        animation->SetParent(Panel);
        animation->SetPropertyName("Position.X");
        animation->SetDuration(duration);
        animation->FStartFloat = from;
        animation->FStopFloat = to;
        animation->SetOnFinish([this](TvgObject*) { ++Finished; });
        return animation;
    }
    float X() const { return Panel->Position()->X(); }
    // One clock step every 33 ms of the virtual clock.
    void Steps(int count) { Platform->Advance(33 * count); }

    FakePlatformScope Platform;
    TvgVisualObject Root;
    RecordingScene Scene;  // goes first, detaching the root
    TvgVisualObject* Panel;
    int Finished = 0;
};

TEST_F(vgAnimationTest, SlideRunsOnElapsedTimeAndLandsExactlyOnItsEnd) {
    TvgFloatAnimation* slide = Slide(1280, 0, 0.6f);
    slide->Start();
    EXPECT_FLOAT_EQ(X(), 1280);
    EXPECT_TRUE(slide->Running());
    EXPECT_EQ(Platform->ActiveTimerCount(), 1);

    Steps(9);  // 0.297 s
    EXPECT_NEAR(X(), 1280 * (1 - 0.297 / 0.6), 0.01);
    Steps(1);  // 0.330 s
    EXPECT_NEAR(X(), 1280 * (1 - 0.33 / 0.6), 0.01);
    EXPECT_EQ(Finished, 0);

    Steps(9);  // 0.627 s: past the end
    EXPECT_EQ(X(), 0.0f);
    EXPECT_EQ(Finished, 1);
    EXPECT_FALSE(slide->Running());
    EXPECT_TRUE(slide->Enabled()) << "stays set after a natural end";
    EXPECT_EQ(TvgAniThread::Instance()->Count(), 0);
    EXPECT_EQ(Platform->ActiveTimerCount(), 0) << "an idle clock does not tick";
    Steps(5);
    EXPECT_EQ(Finished, 1);
}

TEST_F(vgAnimationTest, ARunOnAnIdleClockMeasuresFromItsOwnStart) {
    Slide(0, 10, 0.033f)->Start();
    Steps(1);
    EXPECT_EQ(Finished, 1);
    Platform->Advance(1000);
    TvgFloatAnimation* slide = Slide(0, 100, 1);
    slide->Start();
    EXPECT_TRUE(TvgAniThread::Instance()->Ticking());
    Steps(1);
    EXPECT_NEAR(X(), 3.3, 0.001);
}

TEST_F(vgAnimationTest, StepsFollowTheTickCountNotTheNumberOfTimerEvents) {
    TvgFloatAnimation* first = Slide(0, 100, 1);
    first->Start();
    Platform->Advance(20);
    auto* second = new TvgFloatAnimation(Panel);
    second->SetParent(Panel);
    second->SetPropertyName("Width");
    second->SetDuration(1);
    second->FStartFloat = 0;
    second->FStopFloat = 1000;
    second->Start();
    // The next step comes 13 ms after the second start but moves it by the whole 33 ms.
    Platform->Advance(13);
    EXPECT_NEAR(Panel->Width(), 33, 0.01);
    // A step at a tick that has not moved does nothing.
    TvgAniThread::Instance()->DoSyncTimer();
    EXPECT_NEAR(Panel->Width(), 33, 0.01);
    EXPECT_NEAR(TvgAniThread::Instance()->DeltaTime(), 0.033, 1e-9);
}

TEST_F(vgAnimationTest, TinyDurationAppliesTheEndAtOnceWithoutTheClock) {
    TvgFloatAnimation* slide = Slide(1280, 0, 0.0005f);
    slide->SetEnabled(true);
    EXPECT_EQ(X(), 0.0f);
    EXPECT_EQ(Finished, 1);
    EXPECT_FALSE(slide->Enabled());
    EXPECT_FALSE(slide->Running());
    EXPECT_EQ(TvgAniThread::Instance(), nullptr);
    Steps(3);
    EXPECT_EQ(Finished, 1);
}

TEST_F(vgAnimationTest, WithoutASceneTheEndValueIsAppliedAtOnce) {
    TvgVisualObject detached;
    auto* animation = new TvgFloatAnimation(&detached);
    animation->SetParent(&detached);
    animation->SetPropertyName("Opacity");
    animation->FStartFloat = 1;
    animation->FStopFloat = 0.25f;
    animation->SetInverse(true);  // the end of an inverse run is its start value
    animation->Start();
    EXPECT_FLOAT_EQ(detached.Opacity(), 1);
    animation->SetInverse(false);
    animation->Start();
    EXPECT_FLOAT_EQ(detached.Opacity(), 0.25f);
    EXPECT_FALSE(animation->Running());
}

TEST_F(vgAnimationTest, LoopWithAutoReverseSwingsBackAndNeverFinishes) {
    TvgFloatAnimation* swing = Slide(0, 100, 0.099f);
    swing->SetLoop(true);
    swing->SetAutoReverse(true);
    swing->Start();
    float highest = 0;
    bool cameBack = false;
    for (int i = 0; i < 30; ++i) {
        Steps(1);
        highest = std::max(highest, X());
        if (highest == 100 && X() == 0) cameBack = true;
    }
    EXPECT_EQ(highest, 100);
    EXPECT_TRUE(cameBack);
    EXPECT_EQ(Finished, 0);
    EXPECT_TRUE(swing->Running());
}

TEST_F(vgAnimationTest, LoopWithoutReverseStartsOverFromTheBeginning) {
    TvgFloatAnimation* loop = Slide(0, 100, 0.1f);
    loop->SetLoop(true);
    loop->Start();
    Steps(3);  // 0.099
    EXPECT_NEAR(X(), 99, 0.01);
    Steps(1);  // past the end: back to the beginning
    EXPECT_EQ(X(), 0.0f);
    Steps(1);
    EXPECT_NEAR(X(), 33, 0.01);
    EXPECT_EQ(Finished, 0);
}

TEST_F(vgAnimationTest, HidingTheParentEndsTheRunAtItsEndValue) {
    TvgFloatAnimation* slide = Slide(1280, 0, 0.6f);
    slide->Start();
    Steps(4);
    Panel->SetVisible(false);
    Steps(1);
    EXPECT_EQ(X(), 0.0f);
    EXPECT_EQ(Finished, 1);
    EXPECT_FALSE(slide->Running());
    EXPECT_FALSE(slide->Enabled());
    // A start while hidden does nothing at all.
    Panel->Position()->SetX(5);
    slide->Start();
    EXPECT_EQ(X(), 5.0f);
    EXPECT_FALSE(slide->Running());
}

TEST_F(vgAnimationTest, StopAppliesTheEndAndStopAtCurrentKeepsTheValue) {
    TvgFloatAnimation* slide = Slide(0, 100, 1);
    slide->Start();
    Steps(3);
    slide->StopAtCurrent();
    EXPECT_NEAR(X(), 9.9, 0.01);
    EXPECT_EQ(Finished, 1);
    EXPECT_FALSE(slide->Enabled());

    slide->Start();
    Steps(3);
    slide->Stop();
    EXPECT_EQ(X(), 100.0f);
    EXPECT_EQ(Finished, 2);
    slide->Stop();  // not running: nothing
    EXPECT_EQ(Finished, 2);
    EXPECT_EQ(slide->Instance(), nullptr) << "Stop forgets the resolved target";
}

TEST_F(vgAnimationTest, EnabledStartsAndStopsAndMustBeClearedAfterANaturalEnd) {
    TvgFloatAnimation* slide = Slide(0, 100, 0.066f);
    slide->SetEnabled(true);
    EXPECT_TRUE(slide->Running());
    Steps(3);
    EXPECT_EQ(Finished, 1);
    Panel->Position()->SetX(7);
    slide->SetEnabled(true);  // still set: no new run
    EXPECT_FALSE(slide->Running());
    EXPECT_EQ(X(), 7.0f);
    slide->SetEnabled(false);
    slide->SetEnabled(true);
    EXPECT_TRUE(slide->Running());
    EXPECT_EQ(X(), 0.0f);
    slide->SetEnabled(false);
    EXPECT_EQ(X(), 100.0f);
    EXPECT_EQ(Finished, 2);
}

TEST_F(vgAnimationTest, EnabledWhileLoadingStartsOnceLoadingIsDone) {
    TvgFloatAnimation* slide = Slide(0, 100, 0.33f);
    slide->SetLoading(true);
    slide->SetEnabled(true);
    EXPECT_FALSE(slide->Running());
    slide->FinishLoading();
    EXPECT_TRUE(slide->Running());
    EXPECT_EQ(X(), 0.0f);
}

TEST_F(vgAnimationTest, AClockLeftRunningWhenThePlatformGoesAwayIsFreedQuietly) {
    Slide(0, 100, 1)->Start();
    SetPlatform(nullptr);
    EXPECT_NO_THROW(TvgAniThread::FreeInstance());
    SetPlatform(&*Platform);
}

TEST_F(vgAnimationTest, InverseRunsFromTheStopValueBack) {
    TvgFloatAnimation* slide = Slide(0, 100, 0.33f);
    slide->SetInverse(true);
    slide->Start();
    EXPECT_EQ(X(), 100.0f);
    Steps(5);
    EXPECT_NEAR(X(), 50, 0.01);
    Steps(6);
    EXPECT_EQ(X(), 0.0f);
    EXPECT_EQ(Finished, 1);
}

TEST_F(vgAnimationTest, DelayWaitsBeforeTheRunBegins) {
    TvgFloatAnimation* slide = Slide(10, 110, 0.33f);
    Panel->Position()->SetX(-1);
    slide->SetDelay(0.1f);
    slide->Start();
    EXPECT_EQ(X(), -1.0f) << "the start value waits for the delay";
    Steps(3);  // 0.099: still waiting
    EXPECT_EQ(X(), -1.0f);
    Steps(1);  // the delay is over: the run starts afresh
    EXPECT_TRUE(slide->Running());
    Steps(1);
    EXPECT_NEAR(X(), 20, 0.01);
}

TEST_F(vgAnimationTest, StartFromCurrentReadsTheTargetFirst) {
    Panel->Position()->SetX(400);
    TvgFloatAnimation* slide = Slide(0, 0, 0.33f);
    slide->SetStartFromCurrent(true);
    slide->Start();
    EXPECT_EQ(slide->StartValue(), 400.0f);
    Steps(5);
    EXPECT_NEAR(X(), 200, 0.01);
}

TEST_F(vgAnimationTest, PathsResolveCaseInsensitivelyAndMissingOnesRunWithoutEffect) {
    TvgFloatAnimation* slide = Slide(0, 50, 0.33f);
    slide->SetPropertyName("position.y");
    slide->Start();
    Steps(11);
    EXPECT_EQ(Panel->Position()->Y(), 50.0f);
    TvgFloatAnimation* broken = Slide(0, 50, 0.066f);
    broken->SetPropertyName("Nothing.Here");
    broken->Start();
    Steps(3);
    EXPECT_EQ(Finished, 2);
}

TEST_F(vgAnimationTest, OneFinishStoppingOthersDoesNotDisturbTheWalk) {
    std::vector<TvgFloatAnimation*> all;
    for (int i = 0; i < 4; ++i) {
        all.push_back(Slide(0, 10, 1));
        all.back()->Start();
    }
    // The last one ends first and stops the two before it from its OnFinish.
    all[3]->SetDuration(0.033f);
    all[3]->SetOnFinish([&](TvgObject*) {
        ++Finished;
        all[2]->Stop();
        all[1]->Stop();
    });
    Steps(1);
    EXPECT_EQ(Finished, 3);
    EXPECT_TRUE(all[0]->Running());
    EXPECT_NEAR(all[0]->Time(), 0.033, 1e-6);
    EXPECT_EQ(TvgAniThread::Instance()->Count(), 1);
}

TEST_F(vgAnimationTest, OfTwoRunsOfOnePropertyTheOneStartedLastShows) {
    TvgFloatAnimation* right = Slide(0, 100, 0.33f);
    TvgFloatAnimation* left = Slide(50, -50, 0.33f);
    right->Start();
    left->Start();
    Steps(5);  // 0.165 s: half-way, right at 50 and left at 0
    EXPECT_NEAR(X(), 0, 0.01);
    Steps(10);  // both end in the same step
    EXPECT_EQ(Finished, 2);
    EXPECT_EQ(X(), -50.0f);

    // Started again while the other one runs, a run is the newest again.
    left->Start();
    right->Start();
    Steps(2);
    left->Start();
    Steps(1);  // right at 0.099 s (30), left at 0.033 s (40)
    EXPECT_NEAR(X(), 40, 0.01);
    Steps(15);
    EXPECT_EQ(X(), -50.0f);
}

TEST_F(vgAnimationTest, DestroyingARunningAnimationTakesItOffTheClock) {
    TvgFloatAnimation* slide = Slide(0, 10, 1);
    slide->Start();
    delete slide;
    EXPECT_EQ(TvgAniThread::Instance()->Count(), 0);
    Steps(2);  // must not touch the freed animation
    EXPECT_EQ(X(), 0.0f);
}

TEST_F(vgAnimationTest, EasingIsApplied) {
    TvgFloatAnimation* slide = Slide(0, 100, 0.66f);
    slide->SetInterpolation(vgInterpolationQuadratic);
    slide->SetAnimationType(vgAnimationOut);
    slide->Start();
    Steps(10);  // half-way
    EXPECT_NEAR(X(), 75, 0.01);
}

class vgAnimationTriggerTest : public vgAnimationTest {
protected:
    vgAnimationTriggerTest() {
        Button = new TTriggerTestControl(&Root);
        Button->SetParent(&Root);
        Fade = new TvgFloatAnimation(Button);
        Fade->SetParent(Button);
        Fade->SetPropertyName("Opacity");
        Fade->SetDuration(0.33f);
        Fade->FStartFloat = 0.2f;
        Fade->FStopFloat = 0.8f;
        Fade->SetTrigger("IsMouseOver=true;IsPressed=false");
        Fade->SetTriggerInverse("IsMouseOver=false;IsPressed=false");
    }
    TTriggerTestControl* Button;
    TvgFloatAnimation* Fade;
};

TEST_F(vgAnimationTriggerTest, EnteringStartsForwardsAndLeavingBackwards) {
    Button->MouseEnter();
    EXPECT_TRUE(Fade->Running());
    EXPECT_FALSE(Fade->Inverse());
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.2f);
    Steps(11);
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.8f);
    Button->MouseLeave();
    EXPECT_TRUE(Fade->Inverse());
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.8f);
    Steps(11);
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.2f);
}

TEST_F(vgAnimationTriggerTest, NothingStartsWhilePressed) {
    Button->FIsPressed = true;
    Button->MouseEnter();
    EXPECT_FALSE(Fade->Running());
    Button->MouseLeave();
    EXPECT_FALSE(Fade->Running());
    EXPECT_FLOAT_EQ(Button->Opacity(), 1.0f);
}

TEST_F(vgAnimationTriggerTest, TriggersOfOtherStatesAreIgnoredAndARunningAnimationRestarts) {
    Button->StartTriggerAnimation(Button, "IsFocused");
    EXPECT_FALSE(Fade->Running());
    Button->MouseEnter();
    Steps(5);
    Button->StartTriggerAnimation(Button, "ismouseover");
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.2f) << "restarted from the beginning";
    EXPECT_NEAR(Fade->Time(), 0, 1e-9);
}

TEST_F(vgAnimationTriggerTest, WithoutAnInverseTriggerTheDirectionIsLeftAlone) {
    Fade->SetTriggerInverse("");
    Fade->SetInverse(true);
    Button->MouseEnter();
    EXPECT_TRUE(Fade->Inverse());
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.8f);
}

TEST_F(vgAnimationTriggerTest, StopTriggerAnimationStopsTriggeredOnes) {
    Button->MouseEnter();
    Steps(2);
    Button->StopTriggerAnimation(Button);
    EXPECT_FALSE(Fade->Running());
    EXPECT_FLOAT_EQ(Button->Opacity(), 0.8f);
}

class vgColorAnimationTest : public vgAnimationTest {
protected:
    vgColorAnimationTest() {
        Box = new TvgRectangle(&Root);
        Box->SetParent(&Root);
        Box->Fill()->SetColor("#FF505050");
        Hover = new TvgColorAnimation(Box);
        Hover->SetParent(Box);
        Hover->SetPropertyName("Fill.color");
        Hover->SetDuration(0.66f);
        Hover->SetStartValue("#FF505050");
        Hover->SetStopValue("#FF707070");
    }
    TvgRectangle* Box;
    TvgColorAnimation* Hover;
};

TEST_F(vgColorAnimationTest, BlendsColourTextPerChannel) {
    Hover->SetDuration(0.64f);
    Hover->Start();
    EXPECT_EQ(Box->Fill()->Color(), "#FF505050");
    Steps(10);  // p = 0.33 / 0.64: each channel moves by Trunc(32 * 0.5156) = 16
    EXPECT_EQ(Box->Fill()->Color(), "#FF606060");
    Steps(3);  // p = 0.6703: Trunc(21.45) = 21
    EXPECT_EQ(Box->Fill()->Color(), "#FF656565");
    Hover->SetStopValue("#00301070");
    Steps(1);  // p = 0.7219, each channel on its own: -184, -23, -46, +23
    EXPECT_EQ(Box->Fill()->SolidColor(), 0x47392267u);
    Steps(11);
    EXPECT_EQ(Box->Fill()->Color(), "#00301070");
}

TEST_F(vgColorAnimationTest, StartFromCurrentParsesTheCurrentColour) {
    Box->Fill()->SetColor("#80102030");
    Hover->SetStartFromCurrent(true);
    Hover->Start();
    EXPECT_EQ(Hover->StartValue(), "#80102030");
    EXPECT_EQ(Hover->FStartColor, 0x80102030u);
}

TEST_F(vgColorAnimationTest, DefaultsAreOpaqueWhite) {
    TvgColorAnimation fresh;
    EXPECT_EQ(fresh.FStartColor, 0xFFFFFFFFu);
    EXPECT_EQ(fresh.StopValue(), "#FFFFFFFF");
}

// The mode switch's style: hover and press colours are animated on its background part, and its
// focus glow follows the focus.
class vgSwitchStyleTest : public vgAnimationTest {
protected:
    vgSwitchStyleTest() {
        LoadProgramStyles(Styles);
        Scene.Style = &Styles;
        Switch = new TvgCornerButton(&Root);
        Switch->SetParent(&Root);
        Switch->SetResource("BtnDesktopPcStyle1");
        Background = qobject_cast<TvgRectangle*>(Switch->FindResource("background"));
    }
    QString Colour() const { return Background->Fill()->Color(); }

    TvgResources Styles;
    TvgCornerButton* Switch;
    TvgRectangle* Background = nullptr;
};

TEST_F(vgSwitchStyleTest, HoverAndPressColoursAnimate) {
    ASSERT_NE(Background, nullptr);
    // At rest the background shows its gradient, light blue at the top.
    const QString resting = vgColorToStr(Background->Fill()->Gradient()->Points().front().Color);
    EXPECT_EQ(resting, "#FF6A9BEC");
    Switch->MouseEnter();
    EXPECT_EQ(Colour(), resting) << "the hover starts from the gradient's first colour";
    Steps(7);
    EXPECT_EQ(Colour(), "#FF707070");
    Switch->MouseDown(TMouseButton::mbLeft, TShiftState(TShiftFlag::ssLeft), 5, 5);
    EXPECT_EQ(Colour(), "#FF707070");
    Steps(7);
    EXPECT_EQ(Colour(), "#FF404040");
    Switch->MouseUp(TMouseButton::mbLeft, TShiftState(), 5, 5);
    Steps(7);
    EXPECT_EQ(Colour(), "#FF707070") << "released while still over it";
    Switch->MouseLeave();
    Steps(7);
    EXPECT_EQ(Colour(), resting) << "and returns to it";
    EXPECT_EQ(Background->Fill()->Gradient()->Points().front().Color, 0xFF6A9BECu);
}

TEST_F(vgSwitchStyleTest, FocusGlowFollowsTheFocus) {
    TvgGlowEffect* glow = nullptr;
    for (TvgObject* part : Switch->ResourceLink()->ChildList())
        if (auto* g = qobject_cast<TvgGlowEffect*>(part)) glow = g;
    ASSERT_NE(glow, nullptr);
    EXPECT_FALSE(glow->Enabled());
    EXPECT_EQ(glow->GlowColor(), "#FFF69E2D");
    Switch->ApplyTriggerEffect(Switch, "IsFocused");
    EXPECT_FALSE(glow->Enabled());
    Scene.SetFocused(Switch);
    EXPECT_TRUE(glow->Enabled());
    Scene.SetFocused(nullptr);
    EXPECT_FALSE(glow->Enabled());
}

}  // namespace
