// The kept versions of the data files: newest first, at most twenty of each, no repeats.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "uBackups.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

TEST(Backups, KeepsTwentyOfEachKindNewestFirstAndSkipsARepeat) {
    QTemporaryDir folder;
    TBackupStore store(folder.filePath("Backups/"));
    const QString notes = folder.filePath("TakeNote.dat");
    store.Keep(TBackupKind::Notes, notes);  // no file yet: nothing to keep
    EXPECT_TRUE(store.List(TBackupKind::Notes).empty());
    for (int i = 1; i <= 25; ++i) {
        WriteFile(notes, QByteArray::number(i));
        store.Keep(TBackupKind::Notes, notes);
        store.Keep(TBackupKind::Notes, notes);  // the same content again is no new version
    }
    store.Add(TBackupKind::Buttons, "<Desktop/>");
    const std::vector<TBackupEntry> kept = store.List(TBackupKind::Notes);
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(TBackupStore::Read(kept.front().Path), "25");
    EXPECT_EQ(TBackupStore::Read(kept.back().Path), "6");  // the five oldest went
    EXPECT_EQ(store.List(TBackupKind::Buttons).size(), 1u);
    EXPECT_EQ(store.Versions().size(), 21u);
    EXPECT_TRUE(store.List(TBackupKind::DeletedNote).empty());
    // Names carry the time; files that are not versions are ignored.
    EXPECT_TRUE(QFileInfo(kept.front().Path).fileName().startsWith("TakeNote-"));
    WriteFile(folder.filePath("Backups/TakeNote-garbage.dat"), "x");
    EXPECT_EQ(store.List(TBackupKind::Notes).size(), 20u);
}
