#include <gtest/gtest.h>

#include <memory>

#include "RecordingScene.h"
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

}  // namespace
