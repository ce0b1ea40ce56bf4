#include "abstracttrimswash.h"

#include "widgetstyle.h"

#include <QPainter>

AbstractTrimSwash::AbstractTrimSwash(QWidget* parent)
    : QWidget(parent)
{}

AbstractTrimSwash::~AbstractTrimSwash() = default;

void AbstractTrimSwash::setTrimRange(int min, int max)
{
    if (min > max)
        std::swap(min, max);
    m_trimMinimum = min;
    m_trimMaximum = max;
    trimRangeChanged();
    update();
}

int AbstractTrimSwash::trimMinimum() const
{
    return m_trimMinimum;
}
int AbstractTrimSwash::trimMaximum() const
{
    return m_trimMaximum;
}

void AbstractTrimSwash::setMonitorRange(int min, int max)
{
    if (min > max)
        std::swap(min, max);
    if (min == max)
        ++max;
    m_monitorMinimum = min;
    m_monitorMaximum = max;
    update();
}

int AbstractTrimSwash::monitorMinimum() const
{
    return m_monitorMinimum;
}
int AbstractTrimSwash::monitorMaximum() const
{
    return m_monitorMaximum;
}

int AbstractTrimSwash::monitorValue(int channel) const
{
    if (channel < FirstMonitorChannel || channel > LastMonitorChannel)
        return 0;
    const int i = channel - FirstMonitorChannel;
    return m_monitorSet[i] ? m_monitor[i] : (m_monitorMinimum + m_monitorMaximum) / 2;
}

bool AbstractTrimSwash::hasMonitorValue(int channel) const
{
    if (channel < FirstMonitorChannel || channel > LastMonitorChannel)
        return false;
    return m_monitorSet[channel - FirstMonitorChannel];
}

void AbstractTrimSwash::setTrimMonitorValue(int channel, int value)
{
    if (channel < FirstMonitorChannel || channel > LastMonitorChannel)
        return;
    const int i = channel - FirstMonitorChannel;
    if (m_monitorSet[i] && m_monitor[i] == value)
        return;
    m_monitor[i] = value;
    m_monitorSet[i] = true;
    update();
}

void AbstractTrimSwash::trimRangeChanged() {}

int AbstractTrimSwash::clampTrim(int value) const
{
    return qBound(m_trimMinimum, value, m_trimMaximum);
}

double AbstractTrimSwash::layoutScale(const QSizeF& design) const
{
    return qMax(0.2, qMin(width() / design.width(), height() / design.height()));
}

QPointF AbstractTrimSwash::layoutOffset(const QSizeF& design) const
{
    const double s = layoutScale(design);
    return QPointF((width() - design.width() * s) / 2.0, (height() - design.height() * s) / 2.0);
}

QRectF AbstractTrimSwash::layoutRect(const QSizeF& design, const QRectF& rect) const
{
    const double s = layoutScale(design);
    const QPointF o = layoutOffset(design);
    return QRectF(o.x() + rect.x() * s, o.y() + rect.y() * s, rect.width() * s, rect.height() * s);
}

void AbstractTrimSwash::paintMonitor(QPainter* p, const QRectF& rect, double s) const
{
    using namespace WidgetStyle;
    const double rowH = rect.height() / ChannelCount;
    const double labelW = 30 * s;
    const double valueW = 38 * s;
    const double centre = (m_monitorMinimum + m_monitorMaximum) / 2.0;
    const double half = (m_monitorMaximum - m_monitorMinimum) / 2.0;
    for (int i = 0; i < ChannelCount; ++i) {
        const QRectF row(rect.left(), rect.top() + i * rowH, rect.width(), rowH);
        const bool known = m_monitorSet[i];
        const int v = m_monitor[i];
        const bool outside = known && (v < m_monitorMinimum || v > m_monitorMaximum);

        p->setFont(scaledFont(this, 9.5 * s, true));
        p->setPen(channelColour(i));
        p->drawText(QRectF(row.left(), row.top(), labelW, row.height()),
                    Qt::AlignLeft | Qt::AlignVCenter, tr("CH%1").arg(i + 1));

        const double barH = qMax(4.0, qMin(row.height() * 0.5, 9 * s));
        const QRectF bar(row.left() + labelW, row.center().y() - barH / 2,
                         row.width() - labelW - valueW - 4 * s, barH);
        drawWell(p, bar, barH / 2);
        if (known) {
            const double f = qBound(-1.0, (v - centre) / half, 1.0);
            const double mid = bar.center().x();
            const double end = mid + f * (bar.width() / 2 - 1);
            QRectF fill(qMin(mid, end), bar.top() + 1, qAbs(end - mid), bar.height() - 2);
            p->setPen(Qt::NoPen);
            p->setBrush(outside ? alert() : channelColour(i));
            p->drawRoundedRect(fill, fill.height() / 2, fill.height() / 2);
            p->setBrush(text());
            p->drawEllipse(QPointF(end, bar.center().y()), barH * 0.42, barH * 0.42);
        }
        p->setPen(QPen(withAlpha(text(), 150), 1.0));
        p->drawLine(QPointF(bar.center().x(), bar.top() - 1.5 * s),
                    QPointF(bar.center().x(), bar.bottom() + 1.5 * s));

        p->setFont(scaledFont(this, 9.5 * s, false));
        p->setPen(outside ? alert() : (known ? text() : textDim()));
        p->drawText(QRectF(row.right() - valueW, row.top(), valueW, row.height()),
                    Qt::AlignRight | Qt::AlignVCenter,
                    known ? QString::number(v) : QStringLiteral("\u2014"));
    }
}
