#include "QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "FontDialog.h"
#include "MessageBox.h"
#include "QtPopupMenu.h"
#include "QtTranslations.h"
#include "TimerPhase.h"

QtPlatform::QtPlatform(int& argc, char** argv, const QString& applicationName)
    : FApplication(std::make_unique<QApplication>(argc, argv)) {
    // Only the name: a display name would be appended to every window title on X11 ("提示 — Marovia"),
    // and the boxes and dialogs carry their own captions exactly.
    QApplication::setApplicationName(applicationName);
    // The program lives in the tray and on the desktop; closing a dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    FQtTranslations = LoadQtTranslations(QLocale::system());
    if (FQtTranslations) QCoreApplication::installTranslator(FQtTranslations.get());
    FClock.start();
    // Logging out ends the program through its normal shut-down, so nothing unsaved is lost.
    QObject::connect(FApplication.get(), &QGuiApplication::commitDataRequest,
                     [this](QSessionManager&) { Quit(); });
}

QtPlatform::~QtPlatform() {
    SetOnScreenChanged(nullptr);
    FTimers.clear();
}

std::uint64_t QtPlatform::TickCount() const {
    return static_cast<std::uint64_t>(FClock.elapsed());
}

TimerId QtPlatform::StartTimer(int intervalMs, std::function<void()> tick) {
    const TimerId id = FNextTimerId++;
    auto timer = std::make_unique<QTimer>();
    timer->setInterval(intervalMs);
    const bool coarse = intervalMs >= 100;
    timer->setTimerType(coarse ? Qt::CoarseTimer : Qt::PreciseTimer);
    const int firstDelay =
        coarse ? FirstTickDelay(intervalMs, QDeadlineTimer::current().deadline()) : intervalMs;
    if (firstDelay == intervalMs) {
        QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
        timer->start();
    } else {
        // The first tick on a half-second mark, so that the working-set trim and the wallpaper
        // poll wake the program together from their first ticks on; the timer repeats from there.
        QTimer* repeating = timer.get();
        QTimer::singleShot(firstDelay, Qt::PreciseTimer, repeating, [repeating, tick = std::move(tick)] {
            QObject::connect(repeating, &QTimer::timeout, tick);
            repeating->start();
            tick();
        });
    }
    FTimers[id] = std::move(timer);
    return id;
}

void QtPlatform::StopTimer(TimerId id) {
    if (auto watch = FFolderWatches.find(id); watch != FFolderWatches.end()) {
        watch->second.release()->deleteLater();
        FFolderWatches.erase(watch);
        return;
    }
    auto found = FTimers.find(id);
    if (found == FTimers.end()) return;
    // The timer may be the one whose tick is running now: let Qt free it afterwards.
    found->second.release()->deleteLater();
    FTimers.erase(found);
}

TimerId QtPlatform::WatchFolder(const QString& folder, int pollMs, std::function<void()> changed) {
    // The system tells of the change (inotify, ReadDirectoryChangesW): nothing wakes the program
    // while the folder stays as it is.
    auto watcher = std::make_unique<QFileSystemWatcher>();
    if (!watcher->addPath(folder)) return StartTimer(pollMs, std::move(changed));
    QObject::connect(watcher.get(), &QFileSystemWatcher::directoryChanged,
                     [changed = std::move(changed)](const QString&) { changed(); });
    const TimerId id = FNextTimerId++;
    FFolderWatches[id] = std::move(watcher);
    return id;
}

void QtPlatform::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(FApplication.get(), std::move(task), Qt::QueuedConnection);
}

void QtPlatform::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

int QtPlatform::Exec() {
    // A quit asked for before the loop ran (a signal while a start-up message box was open) is not
    // lost: the loop that was asked to end does not start.
    if (std::exchange(FQuitRequested, false)) return 0;
    const int exitCode = QApplication::exec();
    FQuitRequested = false;
    return exitCode;
}

void QtPlatform::Quit() {
    FQuitRequested = true;
    // Ends every loop now running, a modal box's too (its answer is then the cautious one), so that
    // shut-down is not held up by a box nobody will answer.
    QCoreApplication::exit(0);
}

QRect QtPlatform::WorkArea() const {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QSize QtPlatform::ScreenSize() const {
    return QGuiApplication::primaryScreen()->geometry().size();
}

QPoint QtPlatform::CursorPos() const {
    return QCursor::pos();
}

void QtPlatform::SetOnScreenChanged(std::function<void()> handler) {
    FOnScreenChanged = std::move(handler);
    QObject::disconnect(FPrimaryScreenConnection);
    for (const auto& connection : FScreenConnections) QObject::disconnect(connection);
    FScreenConnections.clear();
    if (!FOnScreenChanged) return;
    FPrimaryScreenConnection = QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, [this] {
        WatchPrimaryScreen();
        PostScreenChanged();
    });
    WatchPrimaryScreen();
}

void QtPlatform::WatchPrimaryScreen() {
    for (const auto& connection : FScreenConnections) QObject::disconnect(connection);
    FScreenConnections.clear();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    FScreenConnections.push_back(
        QObject::connect(screen, &QScreen::availableGeometryChanged, [this] { PostScreenChanged(); }));
    FScreenConnections.push_back(
        QObject::connect(screen, &QScreen::geometryChanged, [this] { PostScreenChanged(); }));
}

void QtPlatform::PostScreenChanged() {
    // A resize brings a new size and a new work area one after the other: one re-fit for both.
    if (FScreenChangePosted) return;
    FScreenChangePosted = true;
    Post([this] {
        FScreenChangePosted = false;
        if (FOnScreenChanged) FOnScreenChanged();
    });
}

std::unique_ptr<IPopupMenu> QtPlatform::CreatePopupMenu() {
    return std::make_unique<QtPopupMenu>();
}

bool QtPlatform::ChooseFont(TDialogFont& AFont) {
    return RunFontDialog(AFont);
}

std::unique_ptr<ITrayIcon> QtPlatform::CreateTrayIcon() {
    return std::make_unique<QtTrayIcon>();
}

TMsgResult QtPlatform::MessageBox(const QString& text, const QString& title, TMsgIcon icon,
                                  TMsgButtons buttons) {
    QMessageBox box;
    SetUpMessageBox(box, text, title, icon, buttons);
    box.exec();
    return MessageBoxAnswer(box);
}

QString QtPlatform::OpenFileName(const QString& filter) {
    // Over the window in use (the dialog that asks), so that the file dialog opens on top of it.
    QFileDialog dialog(QApplication::activeWindow(), QString(), QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A name pattern cannot tell programs apart; the dialog's own listing can (Qt's dialog only:
    // a native one offers the patterns alone).
    const QDir::Filters listing = dialog.filter();
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, listing](const QString& kind) {
        dialog.setFilter(kind == ExecutableFilesKind() ? listing | QDir::Executable : listing);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}
