// Saving a file: a failure at any step is reported and leaves the old file exactly as it was.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "SaveFaultScope.h"
#include "uSafeSave.h"
#include "uXmlDocument.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(SafeSave, WritesTheWholeContentAndLeavesNoTemporary) {
    QTemporaryDir folder;
    const QString file = folder.filePath("TakeNote.dat");
    WriteFile(file, "old");
    const QByteArray bytes(200 * 1024, 'x');
    SaveFileSafely(file, bytes);
    EXPECT_EQ(ReadFile(file), bytes);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"TakeNote.dat"});
}

// Sizes on both sides of Qt's write buffer: a small save used to fail only inside commit().
TEST(SafeSave, AFailureAtAnyStepKeepsTheOldFileByteIdentical) {
    for (const TSaveStep step :
         {TSaveStep::Open, TSaveStep::Write, TSaveStep::Flush, TSaveStep::Size, TSaveStep::Commit}) {
        for (const qsizetype size : {qsizetype(10), qsizetype(100 * 1024)}) {
            QTemporaryDir folder;
            const QString file = folder.filePath("Desktop.xml");
            const QByteArray old = "<?xml version=\"1.0\"?><Desktop/>";
            WriteFile(file, old);
            const SaveFaultScope fault(step);
            EXPECT_THROW(SaveFileSafely(file, QByteArray(size, 'n')), ESaveError) << int(step) << " " << size;
            EXPECT_EQ(ReadFile(file), old) << int(step) << " " << size;
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Desktop.xml"});
        }
    }
}

TEST(SafeSave, TheDocumentSaveReportsTheFailureAsAnXmlError) {
    QTemporaryDir folder;
    const QString file = folder.filePath("Desktop.xml");
    WriteFile(file, "keep");
    const SaveFaultScope fault(TSaveStep::Flush);
    try {
        TXmlDocument::New()->SaveToFile(file);
        FAIL() << "no error";
    } catch (const EXmlError& error) {
        EXPECT_TRUE(error.Message().contains("Desktop.xml")) << error.Message().toStdString();
    }
    EXPECT_EQ(ReadFile(file), "keep");
}

// The kernel's own answer to a full disk, without a mount: every write to /dev/full fails.
TEST(SafeSave, AnUnbufferedSmallWriteSeesAFullDiskAtOnce) {
    QFile full("/dev/full");
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(WriteAllBytes(full, "tiny"));
}

// A real full file system. Mounting needs root (CI has it); elsewhere the test is skipped.
TEST(SafeSave, ARealFullDiskFailsVisiblyAndKeepsTheOldFile) {
    QTemporaryDir mountPoint;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", mountPoint.path()}) != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    struct Unmount {
        QString path;
        ~Unmount() { QProcess::execute("umount", {path}); }
    } unmount{mountPoint.path()};
    const QString file = mountPoint.filePath("TakeNote.dat");
    const QByteArray old = "<?xml version=\"1.0\"?><TakeNotes><TakeNote ID=\"1\"/></TakeNotes>";
    WriteFile(file, old);
    {
        QFile filler(mountPoint.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'f')) > 0) {
        }
    }
    for (const qsizetype size : {qsizetype(10), qsizetype(1000), qsizetype(40 * 1024)}) {
        EXPECT_THROW(SaveFileSafely(file, QByteArray(size, 'n')), ESaveError) << size;
        EXPECT_EQ(ReadFile(file), old) << size;
    }
    QStringList left = QDir(mountPoint.path()).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"TakeNote.dat", "filler"}));  // no temporary left behind
}
