#ifndef RXMONITORVIEW_H
#define RXMONITORVIEW_H

#include "hxcustomwidgets_global.h"

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QPixmap>
#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QSize>
#include <QTimer>
#include <QWidget>

class QPainter;

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
    // Moves the knob to (xValue, yValue), animated unless the step is under three pixels,
    // and emits _sensorValueChanged with them.
    void moveSensor();

signals:
    void _sensorValueChanged(qint32 x, qint32 y);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Layout
    {
        QRectF field;
        double radius = 0;
        double knobR = 0;
        double inset = 0;
        QRectF travel;
        QRectF wellRect;
    };
    // What the moving part shows: where the knob is (in half pixels) and in which colour.
    struct KnobState
    {
        bool drawn = false;
        bool outside = false;
        QPoint at;
    };

    QPointF toField(const QPointF& value, const QRectF& travel) const;
    Layout layout() const;
    void paintStaticLayer(QPainter* painter) const;
    KnobState knobState() const;
    QRegion knobRegion(const KnobState& state) const;
    // Repaints what the knob covered and what it covers now, and nothing when it has not
    // moved by half a pixel.
    void updateKnob();
    // One step of a move: repaints the knob and waits for the next beat, or ends the move.
    void nextFrame();
    // The parts that move with the stick, each drawn at an anchor point: the knob at its
    // centre; the vertical crosshair line with its marker under the well at (x, 0); the
    // horizontal one with its marker left of the well at (0, y).
    enum Piece { KnobPiece, ColumnPiece, RowPiece };
    void paintPiece(QPainter* painter, Piece piece, const QPointF& anchor, const QColor& rim) const;
    // Where a piece can draw, relative to its anchor.
    QRectF pieceExtent(Piece piece) const;
    // Copies a piece from a picture rendered once per size, colour and sub-pixel phase.
    void drawPiece(QPainter* painter, Piece piece, const QPointF& anchor, bool outside);

    QSize m_fieldSize;
    QSize m_knobSize;
    int m_minimum = 920;
    int m_maximum = 2120;
    int m_location = 0;
    QPointF m_restValue;
    bool m_hasRestValue = false;
    // The move in progress: from where, since when; it ends at m_restValue.
    bool m_moving = false;
    QPointF m_moveFrom;
    QElapsedTimer m_moveClock;
    QTimer m_frameTimer;
    // The static layer, drawn once per size (and per location and range).
    QPixmap m_staticLayer;
    QColor m_staticBackground; // what the static layer was filled with
    KnobState m_painted;
    // Pictures of the pieces by piece, colour and phase (see drawPiece), for the static
    // layer's size.
    QHash<int, QPixmap> m_sprites;
};

#endif // RXMONITORVIEW_H
