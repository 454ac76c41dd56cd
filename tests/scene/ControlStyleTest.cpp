#include <gtest/gtest.h>

#include <QPointer>

#include <memory>

#include "RecordingScene.h"
#include "TestClasses.h"
#include "vgButton.h"
#include "vgLabel.h"
#include "vgLayout.h"
#include "vgQtCanvas.h"
#include "vgResources.h"

namespace {

// A scene with its own style set and one root to put controls under.
struct StyleFixture : ::testing::Test {
    void SetUp() override {
        styles.LoadFromData(R"xml(
<TvgLayout>
  <TvgTestShape ResourceName="Shared" xRadius="1"/>
  <TvgLayout ResourceName="ProbeLabelstyle">
    <TvgTestShape ResourceName="text" xRadius="2"/>
  </TvgLayout>
  <TvgLayout ResourceName="labelstyle1" Width="80">
    <TvgTestShape ResourceName="text" xRadius="3"/>
  </TvgLayout>
  <TvgLayout ResourceName="labelstyle2">
    <TvgTestShape ResourceName="text" xRadius="4"/>
  </TvgLayout>
</TvgLayout>)xml",
                            "scene.style");
        scene.Style = &styles;
        root = new TvgLayout;
        scene.AddObject(root);
        root->SetBounds(0, 0, 300, 300);
    }
    void TearDown() override { delete root; }

    static float RadiusOf(TvgObject* part) {
        auto* shape = qobject_cast<TvgTestShape*>(part);
        return shape ? shape->xRadius() : -1;
    }

    RecordingScene scene;
    TvgResources styles;
    TvgVisualObject* root = nullptr;
};

TEST_F(StyleFixture, ResourceWriteAppliesTheStyleAsALockedFirstChild) {
    auto* label = new TvgProbeLabel;
    label->SetBounds(10, 10, 100, 20);
    auto* own = new TvgLayout;
    label->AddObject(own);
    root->AddObject(label);
    label->SetResource("labelstyle1");
    TvgObject* clone = label->ResourceLink();
    ASSERT_TRUE(clone);
    EXPECT_EQ(label->Children(0), clone);
    EXPECT_EQ(label->Children(1), own);
    EXPECT_EQ(clone->Owner(), label);
    EXPECT_FALSE(clone->Stored());
    EXPECT_TRUE(clone->ResourceName().isEmpty());
    EXPECT_EQ(clone->Visual()->Align(), vaContents);
    EXPECT_TRUE(clone->Visual()->Locked());
    EXPECT_TRUE(clone->Children(0)->Visual()->Locked());
    EXPECT_EQ(clone->Visual()->BoundsRect(), (TvgRect{0, 0, 100, 20}));
    EXPECT_EQ(RadiusOf(label->TextPart), 3);
    EXPECT_EQ(label->FindResource("text"), label->TextPart);
    // The style object itself is untouched.
    EXPECT_EQ(styles.Root()->FindResource("labelstyle1")->Visual()->Width(), 80);
}

TEST_F(StyleFixture, ReapplyingFreesTheOldCloneAfterStyleFreeing) {
    auto* label = new TvgProbeLabel;
    root->AddObject(label);
    int applied = 0;
    label->SetOnApplyResource([&](TvgObject*) { ++applied; });
    label->SetResource("labelstyle1");
    QPointer<TvgObject> first = label->ResourceLink();
    label->SetResource("labelstyle2");
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(RadiusOf(label->TextPart), 4);
    EXPECT_EQ(label->Hooks, (std::vector<QString>{"applied", "freeing", "applied"}));
    EXPECT_EQ(applied, 2);
    EXPECT_EQ(label->ChildrenCount(), 1);
}

TEST_F(StyleFixture, AnUnknownResourceKeepsThePreviousLook) {
    auto* label = new TvgProbeLabel;
    root->AddObject(label);
    label->SetResource("labelstyle2");
    TvgObject* look = label->ResourceLink();
    label->SetResource("NoSuchStyleAnywhere");
    // Nothing under that name, but the class-derived name exists in the scene's set.
    EXPECT_NE(label->ResourceLink(), look);
    EXPECT_EQ(RadiusOf(label->TextPart), 2);

    auto* shape = new TvgControl;
    root->AddObject(shape);
    shape->SetResource("Shared");
    TvgObject* shared = shape->ResourceLink();
    ASSERT_TRUE(shared);
    shape->SetResource("NoSuchStyleAnywhere");  // TvgControl has no class style here
    EXPECT_EQ(shape->ResourceLink(), shared);
    EXPECT_FALSE(shape->NeedResource());
}

TEST_F(StyleFixture, EmptyResourceFallsBackToTheClassDerivedName) {
    auto* label = new TvgProbeLabel;
    root->AddObject(label);
    label->UpdateResource();
    EXPECT_EQ(RadiusOf(label->TextPart), 2);
}

TEST_F(StyleFixture, TheSceneSetComesBeforeTheDefaultAndTheRegistry) {
    // A live object and the default set both use the name "backgroundstyle"; the scene set wins
    // once it has it.
    TvgLayout stray;
    stray.SetResourceName("backgroundstyle");
    stray.SetTagString("stray");
    auto* control = new TvgControl;
    root->AddObject(control);
    control->SetResource("backgroundstyle");
    ASSERT_TRUE(control->ResourceLink());
    EXPECT_EQ(control->ResourceLink()->TagString(), "");  // the default set's object

    auto* sceneOwn = new TvgLayout;
    sceneOwn->SetResourceName("backgroundstyle");
    sceneOwn->SetTagString("scene");
    styles.Root()->AddObject(sceneOwn);
    control->UpdateResource();
    EXPECT_EQ(control->ResourceLink()->TagString(), "scene");
}

TEST_F(StyleFixture, TheRegistryFindsTheMostRecentStoredObject) {
    TvgLayout older;
    older.SetResourceName("OnlyLive");
    older.SetTagString("older");
    TvgLayout newer;
    newer.SetResourceName("onlylive");
    newer.SetTagString("newer");
    TvgLayout newest;
    newest.SetResourceName("OnlyLive");
    newest.SetStored(false);
    auto* control = new TvgControl;
    root->AddObject(control);
    control->SetResource("OnlyLive");
    ASSERT_TRUE(control->ResourceLink());
    EXPECT_EQ(control->ResourceLink()->TagString(), "newer");
}

TEST_F(StyleFixture, ANameEqualToTheControlsOwnResourceNameSkipsTheFirstSearch) {
    TvgLayout live;
    live.SetResourceName("Shared");
    live.SetTagString("live");
    auto* control = new TvgControl;
    control->SetResourceName("Shared");
    root->AddObject(control);
    control->SetResource("Shared");
    // Found in the scene's set by the second search, never in the registry.
    ASSERT_TRUE(control->ResourceLink());
    EXPECT_EQ(RadiusOf(control->ResourceLink()), 1);
}

TEST_F(StyleFixture, TheParentClassNameIsTriedInTheDefaultSet) {
    auto* panel = new TvgTestPanel;
    root->AddObject(panel);
    panel->ApplyResource();
    ASSERT_TRUE(panel->ResourceLink());
    EXPECT_EQ(panel->ResourceLink()->Visual()->Align(), vaContents);
}

TEST_F(StyleFixture, BeginUpdateDefersTheStyleUntilFocus) {
    auto* label = new TvgProbeLabel;
    root->AddObject(label);
    label->BeginUpdate();
    label->SetResource("labelstyle1");
    EXPECT_EQ(label->ResourceLink(), nullptr);
    EXPECT_TRUE(label->NeedResource());
    label->EndUpdate();
    label->SetCanFocused(true);
    label->SetFocus();
    EXPECT_EQ(RadiusOf(label->TextPart), 3);
}

TEST_F(StyleFixture, ADueStyleIsAppliedJustBeforeTheFirstPaint) {
    auto* label = new TvgProbeLabel;
    root->AddObject(label);
    label->BeginUpdate();
    label->SetResource("labelstyle2");
    label->EndUpdate();
    ASSERT_EQ(label->ResourceLink(), nullptr);
    TvgQtCanvas canvas;
    label->BeforePaintStep(canvas);
    EXPECT_EQ(RadiusOf(label->TextPart), 4);
    TvgObject* look = label->ResourceLink();
    label->BeforePaintStep(canvas);
    EXPECT_EQ(label->ResourceLink(), look);
}

TEST_F(StyleFixture, FindResourceDoesNotLookInsideNestedControls) {
    auto* outer = new TvgLayout;
    auto* inner = new TvgControl;
    auto* part = new TvgLayout;
    part->SetResourceName("deep");
    inner->AddObject(part);
    outer->AddObject(inner);
    root->AddObject(outer);
    EXPECT_EQ(root->FindResource("deep"), nullptr);
    EXPECT_EQ(inner->FindResource("deep"), part);
    EXPECT_EQ(root->FindResource(""), nullptr);
}

TEST_F(StyleFixture, ChangingTheStyleSetReappliesStyles) {
    auto* label = new TvgProbeLabel;
    root->AddObject(label);
    label->SetResource("labelstyle1");
    styles.AddScene(&scene);
    styles.LoadFromData(
        R"xml(<TvgLayout><TvgLayout ResourceName="labelstyle1"><TvgTestShape ResourceName="text" xRadius="8"/></TvgLayout></TvgLayout>)xml",
        "second.style");
    EXPECT_EQ(RadiusOf(label->TextPart), 8);
    styles.RemoveScene(&scene);
}

}  // namespace

namespace {

TEST_F(StyleFixture, ALabelGivenAnUnknownNameKeepsItsLook) {
    auto* label = new TvgValueLabel;
    root->AddObject(label);
    label->SetResource("labelstyle2");
    TvgObject* look = label->ResourceLink();
    ASSERT_TRUE(look);
    label->SetResource("ValueLabel1Style9");
    EXPECT_EQ(label->ResourceLink(), look);
    auto* button = new TvgCornerButton;
    root->AddObject(button);
    button->SetResource("labelstyle1");
    look = button->ResourceLink();
    button->SetResource("NoSuchButtonStyle");
    EXPECT_EQ(button->ResourceLink(), look);
}

}  // namespace
