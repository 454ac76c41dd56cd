#include "vgPropertyPathTest.h"

#include <gtest/gtest.h>

#include "vgPropertyPath.h"

namespace {

TEST(vgPropertyPath, DottedPathsWalkObjectPropertiesInAnyLetterCase) {
    TPathTestObject object;
    const TvgPropertyTarget x = ResolvePropertyPath(&object, "position.x");
    EXPECT_EQ(x.Instance, object.Position());
    EXPECT_EQ(x.Path, "x");
    EXPECT_TRUE(WriteFloatProperty(x, 12.5f));
    EXPECT_FLOAT_EQ(object.Position()->X(), 12.5f);

    const TvgPropertyTarget color = ResolvePropertyPath(&object, "Fill.color");
    EXPECT_EQ(color.Instance, object.Fill());
    EXPECT_EQ(ColorPropertyKind(color), TvgColorPropertyKind::Text);
    EXPECT_EQ(ColorPropertyKind(ResolvePropertyPath(&object, "FILL.SolidColor")),
              TvgColorPropertyKind::Number);
}

TEST(vgPropertyPath, UnresolvedComponentsStayOnTheCurrentObject) {
    TPathTestObject object;
    // "Nothing" is no property and "Missing" holds no object: the root keeps the last component.
    EXPECT_EQ(ResolvePropertyPath(&object, "Nothing.Opacity").Instance, &object);
    EXPECT_EQ(ResolvePropertyPath(&object, "Missing.Opacity").Instance, &object);
    const TvgPropertyTarget plain = ResolvePropertyPath(&object, "Opacity");
    EXPECT_EQ(plain.Instance, &object);
    EXPECT_EQ(ReadFloatProperty(plain), 1.0f);
}

TEST(vgPropertyPath, FloatAccessSkipsMissingAndOtherlyTypedProperties) {
    TPathTestObject object;
    EXPECT_FALSE(WriteFloatProperty(ResolvePropertyPath(&object, "Count"), 3));
    EXPECT_EQ(object.Count(), 0);
    EXPECT_FALSE(WriteFloatProperty(ResolvePropertyPath(&object, "Width"), 3));
    EXPECT_FALSE(ReadFloatProperty(ResolvePropertyPath(&object, "Fill.Color")).has_value());
    // A double property takes the value as well.
    EXPECT_TRUE(WriteFloatProperty(ResolvePropertyPath(&object, "Position.Y"), 2.25f));
    EXPECT_DOUBLE_EQ(object.Position()->Y(), 2.25);
    EXPECT_EQ(ColorPropertyKind(ResolvePropertyPath(&object, "Opacity")), TvgColorPropertyKind::None);
}

TEST(vgTriggerConditions, AllComparedPairsMustMatch) {
    TPathTestObject object;
    const QString trigger = "IsMouseOver=true;IsPressed=false";
    EXPECT_FALSE(TriggerConditionsHold(&object, trigger));
    object.FMouseOver = true;
    EXPECT_TRUE(TriggerConditionsHold(&object, trigger));
    object.FPressed = true;
    EXPECT_FALSE(TriggerConditionsHold(&object, trigger));
}

TEST(vgTriggerConditions, UnknownAndNonEnumerationPairsAreSkipped) {
    TPathTestObject object;
    object.FMouseOver = true;
    EXPECT_TRUE(TriggerConditionsHold(&object, "Bogus=1;ismouseover=TRUE;Opacity=7"));
    // Nothing compared: no start.
    EXPECT_FALSE(TriggerConditionsHold(&object, "Bogus=1;Opacity=1"));
    EXPECT_FALSE(TriggerConditionsHold(&object, ""));
    // Enumerations compare by value name.
    EXPECT_TRUE(TriggerConditionsHold(&object, "Kind=modeidle"));
    object.FKind = TPathTestObject::ModeBusy;
    EXPECT_FALSE(TriggerConditionsHold(&object, "Kind=ModeIdle"));
}

TEST(vgTriggerConditions, ForEffectsTheLastExistingPairDecides) {
    TPathTestObject object;
    object.FMouseOver = true;
    EXPECT_TRUE(TriggerLastPairMatches(&object, "IsPressed=true;IsMouseOver=true;Bogus=x"));
    EXPECT_FALSE(TriggerLastPairMatches(&object, "IsMouseOver=true;IsPressed=true"));
    EXPECT_FALSE(TriggerLastPairMatches(&object, "Bogus=x"));
}

}  // namespace
