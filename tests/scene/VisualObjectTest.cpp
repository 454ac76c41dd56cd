#include <gtest/gtest.h>
#include <QVariant>

#include "RecordingScene.h"
#include "vgBounds.h"
#include "vgControl.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vgVisualObject.h"

namespace {

TEST(VisualObject, PublishedDefaults) {
    TvgVisualObject o;
    EXPECT_EQ(o.Position()->Point(), (TvgPoint{0, 0}));
    EXPECT_EQ(o.Width(), 50);
    EXPECT_EQ(o.Height(), 50);
    EXPECT_EQ(o.Scale()->Point(), (TvgPoint{1, 1}));
    EXPECT_EQ(o.RotateAngle(), 0);
    EXPECT_EQ(o.RotateCenter()->Point(), (TvgPoint{0.5f, 0.5f}));
    EXPECT_EQ(o.Align(), vaNone);
    EXPECT_TRUE(o.Padding()->IsEmpty());
    EXPECT_TRUE(o.Margins()->IsEmpty());
    EXPECT_TRUE(o.Visible());
    EXPECT_TRUE(o.Enabled());
    EXPECT_TRUE(o.HitTest());
    EXPECT_EQ(o.Opacity(), 1);
    EXPECT_FALSE(o.ClipChildren());
    EXPECT_FALSE(o.ClipParent());
    EXPECT_TRUE(o.CanClipped());
    EXPECT_FALSE(o.Locked());
    EXPECT_EQ(o.Cursor(), 0);
    EXPECT_EQ(o.Hint(), QString());
    EXPECT_FALSE(o.ShowHint());
    EXPECT_EQ(o.PopupMenu(), nullptr);
    EXPECT_EQ(o.DragMode(), vgDragManual);
    EXPECT_EQ(o.TabOrder(), -1);
    EXPECT_TRUE(o.Stored());
    EXPECT_EQ(o.Index(), -1);
    TvgLayout layout;
    EXPECT_FALSE(layout.HitTest());
    TvgControl control;
    EXPECT_TRUE(control.NeedResource());
    EXPECT_EQ(control.HelpType(), htContext);
}

TEST(VisualObject, StatePropertiesAreReadableByName) {
    TvgVisualObject o;
    EXPECT_EQ(o.property("IsMouseOver").toBool(), false);
    o.MouseEnter();
    EXPECT_EQ(o.property("IsMouseOver").toBool(), true);
    EXPECT_TRUE(o.property("IsVisible").toBool());
    EXPECT_TRUE(o.property("IsFocused").isValid());
    EXPECT_TRUE(o.property("IsDragOver").isValid());
}

TEST(VisualObject, OpacityIsClampedAndMultipliedDownTheTree) {
    TvgVisualObject root;
    auto* a = new TvgVisualObject;
    auto* b = new TvgVisualObject;
    root.AddObject(a);
    a->AddObject(b);
    root.SetOpacity(0.5f);
    a->SetOpacity(2);
    EXPECT_EQ(a->Opacity(), 1);
    b->SetOpacity(0.5f);
    EXPECT_FLOAT_EQ(b->AbsoluteOpacity(), 0.25f);
    a->SetOpacity(-1);
    EXPECT_FLOAT_EQ(b->AbsoluteOpacity(), 0);
    a->SetOpacity(0.5f);
    EXPECT_FLOAT_EQ(b->AbsoluteOpacity(), 0.125f);
}

TEST(VisualObject, DisabledOpacityChainBelowTheRootsChildren) {
    RecordingScene scene;
    auto* root = new TvgLayout;
    scene.AddObject(root);
    auto* panel = new TvgLayout;
    root->AddObject(panel);
    auto* button = new TvgControl;
    panel->AddObject(button);
    auto* clone = new TvgLayout;
    button->AddObject(clone);
    auto* part = new TvgLayout;
    clone->AddObject(part);

    button->SetEnabled(false);
    EXPECT_FLOAT_EQ(button->AbsoluteOpacity(), 0.8f);
    EXPECT_FLOAT_EQ(clone->AbsoluteOpacity(), 0.64f);
    EXPECT_FLOAT_EQ(part->AbsoluteOpacity(), 0.512f);
    EXPECT_FALSE(part->AbsoluteEnabled());

    // The root and its direct children are not dimmed.
    panel->SetEnabled(false);
    EXPECT_FLOAT_EQ(panel->AbsoluteOpacity(), 1.0f);
    root->SetEnabled(false);
    EXPECT_FLOAT_EQ(root->AbsoluteOpacity(), 1.0f);
    root->SetEnabled(true);
    panel->SetEnabled(true);
    button->SetEnabled(true);
    EXPECT_FLOAT_EQ(part->AbsoluteOpacity(), 1.0f);
    EXPECT_TRUE(part->AbsoluteEnabled());
    delete root;
}

TEST(VisualObject, CachesFollowAReparenting) {
    TvgVisualObject dim;
    dim.SetOpacity(0.5f);
    TvgVisualObject bright;
    auto* child = new TvgVisualObject;
    dim.AddObject(child);
    EXPECT_FLOAT_EQ(child->AbsoluteOpacity(), 0.5f);
    child->Position()->SetX(10);
    dim.Position()->SetX(5);
    EXPECT_EQ(child->LocalToAbsolute({0, 0}), (TvgPoint{15, 0}));
    child->SetParent(&bright);
    EXPECT_FLOAT_EQ(child->AbsoluteOpacity(), 1.0f);
    EXPECT_EQ(child->LocalToAbsolute({0, 0}), (TvgPoint{10, 0}));
}

TEST(VisualObject, MatricesComposeUpTheTree) {
    TvgVisualObject root;
    root.SetBounds(10, 20, 100, 100);
    root.Scale()->SetPoint({2, 2});
    auto* child = new TvgVisualObject;
    child->SetBounds(5, 5, 10, 10);
    root.AddObject(child);
    EXPECT_EQ(child->LocalToAbsolute({1, 1}), (TvgPoint{22, 32}));
    EXPECT_EQ(child->AbsoluteToLocal({22, 32}), (TvgPoint{1, 1}));
    EXPECT_EQ(child->AbsoluteRect(), (TvgRect{20, 30, 40, 50}));
    EXPECT_EQ(child->ParentedRect(), (TvgRect{5, 5, 15, 15}));
    EXPECT_EQ(child->AbsoluteScale(), (TvgPoint{2, 2}));
}

TEST(VisualObject, RotationTurnsAboutTheRotateCenter) {
    TvgVisualObject o;
    o.SetBounds(0, 0, 20, 10);
    o.SetRotateAngle(180);
    const TvgPoint p = o.LocalToAbsolute({0, 0});
    EXPECT_NEAR(p.X, 20, 1e-4);
    EXPECT_NEAR(p.Y, 10, 1e-4);
}

TEST(HitTest, LeftAndTopEdgesAreOutsideRightAndBottomToo) {
    TvgVisualObject o;
    o.SetBounds(10, 10, 20, 20);
    EXPECT_FALSE(o.PointInObject(10, 15));
    EXPECT_FALSE(o.PointInObject(15, 10));
    EXPECT_TRUE(o.PointInObject(10.01f, 10.01f));
    EXPECT_TRUE(o.PointInObject(29.99f, 29.99f));
    EXPECT_FALSE(o.PointInObject(30, 15));
    EXPECT_EQ(o.ObjectByPoint(10, 15), nullptr);
    EXPECT_EQ(o.ObjectByPoint(11, 15), &o);
}

TEST(HitTest, EdgesStayEdgesUnderScaling) {
    TvgVisualObject root;
    root.SetBounds(10, 10, 300, 300);
    root.Scale()->SetPoint({3, 3});
    auto* child = new TvgVisualObject;
    child->SetBounds(1, 1, 7, 7);
    root.AddObject(child);
    // The child covers 13..34 in scene units.
    EXPECT_FALSE(child->PointInObject(13, 20));
    EXPECT_FALSE(child->PointInObject(20, 13));
    EXPECT_TRUE(child->PointInObject(13.01f, 20));
    EXPECT_FALSE(child->PointInObject(34, 20));
}

TEST(HitTest, TopmostChildFirstAndTransparentParents) {
    TvgLayout root;  // does not take the mouse itself
    root.SetBounds(0, 0, 100, 100);
    auto* under = new TvgVisualObject;
    auto* over = new TvgVisualObject;
    under->SetBounds(0, 0, 50, 50);
    over->SetBounds(25, 25, 50, 50);
    root.AddObject(under);
    root.AddObject(over);
    EXPECT_EQ(root.ObjectByPoint(30, 30), over);
    EXPECT_EQ(root.ObjectByPoint(10, 10), under);
    EXPECT_EQ(root.ObjectByPoint(90, 10), nullptr);
    over->SetVisible(false);
    EXPECT_EQ(root.ObjectByPoint(30, 30), under);
    over->SetVisible(true);
    over->SetHitTest(false);
    EXPECT_EQ(root.ObjectByPoint(30, 30), under);
    under->BringToFront();
    over->SetHitTest(true);
    EXPECT_EQ(root.ObjectByPoint(30, 30), under);
}

TEST(HitTest, ChildrenOutsideTheParentAreHitUnlessItClips) {
    TvgVisualObject root;
    root.SetBounds(0, 0, 50, 50);
    auto* outside = new TvgVisualObject;
    outside->SetBounds(60, 0, 20, 20);
    root.AddObject(outside);
    EXPECT_EQ(root.ObjectByPoint(70, 10), outside);
    root.SetClipChildren(true);
    EXPECT_EQ(root.ObjectByPoint(70, 10), nullptr);
}

TEST(HitTest, ADisabledControlAndItsPartsAreNotHit) {
    TvgLayout root;
    root.SetBounds(0, 0, 100, 100);
    auto* control = new TvgControl;
    root.AddObject(control);
    auto* part = new TvgVisualObject;
    control->AddObject(part);
    EXPECT_EQ(root.ObjectByPoint(10, 10), part);
    control->SetEnabled(false);
    EXPECT_EQ(root.ObjectByPoint(10, 10), nullptr);
    // A plain disabled object is still found (only controls refuse).
    control->SetEnabled(true);
    part->SetEnabled(false);
    EXPECT_EQ(root.ObjectByPoint(10, 10), part);
}

TEST(Invalidation, RepaintHandsTheUpdateRectToTheScene) {
    RecordingScene scene;
    auto* root = new TvgLayout;
    scene.AddObject(root);
    root->SetBounds(0, 0, 200, 200);
    auto* o = new TvgVisualObject;
    root->AddObject(o);
    o->SetBounds(10, 20, 30, 40);
    scene.UpdateRects.clear();
    o->Repaint();
    ASSERT_EQ(scene.UpdateRects.size(), 1u);
    EXPECT_EQ(scene.UpdateRects[0], (TvgRect{10, 20, 40, 60}));

    scene.UpdateRects.clear();
    o->InvalidateRect({1, 2, 3, 4});
    ASSERT_EQ(scene.UpdateRects.size(), 1u);
    EXPECT_EQ(scene.UpdateRects[0], (TvgRect{11, 22, 13, 24}));
    delete root;
}

TEST(Invalidation, NothingIsHandedOverWhenHiddenUpdatingOrDisabled) {
    RecordingScene scene;
    auto* root = new TvgLayout;
    scene.AddObject(root);
    auto* o = new TvgVisualObject;
    root->AddObject(o);
    scene.UpdateRects.clear();
    root->SetVisible(false);
    scene.UpdateRects.clear();
    o->Repaint();
    EXPECT_TRUE(scene.UpdateRects.empty());
    root->SetVisible(true);
    root->BeginUpdate();
    scene.UpdateRects.clear();
    o->Repaint();
    EXPECT_TRUE(scene.UpdateRects.empty());
    root->EndUpdate();
    scene.DisableUpdate = true;
    o->Repaint();
    EXPECT_TRUE(scene.UpdateRects.empty());
    scene.DisableUpdate = false;
    o->SetParent(nullptr);
    scene.UpdateRects.clear();
    o->Repaint();
    EXPECT_TRUE(scene.UpdateRects.empty());
    delete o;
    delete root;
}

TEST(Invalidation, UpdateRectUnitesChildrenUnlessClippingAndIsClippedByAncestors) {
    TvgVisualObject root;
    root.SetBounds(0, 0, 100, 100);
    auto* child = new TvgVisualObject;
    child->SetBounds(90, 90, 30, 30);
    root.AddObject(child);
    EXPECT_EQ(root.UpdateRect(), (TvgRect{0, 0, 120, 120}));
    root.SetClipChildren(true);
    EXPECT_EQ(root.UpdateRect(), (TvgRect{0, 0, 100, 100}));
    EXPECT_EQ(child->UpdateRect(), (TvgRect{90, 90, 100, 100}));
    root.SetClipChildren(false);
    child->Position()->SetPoint({0, 0});
    EXPECT_EQ(root.UpdateRect(), (TvgRect{0, 0, 100, 100}));
    child->SetBounds(-10, 0, 5, 5);
    EXPECT_EQ(root.UpdateRect(), (TvgRect{-10, 0, 100, 100}));
    child->SetVisible(false);
    EXPECT_EQ(root.UpdateRect(), (TvgRect{0, 0, 100, 100}));
}

TEST(Invalidation, FocusWidensTheUpdateRectByFive) {
    RecordingScene scene;
    auto* o = new TvgVisualObject;
    scene.AddObject(o);
    o->SetBounds(10, 10, 20, 20);
    o->SetCanFocused(true);
    o->SetFocus();
    EXPECT_TRUE(o->IsFocused());
    EXPECT_EQ(o->UpdateRect(), (TvgRect{5, 5, 35, 35}));
    scene.UpdateRects.clear();
    scene.SetFocused(nullptr);
    ASSERT_FALSE(scene.UpdateRects.empty());
    EXPECT_EQ(scene.UpdateRects.front(), (TvgRect{5, 5, 35, 35}));
    EXPECT_EQ(o->UpdateRect(), (TvgRect{10, 10, 30, 30}));
    delete o;
}

TEST(Invalidation, MovingRepaintsTheOldAndTheNewArea) {
    RecordingScene scene;
    auto* o = new TvgVisualObject;
    scene.AddObject(o);
    o->SetBounds(0, 0, 10, 10);
    scene.UpdateRects.clear();
    o->Position()->SetX(100);
    ASSERT_EQ(scene.UpdateRects.size(), 2u);
    EXPECT_EQ(scene.UpdateRects[0], (TvgRect{0, 0, 10, 10}));
    EXPECT_EQ(scene.UpdateRects[1], (TvgRect{100, 0, 110, 10}));
    scene.UpdateRects.clear();
    o->SetWidth(20);
    EXPECT_EQ(scene.UnionOfUpdates(), (TvgRect{100, 0, 120, 10}));
    delete o;
}

TEST(Focus, DisablingOrHidingAFocusedObjectDropsTheFocus) {
    RecordingScene scene;
    auto* root = new TvgLayout;
    scene.AddObject(root);
    auto* o = new TvgVisualObject;
    root->AddObject(o);
    o->SetCanFocused(true);
    o->SetFocus();
    ASSERT_EQ(scene.GetFocused(), o);
    root->SetEnabled(false);
    EXPECT_EQ(scene.GetFocused(), nullptr);
    EXPECT_FALSE(o->IsFocused());
    root->SetEnabled(true);
    o->SetFocus();
    o->SetVisible(false);
    EXPECT_EQ(scene.GetFocused(), nullptr);
    delete root;
}

TEST(Focus, OnCanFocusedMayRefuse) {
    RecordingScene scene;
    auto* o = new TvgVisualObject;
    scene.AddObject(o);
    o->SetCanFocused(true);
    o->SetOnCanFocused([](TvgObject*, bool& can) { can = false; });
    o->SetFocus();
    EXPECT_EQ(scene.GetFocused(), nullptr);
    delete o;
}

TEST(Lock, LocksTheWholeVisualSubtree) {
    TvgVisualObject root;
    auto* a = new TvgVisualObject;
    auto* b = new TvgVisualObject;
    root.AddObject(a);
    a->AddObject(b);
    root.Lock();
    EXPECT_TRUE(root.Locked());
    EXPECT_TRUE(b->Locked());
}

}  // namespace

namespace {

// Grows with its children, as a scroll box's content does.
class GrowingContent : public TvgLayout {
public:
    int Passes = 0;
    void Realign() override {
        ++Passes;
        TvgLayout::Realign();
    }

protected:
    bool RealignsOnChildResize() const override { return true; }
};

TEST(VisualObject, AContentThatFollowsItsChildrenIsLaidOutOnTheirResize) {
    RecordingScene scene;
    auto* content = new GrowingContent;
    scene.AddObject(content);
    auto* child = new TvgVisualObject;
    content->AddObject(child);
    const int before = content->Passes;
    child->SetWidth(120);
    EXPECT_EQ(content->Passes, before + 1);
    scene.RemoveObject(content);
    delete content;
}

}  // namespace
