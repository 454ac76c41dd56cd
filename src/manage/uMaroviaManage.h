#pragma once
// The scene manager: builds the panels of the main form's scene, loads the plan's launch buttons
// into them, keeps the list of buttons it made, owns the note store and forwards every built-in
// command raised in the scene to one handler.

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <exception>
#include <memory>
#include <vector>

#include "uBackups.h"
#include "uMaroviaTypes.h"
#include "uPubFuns.h"

class TKeyboardLaunch;
class TTakeNoteManage;
class TVGBaseButton;
class TVGDesktopPanel;
class TVGDockPanel;
class TVGHintBox;
class TVGSidePanel;
class TvgVisualObject;
struct TTakeNoteItem;

class TMaroviaManage {
public:
    // `AVGParent` is the scene root; the panels become its children.
    explicit TMaroviaManage(TvgVisualObject* AVGParent);
    ~TMaroviaManage();
    TMaroviaManage(const TMaroviaManage&) = delete;
    TMaroviaManage& operator=(const TMaroviaManage&) = delete;

    // Rebuilds every launch button from the plan's Desktop.xml.
    void LoadFromFile();
    // Fits the panels to the platform's current work area and screen after they changed: the dock is
    // centred again at its distance from the bottom, the desktop panel takes the new size and its
    // slide the new distance, and the buttons are placed on the new grid as at start.
    void FitToWorkArea();

    // Marks the buttons whose target file or folder has gone (web addresses and paths on network
    // or removable mounts are not asked about); run at every load and whenever the desktop panel
    // is shown, never while drawing. Returns how many are marked.
    int CheckButtonTargets();

    int ButtonCount() const { return static_cast<int>(FButtonList.size()); }
    // Raises std::out_of_range outside 0 … ButtonCount() − 1.
    TVGBaseButton* GetButton(int AIndex) const;
    // True when a button of that name exists, the letters A–Z compared without case.
    bool ButtonExist(const QString& AButtonName) const;
    // A new braced GUID file name for a button picture in the plan folder (not created).
    QString NewImageFileName(TImageKind AKind) const;

    QString CurrentPlanName() const { return FCurrentPlanName; }
    // The plan folder, created when missing.
    QString CurrentPlanPath() const;
    QString CurrentPlanConfigFile() const;

    // The shortcut files lying on the user's desktop, then on the desktop shared by all users,
    // each folder in the file system's order (uDesktopLinks.cpp).
    static QStringList GetDesktopLinkList();

    // The desktop panel is showing (also while it slides out); writing slides it in or out.
    bool IsShowDesktop() const;
    void SetIsShowDesktop(bool value);
    bool IsShowDock() const;
    void SetIsShowDock(bool value);
    bool IsShowSideBar() const;
    void SetIsShowSideBar(bool value);

    // Creates, shows and saves a new note with its top-left corner at (ALeft, ATop) in the scene.
    void CreateNewTakeNote(int ALeft, int ATop);
    // Deletes the first note among the root's children that marked itself for deletion.
    void DeleteTakeNote();

    // Puts an earlier version of the notes file or of the plan's button file back (the current one
    // kept as a version first) and shows what it holds. Failures are told to the user; false then.
    bool RestoreBackup(const TBackupEntry& AEntry);
    // Writes the plan folder and the notes as one workspace file into AFolder (which ends with a
    // separator) and tells the user where; its path, or empty after telling the failure.
    QString ExportWorkspace(const QString& AFolder);
    // Replaces the plan files and the notes with a workspace file's (both kept as versions first)
    // and shows them. A damaged workspace changes nothing. Failures are told; false then.
    bool ImportWorkspace(const QString& AFileName);
    // Brings the most recently deleted note back onto the desktop; false when there is none.
    bool UndoDeleteTakeNote();

    const TOnBuildInEvent& OnBuildInEvent() const { return FOnBuildInEvent; }
    void SetOnBuildInEvent(TOnBuildInEvent handler) { FOnBuildInEvent = std::move(handler); }
    void DoBuildInEvent(QObject* Sender, TMVSysCommand SysCommand);

    TVGSidePanel* SidePanel() const { return FVGSidePanel; }
    TVGDockPanel* DockPanel() const { return FVGDockPanel; }
    TVGDesktopPanel* DesktopPanel() const { return FVGDesktopPanel; }
    TVGHintBox* HintBox() const { return FVGHintBox; }
    TTakeNoteManage* TakeNoteManage() const { return FTakeNoteManage.get(); }
    // The search the launch key starts (uKeyboardLaunch).
    TKeyboardLaunch* KeyboardLaunch() const { return FKeyboardLaunch.get(); }

private:
    // Appends the shortcut files found directly in ADir (uDesktopLinks.cpp).
    static void AddLinkFiles(const QString& ADir, QStringList& AList);
    void ClearButtons();
    void CreateSystemButton();
    void LoadButtons();
    // Keeps a copy of the damaged plan file and raises the error naming what was damaged.
    [[noreturn]] void KeepDamagedPlanFile(QStringList ADetails);
    void LoadNotes();
    void ReadNotesFile(bool AReload);
    void RemoveNoteWidgets();
    void AddTakeNoteWidget(TTakeNoteItem* ATakeNoteItem);
    static void TellNotesNotSaved(const std::exception& error);

    std::vector<TVGBaseButton*> FButtonList;  // owned through the scene's owner model
    QString FCurrentPlanName;
    TvgVisualObject* FVGParent;
    // What the panels were last fitted to.
    QRect FWorkArea;
    QSize FScreenSize;
    TVGDesktopPanel* FVGDesktopPanel;
    TVGSidePanel* FVGSidePanel;
    TVGDockPanel* FVGDockPanel;
    TVGHintBox* FVGHintBox;
    TOnBuildInEvent FOnBuildInEvent;
    std::unique_ptr<TTakeNoteManage> FTakeNoteManage;
    std::unique_ptr<TKeyboardLaunch> FKeyboardLaunch;
};

// The one scene manager of the main form.
extern TMaroviaManage* MaroviaManage;
