#include <gtest/gtest.h>

#include <memory>

#include "RecordingScene.h"
#include "vgBounds.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vgVisualObject.h"

namespace {

// A parent of a given size in a scene, so that size setters lay out as they do in the program.
struct LayoutFixture : ::testing::Test {
    void SetUp() override {
        parent = new TvgLayout;
        scene.AddObject(parent);
    }
    void TearDown() override { delete parent; }

    TvgVisualObject* Add(TvgAlign align, float x, float y, float w, float h) {
        auto* c = new TvgVisualObject;
        c->SetBounds(x, y, w, h);
        c->SetAlign(align);
        parent->AddObject(c);
        return c;
    }

    // The parent at this size with a completed pass behind it: the size corner-anchored and scaled
    // children are placed relative to (a client child keeps the pass going without taking room).
    void Settle(float w, float h) {
        parent->SetBounds(0, 0, w, h);
        Add(vaClient, 0, 0, 1, 1);
    }

    static TvgRect Bounds(TvgVisualObject* c) { return c->BoundsRect(); }

    RecordingScene scene;
    TvgVisualObject* parent = nullptr;
};

TEST_F(LayoutFixture, ClientWithPaddingSitsOneUnitInside) {
    parent->SetBounds(0, 0, 40, 40);
    auto* c = Add(vaClient, 0, 0, 10, 10);
    c->Padding()->SetRect({1, 1, 1, 1});
    EXPECT_EQ(Bounds(c), (TvgRect{1, 1, 39, 39}));
}

TEST_F(LayoutFixture, TopStripsAreStackedByAscendingY) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* lower = Add(vaTop, 0, 10, 10, 20);
    auto* upper = Add(vaTop, 0, 0, 10, 30);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(upper), (TvgRect{0, 0, 100, 30}));
    EXPECT_EQ(Bounds(lower), (TvgRect{0, 30, 100, 50}));
}

TEST_F(LayoutFixture, EqualRightEdgesPutTheLaterChildOutermost) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* first = Add(vaRight, 50, 0, 10, 10);
    auto* later = Add(vaRight, 50, 0, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(later), (TvgRect{90, 0, 100, 100}));
    EXPECT_EQ(Bounds(first), (TvgRect{80, 0, 90, 100}));
}

TEST_F(LayoutFixture, EqualBottomEdgesPutTheLaterChildOutermost) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* first = Add(vaBottom, 0, 50, 10, 10);
    auto* later = Add(vaBottom, 0, 50, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(later), (TvgRect{0, 90, 100, 100}));
    EXPECT_EQ(Bounds(first), (TvgRect{0, 80, 100, 90}));
}

TEST_F(LayoutFixture, RightStripsReachingFurtherGoOutermost) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* inner = Add(vaRight, 0, 0, 10, 10);   // right edge 10
    auto* outer = Add(vaRight, 70, 0, 20, 10);  // right edge 90
    parent->EndUpdate();
    EXPECT_EQ(Bounds(outer), (TvgRect{80, 0, 100, 100}));
    EXPECT_EQ(Bounds(inner), (TvgRect{70, 0, 80, 100}));
}

TEST_F(LayoutFixture, DockBackgroundThreePieces) {
    parent->SetBounds(0, 0, 148, 55);
    parent->BeginUpdate();
    auto* client = Add(vaClient, 0, 0, 10, 10);
    auto* left = Add(vaMostLeft, 0, 0, 55, 10);
    auto* right = Add(vaMostRight, 0, 0, 25, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(left), (TvgRect{0, 0, 55, 55}));
    EXPECT_EQ(Bounds(right), (TvgRect{123, 0, 148, 55}));
    EXPECT_EQ(Bounds(client), (TvgRect{55, 0, 123, 55}));
}

TEST_F(LayoutFixture, MostStripsArePlacedBeforeOrdinaryOnes) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* top = Add(vaTop, 0, 0, 10, 10);
    auto* mostLeft = Add(vaMostLeft, 0, 0, 20, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(mostLeft), (TvgRect{0, 0, 20, 100}));
    EXPECT_EQ(Bounds(top), (TvgRect{20, 0, 100, 10}));
}

TEST_F(LayoutFixture, MarginsShrinkTheAreaButNotContents) {
    parent->SetBounds(0, 0, 100, 80);
    parent->Margins()->SetRect({5, 6, 7, 8});
    auto* client = Add(vaClient, 0, 0, 1, 1);
    auto* contents = Add(vaContents, 0, 0, 1, 1);
    contents->Padding()->SetRect({1, 2, 3, 4});
    EXPECT_EQ(Bounds(client), (TvgRect{5, 6, 93, 72}));
    EXPECT_EQ(Bounds(contents), (TvgRect{1, 2, 97, 76}));
}

TEST_F(LayoutFixture, AParentUnderTwoUnitsDoesNotLayOut) {
    parent->SetBounds(0, 0, 1.5f, 100);
    auto* c = Add(vaClient, 3, 4, 10, 10);
    EXPECT_EQ(Bounds(c), (TvgRect{3, 4, 13, 14}));
    parent->SetBounds(0, 0, 100, -1.9f);
    parent->Realign();
    EXPECT_EQ(Bounds(c), (TvgRect{3, 4, 13, 14}));
    parent->SetBounds(0, 0, 2, 2);
    EXPECT_EQ(Bounds(c), (TvgRect{0, 0, 2, 2}));
}

TEST_F(LayoutFixture, BottomRightKeepsItsDistanceToTheCorner) {
    Settle(100, 100);
    auto* c = Add(vaBottomRight, 80, 70, 10, 10);
    EXPECT_EQ(Bounds(c), (TvgRect{80, 70, 90, 80}));
    parent->SetBounds(0, 0, 150, 120);
    EXPECT_EQ(Bounds(c), (TvgRect{130, 90, 140, 100}));
}

TEST_F(LayoutFixture, CornerRelativeAlignmentsMoveOnlyTheirAxes) {
    Settle(100, 100);
    parent->BeginUpdate();
    auto* topRight = Add(vaTopRight, 10, 10, 5, 5);
    auto* bottomLeft = Add(vaBottomLeft, 10, 10, 5, 5);
    auto* topLeft = Add(vaTopLeft, 10, 10, 5, 5);
    parent->EndUpdate();
    parent->SetBounds(0, 0, 120, 130);
    EXPECT_EQ(Bounds(topRight), (TvgRect{30, 10, 35, 15}));
    EXPECT_EQ(Bounds(bottomLeft), (TvgRect{10, 40, 15, 45}));
    EXPECT_EQ(Bounds(topLeft), (TvgRect{10, 10, 15, 15}));
}

TEST_F(LayoutFixture, CenterTruncatesTowardZero) {
    parent->SetBounds(0, 0, 101, 51);
    auto* c = Add(vaCenter, 0, 0, 10, 10);
    EXPECT_EQ(Bounds(c), (TvgRect{45, 20, 55, 30}));
    // Larger than the area: the negative offset is truncated toward zero too (-2.5 → -2).
    c->SetBounds(0, 0, 106, 10);
    EXPECT_EQ(c->Position()->X(), -2);
}

TEST_F(LayoutFixture, HorzAndVertCenterFillTheOtherAxis) {
    parent->SetBounds(0, 0, 100, 60);
    parent->BeginUpdate();
    auto* horz = Add(vaHorzCenter, 0, 0, 10, 10);
    auto* vert = Add(vaVertCenter, 0, 0, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(horz), (TvgRect{45, 0, 55, 60}));
    EXPECT_EQ(Bounds(vert), (TvgRect{0, 25, 100, 35}));
}

TEST_F(LayoutFixture, FitShrinksWithRoundHalfEvenAndCentres) {
    parent->SetBounds(0, 0, 64, 64);
    auto* c = Add(vaFit, 0, 0, 256, 128);
    EXPECT_EQ(Bounds(c), (TvgRect{0, 16, 64, 48}));
}

TEST_F(LayoutFixture, FitRoundsHalvesToEven) {
    // 50 × 25 into 20 × 20: ratio 2.5, height 25 / 2.5 = 10; 45 × 25 → 18 × 10;
    // 5 × 25 → 2 × 10 (1 × 5 → 0.4 × 2)...; a height of 12.5 rounds down to 12, 13.5 up to 14.
    parent->SetBounds(0, 0, 20, 20);
    auto* c = Add(vaFit, 0, 0, 40, 25);  // ratio 2: 20 × 12.5 → 20 × 12, centred at Round(4) = 4
    EXPECT_EQ(Bounds(c), (TvgRect{0, 4, 20, 16}));
    c->SetAlign(vaNone);
    c->SetBounds(0, 0, 40, 27);  // 20 × 13.5 → 14, offset Round(3) = 3
    c->SetAlign(vaFit);
    EXPECT_EQ(Bounds(c), (TvgRect{0, 3, 20, 17}));
}

TEST_F(LayoutFixture, FitEnlargesASmallBoxAndFitLeftRightMoveIt) {
    parent->SetBounds(0, 0, 100, 50);
    parent->BeginUpdate();
    auto* fit = Add(vaFit, 0, 0, 10, 10);
    auto* left = Add(vaFitLeft, 0, 0, 10, 10);
    auto* right = Add(vaFitRight, 0, 0, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(fit), (TvgRect{25, 0, 75, 50}));
    EXPECT_EQ(Bounds(left), (TvgRect{0, 0, 50, 50}));
    EXPECT_EQ(Bounds(right), (TvgRect{50, 0, 100, 50}));
}

TEST_F(LayoutFixture, ScaleFollowsTheParentsSizeChange) {
    Settle(100, 100);
    auto* c = Add(vaScale, 10, 20, 30, 40);
    EXPECT_EQ(Bounds(c), (TvgRect{10, 20, 40, 60}));
    parent->SetBounds(0, 0, 200, 50);
    EXPECT_EQ(Bounds(c), (TvgRect{20, 10, 80, 30}));
}

TEST_F(LayoutFixture, HorizontalKeepsOwnHeightAndVerticalPosition) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* horizontal = Add(vaHorizontal, 30, 40, 10, 10);
    auto* vertical = Add(vaVertical, 30, 40, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(horizontal), (TvgRect{0, 40, 100, 50}));
    EXPECT_EQ(Bounds(vertical), (TvgRect{30, 0, 40, 100}));
}

TEST_F(LayoutFixture, NegativeRemainingAreaFallsBackToOwnSize) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    Add(vaLeft, 0, 0, 80, 10);
    Add(vaLeft, 0, 0, 40, 10);
    auto* client = Add(vaClient, 0, 0, 7, 9);
    parent->EndUpdate();
    // R is now 120..100 wide (negative): the client keeps its own width at R.Left.
    EXPECT_EQ(Bounds(client), (TvgRect{120, 0, 127, 100}));
}

TEST_F(LayoutFixture, InvisibleChildrenTakeNoSpace) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* hidden = Add(vaTop, 0, 0, 10, 30);
    hidden->SetVisible(false);
    auto* shown = Add(vaTop, 0, 5, 10, 20);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(shown), (TvgRect{0, 0, 100, 20}));
    hidden->SetVisible(true);
    EXPECT_EQ(Bounds(hidden), (TvgRect{0, 0, 100, 30}));
    EXPECT_EQ(Bounds(shown), (TvgRect{0, 30, 100, 50}));
}

// A child that will not be wider than 30 units, whatever its parent says.
class NarrowObject : public TvgVisualObject {
public:
    void SetBounds(float X, float Y, float AWidth, float AHeight) override {
        TvgVisualObject::SetBounds(X, Y, std::min(AWidth, 30.0f), std::min(AHeight, 30.0f));
    }
};

// A child that insists on being at least 15 units high.
class TallObject : public TvgVisualObject {
public:
    void SetBounds(float X, float Y, float AWidth, float AHeight) override {
        TvgVisualObject::SetBounds(X, Y, AWidth, std::max(AHeight, 15.0f));
    }
};

TEST_F(LayoutFixture, ATopStripThatTakesMoreConsumesMore) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* tall = new TallObject;
    tall->TvgVisualObject::SetBounds(0, 0, 10, 10);
    tall->SetAlign(vaTop);
    parent->AddObject(tall);
    auto* below = Add(vaTop, 0, 50, 10, 10);
    auto* client = Add(vaClient, 0, 0, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(tall), (TvgRect{0, 0, 100, 15}));
    EXPECT_EQ(Bounds(below), (TvgRect{0, 15, 100, 25}));
    EXPECT_EQ(Bounds(client), (TvgRect{0, 25, 100, 100}));
}

TEST_F(LayoutFixture, ANarrowTopStripGivesNothingBackVertically) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* narrow = new NarrowObject;
    narrow->SetBounds(0, 0, 10, 10);
    narrow->SetAlign(vaTop);
    parent->AddObject(narrow);
    auto* client = Add(vaClient, 0, 0, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(narrow), (TvgRect{0, 0, 30, 10}));
    EXPECT_EQ(Bounds(client), (TvgRect{0, 10, 100, 100}));
}

TEST_F(LayoutFixture, RefusedLeftStripWidthIsCorrected) {
    parent->SetBounds(0, 0, 100, 100);
    parent->BeginUpdate();
    auto* narrow = new NarrowObject;
    narrow->SetBounds(0, 0, 50, 10);
    narrow->SetAlign(vaLeft);
    parent->AddObject(narrow);
    auto* next = Add(vaLeft, 90, 0, 10, 10);
    parent->EndUpdate();
    EXPECT_EQ(Bounds(narrow), (TvgRect{0, 0, 30, 30}));
    EXPECT_EQ(Bounds(next), (TvgRect{30, 0, 40, 100}));
}

TEST_F(LayoutFixture, SizeSettersTriggerPasses) {
    parent->SetBounds(0, 0, 100, 100);
    auto* c = Add(vaClient, 0, 0, 10, 10);
    parent->SetWidth(60);
    EXPECT_EQ(c->Width(), 60);
    parent->SetHeight(70);
    EXPECT_EQ(c->Height(), 70);
    parent->Margins()->SetLeft(10);
    EXPECT_EQ(c->Position()->X(), 10);
    c->Padding()->SetTop(5);
    EXPECT_EQ(c->Position()->Y(), 5);
    c->SetAlign(vaNone);
    parent->SetWidth(200);
    EXPECT_EQ(c->Width(), 50);
}

TEST_F(LayoutFixture, BeginUpdateSuspendsPassesUntilTheLastEndUpdate) {
    parent->SetBounds(0, 0, 100, 100);
    auto* c = Add(vaClient, 0, 0, 10, 10);
    parent->BeginUpdate();
    parent->BeginUpdate();
    EXPECT_EQ(c->Updating(), 2);
    parent->SetWidth(40);
    EXPECT_EQ(c->Width(), 100);
    parent->EndUpdate();
    EXPECT_EQ(c->Width(), 100);
    parent->EndUpdate();
    EXPECT_EQ(c->Width(), 40);
    EXPECT_EQ(c->Updating(), 0);
}

// Only a completed pass records the reference size. A pass that stops early (no children, nothing
// aligned) leaves it, and so do adding an aligned child and setting an alignment: a corner-anchored
// child that arrives later still moves by everything the parent grew since the last pass.
TEST_F(LayoutFixture, OnlyACompletedPassRecordsTheReferenceSize) {
    struct Case {
        const char* Sequence;
        TvgAlign Align;
        bool AlignAfterAdding;  // the child joins with vaNone and gets its alignment afterwards
        bool UnalignedSibling;  // the parent's growth meets a child, but no aligned one
        TvgRect Expected;
    };
    const Case cases[] = {
        {"bottom-right added after growth", vaBottomRight, false, false, {130, 120, 140, 130}},
        {"top-right added after growth", vaTopRight, false, false, {130, 70, 140, 80}},
        {"bottom-left added after growth", vaBottomLeft, false, false, {80, 120, 90, 130}},
        {"alignment set after adding", vaBottomRight, true, false, {130, 120, 140, 130}},
        {"growth with only an unaligned child", vaBottomRight, false, true, {130, 120, 140, 130}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Sequence);
        TearDown();
        SetUp();
        const float start = static_cast<TvgVisualObject*>(parent)->LastWidth();
        ASSERT_EQ(start, 50);  // a new object's reference is its initial size
        if (c.UnalignedSibling) Add(vaNone, 0, 0, 5, 5);
        parent->SetBounds(0, 0, 100, 100);
        EXPECT_EQ(static_cast<TvgVisualObject*>(parent)->LastWidth(), 50);
        TvgVisualObject* child = Add(c.AlignAfterAdding ? vaNone : c.Align, 80, 70, 10, 10);
        if (c.AlignAfterAdding) child->SetAlign(c.Align);
        EXPECT_EQ(Bounds(child), c.Expected);
        EXPECT_EQ(static_cast<TvgVisualObject*>(parent)->LastWidth(), 100);
    }
}

TEST_F(LayoutFixture, LastSizeIsRecordedAfterAPass) {
    parent->SetBounds(0, 0, 100, 100);
    Add(vaClient, 0, 0, 10, 10);
    parent->SetBounds(0, 0, 120, 90);
    EXPECT_EQ(static_cast<TvgVisualObject*>(parent)->LastWidth(), 120);
    EXPECT_EQ(static_cast<TvgVisualObject*>(parent)->LastHeight(), 90);
}

// Realigns its parent from inside its own pass; the parent's pass must not run again meanwhile.
class ReentrantChild : public TvgVisualObject {
public:
    int Passes = 0;
    void Realign() override {
        ++Passes;
        if (auto* p = Parent() ? Parent()->Visual() : nullptr) {
            EXPECT_TRUE(p->DisableAlign());
            p->Realign();
        }
        TvgVisualObject::Realign();
    }
};

TEST_F(LayoutFixture, ThePassCannotReenterItself) {
    parent->SetBounds(0, 0, 100, 100);
    auto* c = new ReentrantChild;
    c->SetAlign(vaClient);
    parent->AddObject(new TvgVisualObject);  // gives the child's own pass something to skip
    parent->AddObject(c);
    EXPECT_EQ(c->Width(), 100);
    EXPECT_FALSE(parent->DisableAlign());
}

TEST(LayoutDetached, DetachedSizeSettersDoNotLayOutButAddingAChildDoes) {
    TvgLayout parent;
    parent.SetWidth(80);
    parent.SetHeight(40);
    auto* c = new TvgVisualObject;
    c->SetAlign(vaClient);
    parent.AddObject(c);
    EXPECT_EQ(c->BoundsRect(), (TvgRect{0, 0, 80, 40}));
    parent.SetWidth(100);
    EXPECT_EQ(c->Width(), 80);
    parent.Realign();
    EXPECT_EQ(c->Width(), 100);
}

TEST(LayoutDetached, DisableDefaultAlignLeavesChildrenToTheObject) {
    TvgLayout parent;
    parent.SetBounds(0, 0, 100, 100);
    parent.SetDisableDefaultAlign(true);
    auto* c = new TvgVisualObject;
    c->SetAlign(vaClient);
    parent.AddObject(c);
    EXPECT_EQ(c->Width(), 50);
}

}  // namespace
