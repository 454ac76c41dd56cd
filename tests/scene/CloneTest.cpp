#include <gtest/gtest.h>

#include <QMetaProperty>

#include <memory>

#include "TestClasses.h"
#include "vgBounds.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vgProgramStyles.h"
#include "vgResources.h"

namespace {

// Every stored, writable property of a and b (and of their sub-objects) holds the same value.
void ExpectSameProperties(const QObject& a, const QObject& b) {
    ASSERT_EQ(a.metaObject(), b.metaObject());
    const QMetaObject* meta = a.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (!p.isStored()) continue;
        if (!p.isWritable() && (p.metaType().flags() & QMetaType::PointerToQObject)) {
            QObject* sa = p.read(&a).value<QObject*>();
            QObject* sb = p.read(&b).value<QObject*>();
            ASSERT_TRUE(sa && sb) << p.name();
            EXPECT_NE(sa, sb) << p.name() << " is shared instead of copied";
            ExpectSameProperties(*sa, *sb);
            continue;
        }
        EXPECT_EQ(p.read(&a), p.read(&b)) << meta->className() << "." << p.name();
    }
}

std::unique_ptr<TvgTestShape> MakeStyledShape() {
    auto shape = std::make_unique<TvgTestShape>();
    shape->SetResourceName("buttonstyle");
    shape->SetBindingName("bind");
    shape->SetTagString("tag");
    shape->SetTagFloat(2.5f);
    shape->SetBounds(3, 4, 80, 22);
    shape->Scale()->SetPoint({2, 3});
    shape->RotateCenter()->SetPoint({0.25f, 0.75f});
    shape->SetRotateAngle(15);
    shape->Padding()->SetRect({1, 2, 3, 4});
    shape->Margins()->SetRect({5, 6, 7, 8});
    shape->SetAlign(vaTop);
    shape->SetVisible(false);
    shape->SetEnabled(false);
    shape->SetHitTest(false);
    shape->SetOpacity(0.3f);
    shape->SetClipChildren(true);
    shape->SetClipParent(true);
    shape->SetCanClipped(false);
    shape->SetCursor(-21);
    shape->SetHint("hint");
    shape->SetShowHint(true);
    shape->SetDragMode(vgDragAutomatic);
    shape->SetTabOrder(4);
    shape->SetAutoCapture(true);
    shape->SetCanFocused(true);
    shape->SetxRadius(3);
    shape->SetCorners(VgTest::vgCornerTopRight);
    shape->Fill()->SetColor("#FF1D669C");
    shape->Fill()->SetStyle(3);
    return shape;
}

TEST(Clone, ReproducesEveryStoredPublishedProperty) {
    const auto source = MakeStyledShape();
    TvgLayout owner;
    std::unique_ptr<TvgObject> copy(source->Clone(&owner));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Owner(), &owner);
    EXPECT_FALSE(copy->Loading());
    ExpectSameProperties(*source, *copy);
    EXPECT_EQ(copy->Visual()->LocalMatrix(), source->LocalMatrix());
    copy.release();
}

TEST(Clone, CopiesStoredChildrenDeeplyAndSkipsUnstoredOnes) {
    TvgLayout style;
    style.SetBounds(0, 0, 100, 40);
    auto* background = new TvgTestShape(&style);
    background->SetResourceName("background");
    background->SetAlign(vaClient);
    style.AddObject(background);
    auto* text = new TvgTestShape(background);
    text->SetResourceName("text");
    text->SetxRadius(9);
    background->AddObject(text);
    auto* transient = new TvgLayout(&style);
    transient->SetStored(false);
    style.AddObject(transient);

    std::unique_ptr<TvgObject> copy(style.Clone(nullptr));
    ASSERT_EQ(copy->ChildrenCount(), 1);
    TvgObject* copiedBackground = copy->Children(0);
    EXPECT_NE(copiedBackground, background);
    EXPECT_EQ(copiedBackground->Owner(), copy.get());
    EXPECT_EQ(copiedBackground->Visual()->BoundsRect(), (TvgRect{0, 0, 100, 40}));
    auto* copiedText = qobject_cast<TvgTestShape*>(copy->FindResource("text"));
    ASSERT_TRUE(copiedText);
    EXPECT_EQ(copiedText->xRadius(), 9);
    EXPECT_EQ(copiedText->Parent(), copiedBackground);

    // Independent of the source afterwards.
    copiedText->SetxRadius(1);
    copiedText->Fill()->SetColor("#00000000");
    EXPECT_EQ(text->xRadius(), 9);
    EXPECT_EQ(text->Fill()->Color(), "#FFE0E0E0");
}

TEST(Clone, ClassesWithoutARegisteredFactoryUseTheirInvokableConstructor) {
    TvgUnregisteredShape source;
    source.SetxRadius(6);
    std::unique_ptr<TvgObject> copy(source.Clone(nullptr));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->metaObject(), &TvgUnregisteredShape::staticMetaObject);
    EXPECT_EQ(qobject_cast<TvgTestShape*>(copy.get())->xRadius(), 6);
}

// The same properties down the whole tree of stored children.
void ExpectSameTree(const TvgObject& a, const TvgObject& b) {
    ExpectSameProperties(a, b);
    std::vector<const TvgObject*> storedA, storedB;
    for (const TvgObject* child : a.ChildList())
        if (child->Stored()) storedA.push_back(child);
    for (const TvgObject* child : b.ChildList())
        if (child->Stored()) storedB.push_back(child);
    ASSERT_EQ(storedA.size(), storedB.size()) << a.ResourceName().toStdString();
    for (std::size_t i = 0; i < storedA.size(); ++i) ExpectSameTree(*storedA[i], *storedB[i]);
}

// Clones leave out the values a new object has anyway; every style the program wears must still
// come out exactly as it is in its set, whatever its setters do on the way.
TEST(Clone, EveryStyleOfBothSetsIsReproduced) {
    TvgResources program;
    LoadProgramStyles(program);
    int styles = 0;
    for (const TvgResources* set : {&program, DefaultStyles()}) {
        ASSERT_TRUE(set && set->Root());
        for (const TvgObject* style : set->Root()->ChildList()) {
            SCOPED_TRACE(style->ResourceName().toStdString());
            std::unique_ptr<TvgObject> copy(style->Clone(nullptr));
            ASSERT_TRUE(copy);
            ExpectSameTree(*style, *copy);
            ++styles;
        }
    }
    EXPECT_GT(styles, 10);
}

TEST(Clone, AControlsCloneDoesNotCarryItsStyleClone) {
    TvgProbeLabel label;
    auto* look = new TvgLayout(&label);
    look->SetStored(false);
    label.AddObject(look);
    label.SetResource("whatever");
    std::unique_ptr<TvgObject> copy(label.Clone(nullptr));
    EXPECT_EQ(copy->ChildrenCount(), 0);
    EXPECT_EQ(qobject_cast<TvgControl*>(copy.get())->Resource(), "whatever");
}

}  // namespace
