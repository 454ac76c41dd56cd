#include <gtest/gtest.h>

#include <QPointer>

#include <memory>
#include <vector>

#include "RecordingScene.h"
#include "vgControl.h"
#include "vgLayout.h"
#include "vgObjectRegistry.h"
#include "vgPosition.h"
#include "vgVisualObject.h"

namespace {

TEST(ObjectTree, OwnerAndSceneParentAreKeptApart) {
    TvgVisualObject owner;
    TvgVisualObject parent;
    auto* child = new TvgVisualObject(&owner);
    parent.AddObject(child);
    EXPECT_EQ(child->Owner(), &owner);
    EXPECT_EQ(child->Parent(), &parent);
    EXPECT_EQ(parent.ChildrenCount(), 1);
    EXPECT_EQ(owner.ChildrenCount(), 0);
}

TEST(ObjectTree, FreeingAnObjectTakesItOutOfItsParent) {
    TvgVisualObject parent;
    auto* a = new TvgVisualObject;
    auto* b = new TvgVisualObject;
    parent.AddObject(a);
    parent.AddObject(b);
    delete a;
    ASSERT_EQ(parent.ChildrenCount(), 1);
    EXPECT_EQ(parent.Children(0), b);
    EXPECT_EQ(b->Index(), 0);
}

TEST(ObjectTree, FreeingAnObjectFreesItsSceneChildrenWhoeverOwnsThem) {
    TvgVisualObject owner;
    auto* parent = new TvgVisualObject;
    QPointer<TvgVisualObject> child = new TvgVisualObject(&owner);
    parent->AddObject(child);
    delete parent;
    EXPECT_TRUE(child.isNull());
}

TEST(ObjectTree, EveryObjectIsInTheRegistryWhileAlive) {
    const std::size_t before = LiveObjectCount();
    {
        TvgVisualObject a;
        a.SetResourceName("RegistryProbe");
        EXPECT_EQ(LiveObjectCount(), before + 1);
        EXPECT_EQ(FindLiveResource("registryprobe"), &a);
    }
    EXPECT_EQ(LiveObjectCount(), before);
    EXPECT_EQ(FindLiveResource("RegistryProbe"), nullptr);
}

TEST(ObjectTree, TheRegistryFindsTheNewestStoredObjectUnderItsCurrentName) {
    TvgVisualObject older, newer, other;
    older.SetResourceName("NameProbe");
    newer.SetResourceName("nameprobe");
    other.SetResourceName("Elsewhere");
    EXPECT_EQ(FindLiveResource("NAMEPROBE"), &newer);
    newer.SetStored(false);  // a style clone is never the answer
    EXPECT_EQ(FindLiveResource("NameProbe"), &older);
    newer.SetStored(true);
    newer.SetResourceName("Renamed");
    EXPECT_EQ(FindLiveResource("NameProbe"), &older);
    EXPECT_EQ(FindLiveResource("renamed"), &newer);
    other.SetResourceName("NameProbe");
    EXPECT_EQ(FindLiveResource("nameprobe"), &other);
    other.SetResourceName(QString());
    older.SetResourceName(QString());
    EXPECT_EQ(FindLiveResource("NameProbe"), nullptr);
}

}  // namespace

namespace {

std::vector<TvgObject*> Kids(const TvgObject& o) {
    return o.ChildList();
}

// Stands in for an animation or an effect: records the triggers offered to it.
class TriggerProbe : public TvgObject {
public:
    explicit TriggerProbe(bool effect) : FEffect(effect) {}
    bool IsAnimation() const override { return !FEffect; }
    bool IsEffect() const override { return FEffect; }
    bool EffectEnabled() const override { return FEffect && Enabled; }
    TvgRect EffectRect(const TvgRect& r) const override { return r.Inflate(10, 10); }
    void StartTrigger(TvgObject* instance, const QString& trigger) override {
        Seen.push_back(trigger);
        Instance = instance;
    }
    void StopTrigger(TvgObject*) override { Seen.push_back("stop"); }
    void ApplyTrigger(TvgObject* instance, const QString& trigger) override {
        Seen.push_back(trigger);
        Instance = instance;
    }

    bool Enabled = true;
    std::vector<QString> Seen;
    TvgObject* Instance = nullptr;

private:
    bool FEffect;
};

TEST(TreeOperations, AddingMovesAnObjectFromItsOldParentAndPropagatesTheScene) {
    RecordingScene scene;
    auto* root = new TvgLayout;
    scene.AddObject(root);
    TvgLayout other;
    auto* child = new TvgLayout;
    auto* grandchild = new TvgLayout;
    child->AddObject(grandchild);
    other.AddObject(child);
    EXPECT_EQ(grandchild->Scene(), nullptr);
    root->AddObject(child);
    EXPECT_EQ(other.ChildrenCount(), 0);
    EXPECT_EQ(child->Parent(), root);
    EXPECT_EQ(grandchild->Scene(), &scene);
    child->SetParent(nullptr);
    EXPECT_EQ(grandchild->Scene(), nullptr);
    EXPECT_EQ(root->ChildrenCount(), 0);
    delete child;
    delete root;
}

TEST(TreeOperations, AddingARootTakesItOutOfTheScenesRoots) {
    RecordingScene scene;
    auto* a = new TvgLayout;
    auto* b = new TvgLayout;
    scene.AddObject(a);
    scene.AddObject(b);
    a->AddObject(b);
    EXPECT_EQ(scene.Roots, (std::vector<TvgObject*>{a}));
    EXPECT_EQ(b->Scene(), &scene);
    delete a;
    EXPECT_TRUE(scene.Roots.empty());
}

TEST(TreeOperations, ACycleIsRefused) {
    TvgLayout a;
    auto* b = new TvgLayout;
    a.AddObject(b);
    b->AddObject(&a);
    a.AddObject(&a);
    EXPECT_EQ(a.Parent(), nullptr);
    EXPECT_EQ(b->ChildrenCount(), 0);
    a.AddObject(nullptr);
    EXPECT_EQ(a.ChildrenCount(), 1);
}

TEST(TreeOperations, AddingAnAlignedChildSetsNeedAlignAndRemovingRecomputesIt) {
    TvgLayout parent;
    auto* plain = new TvgLayout;
    auto* aligned = new TvgLayout;
    aligned->SetAlign(vaClient);
    parent.AddObject(plain);
    EXPECT_FALSE(parent.NeedAlign());
    parent.AddObject(aligned);
    EXPECT_TRUE(parent.NeedAlign());
    parent.RemoveObject(aligned);
    EXPECT_FALSE(parent.NeedAlign());
    delete aligned;
}

TEST(TreeOperations, EffectChildrenSetHasEffectAndWidenTheUpdateRect) {
    TvgLayout parent;
    parent.SetBounds(0, 0, 20, 20);
    auto* effect = new TriggerProbe(true);
    parent.AddObject(effect);
    EXPECT_TRUE(parent.HasEffect());
    EXPECT_TRUE(parent.EffectsStale());
    EXPECT_EQ(parent.UpdateRect(), (TvgRect{-10, -10, 30, 30}));
    parent.RemoveObject(effect);
    EXPECT_FALSE(parent.HasEffect());
    auto* disabled = new TriggerProbe(true);
    disabled->Enabled = false;
    parent.AddObject(disabled);
    EXPECT_FALSE(parent.HasEffect());
    delete effect;
}

TEST(TreeOperations, ChildrenOutsideTheListAreNull) {
    TvgLayout parent;
    EXPECT_EQ(parent.ChildrenCount(), 0);
    EXPECT_EQ(parent.Children(0), nullptr);
    parent.AddObject(new TvgLayout);
    EXPECT_EQ(parent.Children(1), nullptr);
    EXPECT_EQ(parent.Children(-1), nullptr);
}

TEST(TreeOperations, IndexExchangeBringToFrontSendToBack) {
    TvgLayout parent;
    auto* a = new TvgLayout;
    auto* b = new TvgLayout;
    auto* c = new TvgLayout;
    parent.AddObject(a);
    parent.AddObject(b);
    parent.AddObject(c);
    EXPECT_EQ(c->Index(), 2);
    c->SetIndex(0);
    EXPECT_EQ(Kids(parent), (std::vector<TvgObject*>{c, a, b}));
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    c->SetIndex(99);
    EXPECT_EQ(Kids(parent), (std::vector<TvgObject*>{a, b, c}));
    parent.Exchange(a, c);
    EXPECT_EQ(Kids(parent), (std::vector<TvgObject*>{c, b, a}));
    EXPECT_EQ(a->Index(), 2);
    c->BringToFront();
    EXPECT_EQ(Kids(parent), (std::vector<TvgObject*>{b, a, c}));
    a->SendToBack();
    EXPECT_EQ(Kids(parent), (std::vector<TvgObject*>{a, b, c}));
    EXPECT_EQ(c->Index(), 2);

    TvgLayout orphan;
    orphan.SendToBack();
    orphan.BringToFront();
    orphan.SetIndex(3);
    EXPECT_EQ(orphan.Index(), -1);
}

TEST(TreeOperations, SendToBackRealignsTheParent) {
    TvgLayout parent;
    parent.SetBounds(0, 0, 100, 100);
    auto* a = new TvgLayout;
    auto* b = new TvgLayout;
    a->SetBounds(0, 0, 10, 10);
    b->SetBounds(0, 0, 10, 10);
    parent.AddObject(a);
    parent.AddObject(b);
    a->SetAlign(vaTop);
    b->SetAlign(vaTop);
    EXPECT_EQ(b->Position()->Y(), 10);
    // Equal keys keep list order: the object moved to the back becomes the first strip.
    a->Position()->SetY(10);
    b->Position()->SetY(10);
    b->SendToBack();
    EXPECT_EQ(b->Position()->Y(), 0);
    EXPECT_EQ(a->Position()->Y(), 10);
}

TEST(TreeOperations, DeleteChildrenFreesEveryChildEvenOnesOwnedBySiblings) {
    TvgLayout parent;
    auto* a = new TvgLayout;
    auto* b = new TvgLayout(a);  // owned by its sibling
    QPointer<TvgLayout> wa = a;
    QPointer<TvgLayout> wb = b;
    parent.AddObject(b);
    parent.AddObject(a);
    parent.DeleteChildren();
    EXPECT_EQ(parent.ChildrenCount(), 0);
    EXPECT_TRUE(wa.isNull());
    EXPECT_TRUE(wb.isNull());
}

TEST(TreeOperations, SortIsStableAndResetsIndexes) {
    TvgLayout parent;
    std::vector<TvgLayout*> items;
    for (float tag : {3.f, 1.f, 3.f, 2.f}) {
        auto* item = new TvgLayout;
        item->SetTagFloat(tag);
        parent.AddObject(item);
        items.push_back(item);
    }
    EXPECT_EQ(items[3]->Index(), 3);
    parent.Sort([](TvgObject* x, TvgObject* y) { return x->TagFloat() < y->TagFloat(); });
    EXPECT_EQ(Kids(parent), (std::vector<TvgObject*>{items[1], items[3], items[0], items[2]}));
    EXPECT_EQ(items[3]->Index(), 1);
}

TEST(TreeOperations, FindBindingSearchesSelfAndDescendantsInAnyCase) {
    TvgLayout root;
    auto* a = new TvgLayout;
    auto* b = new TvgControl;
    auto* deep = new TvgLayout;
    root.AddObject(a);
    root.AddObject(b);
    b->AddObject(deep);
    root.SetBindingName("Root");
    deep->SetBindingName("Value");
    EXPECT_EQ(root.FindBinding("root"), &root);
    EXPECT_EQ(root.FindBinding("VALUE"), deep);
    EXPECT_EQ(root.FindBinding("none"), nullptr);
}

TEST(TreeOperations, ListsCollectDepthFirst) {
    TvgLayout root;
    auto* a = new TvgControl;
    auto* a1 = new TvgLayout;
    auto* b = new TvgControl;
    root.AddObject(a);
    a->AddObject(a1);
    root.AddObject(b);
    std::vector<TvgObject*> all;
    root.AddObjectsToList(all);
    EXPECT_EQ(all, (std::vector<TvgObject*>{&root, a, a1, b}));
    std::vector<TvgControl*> controls;
    root.AddControlsToList(controls);
    EXPECT_EQ(controls, (std::vector<TvgControl*>{a, b}));
}

TEST(TreeOperations, KeyboardListFollowsAddAndRemove) {
    TvgLayout parent;
    auto* a = new TvgLayout;
    auto* b = new TvgLayout;
    parent.AddObject(a);
    parent.AddObject(b);
    EXPECT_EQ(parent.TabList(), (std::vector<TvgVisualObject*>{a, b}));
    delete a;
    EXPECT_EQ(parent.TabList(), (std::vector<TvgVisualObject*>{b}));
}

TEST(TreeOperations, AChildTakesItsNewParentsUpdateCount) {
    TvgLayout parent;
    parent.BeginUpdate();
    auto* child = new TvgLayout;
    child->AddObject(new TvgLayout);
    parent.AddObject(child);
    EXPECT_EQ(child->Updating(), 1);
    EXPECT_EQ(child->Children(0)->Visual()->Updating(), 1);
    parent.EndUpdate();
    EXPECT_EQ(child->Children(0)->Visual()->Updating(), 0);
}

TEST(Triggers, StateChangesReachAnimationsEffectsAndLockedStyleParts) {
    TvgVisualObject control;
    auto* animation = new TriggerProbe(false);
    control.AddObject(animation);
    auto* part = new TvgLayout;  // a style part: locked, not hit-testable
    control.AddObject(part);
    auto* partEffect = new TriggerProbe(true);
    part->AddObject(partEffect);
    auto* hittable = new TvgVisualObject;
    control.AddObject(hittable);
    auto* hiddenAnimation = new TriggerProbe(false);
    hittable->AddObject(hiddenAnimation);

    control.MouseEnter();
    EXPECT_EQ(animation->Seen, (std::vector<QString>{"IsMouseOver"}));
    EXPECT_EQ(animation->Instance, &control);
    EXPECT_TRUE(partEffect->Seen.empty());  // the part is not locked yet
    control.Lock();
    hittable->SetHitTest(true);
    control.MouseLeave();
    EXPECT_EQ(partEffect->Seen, (std::vector<QString>{"IsMouseOver"}));
    EXPECT_EQ(partEffect->Instance, &control);
    EXPECT_TRUE(hiddenAnimation->Seen.empty());
    control.StopTriggerAnimation(&control);
    EXPECT_EQ(animation->Seen.back(), "stop");
}

TEST(Triggers, BecomingVisibleStartsIsVisibleTriggers) {
    TvgVisualObject o;
    auto* animation = new TriggerProbe(false);
    o.AddObject(animation);
    o.SetVisible(false);
    EXPECT_TRUE(animation->Seen.empty());
    o.SetVisible(true);
    EXPECT_EQ(animation->Seen, (std::vector<QString>{"IsVisible"}));
}

}  // namespace
