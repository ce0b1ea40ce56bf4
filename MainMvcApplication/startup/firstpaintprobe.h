#ifndef FIRSTPAINTPROBE_H
#define FIRSTPAINTPROBE_H

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QWidget;

// For the start-up benchmark: prints "<name>: painted <ms>" on stdout the first time
// `window` draws itself, counted on the caller's clock from the process's start. Work
// put off until after the program is ready still shows up here, when the window appears.
class FirstPaintProbe : public QObject
{
public:
    FirstPaintProbe(QWidget* window, const QElapsedTimer& sinceStart, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer m_sinceStart;
    QString m_name;
};

#endif // FIRSTPAINTPROBE_H
