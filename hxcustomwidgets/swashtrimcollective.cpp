#include "swashtrimcollective.h"

#include "trimbutton.h"
#include "widgetstyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {
const QSizeF Design(251, 191);
} // namespace

SwashTrimCollective::SwashTrimCollective(QWidget* parent)
    : AbstractTrimSwash(parent)
    , m_minus(new TrimButton(TrimButton::Minus, this))
    , m_plus(new TrimButton(TrimButton::Plus, this))
    , m_clear(new TrimButton(TrimButton::Clear, this))
{
    connect(m_minus, &QAbstractButton::clicked, this, [this] { userChange(m_trim - 1); });
    connect(m_plus, &QAbstractButton::clicked, this, [this] { userChange(m_trim + 1); });
    // The unit resets the trim itself; the value comes back with the next read.
    connect(m_clear, &QAbstractButton::clicked, this, [this] { emit _resetValue(ResetCommand); });
    m_clear->setToolTip(tr("Clear the collective trim"));
    resize(sizeHint());
    layoutButtons();
}

SwashTrimCollective::~SwashTrimCollective() = default;

QSize SwashTrimCollective::sizeHint() const
{
    return Design.toSize();
}

QSize SwashTrimCollective::minimumSizeHint() const
{
    return QSize(170, 130);
}

void SwashTrimCollective::setTrimValue(int value)
{
    // The user's drag wins over a value read back meanwhile; the release sends it.
    if (m_dragging)
        return;
    const int v = clampTrim(value);
    if (v == m_trim)
        return;
    m_trim = v;
    update();
}

int SwashTrimCollective::trimValue() const
{
    return m_trim;
}

void SwashTrimCollective::setMonitorRange(int min, int max)
{
    AbstractTrimSwash::setMonitorRange(min, max);
}

void SwashTrimCollective::setTrimMonitorValue(int channel, int value)
{
    AbstractTrimSwash::setTrimMonitorValue(channel, value);
}

QAbstractButton* SwashTrimCollective::clearButton() const
{
    return m_clear;
}

QAbstractButton* SwashTrimCollective::stepButton(int step) const
{
    if (step == 0)
        return nullptr;
    return step < 0 ? m_minus : m_plus;
}

QRect SwashTrimCollective::trackRect() const
{
    return trackRectF().toAlignedRect();
}

void SwashTrimCollective::trimRangeChanged()
{
    m_trim = clampTrim(m_trim);
}

QRectF SwashTrimCollective::trackRectF() const
{
    return layoutRect(Design, QRectF(20, 86, 211, 8));
}

int SwashTrimCollective::valueAtTrack(double x) const
{
    const QRectF track = trackRectF();
    const double f = qBound(0.0, (x - track.left()) / track.width(), 1.0);
    return clampTrim(trimMinimum() + qRound(f * (double(trimMaximum()) - trimMinimum())));
}

void SwashTrimCollective::userChange(int value)
{
    const int v = clampTrim(value);
    if (v == m_trim)
        return;
    m_trim = v;
    update();
    emit _trimValueChanged(m_trim);
}

void SwashTrimCollective::mousePressEvent(QMouseEvent* event)
{
    const double s = layoutScale(Design);
    if (event->button() != Qt::LeftButton ||
        !trackRectF().adjusted(-6 * s, -8 * s, 6 * s, 8 * s).contains(event->pos())) {
        AbstractTrimSwash::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragStartValue = m_trim;
    m_trim = valueAtTrack(event->pos().x());
    update();
}

void SwashTrimCollective::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        AbstractTrimSwash::mouseMoveEvent(event);
        return;
    }
    const int v = valueAtTrack(event->pos().x());
    if (v != m_trim) {
        m_trim = v;
        update();
    }
}

void SwashTrimCollective::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        AbstractTrimSwash::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    update();
    if (m_trim != m_dragStartValue)
        emit _trimValueChanged(m_trim);
}

void SwashTrimCollective::hideEvent(QHideEvent* event)
{
    // A drag cut short (the page was switched away under the mouse) is dropped: the
    // release that would have sent it never comes.
    if (m_dragging) {
        m_dragging = false;
        m_trim = m_dragStartValue;
    }
    AbstractTrimSwash::hideEvent(event);
}

void SwashTrimCollective::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    const double s = layoutScale(Design);
    const QRectF area(layoutOffset(Design) + QPointF(0, 36 * s),
                      QSizeF(Design.width() * s, 70 * s));
    if (notches == 0 || m_dragging || !area.contains(event->position())) {
        AbstractTrimSwash::wheelEvent(event);
        return;
    }
    event->accept();
    userChange(m_trim + notches);
}

void SwashTrimCollective::resizeEvent(QResizeEvent* event)
{
    AbstractTrimSwash::resizeEvent(event);
    layoutButtons();
}

void SwashTrimCollective::layoutButtons()
{
    auto at = [&](double x, double y, double w, double h) {
        return layoutRect(Design, QRectF(x, y, w, h)).toRect();
    };
    m_clear->setGeometry(at(213, 8, 28, 28));
    m_minus->setGeometry(at(14, 42, 32, 32));
    m_plus->setGeometry(at(205, 42, 32, 32));
}

void SwashTrimCollective::paintEvent(QPaintEvent*)
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
    p.drawText(at(12, 8, 190, 28), Qt::AlignLeft | Qt::AlignVCenter, tr("COLLECTIVE TRIM"));

    // The value, large, between its step buttons.
    p.setFont(scaledFont(this, 24 * s, true));
    p.setPen(m_trim == 0 ? textDim() : (m_dragging ? accent() : text()));
    p.drawText(at(50, 40, 151, 36), Qt::AlignCenter, signedNumber(m_trim));

    const QRectF track = trackRectF();
    drawWell(&p, track, track.height() / 2);
    const double span = double(trimMaximum()) - trimMinimum();
    auto xOf = [&](double value) {
        return track.left() + (span > 0 ? (value - trimMinimum()) / span : 0.5) * track.width();
    };
    p.setPen(QPen(grid(), 1.0));
    for (int i = 0; i <= 8; ++i) {
        const double x = track.left() + track.width() * i / 8.0;
        const double len = (i % 4 == 0) ? 5 * s : 3 * s;
        p.drawLine(QPointF(x, track.bottom() + 2 * s), QPointF(x, track.bottom() + 2 * s + len));
    }
    const double zero = xOf(qBound(trimMinimum(), 0, trimMaximum()));
    const double x = xOf(m_trim);
    if (m_trim != 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent());
        p.drawRoundedRect(
                QRectF(qMin(zero, x), track.top() + 1, qAbs(x - zero), track.height() - 2), 3, 3);
    }
    p.setPen(QPen(withAlpha(text(), 160), 1.2));
    p.drawLine(QPointF(zero, track.top() - 3 * s), QPointF(zero, track.bottom() + 3 * s));
    drawKnob(&p, QPointF(x, track.center().y()), 7 * s, accent());

    p.setPen(QPen(grid(), 1.0));
    p.drawLine(at(12, 106, 227, 0).topLeft(), at(12, 106, 227, 0).topRight());
    p.setFont(scaledFont(this, 8.5 * s, true));
    p.setPen(textDim());
    p.drawText(at(12, 110, 200, 12), Qt::AlignLeft | Qt::AlignVCenter, tr("SERVO MONITOR"));
    paintMonitor(&p, at(12, 123, 227, 62), s);
}
