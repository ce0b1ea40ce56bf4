#include "swashtrimcyclic.h"

#include "trimbutton.h"
#include "widgetstyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {
// Everything is laid out on this grid and scaled to the widget.
const QSizeF Design(291, 301);
constexpr double RowTop = 160;
constexpr double RowHeight = 44;
constexpr double ColumnLeft = 74;
constexpr double ColumnWidth = 102;
constexpr double ColumnGap = 6;
constexpr double CellHeight = 40;
} // namespace

SwashTrimCyclic::SwashTrimCyclic(QWidget* parent)
    : AbstractTrimSwash(parent)
    , m_clear(new TrimButton(TrimButton::Clear, this))
{
    // Usable by name in signal and slot signatures and in queued connections.
    qRegisterMetaType<SwashTrimCyclic::TrimType>("SwashTrimCyclic::TrimType");
    qRegisterMetaType<SwashTrimCyclic::TrimDirection>("SwashTrimCyclic::TrimDirection");
    for (int t = 0; t < TypeCount; ++t) {
        for (int d = 0; d < DirectionCount; ++d) {
            for (int s = 0; s < 2; ++s) {
                auto* button = new TrimButton(s == 0 ? TrimButton::Minus : TrimButton::Plus, this);
                m_steps[t][d][s] = button;
                const int step = s == 0 ? -1 : 1;
                connect(button, &QAbstractButton::clicked, this,
                        [this, t, d, step] { userChange(t, d, m_trims[t][d] + step); });
            }
        }
    }
    connect(m_clear, &QAbstractButton::clicked, this, [this] { clearAll(); });
    m_clear->setToolTip(tr("Clear all cyclic trims"));
    resize(sizeHint());
    layoutButtons();
}

SwashTrimCyclic::~SwashTrimCyclic() = default;

QSize SwashTrimCyclic::sizeHint() const
{
    return Design.toSize();
}

QSize SwashTrimCyclic::minimumSizeHint() const
{
    return QSize(200, 206);
}

void SwashTrimCyclic::setTrimValue(TrimType type, TrimDirection direction, int value)
{
    const int t = type;
    const int d = direction;
    if (t < 0 || t >= TypeCount || d < 0 || d >= DirectionCount)
        return;
    // The user's drag wins over a value read back meanwhile; the release sends it.
    if (t == m_dragType && d == m_dragDirection)
        return;
    const int v = clampTrim(value);
    if (m_trims[t][d] == v)
        return;
    m_trims[t][d] = v;
    update();
}

int SwashTrimCyclic::trimValue(TrimType type, TrimDirection direction) const
{
    const int t = type;
    const int d = direction;
    if (t < 0 || t >= TypeCount || d < 0 || d >= DirectionCount)
        return 0;
    return m_trims[t][d];
}

void SwashTrimCyclic::setToolTipForClearButton(const QString& text)
{
    m_clear->setToolTip(text);
}

void SwashTrimCyclic::setMonitorRange(int min, int max)
{
    AbstractTrimSwash::setMonitorRange(min, max);
}

void SwashTrimCyclic::setTrimMonitorValue(int channel, int value)
{
    if (channel < FirstMonitorChannel || channel > LastMonitorChannel)
        return;
    AbstractTrimSwash::setTrimMonitorValue(channel, value);
    emit _monitorChannelValueChanged(channel, value);
}

QAbstractButton* SwashTrimCyclic::clearButton() const
{
    return m_clear;
}

QAbstractButton* SwashTrimCyclic::stepButton(TrimType type, TrimDirection direction, int step) const
{
    const int t = type;
    const int d = direction;
    if (t < 0 || t >= TypeCount || d < 0 || d >= DirectionCount || step == 0)
        return nullptr;
    return m_steps[t][d][step < 0 ? 0 : 1];
}

QRect SwashTrimCyclic::trackRect(TrimType type, TrimDirection direction) const
{
    return trackRectF(type, direction).toAlignedRect();
}

void SwashTrimCyclic::trimRangeChanged()
{
    for (auto& row : m_trims) {
        for (int& v : row)
            v = clampTrim(v);
    }
}

QRectF SwashTrimCyclic::cellRect(int type, int direction) const
{
    return layoutRect(Design, QRectF(ColumnLeft + direction * (ColumnWidth + ColumnGap),
                                     RowTop + type * RowHeight, ColumnWidth, CellHeight));
}

QRectF SwashTrimCyclic::trackRectF(int type, int direction) const
{
    const double s = layoutScale(Design);
    const QRectF cell = cellRect(type, direction);
    return QRectF(cell.left() + 8 * s, cell.top() + 29 * s, cell.width() - 16 * s, 6 * s);
}

bool SwashTrimCyclic::cellAt(const QPoint& pos, int* type, int* direction, bool trackOnly) const
{
    const double s = layoutScale(Design);
    for (int t = 0; t < TypeCount; ++t) {
        for (int d = 0; d < DirectionCount; ++d) {
            // The track is thin; accept a press a little around it.
            const QRectF hit = trackOnly ? trackRectF(t, d).adjusted(-4 * s, -6 * s, 4 * s, 6 * s)
                                         : cellRect(t, d);
            if (hit.contains(pos)) {
                *type = t;
                *direction = d;
                return true;
            }
        }
    }
    return false;
}

int SwashTrimCyclic::valueAtTrack(int type, int direction, double x) const
{
    const QRectF track = trackRectF(type, direction);
    const double f = qBound(0.0, (x - track.left()) / track.width(), 1.0);
    return clampTrim(trimMinimum() + qRound(f * (double(trimMaximum()) - trimMinimum())));
}

void SwashTrimCyclic::userChange(int type, int direction, int value)
{
    const int v = clampTrim(value);
    if (m_trims[type][direction] == v)
        return;
    m_trims[type][direction] = v;
    update();
    emit _trimValueChanged(type, direction, v, false);
}

void SwashTrimCyclic::clearAll()
{
    for (int t = 0; t < TypeCount; ++t) {
        for (int d = 0; d < DirectionCount; ++d) {
            m_trims[t][d] = clampTrim(0);
        }
    }
    m_dragType = m_dragDirection = -1;
    update();
    // One batch of six: each is flagged so the receiver knows more are coming.
    for (int t = 0; t < TypeCount; ++t) {
        for (int d = 0; d < DirectionCount; ++d)
            emit _trimValueChanged(t, d, m_trims[t][d], true);
    }
}

void SwashTrimCyclic::mousePressEvent(QMouseEvent* event)
{
    int t = -1;
    int d = -1;
    if (event->button() != Qt::LeftButton || !cellAt(event->pos(), &t, &d, true)) {
        AbstractTrimSwash::mousePressEvent(event);
        return;
    }
    m_dragType = t;
    m_dragDirection = d;
    m_dragStartValue = m_trims[t][d];
    m_trims[t][d] = valueAtTrack(t, d, event->pos().x());
    update();
}

void SwashTrimCyclic::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragType < 0) {
        AbstractTrimSwash::mouseMoveEvent(event);
        return;
    }
    const int v = valueAtTrack(m_dragType, m_dragDirection, event->pos().x());
    if (v != m_trims[m_dragType][m_dragDirection]) {
        m_trims[m_dragType][m_dragDirection] = v;
        update();
    }
}

void SwashTrimCyclic::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragType < 0 || event->button() != Qt::LeftButton) {
        AbstractTrimSwash::mouseReleaseEvent(event);
        return;
    }
    const int t = m_dragType;
    const int d = m_dragDirection;
    m_dragType = m_dragDirection = -1;
    // A drag is one change, sent when the trim is let go.
    if (m_trims[t][d] != m_dragStartValue)
        emit _trimValueChanged(t, d, m_trims[t][d], false);
}

void SwashTrimCyclic::hideEvent(QHideEvent* event)
{
    // A drag cut short (the page was switched away under the mouse) is dropped: the
    // release that would have sent it never comes.
    if (m_dragType >= 0) {
        m_trims[m_dragType][m_dragDirection] = m_dragStartValue;
        m_dragType = m_dragDirection = -1;
    }
    AbstractTrimSwash::hideEvent(event);
}

void SwashTrimCyclic::wheelEvent(QWheelEvent* event)
{
    int t = -1;
    int d = -1;
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0 || m_dragType >= 0 || !cellAt(event->position().toPoint(), &t, &d, false)) {
        AbstractTrimSwash::wheelEvent(event);
        return;
    }
    event->accept();
    userChange(t, d, m_trims[t][d] + notches);
}

void SwashTrimCyclic::resizeEvent(QResizeEvent* event)
{
    AbstractTrimSwash::resizeEvent(event);
    layoutButtons();
}

void SwashTrimCyclic::layoutButtons()
{
    const double s = layoutScale(Design);
    m_clear->setGeometry(layoutRect(Design, QRectF(253, 8, 28, 28)).toRect());
    for (int t = 0; t < TypeCount; ++t) {
        for (int d = 0; d < DirectionCount; ++d) {
            const QRectF cell = cellRect(t, d);
            const double b = 22 * s;
            m_steps[t][d][0]->setGeometry(
                    QRectF(cell.left() + 2 * s, cell.top() + 2 * s, b, b).toRect());
            m_steps[t][d][1]->setGeometry(
                    QRectF(cell.right() - 2 * s - b, cell.top() + 2 * s, b, b).toRect());
        }
    }
}

void SwashTrimCyclic::paintEvent(QPaintEvent*)
{
    using namespace WidgetStyle;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = layoutScale(Design);
    auto at = [&](double x, double y, double w, double h) {
        return layoutRect(Design, QRectF(x, y, w, h));
    };

    drawPanel(&p, at(0, 0, Design.width(), Design.height()).adjusted(0.5, 0.5, -0.5, -0.5), 10 * s);

    p.setFont(scaledFont(this, 13 * s, true));
    p.setPen(text());
    p.drawText(at(12, 8, 230, 28), Qt::AlignLeft | Qt::AlignVCenter, tr("CYCLIC TRIM"));

    p.setFont(scaledFont(this, 8.5 * s, true));
    p.setPen(textDim());
    p.drawText(at(12, 40, 200, 12), Qt::AlignLeft | Qt::AlignVCenter, tr("SERVO MONITOR"));
    paintMonitor(&p, at(12, 54, 267, 74), s);

    p.setPen(QPen(grid(), 1.0));
    p.drawLine(at(12, 136, 267, 0).topLeft(), at(12, 136, 267, 0).topRight());

    static const char* const directions[] = {QT_TR_NOOP("POSITIVE"), QT_TR_NOOP("NEGATIVE")};
    static const char* const types[] = {QT_TR_NOOP("AILERON"), QT_TR_NOOP("ELEVATOR"),
                                        QT_TR_NOOP("PITCH")};
    p.setFont(scaledFont(this, 8.5 * s, true));
    p.setPen(textDim());
    for (int d = 0; d < DirectionCount; ++d) {
        p.drawText(at(ColumnLeft + d * (ColumnWidth + ColumnGap), 142, ColumnWidth, 14),
                   Qt::AlignCenter, tr(directions[d]));
    }

    for (int t = 0; t < TypeCount; ++t) {
        p.setFont(scaledFont(this, 9.5 * s, true));
        p.setPen(text());
        p.drawText(at(12, RowTop + t * RowHeight, ColumnLeft - 14, CellHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, tr(types[t]));
        for (int d = 0; d < DirectionCount; ++d) {
            const QRectF cell = cellRect(t, d);
            const int v = m_trims[t][d];
            const bool dragging = t == m_dragType && d == m_dragDirection;
            p.setPen(QPen(dragging ? accent() : withAlpha(panelBorder(), 160), 1.0));
            p.setBrush(QColor(0, 0, 0, 60));
            p.drawRoundedRect(cell, 6 * s, 6 * s);

            p.setFont(scaledFont(this, 13 * s, true));
            p.setPen(v == 0 ? textDim() : text());
            p.drawText(
                    QRectF(cell.left() + 24 * s, cell.top() + 2 * s, cell.width() - 48 * s, 22 * s),
                    Qt::AlignCenter, signedNumber(v));

            const QRectF track = trackRectF(t, d);
            drawWell(&p, track, track.height() / 2);
            const double span = double(trimMaximum()) - trimMinimum();
            auto xOf = [&](double value) {
                return track.left() +
                       (span > 0 ? (value - trimMinimum()) / span : 0.5) * track.width();
            };
            const double zero = xOf(qBound(trimMinimum(), 0, trimMaximum()));
            const double x = xOf(v);
            if (v != 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(accent());
                p.drawRoundedRect(
                        QRectF(qMin(zero, x), track.top() + 1, qAbs(x - zero), track.height() - 2),
                        2, 2);
            }
            p.setPen(QPen(withAlpha(text(), 150), 1.0));
            p.drawLine(QPointF(zero, track.top() - 2 * s), QPointF(zero, track.bottom() + 2 * s));
            p.setPen(QPen(accent().darker(150), 1.0));
            p.setBrush(text());
            p.drawEllipse(QPointF(x, track.center().y()), 4.5 * s, 4.5 * s);
        }
    }
}
