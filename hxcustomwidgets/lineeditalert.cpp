#include "lineeditalert.h"

#include "widgetstyle.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>

namespace {
constexpr int FadeDuration = 160;
// The bubble sits under the edit, shifted left; its tail points up at the edit.
constexpr double TailX = 0.76;
} // namespace

LineEditAlert::LineEditAlert(QWidget* parent)
    : QLabel(parent)
    , m_effect(new QGraphicsOpacityEffect(this))
    , m_fade(new QPropertyAnimation(m_effect, "opacity", this))
{
    // It only informs; clicks go through to whatever lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWordWrap(true);
    m_effect->setOpacity(0.0);
    setGraphicsEffect(m_effect);
    m_fade->setDuration(FadeDuration);
    m_fade->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_fade, &QPropertyAnimation::finished, this, [this] {
        if (!m_showing)
            hide();
    });
    resize(sizeHint());
    hide();
}

LineEditAlert::~LineEditAlert()
{
    m_fade->stop();
}

bool LineEditAlert::isShowing() const
{
    return m_showing;
}

qreal LineEditAlert::opacity() const
{
    return m_effect->opacity();
}

QSize LineEditAlert::sizeHint() const
{
    return QSize(170, 45);
}

void LineEditAlert::showMe()
{
    m_showing = true;
    show();
    raise();
    fadeTo(1.0);
}

void LineEditAlert::hideMe()
{
    if (!m_showing && !isVisible())
        return;
    m_showing = false;
    fadeTo(0.0);
}

void LineEditAlert::fadeTo(qreal opacity)
{
    if (m_fade->state() == QAbstractAnimation::Running &&
        qFuzzyCompare(m_fade->endValue().toReal(), opacity))
        return;
    m_fade->stop();
    if (qFuzzyCompare(m_effect->opacity() + 1.0, opacity + 1.0)) {
        if (!m_showing)
            hide();
        return;
    }
    m_fade->setStartValue(m_effect->opacity());
    m_fade->setEndValue(opacity);
    m_fade->start();
}

void LineEditAlert::paintEvent(QPaintEvent*)
{
    using namespace WidgetStyle;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF all = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double tail = qMin(8.0, all.height() * 0.2);
    const QRectF body = all.adjusted(0, tail, 0, 0);
    const double radius = qMin(8.0, body.height() * 0.3);
    const double tx = qBound(body.left() + radius + tail, all.left() + all.width() * TailX,
                             body.right() - radius - tail);

    QPainterPath bubble;
    bubble.addRoundedRect(body, radius, radius);
    QPainterPath pointer;
    pointer.moveTo(tx - tail, body.top() + 1);
    pointer.lineTo(tx, all.top());
    pointer.lineTo(tx + tail, body.top() + 1);
    pointer.closeSubpath();
    bubble = bubble.united(pointer);

    QLinearGradient fill(all.topLeft(), all.bottomLeft());
    fill.setColorAt(0.0, QColor(0x3a, 0x2f, 0x12));
    fill.setColorAt(1.0, QColor(0x2a, 0x22, 0x0d));
    p.setPen(QPen(accent(), 1.2));
    p.setBrush(fill);
    p.drawPath(bubble);

    // A Return-key glyph, then the text.
    const double g = qMin(body.height() * 0.42, 16.0);
    const QPointF gc(body.left() + 6 + g / 2, body.center().y());
    p.setPen(QPen(accent(), qMax(1.4, g * 0.13), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath key;
    key.moveTo(gc.x() + g * 0.45, gc.y() - g * 0.45);
    key.lineTo(gc.x() + g * 0.45, gc.y() + g * 0.1);
    key.lineTo(gc.x() - g * 0.45, gc.y() + g * 0.1);
    key.moveTo(gc.x() - g * 0.2, gc.y() - g * 0.17);
    key.lineTo(gc.x() - g * 0.45, gc.y() + g * 0.1);
    key.lineTo(gc.x() - g * 0.2, gc.y() + g * 0.37);
    p.setBrush(Qt::NoBrush);
    p.drawPath(key);

    const QRectF textRect = body.adjusted(g + 12, 2, -6, -2);
    QFont f = scaledFont(this, 11.5, false);
    // Shrink long translations until they fit rather than clipping them.
    for (int i = 0; i < 4; ++i) {
        const QRect needed = QFontMetrics(f).boundingRect(
                textRect.toRect(), Qt::AlignVCenter | Qt::TextWordWrap, text());
        if (needed.height() <= textRect.height() && needed.width() <= textRect.width())
            break;
        f.setPixelSize(qMax(8, f.pixelSize() - 1));
    }
    p.setFont(f);
    p.setPen(WidgetStyle::text());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
}
