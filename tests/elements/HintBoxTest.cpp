#include <gtest/gtest.h>

#include "FakePlatformScope.h"
#include "TVGHintBox.h"
#include "TVGSideButton.h"
#include "TVGSidePanel.h"
#include "vgBackground.h"
#include "vgBounds.h"
#include "vgBrush.h"
#include "vgPosition.h"
#include "vgRectangle.h"
#include "vgText.h"

TEST(HintBox, StartsAsAQuietCalloutThatNeverTakesTheMouse) {
    FakePlatformScope platform;
    TVGHintBox hint;
    EXPECT_EQ(hint.Width(), 120);
    EXPECT_EQ(hint.Height(), 40);
    EXPECT_FALSE(hint.HitTest());
    EXPECT_EQ(hint.HintDirection(), HD_None);
    EXPECT_EQ(hint.CalloutWidth(), 23);
    EXPECT_EQ(hint.CalloutLength(), 11);
    EXPECT_EQ(hint.CalloutPosition(), vgCalloutTop);
    EXPECT_EQ(hint.Resource(), "CalloutPanel1Style1");
    EXPECT_EQ(hint.Lable()->Fill()->Color(), "#FF060F3B");
    EXPECT_FALSE(hint.Lable()->HitTest());
}

TEST(HintBox, TheDirectionMovesThePointerAndTheTextGap) {
    FakePlatformScope platform;
    TVGHintBox hint;
    hint.SetHintDirection(HD_Right);
    EXPECT_EQ(hint.CalloutPosition(), vgCalloutRight);
    EXPECT_EQ(hint.Lable()->Padding()->Rect(), (TvgRect{0, 0, 12, 0}));
    hint.SetHintDirection(HD_Bottom);
    EXPECT_EQ(hint.CalloutPosition(), vgCalloutBottom);
    EXPECT_EQ(hint.Lable()->Padding()->Rect(), (TvgRect{0, 0, 0, 12}));
    hint.SetHintDirection(HD_None);  // changes nothing on screen
    EXPECT_EQ(hint.CalloutPosition(), vgCalloutBottom);
    EXPECT_EQ(hint.Lable()->Padding()->Rect(), (TvgRect{0, 0, 0, 12}));
    hint.SetHintInfo("记事本");
    EXPECT_EQ(hint.Lable()->Text(), "记事本");
}

TEST(SideBar, ButtonsStackDownwardsAndShowTheHintToTheLeft) {
    FakePlatformScope platform;
    TvgBackground root;
    root.SetBounds(0, 0, 1000, 700);
    auto* bar = new TVGSidePanel(&root);
    bar->SetParent(&root);
    bar->SetAlign(vaMostRight);
    bar->Padding()->SetRight(2);
    auto* hint = new TVGHintBox(&root);
    hint->SetParent(&root);
    hint->SetVisible(false);
    std::vector<TVGSideButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        auto* button = new TVGSideButton(bar);
        button->SetParent(bar);
        button->SetButtonName(QStringLiteral("Tool %1").arg(i));
        bar->AddSideButton(button);
        buttons.push_back(button);
    }
    EXPECT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->BoundsRect(), (TvgRect{960, 0, 998, 700}));
    EXPECT_EQ(buttons[2]->Position()->Point(), (TvgPoint{0, 84}));

    buttons[1]->BackGroundMouseEnter(nullptr);  // no hint box attached: only the outline changes
    EXPECT_FALSE(hint->Visible());
    EXPECT_EQ(buttons[1]->BackGround()->Stroke()->Color(), "#50FFFFFF");

    buttons[1]->SetHintBox(hint);
    buttons[1]->BackGroundMouseEnter(nullptr);
    EXPECT_TRUE(hint->Visible());
    EXPECT_EQ(hint->HintDirection(), HD_Right);
    EXPECT_EQ(hint->Position()->Point(), (TvgPoint{960 - 120, 42}));
    EXPECT_EQ(hint->HintInfo(), "Tool 1");
    buttons[1]->BackGroundMouseLeave(nullptr);
    EXPECT_FALSE(hint->Visible());
    EXPECT_EQ(buttons[1]->BackGround()->Stroke()->Color(), "#10000000");
}
