#ifndef TESTS_HXCUSTOMWIDGETS_MOUSE_H
#define TESTS_HXCUSTOMWIDGETS_MOUSE_H

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// QTest's mouse moves carry no button state for widgets, so drags are sent by hand.
namespace Mouse {

inline void send(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
                 Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget* w, const QPoint& pos)
{
    send(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

inline void move(QWidget* w, const QPoint& pos)
{
    send(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}

inline void release(QWidget* w, const QPoint& pos)
{
    send(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

inline void drag(QWidget* w, const QPoint& from, const QPoint& to)
{
    press(w, from);
    move(w, (from + to) / 2);
    move(w, to);
    release(w, to);
}

} // namespace Mouse

#endif // TESTS_HXCUSTOMWIDGETS_MOUSE_H
