#pragma once
// The platform the tests run on: a virtual clock whose timers fire only on Advance(ms), scripted
// message-box answers, recorded launches and menus, and a settable screen. No display is needed.

#include <QRegion>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "FakeShell.h"
#include "IPlatform.h"

class FakeHostWindow;

struct TRecordedMessage {
    QString Text;
    QString Title;
    TMsgIcon Icon;
    TMsgButtons Buttons;
};

class FakePopupMenu : public IPopupMenu {
public:
    std::vector<TPopupMenuItem>& Items() override { return FItems; }
    void SetOnPopup(std::function<void()> handler) override { FOnPopup = std::move(handler); }
    void Popup(QPoint screenPos) override;
    void Click(int index) override;
    void ClickSubItem(int index, int subIndex) override;

    int PopupCount() const { return FPopupCount; }
    QPoint LastPopupPos() const { return FLastPopupPos; }
    // The index of the item the next Popup chooses, or -1 to close the menu without a choice.
    void ScriptChoice(int index) { FScriptedChoice = index; }
    int IndexOfCaption(const QString& caption) const;

private:
    std::vector<TPopupMenuItem> FItems;
    std::function<void()> FOnPopup;
    int FPopupCount = 0;
    QPoint FLastPopupPos;
    int FScriptedChoice = -1;
};

class FakeTrayIcon : public ITrayIcon {
public:
    void SetToolTip(const QString& text) override { ToolTip = text; }
    void SetIcon(const QImage& icon) override { Icon = icon; }
    void SetMenu(IPopupMenu* menu) override { Menu = menu; }
    void SetOnDoubleClick(std::function<void()> handler) override { OnDoubleClick = std::move(handler); }
    void Show() override { Visible = true; }
    void Hide() override { Visible = false; }
    bool IsAvailable() const override { return Available; }

    QString ToolTip;
    QImage Icon;
    IPopupMenu* Menu = nullptr;
    std::function<void()> OnDoubleClick;
    bool Visible = false;
    bool Available = true;
};

class FakePlatform : public IPlatform {
public:
    FakePlatform();
    ~FakePlatform() override;

    std::uint64_t TickCount() const override { return FNow; }
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void Post(std::function<void()> task) override;
    void ProcessPendingEvents() override;
    // Runs the hook the test set (the "user's session"), then returns as the loop would.
    int Exec() override;
    void Quit() override { ++FQuitRequests; }

    QRect WorkArea() const override { return FWorkArea; }
    QSize ScreenSize() const override { return FScreenSize; }
    QPoint CursorPos() const override { return FCursorPos; }
    void ReserveRightStrip(int width) override;
    void SetOnScreenChanged(std::function<void()> handler) override { FOnScreenChanged = std::move(handler); }

    QString SetOnLaunchKey(std::function<void()> handler) override {
        FOnLaunchKey = std::move(handler);
        return FOnLaunchKey ? LaunchKeyName : QString();
    }
    std::unique_ptr<IHostWindow> CreateHostWindow(THostWindowKind kind) override;
    std::unique_ptr<IPopupMenu> CreatePopupMenu() override;
    std::unique_ptr<ITrayIcon> CreateTrayIcon() override;
    TMsgResult MessageBox(const QString& text, const QString& title, TMsgIcon icon,
                          TMsgButtons buttons) override;
    QString OpenFileName(const QString& filter) override;
    bool ChooseFont(TDialogFont& AFont) override;

    void TrimWorkingSet() override { ++FTrimCount; }
    // A new value at every call (the heap changes all the time), unless a test fixes it.
    std::uint64_t HeapFingerprint() const override {
        return FHeapFingerprint ? FHeapFingerprint : ++FHeapChanges;
    }
    void SetHeapFingerprint(std::uint64_t value) { FHeapFingerprint = value; }
    IShell& Shell() override { return FShell; }

    // --- the test's side ---
    // Moves the virtual clock forward, firing due timers in time order and running posted tasks.
    void Advance(int ms);
    // Runs the posted tasks (and the ones they post) without moving the clock.
    void RunPosted();
    int ActiveTimerCount() const { return static_cast<int>(FTimers.size()); }
    bool IsTimerActive(TimerId id) const { return FTimers.count(id) != 0; }

    void SetWorkArea(const QRect& rect) { FWorkArea = rect; }
    void SetScreenSize(const QSize& size) { FScreenSize = size; }
    // As the window system would: new sizes, then the change reported from the event loop.
    void ChangeScreen(const QRect& workArea, const QSize& screenSize);
    void SetCursorPos(const QPoint& pos) { FCursorPos = pos; }
    const std::vector<int>& ReservedStrips() const { return FReservedStrips; }

    // Answers for the next message boxes, in order; when none is left, the default answer is used.
    void ScriptAnswer(TMsgResult answer) { FAnswers.push_back(answer); }
    void SetDefaultAnswer(TMsgResult answer) { FDefaultAnswer = answer; }
    const std::vector<TRecordedMessage>& Messages() const { return FMessages; }
    void ClearMessages() { FMessages.clear(); }
    // Files the next open-file dialogs choose, in order; when none is left, the user cancels.
    void ScriptOpenFileName(const QString& fileName) { FOpenFileNames.push_back(fileName); }
    const std::vector<QString>& OpenFileFilters() const { return FOpenFileFilters; }

    // The font the next font dialog returns as if the user chose it; without one it is cancelled.
    void ScriptFontChoice(const TDialogFont& font) { FFontChoices.push_back(font); }
    // Every font the dialogs were opened with, in order.
    const std::vector<TDialogFont>& FontDialogs() const { return FFontDialogs; }

    // The user presses the launch key: its handler runs from the event loop, as on a desktop.
    void PressLaunchKey() {
        if (FOnLaunchKey) Post(FOnLaunchKey);
        RunPosted();
    }
    bool HasLaunchKey() const { return static_cast<bool>(FOnLaunchKey); }
    // Runs whenever the program makes a tray icon, before the icon is handed out.
    void SetOnCreateTrayIcon(std::function<void()> hook) { FOnCreateTrayIcon = std::move(hook); }
    QString LaunchKeyName = QStringLiteral("Super+Space");  // what registering answers

    void SetOnExec(std::function<void()> hook) { FOnExec = std::move(hook); }
    int TrimCount() const { return FTrimCount; }
    int QuitRequests() const { return FQuitRequests; }
    FakeShell& ShellFake() { return FShell; }
    const std::vector<FakeHostWindow*>& HostWindows() const { return FHostWindows; }
    const std::vector<FakePopupMenu*>& PopupMenus() const { return FPopupMenus; }
    const std::vector<FakeTrayIcon*>& TrayIcons() const { return FTrayIcons; }

private:
    friend class FakeHostWindow;
    struct Timer {
        int Interval;
        std::uint64_t Due;
        std::function<void()> Tick;
    };

    void RunDueTimers(std::uint64_t until);

    std::uint64_t FNow = 1000;
    TimerId FNextTimerId = 1;
    std::map<TimerId, Timer> FTimers;
    std::deque<std::function<void()>> FPosted;
    QRect FWorkArea{0, 0, 1920, 1040};
    QSize FScreenSize{1920, 1080};
    QPoint FCursorPos{0, 0};
    std::function<void()> FOnScreenChanged;
    std::function<void()> FOnLaunchKey;
    std::vector<int> FReservedStrips;
    std::deque<TMsgResult> FAnswers;
    TMsgResult FDefaultAnswer = TMsgResult::MR_Ok;
    std::vector<TRecordedMessage> FMessages;
    std::deque<QString> FOpenFileNames;
    std::vector<QString> FOpenFileFilters;
    std::deque<TDialogFont> FFontChoices;
    std::vector<TDialogFont> FFontDialogs;
    int FTrimCount = 0;
    std::uint64_t FHeapFingerprint = 0;
    mutable std::uint64_t FHeapChanges = 0;
    int FQuitRequests = 0;
    FakeShell FShell;
    std::function<void()> FOnExec;
    std::vector<FakeHostWindow*> FHostWindows;
    std::vector<FakePopupMenu*> FPopupMenus;
    std::vector<FakeTrayIcon*> FTrayIcons;
    std::function<void()> FOnCreateTrayIcon;
};
