#ifndef RXMONITORVIEW_H
#define RXMONITORVIEW_H

#include "hxcustomwidgets_global.h"

#include <QPointF>
#include <QSize>
#include <QWidget>

class QVariantAnimation;

// A stick gimbal monitor: a square field with a centre cross and a knob that shows
// one transmitter stick (two receiver channels). The adaptors write the channel values
// into xValue/yValue (and set valueArrived on the first one) and then call
// moveSensor(), which animates the knob to the new place.
class HXCUSTOMWIDGETS_EXPORT RxMonitorView : public QWidget
{
    Q_OBJECT
public:
    // fieldWidth x fieldHeight is the stick field in pixels, knobWidth x knobHeight the knob.
    RxMonitorView(int fieldWidth, int fieldHeight, int knobWidth, int knobHeight,
                  QWidget* parent = nullptr);
    ~RxMonitorView() override;

    // The channel values that map onto the field's edges (920..2120 in this program).
    void setRangeValue(int min, int max);
    int minimumValue() const;
    int maximumValue() const;

    // Which stick this is: negative for the left one, positive for the right one.
    void setLocation(int location);
    int getLocation() const;

    // True while no move animation is running.
    bool animFinished() const;

    // Written directly by the receiver-monitor adaptors before moveSensor().
    double xValue = 0.0;
    double yValue = 0.0;
    bool valueArrived = false;

    // Where the knob is drawn right now, in channel units (between two values while
    // the knob moves).
    QPointF displayedValue() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    // Animates the knob to (xValue, yValue) and emits _sensorValueChanged with them.
    void moveSensor();

signals:
    void _sensorValueChanged(qint32 x, qint32 y);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF toField(const QPointF& value, const QRectF& travel) const;

    QSize m_fieldSize;
    QSize m_knobSize;
    int m_minimum = 920;
    int m_maximum = 2120;
    int m_location = 0;
    QPointF m_restValue;
    bool m_hasRestValue = false;
    QVariantAnimation* m_animation = nullptr;
};

#endif // RXMONITORVIEW_H
