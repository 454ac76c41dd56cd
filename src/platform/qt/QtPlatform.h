#pragma once
// The platform on a real desktop: what Qt (Gui and Widgets) gives every window system. Constructing
// it creates the application object; the program's timers are Qt timers. Each window system derives
// from it for the host window, the reserved strip, trimming and its shell.

#include <QElapsedTimer>
#include <QTranslator>
#include <map>
#include <memory>
#include <vector>

#include <QMetaObject>

#include "IPlatform.h"

class QApplication;
class QFileSystemWatcher;
class QTimer;

class QtPlatform : public IPlatform {
public:
    QtPlatform(int& argc, char** argv, const QString& applicationName);
    ~QtPlatform() override;

    std::uint64_t TickCount() const override;
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    TimerId WatchFolder(const QString& folder, int pollMs, std::function<void()> changed) override;
    void Post(std::function<void()> task) override;
    void ProcessPendingEvents() override;
    int Exec() override;
    void Quit() override;

    QRect WorkArea() const override;
    QSize ScreenSize() const override;
    QPoint CursorPos() const override;
    void SetOnScreenChanged(std::function<void()> handler) override;
    std::unique_ptr<IPopupMenu> CreatePopupMenu() override;
    std::unique_ptr<ITrayIcon> CreateTrayIcon() override;
    TMsgResult MessageBox(const QString& text, const QString& title, TMsgIcon icon,
                          TMsgButtons buttons) override;
    QString OpenFileName(const QString& filter) override;
    bool ChooseFont(TDialogFont& AFont) override;

    IShell& Shell() override { return *FShell; }

protected:
    // The window system's shell, made once the application object exists.
    void SetShell(std::unique_ptr<IShell> shell) { FShell = std::move(shell); }

private:
    std::unique_ptr<QApplication> FApplication;
    std::unique_ptr<QTranslator> FQtTranslations;  // after the application: freed before it
    QElapsedTimer FClock;
    TimerId FNextTimerId = 1;
    std::map<TimerId, std::unique_ptr<QTimer>> FTimers;
    std::map<TimerId, std::unique_ptr<QFileSystemWatcher>> FFolderWatches;
    std::unique_ptr<IShell> FShell;
    bool FQuitRequested = false;
    std::function<void()> FOnScreenChanged;
    bool FScreenChangePosted = false;
    QMetaObject::Connection FPrimaryScreenConnection;
    std::vector<QMetaObject::Connection> FScreenConnections;

    void WatchPrimaryScreen();
    void PostScreenChanged();
};
