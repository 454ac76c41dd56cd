#pragma once
// The note store: owns the records of all sticky notes, numbers them, reads them from the notes
// file at start and writes them all back after a note is created or deleted and when it ends.

#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "uBackups.h"

class TTakeNoteManage;

struct TTakeNoteItem {
    int ID = 0;
    QString Content;
    QString BackImage;
    unsigned RemindTime = 0;
    bool IsHide = false;
    int Top = 0;
    int Left = 0;
    QString FontName;
    int FontSize = 0;
    int FontStyle = 0;
    int FontColor = 0;  // 0x00BBGGRR
};

// Called for every record added; the callee may keep the record and change it, not free it.
using TOnAddTakeNote = std::function<void(TTakeNoteManage* Sender, TTakeNoteItem* ATakeNoteItem)>;

class TTakeNoteManage {
public:
    // `fileName` is the notes file (the installation's TakeNoteConfigFile).
    explicit TTakeNoteManage(QString fileName);
    // Saves; a failure is shown to the user, since nothing above can catch it any more.
    ~TTakeNoteManage();
    TTakeNoteManage(const TTakeNoteManage&) = delete;
    TTakeNoteManage& operator=(const TTakeNoteManage&) = delete;

    // Reads the file, adding every readable note in order. An unreadable file, a file that is not
    // well-formed (the notes before the damage are added, EXmlError names the damage), or damaged
    // entries (named in an EConvertError, raised after the others were added) make it keep a copy
    // of the file aside (KeptAsideFile) so that no later save loses what it holds.
    void Load();
    // Writes every record, replacing the file atomically; raises EXmlError when it cannot.
    void Save();
    // Takes the record, numbers it and tells OnAddTakeNote. Does not save.
    TTakeNoteItem* AddItem(std::unique_ptr<TTakeNoteItem> ATakeNoteItem);
    // Frees the record when it is in the store (keeping a copy of it in the backup folder), then
    // saves in any case.
    void Delete(TTakeNoteItem* ATakeNoteItem);
    // Brings the most recently deleted note back and saves; false when there is none.
    bool UndoDelete();
    bool CanUndoDelete() const;
    // Forgets every record and reads the file again (after a backup was restored). The owner
    // must have let go of the records first.
    void Reload();
    // Data/Backups beside the notes file: earlier versions and deleted notes.
    TBackupStore BackupStore() const;

    int Count() const;
    TTakeNoteItem* Item(int index) const;
    const TOnAddTakeNote& OnAddTakeNote() const { return FOnAddTakeNote; }
    void SetOnAddTakeNote(TOnAddTakeNote handler) { FOnAddTakeNote = std::move(handler); }
    QString FileName() const { return FFileName; }
    // Where Load kept a copy of a damaged notes file; empty when none was made.
    QString KeptAsideFile() const { return FKeptAsideFile; }

private:
    void Clear();
    void KeepAside();
    void KeepPreviousVersion() const;

    QString FFileName;
    int FTempID = 0;
    mutable std::mutex FLock;
    std::vector<std::unique_ptr<TTakeNoteItem>> FList;
    TOnAddTakeNote FOnAddTakeNote;
    QString FKeptAsideFile;
};
