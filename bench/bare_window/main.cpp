// The floor the running program is compared with: a frameless, per-pixel translucent Qt window
// over the screen that paints nothing but its transparent background and otherwise sleeps.

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class TBareWindow : public QWidget {
public:
    TBareWindow() {
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
        setAttribute(Qt::WA_TranslucentBackground);
        setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(event->rect(), Qt::transparent);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TBareWindow window;
    window.show();
    return QApplication::exec();
}
