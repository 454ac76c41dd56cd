#include "uTakeNoteManage.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "IPlatform.h"
#include "uBackups.h"
#include "uErrors.h"
#include "uSafeSave.h"
#include "uXmlDocument.h"
#include "uXmlTakeNote.h"

namespace {

std::unique_ptr<TTakeNoteItem> ReadItem(const IXMLTakeNotes_TakeNote& node) {
    auto item = std::make_unique<TTakeNoteItem>();
    item->ID = node.ID();
    item->BackImage = node.BackImage();
    item->Content = node.Content();
    item->RemindTime = static_cast<unsigned>(node.RemindTime());
    item->IsHide = node.IsHide();
    item->Left = node.PositonX();
    item->Top = node.PositonY();
    item->FontName = node.FontName();
    item->FontSize = node.FontSize();
    item->FontStyle = node.FontStyle();
    item->FontColor = node.FontColor();
    return item;
}

void WriteItem(const TTakeNoteItem& item, IXMLTakeNotes_TakeNote& node) {
    node.SetID(item.ID);
    node.SetBackImage(item.BackImage);
    node.SetContent(item.Content);
    node.SetRemindTime(static_cast<int>(item.RemindTime));
    node.SetIsHide(item.IsHide);
    node.SetPositonX(item.Left);
    node.SetPositonY(item.Top);
    node.SetFontName(item.FontName);
    node.SetFontSize(item.FontSize);
    node.SetFontStyle(item.FontStyle);
    node.SetFontColor(item.FontColor);
}

}  // namespace

TTakeNoteManage::TTakeNoteManage(QString fileName) : FFileName(std::move(fileName)) {}

TTakeNoteManage::~TTakeNoteManage() {
    try {
        Save();
    } catch (const std::exception& error) {
        // Nothing may leave a destructor; whatever the failure, the user is told.
        const auto* own = dynamic_cast<const EMvError*>(&error);
        Platform().MessageBox(QStringLiteral("便签保存失败！错误信息如下：\r\n") +
                                  (own ? own->Message() : QString::fromLocal8Bit(error.what())),
                              QStringLiteral("Marovia"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
    }
    Clear();
}

void TTakeNoteManage::Load() {
    if (!QFileInfo::exists(FFileName)) return;
    IXMLTakeNotesPtr notes;
    QString damage;
    try {
        notes = LoadTakeNotesReadablePart(FFileName, damage);
    } catch (const EMvError&) {
        KeepAside();
        throw;
    }
    // Every readable note is kept: one damaged entry must not cost the user the notes after it.
    QStringList damaged;
    for (int i = 0; i < notes->Count(); ++i) {
        std::unique_ptr<TTakeNoteItem> item;
        try {
            item = ReadItem(*notes->Item(i));
        } catch (const EMvError& error) {
            damaged << QStringLiteral("第%1条便签：%2").arg(i + 1).arg(error.Message());
            continue;
        }
        AddItem(std::move(item));
    }
    // A file cut or garbled part-way gives the notes before the damage; those after it are only
    // in the copy kept aside.
    if (!damage.isEmpty())
        damaged.prepend(
            damage +
            QStringLiteral("\r\n损坏处之前的%1条便签已读出，其后的便签未能读出。").arg(notes->Count()));
    if (damaged.isEmpty()) return;
    // The next save writes the readable notes only; the damaged ones live on in the copy.
    KeepAside();
    if (!damage.isEmpty()) throw EXmlError(damaged.join(QStringLiteral("\r\n")));
    throw EConvertError(damaged.join(QStringLiteral("\r\n")));
}

void TTakeNoteManage::KeepAside() {
    FKeptAsideFile = KeepDamagedFileAside(FFileName);
}

void TTakeNoteManage::Save() {
    const IXMLTakeNotesPtr notes = NewTakeNotes();
    std::exception_ptr failure;
    {
        const std::lock_guard lock(FLock);
        try {
            for (const auto& item : FList) {
                const IXMLTakeNotes_TakeNotePtr node = notes->Add();
                WriteItem(*item, *node);
            }
        } catch (...) {
            failure = std::current_exception();  // the notes written so far are still saved
        }
    }
    KeepPreviousVersion();
    notes->OwnerDocument()->SaveToFile(FFileName);
    if (failure) std::rethrow_exception(failure);
}

TBackupStore TTakeNoteManage::BackupStore() const {
    return TBackupStore(QFileInfo(FFileName).absolutePath() + QStringLiteral("/Backups/"));
}

void TTakeNoteManage::KeepPreviousVersion() const {
    // A backup that cannot be written does not stop the save: the save itself tells of a full disk.
    try {
        BackupStore().Keep(TBackupKind::Notes, FFileName);
    } catch (const EMvError&) {
    }
}

bool TTakeNoteManage::UndoDelete() {
    TBackupStore store = BackupStore();
    const std::vector<TBackupEntry> deleted = store.List(TBackupKind::DeletedNote);
    if (deleted.empty()) return false;
    const QString path = deleted.front().Path;
    const IXMLTakeNotesPtr notes = LoadTakeNotesFromBytes(TBackupStore::Read(path), path);
    for (int i = 0; i < notes->Count(); ++i) AddItem(ReadItem(*notes->Item(i)));
    // The note is in the store now and goes into the file with this save or the next one; its
    // copy must not bring it back a second time.
    QFile::remove(path);
    Save();
    return true;
}

bool TTakeNoteManage::CanUndoDelete() const {
    return !BackupStore().List(TBackupKind::DeletedNote).empty();
}

void TTakeNoteManage::Reload() {
    Clear();
    Load();
}

TTakeNoteItem* TTakeNoteManage::AddItem(std::unique_ptr<TTakeNoteItem> ATakeNoteItem) {
    TTakeNoteItem* item = ATakeNoteItem.get();
    {
        const std::lock_guard lock(FLock);
        item->ID = ++FTempID;
        FList.push_back(std::move(ATakeNoteItem));
    }
    if (FOnAddTakeNote) FOnAddTakeNote(this, item);
    return item;
}

void TTakeNoteManage::Delete(TTakeNoteItem* ATakeNoteItem) {
    IXMLTakeNotesPtr deleted;
    {
        const std::lock_guard lock(FLock);
        const auto found = std::find_if(FList.begin(), FList.end(),
                                        [&](const auto& item) { return item.get() == ATakeNoteItem; });
        if (found != FList.end()) {
            deleted = NewTakeNotes();
            const IXMLTakeNotes_TakeNotePtr node = deleted->Add();
            WriteItem(**found, *node);
            FList.erase(found);
        }
    }
    // The deleted note is kept as it was on the desktop, so that "撤销删除便签" can bring it back.
    if (deleted) {
        try {
            BackupStore().Add(TBackupKind::DeletedNote, deleted->OwnerDocument()->SaveToBytes());
        } catch (const EMvError&) {
        }
    }
    Save();
}

int TTakeNoteManage::Count() const {
    const std::lock_guard lock(FLock);
    return static_cast<int>(FList.size());
}

TTakeNoteItem* TTakeNoteManage::Item(int index) const {
    const std::lock_guard lock(FLock);
    return FList.at(static_cast<std::size_t>(index)).get();
}

void TTakeNoteManage::Clear() {
    const std::lock_guard lock(FLock);
    FList.clear();
}
