#include "firstpaintprobe.h"

#include <QEvent>
#include <QTextStream>
#include <QWidget>

FirstPaintProbe::FirstPaintProbe(QWidget* window, const QElapsedTimer& sinceStart,
                                 const QString& name)
    : QObject(window)
    , m_sinceStart(sinceStart)
    , m_name(name)
{
    window->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        QTextStream(stdout) << m_name << ": painted " << m_sinceStart.elapsed() << Qt::endl;
        watched->removeEventFilter(this);
    }
    return false;
}
