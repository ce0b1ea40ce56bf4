#include "centredslider.h"

#include "widgetstyle.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

CentredSlider::CentredSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

QSize CentredSlider::sizeHint() const
{
    return orientation() == Qt::Vertical ? QSize(28, 120) : QSize(140, 28);
}

QSize CentredSlider::minimumSizeHint() const
{
    return orientation() == Qt::Vertical ? QSize(18, 48) : QSize(48, 18);
}

double CentredSlider::handleRadius() const
{
    const int across = orientation() == Qt::Vertical ? width() : height();
    return qBound(5.0, across * 0.3, 10.0);
}

QRectF CentredSlider::grooveRect() const
{
    const double r = handleRadius() + 1.0;
    const double thickness = qMax(4.0, r * 0.7);
    const QRectF all(rect());
    if (orientation() == Qt::Vertical)
        return QRectF(all.center().x() - thickness / 2, r, thickness, all.height() - 2 * r);
    return QRectF(r, all.center().y() - thickness / 2, all.width() - 2 * r, thickness);
}

double CentredSlider::positionOf(int v) const
{
    const QRectF g = grooveRect();
    const double span = double(maximum()) - minimum();
    double f = span > 0 ? (double(v) - minimum()) / span : 0.5;
    if (invertedAppearance())
        f = 1.0 - f;
    // Vertical sliders grow upwards, as Qt's own do.
    return orientation() == Qt::Vertical ? g.bottom() - f * g.height() : g.left() + f * g.width();
}

QPointF CentredSlider::handleCentre() const
{
    const QRectF g = grooveRect();
    const double at = positionOf(sliderPosition());
    return orientation() == Qt::Vertical ? QPointF(g.center().x(), at)
                                         : QPointF(at, g.center().y());
}

int CentredSlider::valueAt(const QPoint& pos) const
{
    const QRectF g = grooveRect();
    double f = orientation() == Qt::Vertical ? (g.bottom() - pos.y()) / g.height()
                                             : (pos.x() - g.left()) / g.width();
    f = qBound(0.0, f, 1.0);
    if (invertedAppearance())
        f = 1.0 - f;
    return minimum() + qRound(f * (double(maximum()) - minimum()));
}

// The slider jumps to the pressed point and follows the mouse. The press and release
// signals frame the drag exactly as with Qt's own slider, so whoever listens to them
// sees one finished change at release.
void CentredSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || maximum() == minimum() || !isEnabled()) {
        event->ignore();
        return;
    }
    event->accept();
    m_dragging = true;
    setSliderDown(true);
    setSliderPosition(valueAt(event->pos()));
    update();
}

void CentredSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        event->ignore();
        return;
    }
    event->accept();
    setSliderPosition(valueAt(event->pos()));
}

void CentredSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    m_dragging = false;
    setSliderDown(false);
    update();
}

void CentredSlider::enterEvent(QEvent* event)
{
    m_hovered = true;
    update();
    QSlider::enterEvent(event);
}

void CentredSlider::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QSlider::leaveEvent(event);
}

void CentredSlider::hideEvent(QHideEvent* event)
{
    // Hidden in the middle of a drag: finish it as a release would, so that whoever
    // waits for the release is not left waiting.
    if (m_dragging) {
        m_dragging = false;
        setSliderDown(false);
    }
    QSlider::hideEvent(event);
}

void CentredSlider::focusInEvent(QFocusEvent* event)
{
    // Show the focus only when the keyboard brought it; a click shows itself.
    m_keyboardFocus =
            event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QSlider::focusInEvent(event);
}

void CentredSlider::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    update();
    QSlider::focusOutEvent(event);
}

void CentredSlider::paintEvent(QPaintEvent*)
{
    using namespace WidgetStyle;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool vertical = orientation() == Qt::Vertical;
    const QRectF g = grooveRect();
    const double thick = vertical ? g.width() : g.height();

    drawWell(&p, g.adjusted(-1, -1, 1, 1), thick / 2 + 1);

    // Scale marks: the ends, the quarters and a strong mark at zero.
    const int zero = qBound(minimum(), 0, maximum());
    p.setPen(QPen(grid(), 1.0));
    for (int i = 0; i <= 4; ++i) {
        const int v = minimum() + qRound((double(maximum()) - minimum()) * i / 4.0);
        const double at = positionOf(v);
        const double len = thick * 0.9;
        if (vertical) {
            p.drawLine(QPointF(g.left() - 3 - len, at), QPointF(g.left() - 3, at));
            p.drawLine(QPointF(g.right() + 3, at), QPointF(g.right() + 3 + len, at));
        } else {
            p.drawLine(QPointF(at, g.top() - 3 - len), QPointF(at, g.top() - 3));
            p.drawLine(QPointF(at, g.bottom() + 3), QPointF(at, g.bottom() + 3 + len));
        }
    }

    const QColor colour = isEnabled() ? accent() : textDim();
    const double from = positionOf(zero);
    const double to = positionOf(sliderPosition());
    if (!qFuzzyCompare(from, to)) {
        QRectF fill = vertical ? QRectF(g.left(), qMin(from, to), g.width(), qAbs(to - from))
                               : QRectF(qMin(from, to), g.top(), qAbs(to - from), g.height());
        QLinearGradient gr(vertical ? QPointF(0, from) : QPointF(from, 0),
                           vertical ? QPointF(0, to) : QPointF(to, 0));
        gr.setColorAt(0.0, withAlpha(colour, 110));
        gr.setColorAt(1.0, colour);
        p.setPen(Qt::NoPen);
        p.setBrush(gr);
        p.drawRoundedRect(fill, thick / 2, thick / 2);
    }
    // Zero mark across the groove.
    p.setPen(QPen(text(), 1.6));
    if (vertical)
        p.drawLine(QPointF(g.left() - 4, from), QPointF(g.right() + 4, from));
    else
        p.drawLine(QPointF(from, g.top() - 4), QPointF(from, g.bottom() + 4));

    const double r = handleRadius() * ((m_hovered || isSliderDown()) ? 1.08 : 1.0);
    drawKnob(&p, handleCentre(), r, colour, isEnabled());
    if (hasFocus() && m_keyboardFocus) {
        p.setPen(QPen(withAlpha(text(), 140), 1.0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(handleCentre(), r + 3, r + 3);
    }
}
