#include "uMaroviaManage.h"

#include <QScopeGuard>

#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSet>

#include <stdexcept>

#include "IPlatform.h"
#include "QuitRequest.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockButton.h"
#include "TVGDockPanel.h"
#include "TVGHintBox.h"
#include "TVGSideButton.h"
#include "TVGSidePanel.h"
#include "uDesktopTakeNote.h"
#include "uErrors.h"
#include "uKeyboardLaunch.h"
#include "uLaunchTarget.h"
#include "uPathInfo.h"
#include "uSafeSave.h"
#include "uSameText.h"
#include "uTakeNoteManage.h"
#include "uXmlDesktop.h"
#include "vgBounds.h"
#include "vgDecodedPictures.h"
#include "vgFloatAnimation.h"
#include "vgFont.h"
#include "vgPosition.h"

TMaroviaManage* MaroviaManage = nullptr;

namespace {

const QString kSystemButtonName = QStringLiteral("Win桌面文件");
const QString kShowDesktopFileMarker = QStringLiteral("MV:\\\\ShowDesktopFile");

QString ErrorText(const std::exception& error) {
    if (const auto* own = dynamic_cast<const EMvError*>(&error)) return own->Message();
    return QString::fromLocal8Bit(error.what());
}

}  // namespace

TMaroviaManage::TMaroviaManage(TvgVisualObject* AVGParent)
    : FVGParent(AVGParent), FWorkArea(Platform().WorkArea()), FScreenSize(Platform().ScreenSize()) {
    const auto forward = [this](QObject* sender, TMVSysCommand command) { DoBuildInEvent(sender, command); };
    // Children of the root are drawn in the order they are made: the hint box lies above the
    // panels (the desktop panel sends itself to the back whenever it is shown).
    FVGDesktopPanel = new TVGDesktopPanel(FVGParent);
    FVGDesktopPanel->SetParent(FVGParent);
    FVGDesktopPanel->SetOnBuildInEvent(forward);
    FVGDesktopPanel->SetVisible(false);
    FVGDesktopPanel->SetIsSynchronWallPaper(true);
    FVGDesktopPanel->CreateDefaultButton();
    FVGDesktopPanel->CreatePopupMenu();

    FVGSidePanel = new TVGSidePanel(FVGParent);
    FVGSidePanel->SetParent(FVGParent);
    FVGSidePanel->SetAlign(vaMostRight);
    FVGSidePanel->Padding()->SetRight(2.0f);

    FVGDockPanel = new TVGDockPanel(FVGParent);
    FVGDockPanel->SetParent(FVGParent);
    FVGDockPanel->LoadBackGround(PathInfo->DockPanelLeftImageFile(), PathInfo->DockPanelCenterImageFile(),
                                 PathInfo->DockPanelRightImageFile());
    FVGDockPanel->SetVisible(false);
    FVGDockPanel->SetOnBuildInEvent(forward);

    FVGHintBox = new TVGHintBox(FVGParent);
    FVGHintBox->SetParent(FVGParent);
    FVGHintBox->SetVisible(false);
    FVGDesktopPanel->SetHintBox(FVGHintBox);

    FCurrentPlanName = QStringLiteral("默认方案");
    FKeyboardLaunch = std::make_unique<TKeyboardLaunch>(*this);
    LoadNotes();
}

TMaroviaManage::~TMaroviaManage() {
    FKeyboardLaunch->Stop();
    ClearButtons();
    delete FVGHintBox;
    delete FVGDockPanel;
    delete FVGDesktopPanel;
    // The note widgets outlive the store (they go with the scene root): they must not keep
    // pointing at its records.
    for (TvgObject* child : FVGParent->ChildList())
        if (auto* note = qobject_cast<TDesktopTakeNote*>(child)) note->SetTakeNoteItem(nullptr);
    // The note store writes the notes file as it goes.
    FTakeNoteManage.reset();
}

void TMaroviaManage::LoadNotes() {
    FTakeNoteManage = std::make_unique<TTakeNoteManage>(PathInfo->TakeNoteConfigFile());
    // Making the widgets of 20,000 notes takes long; once a shut-down signal has come, the store
    // still takes every record (the save at the end writes them all) but no more widgets are made.
    FTakeNoteManage->SetOnAddTakeNote([this](TTakeNoteManage*, TTakeNoteItem* item) {
        if (!QuitPending()) AddTakeNoteWidget(item);
    });
    ReadNotesFile(false);
}

void TMaroviaManage::ReadNotesFile(bool AReload) {
    try {
        if (AReload)
            FTakeNoteManage->Reload();
        else
            FTakeNoteManage->Load();
    } catch (const std::exception& error) {
        // Ending the program here would leave the user with nothing; the damaged file has been
        // moved aside by the store, so the notes read before the damage are safe to keep using.
        QString text = QStringLiteral("便签加载失败！错误信息如下：\r\n") + ErrorText(error);
        if (!FTakeNoteManage->KeptAsideFile().isEmpty())
            text += QStringLiteral("\r\n原文件已另存为：") + FTakeNoteManage->KeptAsideFile();
        Platform().MessageBox(text, QStringLiteral("Marovia"), TMsgIcon::MI_Warning, TMsgButtons::MB_Ok);
    }
}

void TMaroviaManage::AddTakeNoteWidget(TTakeNoteItem* ATakeNoteItem) {
    auto* note = new TDesktopTakeNote(FVGParent);
    note->SetParent(FVGParent);
    // The record first: the setters after it write into the record.
    note->SetTakeNoteItem(ATakeNoteItem);
    note->SetContent(ATakeNoteItem->Content);
    note->SetID(ATakeNoteItem->ID);
    note->Position()->SetX(static_cast<float>(ATakeNoteItem->Left));
    note->Position()->SetY(static_cast<float>(ATakeNoteItem->Top));
    note->SetIsHide(ATakeNoteItem->IsHide);
    note->SetBackImage(ATakeNoteItem->BackImage);
    note->ContentFont()->SetFamily(ATakeNoteItem->FontName);
    note->ContentFont()->SetSize(static_cast<float>(ATakeNoteItem->FontSize));
    const int style = ATakeNoteItem->FontStyle;
    // A style the notes file should not hold shows as regular rather than as no style at all.
    note->ContentFont()->SetStyle(style >= vgFontRegular && style <= vgFontStrikeout
                                      ? static_cast<TvgFontStyle>(style)
                                      : vgFontRegular);
    note->SetContentColor(ColorToText(static_cast<TColorValue>(ATakeNoteItem->FontColor)));
    note->SetOnBuildInEvent(
        [this](QObject* sender, TMVSysCommand command) { DoBuildInEvent(sender, command); });
}

void TMaroviaManage::CreateNewTakeNote(int ALeft, int ATop) {
    auto item = std::make_unique<TTakeNoteItem>();
    item->Content = QStringLiteral("双击可以进行编辑便签内容！");
    item->RemindTime = 0;
    item->Top = ATop;
    item->Left = ALeft;
    item->IsHide = false;
    item->FontName = QStringLiteral("宋体");
    item->FontSize = 12;
    item->FontStyle = 0;
    item->FontColor = 0;
    FTakeNoteManage->AddItem(std::move(item));
    try {
        FTakeNoteManage->Save();
    } catch (const std::exception& error) {
        TellNotesNotSaved(error);
    }
}

void TMaroviaManage::TellNotesNotSaved(const std::exception& error) {
    // Raised from a menu command: nothing above it can catch, and the notes on the desktop are
    // still whole in memory, so they stay; the old file is untouched and the next save retries.
    Platform().MessageBox(QStringLiteral("便签保存失败！错误信息如下：\r\n") + ErrorText(error) +
                              QStringLiteral("\r\n便签仍在桌面上，下次保存时会再次写入。"),
                          QStringLiteral("Marovia"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
}

void TMaroviaManage::DeleteTakeNote() {
    TDesktopTakeNote* marked = nullptr;
    for (TvgObject* child : FVGParent->ChildList()) {
        auto* note = qobject_cast<TDesktopTakeNote*>(child);
        if (note && note->IsDelete()) {
            marked = note;
            break;
        }
    }
    if (!marked) return;
    TTakeNoteItem* item = marked->TakeNoteItem();
    // The record goes now; the widget leaves the scene now but is freed only once the command that
    // asked for this (raised from the note's own menu) has returned.
    marked->SetTakeNoteItem(nullptr);
    marked->SetParent(nullptr);
    Platform().Post([note = QPointer<TDesktopTakeNote>(marked)] { delete note.data(); });
    try {
        FTakeNoteManage->Delete(item);
    } catch (const std::exception& error) {
        TellNotesNotSaved(error);
    }
}

QString TMaroviaManage::CurrentPlanPath() const {
    return PathInfo->GetPlanPath(FCurrentPlanName);
}

QString TMaroviaManage::CurrentPlanConfigFile() const {
    return PathInfo->GetPlanConfigFile(FCurrentPlanName);
}

TVGBaseButton* TMaroviaManage::GetButton(int AIndex) const {
    if (AIndex < 0 || AIndex >= ButtonCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(AIndex) + ")");
    return FButtonList[static_cast<std::size_t>(AIndex)];
}

bool TMaroviaManage::ButtonExist(const QString& AButtonName) const {
    return std::any_of(FButtonList.begin(), FButtonList.end(), [&](const TVGBaseButton* button) {
        return SameText(button->ButtonName(), AButtonName);
    });
}

QString TMaroviaManage::NewImageFileName(TImageKind AKind) const {
    return CurrentPlanPath() + NewGUIDText() + GetImageFileExt(AKind);
}

bool TMaroviaManage::IsShowDesktop() const {
    return FVGDesktopPanel->Visible();
}

void TMaroviaManage::SetIsShowDesktop(bool value) {
    if (value) {
        // Files may have gone since the last look; the panel is about to show them.
        if (!FVGDesktopPanel->Visible()) CheckButtonTargets();
        FVGDesktopPanel->Show();
    } else {
        FKeyboardLaunch->Stop();
        FVGDesktopPanel->Hide();
    }
}

bool TMaroviaManage::IsShowDock() const {
    return FVGDockPanel->Visible();
}

void TMaroviaManage::SetIsShowDock(bool value) {
    FVGDockPanel->SetVisible(value);
}

bool TMaroviaManage::IsShowSideBar() const {
    return FVGSidePanel->Visible();
}

void TMaroviaManage::SetIsShowSideBar(bool value) {
    FVGSidePanel->SetVisible(value);
}

void TMaroviaManage::DoBuildInEvent(QObject* Sender, TMVSysCommand SysCommand) {
    if (FOnBuildInEvent) FOnBuildInEvent(Sender, SysCommand);
}

void TMaroviaManage::ClearButtons() {
    for (TVGBaseButton* button : FButtonList) delete button;
    FButtonList.clear();
    FVGDockPanel->SetButtonCount(0);
}

void TMaroviaManage::CreateSystemButton() {
    auto* button = new TVGDesktopButton(FVGDesktopPanel);
    button->SetButtonName(kSystemButtonName);
    button->SetFileName(kShowDesktopFileMarker);
    button->SetIsRunAsk(false);
    button->SetPlace(BP_Desktop);
    button->SetImageFile(PathInfo->WinFileButtonImageFile());
    button->SetIsSystemButton(true);
    button->SetSysCommand(MVC_ShowDesktopFile);
    FButtonList.push_back(button);
    FVGDesktopPanel->AddDesktopButton(button);
}

void TMaroviaManage::LoadFromFile() {
    // Buttons share their icon files: each file is looked at once in this load.
    const TDecodedPicturesPass pictures;
    ClearButtons();
    CreateSystemButton();
    if (!QFileInfo::exists(CurrentPlanConfigFile())) {
        FKeyboardLaunch->ButtonsChanged();
        return;
    }
    try {
        LoadButtons();
    } catch (const std::exception& error) {
        Platform().MessageBox(QStringLiteral("加载失败！错误信息如下：\r\n") + ErrorText(error),
                              QStringLiteral("Marovia"), TMsgIcon::MI_None, TMsgButtons::MB_Ok);
    }
    CheckButtonTargets();
    // A dock the user hid comes back when the plan has dock buttons; an empty one goes.
    FVGDockPanel->SetVisible(FVGDockPanel->ButtonCount() != 0);
    FVGDesktopPanel->DoRestore();
    FVGDesktopPanel->LoadDuePicturesLater();
    FKeyboardLaunch->ButtonsChanged();
}

int TMaroviaManage::CheckButtonTargets() {
    int missing = 0;
    // Each target is looked at once per pass: plans repeat targets (a thousand buttons may start
    // the same program), and every look is a call into the file system on the user's thread.
    QHash<QString, bool> goneByTarget;
    for (TVGBaseButton* button : FButtonList) {
        bool gone = false;
        if (!button->IsSystemButton()) {
            const QString& target = button->FileName();
            auto known = goneByTarget.constFind(target);
            if (known == goneByTarget.constEnd())
                known = goneByTarget.insert(target, CheckLaunchTarget(target) == TTargetState::TS_Missing);
            gone = *known;
        }
        button->SetIsTargetMissing(gone);
        if (gone) ++missing;
    }
    return missing;
}

void TMaroviaManage::FitToWorkArea() {
    const QRect workArea = Platform().WorkArea();
    const QSize screen = Platform().ScreenSize();
    if (workArea.size() == FWorkArea.size() && screen == FScreenSize) return;
    const auto width = static_cast<float>(workArea.width());
    // A dock the user dragged keeps its distance from the bottom edge, as an undragged one does.
    FVGDockPanel->Position()->SetY(FVGDockPanel->Position()->Y() +
                                   static_cast<float>(workArea.height() - FWorkArea.height()));
    FWorkArea = workArea;
    FScreenSize = screen;

    FVGDesktopPanel->SetHeight(static_cast<float>(screen.height()));
    TvgFloatAnimation* slide = FVGDesktopPanel->FloatAnimation();
    if (slide->Running()) {
        // The slide goes on, to or from the new edge.
        if (slide->StopValue() > slide->StartValue())
            slide->SetStopValue(width);
        else
            slide->SetStartValue(width);
    } else if (!FVGDesktopPanel->Visible()) {
        FVGDesktopPanel->Position()->SetX(width);
    }
    if (FVGDesktopPanel->Visible()) FVGDesktopPanel->SetWidth(width);

    // The grid's columns and rows come from the work area: the buttons are placed again, in file
    // order, as at start. A dock the user closed stays closed.
    const bool dockShown = FVGDockPanel->Visible();
    LoadFromFile();
    FVGDockPanel->SetVisible(dockShown && FVGDockPanel->ButtonCount() != 0);
    FVGDockPanel->Realign();
}

namespace {

// One entry's values, all read before any button is made, so that an entry that fails to convert
// leaves no half-made button behind in a panel.
struct TButtonEntry {
    QString Name;
    QString FileName;
    QString CmdLine;
    QString ImageFile;
    bool IsRunAsk = false;
};

void ApplyEntry(TVGBaseButton& button, const TButtonEntry& entry, TButtonPlace place) {
    button.SetButtonName(entry.Name);
    button.SetFileName(entry.FileName);
    button.SetCmdLine(entry.CmdLine);
    button.SetIsRunAsk(entry.IsRunAsk);
    button.SetPlace(place);
    button.SetImageFile(entry.ImageFile);
}

// A name as SameText compares it: the letters A to Z lowered, everything else as it is.
QString SameTextKey(const QString& name) {
    QString key = name;
    for (QChar& c : key)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
    return key;
}

}  // namespace

void TMaroviaManage::LoadButtons() {
    IXMLDesktopPtr desktop;
    QString damage;
    try {
        desktop = LoadDesktopReadablePart(CurrentPlanConfigFile(), damage);
    } catch (const EMvError& error) {
        KeepDamagedPlanFile({error.Message()});
    }
    const IXMLDesktop_MVButtonsPtr buttons = desktop->MVButtons();
    const int count = buttons->Count();
    const QString planPath = CurrentPlanPath();
    QStringList damaged;
    // The names taken so far, so that each entry is checked at once rather than against every
    // button made before it (as ButtonExist would).
    QSet<QString> taken;
    for (const TVGBaseButton* button : FButtonList) taken.insert(SameTextKey(button->ButtonName()));
    FVGDockPanel->BeginAdding();
    const auto rowKeptInside = qScopeGuard([this] { FVGDockPanel->EndAdding(); });
    for (int i = 0; i < count; ++i) {
        const IXMLDesktop_MVButtons_MVButtonPtr item = buttons->Item(i);
        const QString name = item->Name();
        if (taken.contains(SameTextKey(name))) continue;
        int place = 0;
        TButtonEntry entry;
        try {
            // Only the low byte of the stored place counts.
            place = item->Place() & 0xFF;
            if (place != BP_ToolBar && place != BP_Dock && place != BP_Desktop) continue;
            entry = TButtonEntry{name, item->FileName(), item->CmdLine(), planPath + item->Image(),
                                 item->IsRunAsk()};
        } catch (const EMvError& error) {
            // One damaged entry must not cost the buttons after it.
            damaged << QStringLiteral("第%1个按钮“%2”：%3").arg(i + 1).arg(name, error.Message());
            continue;
        }
        TVGBaseButton* button = nullptr;
        switch (place) {
            case BP_ToolBar:
                button = new TVGSideButton(FVGSidePanel);
                button->SetParent(FVGSidePanel);
                ApplyEntry(*button, entry, BP_ToolBar);
                button->SetHintBox(FVGHintBox);
                FVGSidePanel->AddSideButton(button);
                break;
            case BP_Dock:
                button = new TVGDockButton(FVGDockPanel);
                ApplyEntry(*button, entry, BP_Dock);
                button->SetHintBox(FVGHintBox);
                FVGDockPanel->AddDockButton(button);
                break;
            default:
                button = new TVGDesktopButton(FVGDesktopPanel);
                ApplyEntry(*button, entry, BP_Desktop);
                FVGDesktopPanel->AddDesktopButton(button);
                break;
        }
        FButtonList.push_back(button);
        taken.insert(SameTextKey(name));
    }
    // A file cut or garbled part-way gives the buttons before the damage; those after it are
    // only in the copy kept aside.
    if (!damage.isEmpty())
        damaged.prepend(damage +
                        QStringLiteral("\r\n损坏处之前的%1个按钮已读出，其后的按钮未能读出。").arg(count));
    if (damaged.isEmpty()) return;
    KeepDamagedPlanFile(damaged);
}

void TMaroviaManage::KeepDamagedPlanFile(QStringList ADetails) {
    // "应用" writes only what was readable; the copy keeps the rest for the user.
    const QString copy = KeepDamagedFileAside(CurrentPlanConfigFile());
    if (!copy.isEmpty()) ADetails << QStringLiteral("原文件已另存为：") + copy;
    throw EConvertError(ADetails.join(QStringLiteral("\r\n")));
}

void TMaroviaManage::RemoveNoteWidgets() {
    std::vector<TDesktopTakeNote*> notes;
    for (TvgObject* child : FVGParent->ChildList())
        if (auto* note = qobject_cast<TDesktopTakeNote*>(child)) notes.push_back(note);
    for (TDesktopTakeNote* note : notes) {
        note->SetTakeNoteItem(nullptr);
        note->SetParent(nullptr);
        // Freed later: the command that asked for this may come from a note's own menu.
        Platform().Post([gone = QPointer<TDesktopTakeNote>(note)] { delete gone.data(); });
    }
}

bool TMaroviaManage::RestoreBackup(const TBackupEntry& AEntry) {
    const bool notes = AEntry.Kind == TBackupKind::Notes;
    const QString target = notes ? FTakeNoteManage->FileName() : CurrentPlanConfigFile();
    try {
        const QByteArray bytes = TBackupStore::Read(AEntry.Path);
        if (bytes.isEmpty()) throw ESaveError(AEntry.Path + QStringLiteral(": 备份文件无法读取"));
        TBackupStore store = notes ? FTakeNoteManage->BackupStore() : Backups();
        // What the desktop shows now becomes a version too, so the restore itself can be undone.
        if (notes) FTakeNoteManage->Save();
        store.Keep(notes ? TBackupKind::Notes : TBackupKind::Buttons, target);
        SaveFileSafely(target, bytes);
    } catch (const std::exception& error) {
        Platform().MessageBox(QStringLiteral("恢复备份失败！错误信息如下：\r\n") + ErrorText(error),
                              QStringLiteral("Marovia"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
        return false;
    }
    if (notes) {
        RemoveNoteWidgets();
        ReadNotesFile(true);
    } else {
        LoadFromFile();
    }
    return true;
}

bool TMaroviaManage::UndoDeleteTakeNote() {
    try {
        return FTakeNoteManage->UndoDelete();
    } catch (const EXmlError& error) {
        // The note is back on the desktop even when the file could not take it yet.
        TellNotesNotSaved(error);
        return true;
    } catch (const std::exception& error) {
        Platform().MessageBox(QStringLiteral("撤销删除便签失败！错误信息如下：\r\n") + ErrorText(error),
                              QStringLiteral("Marovia"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
        return false;
    }
}
