#include "trimbutton.h"

#include "widgetstyle.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

TrimButton::TrimButton(Kind kind, QWidget* parent)
    : QAbstractButton(parent)
    , m_kind(kind)
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    if (kind != Clear) {
        setAutoRepeat(true);
        setAutoRepeatDelay(350);
        setAutoRepeatInterval(70);
    }
}

QSize TrimButton::sizeHint() const
{
    return QSize(24, 24);
}

void TrimButton::enterEvent(QEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TrimButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TrimButton::focusInEvent(QFocusEvent* event)
{
    // Show the focus only when the keyboard brought it; a click shows itself.
    m_keyboardFocus =
            event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QAbstractButton::focusInEvent(event);
}

void TrimButton::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    update();
    QAbstractButton::focusOutEvent(event);
}

void TrimButton::paintEvent(QPaintEvent*)
{
    using namespace WidgetStyle;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double side = qMin(r.width(), r.height());
    QRectF face(0, 0, side, side);
    face.moveCenter(r.center());

    const QColor tone = m_kind == Clear ? alert() : accent();
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    const bool down = isDown();
    fill.setColorAt(0.0, down ? QColor(0x12, 0x18, 0x21) : QColor(0x3a, 0x47, 0x59));
    fill.setColorAt(1.0, down ? QColor(0x1d, 0x25, 0x31) : QColor(0x25, 0x2e, 0x3b));
    p.setPen(QPen(m_hovered || (hasFocus() && m_keyboardFocus) ? tone : panelBorder(), 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(face, side * 0.28, side * 0.28);

    const QColor glyph = isEnabled() ? (m_hovered || down ? tone : WidgetStyle::text()) : textDim();
    p.setPen(QPen(glyph, qMax(1.6, side * 0.1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = face.center();
    const double g = side * 0.24;
    switch (m_kind) {
    case Minus:
        p.drawLine(QPointF(c.x() - g, c.y()), QPointF(c.x() + g, c.y()));
        break;
    case Plus:
        p.drawLine(QPointF(c.x() - g, c.y()), QPointF(c.x() + g, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - g), QPointF(c.x(), c.y() + g));
        break;
    case Clear: {
        // A counter-clockwise "back to zero" arrow.
        const double rr = side * 0.25;
        const QRectF arc(c.x() - rr, c.y() - rr, 2 * rr, 2 * rr);
        p.drawArc(arc, 100 * 16, 280 * 16);
        const QPointF tip(c.x() + rr * std::cos(qDegreesToRadians(100.0)),
                          c.y() - rr * std::sin(qDegreesToRadians(100.0)));
        QPainterPath head;
        head.moveTo(tip + QPointF(-rr * 0.55, -rr * 0.35));
        head.lineTo(tip);
        head.lineTo(tip + QPointF(-rr * 0.2, rr * 0.6));
        p.drawPath(head);
        break;
    }
    }
}
