#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "uImageFiles.h"

namespace {

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath("plan/sub"));
        plan = root.path() + "/plan/";
    }
    QString Touch(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir root;
    QString plan;
};

TEST_F(ImageFiles, InsideMeansInTheFolderOrBelowAfterResolvingDotsAndLinks) {
    EXPECT_TRUE(IsInsideFolder(plan + "a.Png", plan));
    EXPECT_TRUE(IsInsideFolder(plan + "sub/a.Png", plan));
    EXPECT_TRUE(IsInsideFolder(plan + "sub/../a.Png", plan));
    EXPECT_FALSE(IsInsideFolder(plan + "../a.Png", plan));
    EXPECT_FALSE(IsInsideFolder(plan + "../../a.Png", plan));
    EXPECT_FALSE(IsInsideFolder(root.path() + "/planet/a.Png", plan));  // a folder whose name starts alike
    EXPECT_FALSE(IsInsideFolder(plan, plan));
    EXPECT_FALSE(IsInsideFolder(plan + "..", plan));
    EXPECT_FALSE(IsInsideFolder(QString(), plan));
    EXPECT_FALSE(IsInsideFolder(plan + "missing/a.Png", plan));
    EXPECT_FALSE(IsInsideFolder(Touch(plan + "file.Png") + "/a.Png", plan));  // below a file

    ASSERT_TRUE(QFile::link(root.path(), plan + "escape"));
    EXPECT_FALSE(IsInsideFolder(plan + "escape/a.Png", plan));
}

TEST_F(ImageFiles, DeletesQueuedFilesInsideThePlanFolderOnly) {
    const QString inside = Touch(plan + "{1}.Png");
    const QString below = Touch(plan + "sub/{2}.Ico");
    const QString outside = Touch(root.path() + "/keep.Png");
    const QString kept = Touch(plan + "{3}.Png");
    ASSERT_TRUE(QFile::link(outside, plan + "link.Png"));
    DeleteImageFiles({inside, below, plan + "../keep.Png", plan + "sub", plan + "link.Png", kept, QString(),
                      plan + "never-there.Png"},
                     plan, {plan + "sub/../{3}.Png"});
    EXPECT_FALSE(QFile::exists(inside));
    EXPECT_FALSE(QFile::exists(below));
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(QFileInfo(plan + "sub").isDir());
    EXPECT_FALSE(QFileInfo(plan + "link.Png").isSymLink());  // the link goes, its target stays
    EXPECT_TRUE(QFile::exists(kept));                        // still named by a button
}

TEST(ImageFileNames, ChangeFileExtReplacesOnlyTheLastExtension) {
    EXPECT_EQ(ChangeFileExt("/p/{A}.Png", ".Ico"), "/p/{A}.Ico");
    EXPECT_EQ(ChangeFileExt("/p/a.b.png", ".Ico"), "/p/a.b.Ico");
    EXPECT_EQ(ChangeFileExt("/p.d/noext", ".Png"), "/p.d/noext.Png");
}

}  // namespace
