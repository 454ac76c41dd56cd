#include "FakePlatform.h"

#include <algorithm>
#include <stdexcept>

#include "FakeHostWindow.h"

void FakePopupMenu::Popup(QPoint screenPos) {
    ++FPopupCount;
    FLastPopupPos = screenPos;
    if (FOnPopup) FOnPopup();
    const int choice = std::exchange(FScriptedChoice, -1);
    if (choice >= 0) Click(choice);
}

void FakePopupMenu::Click(int index) {
    FItems.at(static_cast<std::size_t>(index));  // a test's wrong index is its own failure
    ClickMenuItem(FItems, index);
}

void FakePopupMenu::ClickSubItem(int index, int subIndex) {
    std::vector<TPopupMenuItem>& items = FItems.at(static_cast<std::size_t>(index)).Items;
    items.at(static_cast<std::size_t>(subIndex));
    ClickMenuItem(items, subIndex);
}

int FakePopupMenu::IndexOfCaption(const QString& caption) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Caption == caption) return static_cast<int>(i);
    return -1;
}

FakePlatform::FakePlatform() = default;
FakePlatform::~FakePlatform() = default;

TimerId FakePlatform::StartTimer(int intervalMs, std::function<void()> tick) {
    const TimerId id = FNextTimerId++;
    const int interval = std::max(intervalMs, 1);
    FTimers[id] = Timer{interval, FNow + static_cast<std::uint64_t>(interval), std::move(tick)};
    return id;
}

void FakePlatform::StopTimer(TimerId id) {
    FTimers.erase(id);
}

void FakePlatform::Post(std::function<void()> task) {
    FPosted.push_back(std::move(task));
}

void FakePlatform::RunPosted() {
    // Tasks posted while running are run too, as an event loop would before it sleeps.
    while (!FPosted.empty()) {
        auto task = std::move(FPosted.front());
        FPosted.pop_front();
        task();
    }
}

void FakePlatform::ProcessPendingEvents() {
    RunPosted();
    RunDueTimers(FNow);
}

void FakePlatform::RunDueTimers(std::uint64_t until) {
    for (;;) {
        auto due = std::min_element(FTimers.begin(), FTimers.end(),
                                    [](const auto& a, const auto& b) { return a.second.Due < b.second.Due; });
        if (due == FTimers.end() || due->second.Due > until) return;
        FNow = std::max(FNow, due->second.Due);
        const TimerId id = due->first;
        due->second.Due = FNow + static_cast<std::uint64_t>(due->second.Interval);
        // Copy: the tick may stop (erase) its own timer.
        auto tick = due->second.Tick;
        tick();
        (void)id;
        RunPosted();
    }
}

void FakePlatform::Advance(int ms) {
    if (ms < 0) throw std::invalid_argument("the virtual clock does not run backwards");
    RunPosted();
    const std::uint64_t target = FNow + static_cast<std::uint64_t>(ms);
    RunDueTimers(target);
    FNow = target;
    RunPosted();
}

int FakePlatform::Exec() {
    // A copy: the hook may set another one (a nested start) while it runs.
    const auto hook = FOnExec;
    if (hook) hook();
    return 0;
}

void FakePlatform::ReserveRightStrip(int width) {
    FReservedStrips.push_back(width);
    FWorkArea.setWidth(FScreenSize.width() - width);
}

std::unique_ptr<IHostWindow> FakePlatform::CreateHostWindow(THostWindowKind kind) {
    return std::make_unique<FakeHostWindow>(*this, kind);
}

std::unique_ptr<IPopupMenu> FakePlatform::CreatePopupMenu() {
    auto menu = std::make_unique<FakePopupMenu>();
    FPopupMenus.push_back(menu.get());
    return menu;
}

std::unique_ptr<ITrayIcon> FakePlatform::CreateTrayIcon() {
    if (FOnCreateTrayIcon) FOnCreateTrayIcon();
    auto tray = std::make_unique<FakeTrayIcon>();
    FTrayIcons.push_back(tray.get());
    return tray;
}

TMsgResult FakePlatform::MessageBox(const QString& text, const QString& title, TMsgIcon icon,
                                    TMsgButtons buttons) {
    FMessages.push_back({text, title, icon, buttons});
    if (FAnswers.empty()) return FDefaultAnswer;
    const TMsgResult answer = FAnswers.front();
    FAnswers.pop_front();
    return answer;
}

QString FakePlatform::OpenFileName(const QString& filter) {
    FOpenFileFilters.push_back(filter);
    if (FOpenFileNames.empty()) return QString();
    const QString fileName = FOpenFileNames.front();
    FOpenFileNames.pop_front();
    return fileName;
}

bool FakePlatform::ChooseFont(TDialogFont& AFont) {
    FFontDialogs.push_back(AFont);
    if (FFontChoices.empty()) return false;
    AFont = FFontChoices.front();
    FFontChoices.pop_front();
    return true;
}

void FakePlatform::ChangeScreen(const QRect& workArea, const QSize& screenSize) {
    FWorkArea = workArea;
    FScreenSize = screenSize;
    Post([this] {
        if (FOnScreenChanged) FOnScreenChanged();
    });
}
