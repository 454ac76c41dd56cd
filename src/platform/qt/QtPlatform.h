#pragma once
// The platform on a real desktop, built on Qt (Gui and Widgets) with X11 specifics in X11Window.
// Constructing it creates the application object; the program's timers are Qt timers.

#include <QElapsedTimer>
#include <map>
#include <memory>

#include "IPlatform.h"

class QApplication;
class QTimer;
class QWindow;

class QtPlatform : public IPlatform {
public:
    QtPlatform(int& argc, char** argv, const QString& applicationName);
    ~QtPlatform() override;

    std::uint64_t TickCount() const override;
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void Post(std::function<void()> task) override;
    void ProcessPendingEvents() override;
    int Exec() override;
    void Quit() override;

    QRect WorkArea() const override;
    QSize ScreenSize() const override;
    QPoint CursorPos() const override;
    void ReserveRightStrip(int width) override;

    std::unique_ptr<IHostWindow> CreateHostWindow(THostWindowKind kind) override;
    std::unique_ptr<IPopupMenu> CreatePopupMenu() override;
    std::unique_ptr<ITrayIcon> CreateTrayIcon() override;
    TMsgResult MessageBox(const QString& text, const QString& title, TMsgIcon icon,
                          TMsgButtons buttons) override;
    bool ChooseFont(TDialogFont& AFont) override;

    void TrimWorkingSet() override;
    IShell& Shell() override { return *FShell; }

private:
    std::unique_ptr<QApplication> FApplication;
    QElapsedTimer FClock;
    TimerId FNextTimerId = 1;
    std::map<TimerId, std::unique_ptr<QTimer>> FTimers;
    std::unique_ptr<QWindow> FStrutWindow;
    std::unique_ptr<IShell> FShell;
};
