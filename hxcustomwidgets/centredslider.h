#ifndef CENTREDSLIDER_H
#define CENTREDSLIDER_H

#include <QSlider>

// A slider whose fill grows from zero (or the end of the range nearest to it) towards
// the handle, so a value either side of the centre reads at a glance.
class CentredSlider : public QSlider
{
    Q_OBJECT
public:
    explicit CentredSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QRectF grooveRect() const;
    QPointF handleCentre() const;
    double handleRadius() const;
    int valueAt(const QPoint& pos) const;
    double positionOf(int value) const;

    bool m_hovered = false;
    bool m_dragging = false;
    bool m_keyboardFocus = false;
};

#endif // CENTREDSLIDER_H
