#include <gtest/gtest.h>

#include <memory>

#include "TestClasses.h"
#include "vgBounds.h"
#include "vgLayout.h"
#include "vgObjectRegistry.h"
#include "vgPosition.h"
#include "vgResources.h"
#include "vgStyleReader.h"

namespace {

std::unique_ptr<TvgObject> Read(const char* text) {
    return std::unique_ptr<TvgObject>(ReadStyleTree(QByteArray(text), QStringLiteral("test.style"), nullptr));
}

TEST(StyleReader, ReadsClassesPropertiesAndChildren) {
    const auto root = Read(R"xml(<?xml version="1.0"?>
<TvgLayout ResourceName="root" Width="200" Height="100">
  <TvgTestShape ResourceName="background" Align="vaClient" Padding.Rect="(1,2,3,4)"
                Fill.Color="#FF6A9BEC" Fill.Style="2" Corners="[vgCornerTopLeft, vgCornerBottomLeft]"
                xRadius="3" HitTest="False" Opacity="0.5" Hint="提示"/>
  <TvgVisualObject ResourceName="free" Position.Point="(161,0)" Visible="false"/>
</TvgLayout>)xml");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->metaObject()->className(), QByteArray("TvgLayout"));
    ASSERT_EQ(root->ChildrenCount(), 2);
    auto* shape = qobject_cast<TvgTestShape*>(root->Children(0));
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Owner(), root.get());
    EXPECT_EQ(shape->ResourceName(), "background");
    EXPECT_EQ(shape->Fill()->Color(), "#FF6A9BEC");
    EXPECT_EQ(shape->Fill()->Style(), 2);
    EXPECT_EQ(shape->Corners(), VgTest::TvgTestCorners(VgTest::vgCornerTopLeft | VgTest::vgCornerBottomLeft));
    EXPECT_EQ(shape->xRadius(), 3);
    EXPECT_FALSE(shape->HitTest());
    EXPECT_EQ(shape->Opacity(), 0.5f);
    EXPECT_EQ(shape->Hint(), QString::fromUtf8("提示"));
    EXPECT_EQ(shape->Padding()->Rect(), (TvgRect{1, 2, 3, 4}));
    // Loading is complete: the aligned child was placed inside the padding.
    EXPECT_FALSE(shape->Loading());
    EXPECT_EQ(shape->BoundsRect(), (TvgRect{1, 2, 197, 96}));
    auto* free = root->Children(1)->Visual();
    EXPECT_EQ(free->Position()->Point(), (TvgPoint{161, 0}));
    EXPECT_FALSE(free->Visible());
}

TEST(StyleReader, PropertyNamesMatchInAnyCase) {
    const auto root = Read(R"xml(<TvgTestShape fill.color="#01020304" WIDTH="7" align="vaTop"/>)xml");
    auto* shape = qobject_cast<TvgTestShape*>(root.get());
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Fill()->Color(), "#01020304");
    EXPECT_EQ(shape->Width(), 7);
    EXPECT_EQ(shape->Align(), vaTop);
}

TEST(StyleReader, EmptySetAndNumericEnumValues) {
    const auto root = Read(R"xml(<TvgTestShape Corners="[]" Align="13"/>)xml");
    auto* shape = qobject_cast<TvgTestShape*>(root.get());
    EXPECT_EQ(shape->Corners(), VgTest::TvgTestCorners());
    EXPECT_EQ(shape->Align(), vaClient);
}

struct BadStyle {
    const char* Text;
    int Line;
    const char* Fragment;
};

class StyleReaderErrors : public ::testing::TestWithParam<BadStyle> {};

TEST_P(StyleReaderErrors, NameTheSourceAndLineAndLeaveNothingBehind) {
    const BadStyle& bad = GetParam();
    const std::size_t before = LiveObjectCount();
    try {
        Read(bad.Text);
        FAIL() << "no error for " << bad.Text;
    } catch (const TvgStyleError& e) {
        EXPECT_EQ(e.SourceName(), "test.style");
        EXPECT_EQ(e.Line(), bad.Line) << e.what();
        EXPECT_TRUE(e.Message().contains(QLatin1String(bad.Fragment))) << e.what();
        EXPECT_TRUE(
            QString::fromStdString(e.what()).startsWith(QStringLiteral("test.style:%1:").arg(bad.Line)));
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, StyleReaderErrors,
    ::testing::Values(BadStyle{"<TvgLayout>\n  <TvgLayout>\n</TvgLayout>", 3, ""},
                      BadStyle{"<TvgLayout>\n\n  <TvgNothing/>\n</TvgLayout>", 3, "TvgNothing"},
                      BadStyle{"<TvgLayout>\n  <TvgLayout Widht=\"3\"/>\n</TvgLayout>", 2, "Widht"},
                      BadStyle{"<TvgLayout Width=\"wide\"/>", 1, "wide"},
                      BadStyle{"<TvgLayout Visible=\"yes\"/>", 1, "yes"},
                      BadStyle{"<TvgLayout Align=\"vaSideways\"/>", 1, "vaSideways"},
                      BadStyle{"<TvgLayout Align=\"55\"/>", 1, "55"},  // a number outside the enumeration
                      BadStyle{"<TvgLayout Align=\"-1\"/>", 1, "-1"},
                      BadStyle{"<TvgLayout\n Position.Point=\"(1;2)\"/>", 2, "(1;2)"},
                      BadStyle{"<TvgLayout Width=\"1\"\n   Height=\"1\"\n   Width2=\"1\"/>", 3, "Width2"},
                      BadStyle{"<TvgLayout IsMouseOver=\"True\"/>", 1, "IsMouseOver"},
                      BadStyle{"<TvgLayout Nothing.Color=\"#FF000000\"/>", 1, "Nothing"},
                      BadStyle{"<TvgLayout TabOrder=\"1.5\"/>", 1, "1.5"},
                      BadStyle{"<TvgLayout>\n  loose text\n</TvgLayout>", 1, "text"},
                      BadStyle{"", 1, "document"}, BadStyle{"<TvgTestShape Fill=\"red\"/>", 1, "Fill"}));

TEST(StyleReader, RunawayNestingIsAnErrorNotACrash) {
    QByteArray text;
    for (int i = 0; i < 5000; ++i) text += "<TvgLayout>";
    for (int i = 0; i < 5000; ++i) text += "</TvgLayout>";
    EXPECT_THROW(ReadStyleTree(text, "deep", nullptr), TvgStyleError);
}

TEST(StyleReader, WritePropertyTextExplainsFailures) {
    TvgTestShape shape;
    QString error;
    EXPECT_TRUE(WritePropertyText(&shape, "Scale.X", "2", error));
    EXPECT_EQ(shape.Scale()->X(), 2);
    EXPECT_FALSE(WritePropertyText(&shape, "Scale.Z", "2", error));
    EXPECT_TRUE(error.contains("Z"));
}

TEST(Resources, DefaultStylesLoadFromTheCompiledInResourceOnce) {
    TvgResources* first = DefaultStyles();
    ASSERT_TRUE(first);
    ASSERT_TRUE(first->Root());
    EXPECT_TRUE(first->Root()->FindResource("backgroundstyle"));
    EXPECT_EQ(DefaultStyles(), first);
}

TEST(Resources, AFailedLoadKeepsThePreviousSet) {
    TvgResources set;
    set.LoadFromData("<TvgLayout><TvgLayout ResourceName=\"a\"/></TvgLayout>", "one");
    TvgObject* root = set.Root();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->Owner(), &set);
    EXPECT_THROW(set.LoadFromData("<TvgLayout", "two"), TvgStyleError);
    EXPECT_EQ(set.Root(), root);
    EXPECT_THROW(set.LoadFromFile("/nonexistent/style.xml"), TvgStyleError);
}

}  // namespace

namespace {

TEST(Resources, TheResourceTextIsReadWhenWritten) {
    TvgResources set;
    set.SetResource(R"xml(<TvgLayout><TvgObject ResourceName="plain"/></TvgLayout>)xml");
    ASSERT_TRUE(set.Root());
    EXPECT_TRUE(set.Root()->FindResource("plain"));
    EXPECT_THROW(set.SetResource("<broken"), TvgStyleError);
    EXPECT_TRUE(set.Root()->FindResource("plain"));
}

}  // namespace
