#include "titlebarbutton.h"

#include <QPainter>

TitleBarButton::TitleBarButton(Kind kind, QWidget* parent)
    : QAbstractButton(parent)
    , m_kind(kind)
{
    setFocusPolicy(Qt::NoFocus);
    setToolTip(kind == Close ? tr("Close") : tr("Minimize"));
}

QSize TitleBarButton::sizeHint() const
{
    return QSize(46, 40);
}

void TitleBarButton::enterEvent(QEvent* event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TitleBarButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TitleBarButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool active = m_hovered || isDown();
    if (active) {
        QColor back = m_kind == Close ? QColor(0xe0, 0x3b, 0x3b) : QColor(255, 255, 255, 30);
        if (isDown())
            back = m_kind == Close ? back.darker(120) : QColor(255, 255, 255, 18);
        p.fillRect(rect(), back);
    }
    const double g = qMin(width(), height()) * 0.2;
    const QPointF c = QRectF(rect()).center();
    p.setPen(QPen(active ? Qt::white : QColor(0xd5, 0xde, 0xe8), 1.4, Qt::SolidLine, Qt::RoundCap));
    if (m_kind == Minimize) {
        p.drawLine(QPointF(c.x() - g, c.y()), QPointF(c.x() + g, c.y()));
    } else {
        p.drawLine(QPointF(c.x() - g * 0.85, c.y() - g * 0.85),
                   QPointF(c.x() + g * 0.85, c.y() + g * 0.85));
        p.drawLine(QPointF(c.x() - g * 0.85, c.y() + g * 0.85),
                   QPointF(c.x() + g * 0.85, c.y() - g * 0.85));
    }
}
