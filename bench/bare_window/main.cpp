// The floor the running program is compared with: a frameless, per-pixel translucent Qt window
// over the screen that paints nothing but its transparent background and otherwise sleeps.

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdint>

namespace {

std::int64_t MonotonicMs() {
    QElapsedTimer clock;
    clock.start();
    return clock.msecsSinceReference();
}

// As the program does: with MAROVIA_EXEC_AT (the realtime clock's microseconds since the epoch
// when the launcher exec'd us) the report counts from the exec rather than from main().
std::int64_t StartedAt(std::int64_t mainAt) {
    bool ok = false;
    const qint64 execAt = qgetenv("MAROVIA_EXEC_AT").toLongLong(&ok);
    if (!ok) return mainAt;
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const auto sinceExecMs = (now - execAt) / 1000;
    if (sinceExecMs < 0 || sinceExecMs > 60000 || sinceExecMs > mainAt) return mainAt;
    return mainAt - sinceExecMs;
}

class TBareWindow : public QWidget {
public:
    // With `startedAt` >= 0 the window says, as the program does, how long after the start its
    // first frame was presented: once the first paint has been flushed.
    explicit TBareWindow(std::int64_t startedAt) : FStartedAt(startedAt) {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
        setAttribute(Qt::WA_TranslucentBackground);
        setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), Qt::transparent);
        if (FStartedAt < 0) return;
        QTimer::singleShot(0, this, [startedAt = FStartedAt] {
            QTextStream(stderr) << "first frame presented " << (MonotonicMs() - startedAt)
                                << " ms after start\n";
        });
        FStartedAt = -1;
    }

private:
    std::int64_t FStartedAt;
};

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t startedAt = StartedAt(MonotonicMs());
    QApplication app(argc, argv);
    TBareWindow window(qEnvironmentVariableIsSet("MAROVIA_REPORT_STARTUP") ? startedAt : -1);
    window.show();
    return QApplication::exec();
}
