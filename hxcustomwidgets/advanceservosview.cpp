#include "advanceservosview.h"

#include "widgetstyle.h"

#include <QEasingCurve>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <QtMath>

#include <cmath>

namespace {

constexpr int TurnDuration = 160;

double normalised(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d < 0)
        d += 360.0;
    // fmod of a tiny negative number can give exactly 360 after the addition.
    return d >= 360.0 ? 0.0 : d;
}

int wholeDegrees(double degrees)
{
    return static_cast<int>(normalised(qRound(normalised(degrees))));
}

// 0 degrees is the nose of the helicopter (up), angles grow clockwise seen from above.
QPointF polar(const QPointF& centre, double radius, double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return QPointF(centre.x() + radius * std::sin(r), centre.y() - radius * std::cos(r));
}

} // namespace

AdvanceServosView::AdvanceServosView(int width, int height, QWidget* parent, double stepDegrees)
    : QWidget(parent)
    , m_designSize(qMax(60, width), qMax(60, height))
    , m_step(stepDegrees)
    // Until a swash type is chosen, show the common 120 degree layout (the first type).
    , m_defaults({300, 180, 60, -1})
    , m_turn(new QVariantAnimation(this))
{
    m_turn->setDuration(TurnDuration);
    m_turn->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_turn, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_shownPhase = v.toDouble();
        update();
    });
    resize(m_designSize);
}

AdvanceServosView::~AdvanceServosView()
{
    m_turn->stop();
}

void AdvanceServosView::setAngle(int angle)
{
    applyPhase(angle);
}

int AdvanceServosView::angle() const
{
    return wholeDegrees(m_phase);
}

void AdvanceServosView::rotateLeft()
{
    applyPhase(m_phase - m_step);
}

void AdvanceServosView::rotateRight()
{
    applyPhase(m_phase + m_step);
}

double AdvanceServosView::stepDegrees() const
{
    return m_step;
}

void AdvanceServosView::applyPhase(double degrees)
{
    const QList<int> before = channelAngles();
    const double target = normalised(degrees);
    if (qFuzzyCompare(target + 1.0, m_phase + 1.0))
        return;

    // Turn the drawing the short way round, from wherever it is now.
    double from = m_shownPhase;
    double delta = target - normalised(from);
    if (delta > 180.0)
        delta -= 360.0;
    else if (delta < -180.0)
        delta += 360.0;
    m_phase = target;
    m_turn->stop();
    if (isVisible()) {
        m_turn->setStartValue(from);
        m_turn->setEndValue(from + delta);
        m_turn->start();
    } else {
        m_shownPhase = target;
    }
    update();

    const QList<int> after = channelAngles();
    if (after != before)
        emit _angleChanged(after);
}

void AdvanceServosView::resetChannelDefaultAngle(const QList<int>& angles)
{
    const QList<int> before = channelAngles();
    QList<int> defaults;
    for (int i = 0; i < 4; ++i) {
        const int a = i < angles.size() ? angles.at(i) : -1;
        defaults.append(a < 0 ? -1 : a % 360);
    }
    m_defaults = defaults;
    update();
    const QList<int> after = channelAngles();
    if (after != before)
        emit _angleChanged(after);
}

QList<int> AdvanceServosView::channelAngles() const
{
    QList<int> result;
    const int phase = angle();
    for (int d : m_defaults)
        result.append(d < 0 ? -1 : (d + phase) % 360);
    return result;
}

QList<int> AdvanceServosView::channelDefaultAngles() const
{
    return m_defaults;
}

QSize AdvanceServosView::sizeHint() const
{
    return m_designSize;
}

QSize AdvanceServosView::minimumSizeHint() const
{
    return QSize(80, 80);
}

void AdvanceServosView::paintEvent(QPaintEvent*)
{
    using namespace WidgetStyle;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    drawPanel(&p, area, qMax(6.0, qMin(area.width(), area.height()) * 0.05));

    const double side = qMin(area.width(), area.height());
    const double px = side / 240.0; // one design pixel
    const QPointF c = area.center() + QPointF(0, 5 * px);
    const double R = side * 0.41; // radius of the servo ring
    const double plateR = R * 0.52;
    const double servoR = R * 0.84;

    // Outer compass ring with a tick every 15 degrees.
    p.setPen(QPen(grid(), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, R, R);
    for (int a = 0; a < 360; a += 15) {
        const bool major = a % 90 == 0;
        p.setPen(QPen(major ? textDim() : grid(), major ? 1.6 : 1.0));
        p.drawLine(polar(c, R, a), polar(c, R - (major ? 7 : 4) * px, a));
    }

    // The nose of the helicopter, above the ring.
    QPainterPath arrow;
    arrow.moveTo(polar(c, R + 8 * px, 0));
    arrow.lineTo(c.x() - 5 * px, c.y() - R - 1 * px);
    arrow.lineTo(c.x() + 5 * px, c.y() - R - 1 * px);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(accent());
    p.drawPath(arrow);
    p.setFont(scaledFont(this, 9 * px, true));
    p.setPen(textDim());
    const double noseTop = c.y() - R - 8 * px;
    p.drawText(QRectF(c.x() + 9 * px, area.top(), 60 * px, noseTop - area.top() + 8 * px),
               Qt::AlignLeft | Qt::AlignVCenter, tr("FRONT"));

    // Phasing arcs: from each channel's default place to where the phasing puts it.
    const double shown = m_shownPhase;
    double span = normalised(shown);
    if (span > 180.0)
        span -= 360.0;
    for (int i = 0; i < m_defaults.size(); ++i) {
        const int d = m_defaults.at(i);
        if (d < 0 || qAbs(span) < 0.5)
            continue;
        const QColor colour = channelColour(i);
        const double arcR = R * 0.68;
        const QRectF arcRect(c.x() - arcR, c.y() - arcR, 2 * arcR, 2 * arcR);
        p.setPen(QPen(withAlpha(colour, 170), 2.0 * px, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        // Qt's arcs start at 3 o'clock and run counter-clockwise.
        p.drawArc(arcRect, qRound((90.0 - d) * 16), qRound(-span * 16));
        p.setPen(QPen(withAlpha(colour, 110), 1.0 * px, Qt::DashLine));
        p.drawLine(polar(c, plateR, d), polar(c, R - 2 * px, d));
    }

    // The swash plate: a machined disc.
    QRadialGradient metal(c - QPointF(plateR * 0.3, plateR * 0.4), plateR * 1.5);
    metal.setColorAt(0.0, QColor(0x6d, 0x7b, 0x8d));
    metal.setColorAt(0.6, QColor(0x3d, 0x48, 0x57));
    metal.setColorAt(1.0, QColor(0x26, 0x2e, 0x39));
    p.setPen(QPen(QColor(0x8d, 0x9b, 0xad), 1.2 * px));
    p.setBrush(metal);
    p.drawEllipse(c, plateR, plateR);
    p.setPen(QPen(QColor(0x1a, 0x20, 0x29), 1.0 * px));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, plateR * 0.8, plateR * 0.8);

    // Servo arms: a link from the plate's ball to the servo, labelled with its channel.
    const QSizeF chip(30 * px, 17 * px);
    for (int i = 0; i < m_defaults.size(); ++i) {
        const int d = m_defaults.at(i);
        if (d < 0)
            continue;
        const double a = d + shown;
        const QColor colour = channelColour(i);
        const QPointF ball = polar(c, plateR * 0.9, a);
        const QPointF servo = polar(c, servoR, a);
        p.setPen(QPen(QColor(0xcf, 0xd8, 0xe3), 2.6 * px, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(ball, servo);

        QRectF body(QPointF(), chip);
        body.moveCenter(servo);
        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        fill.setColorAt(0.0, colour.lighter(115));
        fill.setColorAt(1.0, colour.darker(135));
        p.setPen(QPen(colour.darker(220), 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(body, 4 * px, 4 * px);
        p.setFont(scaledFont(this, qMax(7.0, 10 * px), true));
        p.setPen(QColor(0x12, 0x16, 0x1b));
        p.drawText(body, Qt::AlignCenter, tr("CH%1").arg(i + 1));

        p.setPen(QPen(colour, 1.6 * px));
        p.setBrush(QColor(0x12, 0x16, 0x1b));
        p.drawEllipse(ball, 4.5 * px, 4.5 * px);
    }

    // Phasing readout in the hub, signed so that a small turn either way reads naturally.
    int signedPhase = angle();
    if (signedPhase > 180)
        signedPhase -= 360;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x16, 0x1b, 235));
    p.drawEllipse(c, plateR * 0.66, plateR * 0.66);
    p.setPen(textDim());
    p.setFont(scaledFont(this, qMax(6.0, 7.5 * px), true));
    p.drawText(QRectF(c.x() - plateR, c.y() - plateR * 0.52, plateR * 2, plateR * 0.4),
               Qt::AlignCenter, tr("PHASING"));
    p.setPen(signedPhase == 0 ? text() : accent());
    p.setFont(scaledFont(this, 17 * px, true));
    p.drawText(QRectF(c.x() - plateR, c.y() - plateR * 0.14, plateR * 2, plateR * 0.6),
               Qt::AlignCenter, signedNumber(signedPhase) + QChar(0x00b0));
}
