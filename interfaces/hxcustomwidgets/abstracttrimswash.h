#ifndef ABSTRACTTRIMSWASH_H
#define ABSTRACTTRIMSWASH_H

#include "hxcustomwidgets_global.h"

#include <QWidget>

class QPainter;

// Common base of the swash-plate trim widgets: a trim range for the user's trims and a
// range for the live servo monitor channels (217..220) drawn as bars.
class HXCUSTOMWIDGETS_EXPORT AbstractTrimSwash : public QWidget
{
    Q_OBJECT
public:
    explicit AbstractTrimSwash(QWidget* parent = nullptr);
    ~AbstractTrimSwash() override;

    void setTrimRange(int min, int max);
    int trimMinimum() const;
    int trimMaximum() const;

    // Range of the monitor channel values (1120..1920 in this program).
    virtual void setMonitorRange(int min, int max);
    int monitorMinimum() const;
    int monitorMaximum() const;

    // The first and last monitor channel shown, and the last value of one (the middle of
    // the monitor range until a value has arrived).
    static constexpr int FirstMonitorChannel = 217;
    static constexpr int LastMonitorChannel = 220;
    int monitorValue(int channel) const;
    bool hasMonitorValue(int channel) const;

public slots:
    // Shows the live value of monitor channel 217..220; other channels are ignored.
    virtual void setTrimMonitorValue(int channel, int value);

protected:
    // Called after the trim range changed, so that the trims can be clamped into it.
    virtual void trimRangeChanged();
    int clampTrim(int value) const;
    // Draws the four monitor bars into rect, one row per channel.
    void paintMonitor(QPainter* painter, const QRectF& rect, double scale) const;
    // The design size that the subclass lays itself out in, and the scale and offset
    // that fit it into the widget.
    double layoutScale(const QSizeF& design) const;
    QPointF layoutOffset(const QSizeF& design) const;
    // A rectangle given in design coordinates, in the widget's coordinates.
    QRectF layoutRect(const QSizeF& design, const QRectF& rect) const;

private:
    static constexpr int ChannelCount = LastMonitorChannel - FirstMonitorChannel + 1;
    int m_trimMinimum = -100;
    int m_trimMaximum = 100;
    int m_monitorMinimum = 1120;
    int m_monitorMaximum = 1920;
    int m_monitor[ChannelCount] = {0, 0, 0, 0};
    bool m_monitorSet[ChannelCount] = {false, false, false, false};
};

#endif // ABSTRACTTRIMSWASH_H
