#include "rxmonitorview.h"

#include "widgetstyle.h"

#include <QDeadlineTimer>
#include <QEasingCurve>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {
// Long enough to read as motion, short enough to keep up with the 100 ms poll.
constexpr int MoveDuration = 180;
// A move is drawn at 25 frames a second: with a new value every 100 ms that is smooth,
// and well under half the work of the screen's 60. Frames fall on a beat shared by every
// view of the process, so that both sticks moving together are repainted in one pass.
constexpr int FrameInterval = 40;
// A move shorter than this, in pixels along either axis, reads as a step rather than a
// motion: it is drawn at once, in one repaint that falls in the same pass as the values
// shown beside the view.
constexpr double SmallMove = 3.0;

int msecsToNextBeat()
{
    return FrameInterval - int(QDeadlineTimer::current().deadline() % FrameInterval);
}

double eased(qint64 elapsed)
{
    static const QEasingCurve curve(QEasingCurve::OutCubic);
    return curve.valueForProgress(qBound(0.0, double(elapsed) / MoveDuration, 1.0));
}
} // namespace

RxMonitorView::RxMonitorView(int fieldWidth, int fieldHeight, int knobWidth, int knobHeight,
                             QWidget* parent)
    : QWidget(parent)
    , m_fieldSize(qMax(20, fieldWidth), qMax(20, fieldHeight))
    , m_knobSize(qMax(4, knobWidth), qMax(4, knobHeight))
{
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &RxMonitorView::nextFrame);
    // The static layer carries the panel's backdrop, so each knob move repaints only this
    // view, not every widget behind it.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(m_fieldSize);
}

RxMonitorView::~RxMonitorView() = default;

void RxMonitorView::setRangeValue(int min, int max)
{
    if (min > max)
        std::swap(min, max);
    if (min == max)
        ++max;
    m_minimum = min;
    m_maximum = max;
    m_staticLayer = QPixmap();
    update();
}

int RxMonitorView::minimumValue() const
{
    return m_minimum;
}
int RxMonitorView::maximumValue() const
{
    return m_maximum;
}

void RxMonitorView::setLocation(int location)
{
    m_location = location;
    m_staticLayer = QPixmap();
    update();
}

int RxMonitorView::getLocation() const
{
    return m_location;
}

bool RxMonitorView::animFinished() const
{
    return !m_moving;
}

QPointF RxMonitorView::displayedValue() const
{
    if (m_moving)
        return m_moveFrom + (m_restValue - m_moveFrom) * eased(m_moveClock.elapsed());
    if (m_hasRestValue)
        return m_restValue;
    // Nothing has been moved yet: the knob simply sits where the first values put it.
    return QPointF(xValue, yValue);
}

void RxMonitorView::moveSensor()
{
    const QPointF target(xValue, yValue);
    // The first move has nowhere meaningful to start from, so it places the knob.
    const QPointF from = m_hasRestValue ? displayedValue() : target;
    valueArrived = true;
    const QRectF travel = layout().travel;
    const QPointF step = toField(target, travel) - toField(from, travel);
    m_moving = qMax(qAbs(step.x()), qAbs(step.y())) >= SmallMove;
    m_moveFrom = from;
    m_moveClock.start();
    m_restValue = target;
    m_hasRestValue = true;
    if (m_moving)
        m_frameTimer.start(msecsToNextBeat());
    else
        m_frameTimer.stop();
    updateKnob();
    emit _sensorValueChanged(qRound(xValue), qRound(yValue));
}

QSize RxMonitorView::sizeHint() const
{
    return m_fieldSize;
}

QSize RxMonitorView::minimumSizeHint() const
{
    return QSize(48, 48);
}

QPointF RxMonitorView::toField(const QPointF& value, const QRectF& travel) const
{
    const double span = m_maximum - m_minimum;
    const double fx = qBound(0.0, (value.x() - m_minimum) / span, 1.0);
    const double fy = qBound(0.0, (value.y() - m_minimum) / span, 1.0);
    // Higher channel values are further right and further up, as on the transmitter.
    return QPointF(travel.left() + fx * travel.width(), travel.bottom() - fy * travel.height());
}

RxMonitorView::Layout RxMonitorView::layout() const
{
    Layout l;
    const double scale =
            qMin(width() / double(m_fieldSize.width()), height() / double(m_fieldSize.height()));
    l.field = QRectF(0, 0, m_fieldSize.width() * scale, m_fieldSize.height() * scale);
    l.field.moveCenter(QRectF(rect()).center());
    l.field.adjust(0.5, 0.5, -0.5, -0.5);
    l.radius = qMax(4.0, l.field.width() * 0.06);

    const double knobRx = m_knobSize.width() * scale / 2.0;
    const double knobRy = m_knobSize.height() * scale / 2.0;
    l.knobR = qMin(knobRx, knobRy);
    // The margin leaves room for the stick's name above the gimbal and a hint below it.
    l.inset = qMax(l.knobR + 3.0, l.field.width() * 0.08) + l.field.height() * 0.05;
    l.travel = l.field.adjusted(l.inset, l.inset, -l.inset, -l.inset);
    l.wellRect = l.travel.adjusted(-l.knobR * 0.6, -l.knobR * 0.6, l.knobR * 0.6, l.knobR * 0.6);
    return l;
}

// Everything that does not move with the stick: panel, well, grid, ticks, centre and name.
void RxMonitorView::paintStaticLayer(QPainter* painter) const
{
    using namespace WidgetStyle;
    QPainter& p = *painter;
    const Layout l = layout();
    const QRectF& field = l.field;
    const double radius = l.radius;
    const double knobR = l.knobR;
    const double inset = l.inset;
    const QRectF& travel = l.travel;
    const QRectF& wellRect = l.wellRect;
    drawPanel(&p, field, radius);

    // Recessed gimbal area with a quarter grid and minor ticks along the edges.
    drawWell(&p, wellRect, radius * 0.6);
    p.setPen(QPen(grid(), 1.0, Qt::DotLine));
    for (int i = 1; i < 4; ++i) {
        if (i == 2)
            continue;
        const double x = travel.left() + travel.width() * i / 4.0;
        const double y = travel.top() + travel.height() * i / 4.0;
        p.drawLine(QPointF(x, wellRect.top() + 2), QPointF(x, wellRect.bottom() - 2));
        p.drawLine(QPointF(wellRect.left() + 2, y), QPointF(wellRect.right() - 2, y));
    }
    p.setPen(QPen(withAlpha(textDim(), 140), 1.0));
    const double tick = qMax(2.0, field.width() * 0.018);
    for (int i = 0; i <= 10; ++i) {
        const double x = travel.left() + travel.width() * i / 10.0;
        const double y = travel.top() + travel.height() * i / 10.0;
        const double len = (i % 5 == 0) ? tick * 2 : tick;
        p.drawLine(QPointF(x, wellRect.bottom()), QPointF(x, wellRect.bottom() - len));
        p.drawLine(QPointF(x, wellRect.top()), QPointF(x, wellRect.top() + len));
        p.drawLine(QPointF(wellRect.left(), y), QPointF(wellRect.left() + len, y));
        p.drawLine(QPointF(wellRect.right(), y), QPointF(wellRect.right() - len, y));
    }

    // Centre cross and a small centre ring for the stick's neutral point.
    const QPointF centre = travel.center();
    p.setPen(QPen(withAlpha(live(), 110), 1.2));
    p.drawLine(QPointF(travel.left() - knobR * 0.6, centre.y()),
               QPointF(travel.right() + knobR * 0.6, centre.y()));
    p.drawLine(QPointF(centre.x(), travel.top() - knobR * 0.6),
               QPointF(centre.x(), travel.bottom() + knobR * 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, knobR * 0.7, knobR * 0.7);

    // Which stick this is.
    if (m_location != 0) {
        p.setFont(scaledFont(this, qMax(8.0, field.height() * 0.065), true));
        p.setPen(textDim());
        const QRectF badge(field.left() + radius * 0.8, field.top() + 1, field.width() * 0.5,
                           inset - knobR * 0.6 - 2);
        p.drawText(badge, Qt::AlignLeft | Qt::AlignVCenter,
                   m_location < 0 ? tr("LEFT") : tr("RIGHT"));
    }
}

RxMonitorView::KnobState RxMonitorView::knobState() const
{
    KnobState state;
    if (!valueArrived)
        return state;
    const QPointF value = displayedValue();
    const QPointF knob = toField(value, layout().travel);
    state.drawn = true;
    state.outside = value.x() < m_minimum || value.x() > m_maximum || value.y() < m_minimum ||
                    value.y() > m_maximum;
    // Half-pixel steps: finer moves are not worth a repaint.
    state.at = QPoint(qRound(knob.x() * 2), qRound(knob.y() * 2));
    return state;
}

QRegion RxMonitorView::knobRegion(const KnobState& state) const
{
    if (!state.drawn)
        return QRegion(rect());
    const Layout l = layout();
    const QPointF knob(state.at.x() / 2.0, state.at.y() / 2.0);
    const QRectF& well = l.wellRect;
    const QPointF centre = l.travel.center();
    const double m = qMax(3.0, l.field.width() * 0.03) * 1.3 + 3;
    const double glow = l.knobR * 2.0 + 3;
    QRegion region;
    // Crosshair with its edge markers, deflection line, knob with its glow.
    region += QRectF(knob.x() - m, well.top() - 2, 2 * m, well.height() + m + 4).toAlignedRect();
    region +=
            QRectF(well.left() - m - 2, knob.y() - m, well.width() + m + 4, 2 * m).toAlignedRect();
    region += QRectF(centre, knob)
                      .normalized()
                      .adjusted(-l.knobR, -l.knobR, l.knobR, l.knobR)
                      .toAlignedRect();
    region += QRectF(knob.x() - glow, knob.y() - glow, 2 * glow, 2 * glow).toAlignedRect();
    return region;
}

void RxMonitorView::updateKnob()
{
    const KnobState next = knobState();
    if (next.drawn == m_painted.drawn && next.outside == m_painted.outside &&
        next.at == m_painted.at)
        return;
    if (next.drawn != m_painted.drawn) {
        update();
        return;
    }
    update(knobRegion(m_painted) + knobRegion(next));
}

void RxMonitorView::nextFrame()
{
    if (!m_moving)
        return;
    if (m_moveClock.elapsed() >= MoveDuration)
        m_moving = false;
    else
        m_frameTimer.start(msecsToNextBeat());
    updateKnob();
}

void RxMonitorView::paintPiece(QPainter* painter, Piece piece, const QPointF& anchor,
                               const QColor& rim) const
{
    using namespace WidgetStyle;
    QPainter& p = *painter;
    const Layout l = layout();
    const QRectF& wellRect = l.wellRect;
    const double m = qMax(3.0, l.field.width() * 0.03);
    QPainterPath marker;
    switch (piece) {
    case KnobPiece:
        drawKnob(&p, anchor, l.knobR, rim);
        return;
    case ColumnPiece:
        p.setPen(QPen(withAlpha(rim, 90), 1.0));
        p.drawLine(QPointF(anchor.x(), wellRect.top() + 1),
                   QPointF(anchor.x(), wellRect.bottom() - 1));
        marker.moveTo(anchor.x(), wellRect.bottom() + 1);
        marker.lineTo(anchor.x() - m, wellRect.bottom() + 1 + m * 1.3);
        marker.lineTo(anchor.x() + m, wellRect.bottom() + 1 + m * 1.3);
        break;
    case RowPiece:
        p.setPen(QPen(withAlpha(rim, 90), 1.0));
        p.drawLine(QPointF(wellRect.left() + 1, anchor.y()),
                   QPointF(wellRect.right() - 1, anchor.y()));
        marker.moveTo(wellRect.left() - 1, anchor.y());
        marker.lineTo(wellRect.left() - 1 - m * 1.3, anchor.y() - m);
        marker.lineTo(wellRect.left() - 1 - m * 1.3, anchor.y() + m);
        break;
    }
    marker.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawPath(marker);
}

QRectF RxMonitorView::pieceExtent(Piece piece) const
{
    const Layout l = layout();
    const QRectF& well = l.wellRect;
    const double m = qMax(3.0, l.field.width() * 0.03) + 2;
    switch (piece) {
    case KnobPiece: {
        // The glow reaches twice the radius.
        const double r = l.knobR * 2.0 + 2;
        return QRectF(-r, -r, 2 * r, 2 * r);
    }
    case ColumnPiece:
        return QRectF(-m, well.top() - 2, 2 * m, well.height() + 4 + m * 1.3);
    case RowPiece:
        return QRectF(well.left() - 2 - m * 1.3, -m, well.width() + 4 + m * 1.3, 2 * m);
    }
    return QRectF();
}

void RxMonitorView::drawPiece(QPainter* painter, Piece piece, const QPointF& anchor, bool outside)
{
    const qreal ratio = devicePixelRatioF();
    // The anchor lands on whole device pixels plus a fraction, in quarters: the whole part
    // says where the picture is copied, the fraction which picture, so each one is drawn
    // exactly as the piece would be drawn there.
    const QPointF device = anchor * ratio;
    QPoint whole(qFloor(device.x()), qFloor(device.y()));
    QPoint quarter(qRound((device.x() - whole.x()) * 4), qRound((device.y() - whole.y()) * 4));
    if (quarter.x() == 4) {
        whole.rx() += 1;
        quarter.rx() = 0;
    }
    if (quarter.y() == 4) {
        whole.ry() += 1;
        quarter.ry() = 0;
    }
    const QRectF extent = pieceExtent(piece);
    const QRect box = QRectF(extent.topLeft() * ratio, extent.size() * ratio)
                              .toAlignedRect()
                              .adjusted(-1, -1, 1, 1);
    const int key = piece * 32 + (outside ? 16 : 0) + quarter.y() * 4 + quarter.x();
    QPixmap& sprite = m_sprites[key];
    if (sprite.isNull()) {
        sprite = QPixmap(box.size());
        sprite.setDevicePixelRatio(ratio);
        sprite.fill(Qt::transparent);
        QPainter p(&sprite);
        p.setRenderHint(QPainter::Antialiasing);
        // A shift by whole device pixels: the piece comes out as it would on the view.
        p.translate(-QPointF(whole + box.topLeft()) / ratio);
        paintPiece(&p, piece, (QPointF(whole) + QPointF(quarter) / 4.0) / ratio,
                   outside ? WidgetStyle::alert() : WidgetStyle::live());
    }
    painter->drawPixmap(QRectF(QPointF(whole + box.topLeft()) / ratio, QSizeF(box.size()) / ratio),
                        sprite, QRectF(QPointF(0, 0), QSizeF(box.size())));
}

void RxMonitorView::paintEvent(QPaintEvent* event)
{
    using namespace WidgetStyle;
    const qreal ratio = devicePixelRatioF();
    // The view sits on a plain panel (or a window): its colour shows round the rounded
    // corners, as it would through a transparent view.
    const QWidget* under = parentWidget() ? parentWidget() : this;
    const QColor backdrop = under->palette().color(under->backgroundRole());
    if (m_staticLayer.size() != size() * ratio || m_staticBackground != backdrop) {
        m_staticLayer = QPixmap(size() * ratio);
        m_staticLayer.setDevicePixelRatio(ratio);
        m_sprites.clear();
        m_staticBackground = backdrop;
        m_staticLayer.fill(backdrop);
        QPainter layer(&m_staticLayer);
        layer.setRenderHint(QPainter::Antialiasing);
        paintStaticLayer(&layer);
    }
    QPainter p(this);
    for (const QRect& r : event->region())
        p.drawPixmap(r, m_staticLayer,
                     QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    p.setRenderHint(QPainter::Antialiasing);
    m_painted = knobState();

    const Layout l = layout();
    const QRectF& field = l.field;
    const double knobR = l.knobR;
    const QRectF& travel = l.travel;
    const QRectF& wellRect = l.wellRect;
    const QPointF centre = travel.center();

    if (!valueArrived) {
        // No value yet: a hollow knob at the centre and a quiet hint.
        p.setPen(QPen(withAlpha(textDim(), 160), 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, knobR, knobR);
        p.setFont(scaledFont(this, qMax(8.0, field.height() * 0.06), true));
        p.setPen(textDim());
        p.drawText(QRectF(field.left(), wellRect.bottom(), field.width(),
                          field.bottom() - wellRect.bottom()),
                   Qt::AlignCenter, tr("NO DATA"));
        return;
    }

    const QPointF knob(m_painted.at.x() / 2.0, m_painted.at.y() / 2.0);
    const QColor rim = m_painted.outside ? alert() : live();

    // Crosshair through the knob, with markers where it meets the edges.
    drawPiece(&p, ColumnPiece, QPointF(knob.x(), 0), m_painted.outside);
    drawPiece(&p, RowPiece, QPointF(0, knob.y()), m_painted.outside);

    // The stick's deflection from neutral.
    p.setPen(QPen(withAlpha(rim, 170), qMax(1.5, knobR * 0.25), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, knob);

    drawPiece(&p, KnobPiece, knob, m_painted.outside);
}
