#include "QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "FontDialog.h"
#include "QtPopupMenu.h"

QtPlatform::QtPlatform(int& argc, char** argv, const QString& applicationName)
    : FApplication(std::make_unique<QApplication>(argc, argv)) {
    QApplication::setApplicationName(applicationName);
    QApplication::setApplicationDisplayName(applicationName);
    // The program lives in the tray and on the desktop; closing a dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
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
    timer->setTimerType(intervalMs < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
    timer->start();
    FTimers[id] = std::move(timer);
    return id;
}

void QtPlatform::StopTimer(TimerId id) {
    auto found = FTimers.find(id);
    if (found == FTimers.end()) return;
    // The timer may be the one whose tick is running now: let Qt free it afterwards.
    found->second.release()->deleteLater();
    FTimers.erase(found);
}

void QtPlatform::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(FApplication.get(), std::move(task), Qt::QueuedConnection);
}

void QtPlatform::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

int QtPlatform::Exec() {
    return QApplication::exec();
}

void QtPlatform::Quit() {
    // Queued, so that a request made before the loop runs is not lost.
    QMetaObject::invokeMethod(FApplication.get(), &QCoreApplication::quit, Qt::QueuedConnection);
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
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
        case TMsgIcon::MI_None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case TMsgIcon::MI_Information:
            box.setIcon(QMessageBox::Information);
            break;
        case TMsgIcon::MI_Question:
            box.setIcon(QMessageBox::Question);
            break;
        case TMsgIcon::MI_Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case TMsgIcon::MI_Error:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (buttons) {
        case TMsgButtons::MB_Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case TMsgButtons::MB_YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case TMsgButtons::MB_OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case TMsgButtons::MB_YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (auto* yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("是(&Y)"));
    if (auto* no = box.button(QMessageBox::No)) no->setText(QStringLiteral("否(&N)"));
    if (auto* ok = box.button(QMessageBox::Ok)) ok->setText(QStringLiteral("确定"));
    if (auto* cancel = box.button(QMessageBox::Cancel)) cancel->setText(QStringLiteral("取消"));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return TMsgResult::MR_Yes;
        case QMessageBox::No:
            return TMsgResult::MR_No;
        case QMessageBox::Cancel:
            return TMsgResult::MR_Cancel;
        default:
            return TMsgResult::MR_Ok;
    }
}

QString QtPlatform::OpenFileName(const QString& filter) {
    // Over the window in use (the dialog that asks), so that the file dialog opens on top of it.
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), filter);
}
