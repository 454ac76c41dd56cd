#pragma once
// A left click delivered to a widget the way the window system would: press, then release.
// (Qt's test library is not part of every kit, the Windows one included.)

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void MouseClick(QWidget* widget, QPoint at) {
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}
