#ifndef TESTS_HXCUSTOMWIDGETS_SCREENIMAGE_H
#define TESTS_HXCUSTOMWIDGETS_SCREENIMAGE_H

#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

// A widget that repaints only parts of itself must leave on the screen what a repaint of
// the whole would draw: these give both pictures of a widget in a shown window.
namespace ScreenImage {

inline QRect inWindow(const QWidget* widget)
{
    return QRect(widget->mapTo(widget->window(), QPoint()), widget->size());
}

// What the window's backing store holds now.
inline QImage held(QWidget* widget)
{
    QWidget* window = widget->window();
    return window->screen()
            ->grabWindow(window->winId())
            .toImage()
            .copy(inWindow(widget))
            .convertToFormat(QImage::Format_RGB32);
}

// What the window draws when all of it is painted anew.
inline QImage whole(QWidget* widget)
{
    return widget->window()
            ->grab()
            .toImage()
            .copy(inWindow(widget))
            .convertToFormat(QImage::Format_RGB32);
}

} // namespace ScreenImage

#endif // TESTS_HXCUSTOMWIDGETS_SCREENIMAGE_H
