#pragma once
// Earlier versions of the two data files, kept in Data/Backups before either is replaced, so that
// a save the user regrets (or one made from a damaged load) can be undone from the tray menu.
// The same folder holds the notes deleted with "删除便签", one file each, for "撤销删除便签".

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

enum class TBackupKind { Notes, Buttons, DeletedNote };

struct TBackupEntry {
    QString Path;
    TBackupKind Kind;
    QDateTime Time;
};

class TBackupStore {
public:
    // The number of versions kept of each kind; the oldest goes first.
    static constexpr int MaxPerKind = 20;

    // AFolder ends with a separator; it is created on the first backup.
    explicit TBackupStore(QString AFolder);

    // Copies the file's current content in as the newest version of AKind, unless the newest
    // version already holds exactly that. Nothing when the file does not exist. Raises ESaveError
    // when the copy cannot be written.
    void Keep(TBackupKind AKind, const QString& AFileName);
    // Stores bytes as the newest version of AKind.
    QString Add(TBackupKind AKind, const QByteArray& ABytes);
    // Every version of AKind, newest first.
    std::vector<TBackupEntry> List(TBackupKind AKind) const;
    // The notes and button versions together, newest first.
    std::vector<TBackupEntry> Versions() const;
    static QByteArray Read(const QString& APath);
    QString Folder() const { return FFolder; }

private:
    void DropOldest(TBackupKind AKind) const;

    QString FFolder;
};

// The installation's store, in the data folder of PathInfo.
TBackupStore Backups();
