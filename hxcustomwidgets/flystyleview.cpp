#include "flystyleview.h"

#include "widgetstyle.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace {
constexpr int StyleCount = FlyStyleView::MaximumStyle - FlyStyleView::MinimumStyle + 1;
constexpr double Gap = 8.0;

// A small helicopter seen from the side, nose to the right, centred on the origin,
// about 2 units long.
QPainterPath helicopterShape()
{
    QPainterPath heli;
    heli.addEllipse(QPointF(0.25, 0.05), 0.42, 0.26); // cabin
    heli.moveTo(-0.15, 0.0);                          // tail boom
    heli.lineTo(-1.05, -0.08);
    heli.lineTo(-1.05, 0.02);
    heli.lineTo(-0.15, 0.14);
    heli.closeSubpath();
    heli.addRect(QRectF(-1.12, -0.3, 0.12, 0.34)); // fin
    heli.addRect(QRectF(-0.85, -0.42, 2.0, 0.06)); // main blades
    heli.addRect(QRectF(0.17, -0.38, 0.06, 0.14)); // mast
    heli.addRect(QRectF(-0.2, 0.36, 0.95, 0.05));  // skid
    return heli;
}
} // namespace

FlyStyleView::FlyStyleView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    resize(sizeHint());
}

FlyStyleView::~FlyStyleView() = default;

void FlyStyleView::setValue(int value)
{
    if (value < MinimumStyle || value > MaximumStyle || value == m_value)
        return;
    updateCard(m_value);
    m_value = value;
    updateCard(m_value);
}

int FlyStyleView::getValue() const
{
    return m_value;
}

QSize FlyStyleView::sizeHint() const
{
    return QSize(380, 104);
}

QSize FlyStyleView::minimumSizeHint() const
{
    return QSize(160, 48);
}

QRect FlyStyleView::styleRect(int value) const
{
    if (value < MinimumStyle || value > MaximumStyle)
        return QRect();
    const double w = (width() - Gap * (StyleCount - 1)) / StyleCount;
    const int index = value - MinimumStyle;
    return QRectF(index * (w + Gap), 0, w, height()).toAlignedRect().adjusted(0, 0, -1, -1);
}

// A card with the focus ring around it: a change of choice repaints the two cards it
// concerns, not the other pictures.
QRect FlyStyleView::cardArea(int value) const
{
    return styleRect(value).adjusted(-2, -2, 2, 2);
}

void FlyStyleView::updateCard(int value)
{
    const QRect area = cardArea(value);
    if (!area.isEmpty())
        update(area);
}

int FlyStyleView::styleAt(const QPoint& pos) const
{
    for (int v = MinimumStyle; v <= MaximumStyle; ++v) {
        if (styleRect(v).contains(pos))
            return v;
    }
    return 0;
}

void FlyStyleView::choose(int value)
{
    if (value < MinimumStyle || value > MaximumStyle || value == m_value)
        return;
    updateCard(m_value);
    m_value = value;
    updateCard(m_value);
    emit _valueChanged(m_value);
}

void FlyStyleView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = styleAt(event->pos());
    update();
}

void FlyStyleView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const int released = styleAt(event->pos());
    const int pressed = m_pressed;
    m_pressed = 0;
    update();
    // Like a button: the choice counts when pressed and released on the same picture.
    if (released != 0 && released == pressed)
        choose(released);
}

void FlyStyleView::mouseMoveEvent(QMouseEvent* event)
{
    const int hovered = styleAt(event->pos());
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
}

void FlyStyleView::leaveEvent(QEvent*)
{
    m_hovered = 0;
    update();
}

void FlyStyleView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        choose(qMax(int(MinimumStyle), m_value - 1));
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        choose(qMin(int(MaximumStyle), m_value + 1));
        break;
    case Qt::Key_Home:
        choose(MinimumStyle);
        break;
    case Qt::Key_End:
        choose(MaximumStyle);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void FlyStyleView::hideEvent(QHideEvent* event)
{
    m_pressed = 0;
    m_hovered = 0;
    QWidget::hideEvent(event);
}

void FlyStyleView::changeEvent(QEvent* event)
{
    // The captions follow the font and the language.
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::LanguageChange:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
        m_cards.clear();
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void FlyStyleView::focusInEvent(QFocusEvent* event)
{
    // Only a focus reached with the keyboard gets a visible ring; a click shows its choice.
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
                      event->reason() == Qt::BacktabFocusReason ||
                      event->reason() == Qt::ShortcutFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void FlyStyleView::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    update();
    QWidget::focusOutEvent(event);
}

void FlyStyleView::drawPicture(QPainter* p, int style, const QRectF& area, bool selected) const
{
    using namespace WidgetStyle;
    const QColor line = withAlpha(selected ? accent() : textDim(), selected ? 230 : 140);
    const double s = qMin(area.width(), area.height() * 1.5);
    const QPointF c = area.center();
    const double w = s * 0.44;
    const double h = area.height() * 0.42;
    const double pen = qMax(1.2, s * 0.022);

    auto arrowHead = [&](const QPointF& tip, double degrees) {
        const double a = qDegreesToRadians(degrees);
        const double len = pen * 3.2;
        const QPointF back(std::cos(a) * len, std::sin(a) * len);
        const QPointF side(-std::sin(a) * len * 0.6, std::cos(a) * len * 0.6);
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip - back + side);
        head.lineTo(tip - back - side);
        head.closeSubpath();
        p->save();
        p->setPen(Qt::NoPen);
        p->setBrush(line);
        p->drawPath(head);
        p->restore();
    };

    // The flight path of the style, and a helicopter flying it.
    QPainterPath path;
    double heliAngle = 0.0;
    QPointF heliPos;
    double heliScale = s * 0.13;
    switch (style) {
    case Scale:
        path.moveTo(c.x() - w, c.y() + h * 0.55);
        path.cubicTo(c.x() - w * 0.3, c.y() + h * 0.5, c.x() + w * 0.2, c.y() + h * 0.2, c.x() + w,
                     c.y() + h * 0.1);
        heliPos = QPointF(c.x() + w * 0.1, c.y() - h * 0.25);
        heliAngle = -3;
        break;
    case Sport:
        path.moveTo(c.x() - w, c.y() + h * 0.6);
        path.cubicTo(c.x() - w * 0.3, c.y() - h * 0.9, c.x() + w * 0.3, c.y() + h * 1.1, c.x() + w,
                     c.y() - h * 0.35);
        heliPos = QPointF(c.x() + w * 0.45, c.y() - h * 0.55);
        heliAngle = -24;
        break;
    case Acro3D: {
        const double r = h * 0.72;
        const double base = c.y() + h * 0.72;
        path.moveTo(c.x() - w, base);
        path.lineTo(c.x(), base);
        path.arcTo(QRectF(c.x() - r, base - 2 * r, 2 * r, 2 * r), -90, 360);
        path.lineTo(c.x() + w, base);
        heliPos = QPointF(c.x(), base - 2 * r + heliScale * 0.2);
        heliAngle = 180;
        heliScale *= 0.85;
        break;
    }
    case Extreme3D:
    default: {
        // Tumbling: two turning arrows around an inverted helicopter.
        const double r = h * 0.92;
        const QRectF ring(c.x() - r * 1.15, c.y() - r, 2.3 * r, 2 * r);
        path.arcMoveTo(ring, 110);
        path.arcTo(ring, 110, 140);
        path.arcMoveTo(ring, 290);
        path.arcTo(ring, 290, 140);
        heliPos = c;
        heliAngle = 160;
        heliScale *= 0.9;
        break;
    }
    }
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(line, pen, style == Extreme3D ? Qt::SolidLine : Qt::DashLine, Qt::RoundCap));
    p->drawPath(path);
    if (style == Extreme3D) {
        const double r = h * 0.92;
        const QRectF ring(c.x() - r * 1.15, c.y() - r, 2.3 * r, 2 * r);
        // Arc ends at 250 and 70 degrees (counter-clockwise from 3 o'clock).
        const auto endOf = [&](double deg) {
            const double a = qDegreesToRadians(deg);
            return QPointF(ring.center().x() + ring.width() / 2 * std::cos(a),
                           ring.center().y() - ring.height() / 2 * std::sin(a));
        };
        // Both arcs run counter-clockwise, so they leave their ends at a right angle.
        arrowHead(endOf(250), -(250.0 + 90.0));
        arrowHead(endOf(70), -(70.0 + 90.0));
    } else if (style == Scale || style == Sport) {
        arrowHead(path.pointAtPercent(1.0), -path.angleAtPercent(0.99));
    } else {
        arrowHead(path.pointAtPercent(1.0), 0);
    }

    p->save();
    p->translate(heliPos);
    p->rotate(heliAngle);
    p->scale(heliScale, heliScale);
    p->setPen(Qt::NoPen);
    p->setBrush(selected ? text() : QColor(0xb8, 0xc2, 0xce));
    p->drawPath(helicopterShape());
    p->restore();
}

// A card is drawn once for each state it can be in at this size and then only copied:
// answers from the unit move the choice many times a second, and each drawing strokes a
// dozen antialiased curves.
QPixmap FlyStyleView::cardPicture(int v) const
{
    const int state =
            (v << 3) | (v == m_value ? 1 : 0) | (v == m_hovered ? 2 : 0) | (v == m_pressed ? 4 : 0);
    const qreal ratio = devicePixelRatioF();
    if (m_cardSize != size() || m_cardRatio != ratio) {
        m_cards.clear();
        m_cardSize = size();
        m_cardRatio = ratio;
    }
    auto cached = m_cards.constFind(state);
    if (cached != m_cards.constEnd())
        return cached.value();
    QPixmap picture(cardArea(v).size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-cardArea(v).topLeft());
    drawCard(&p, v);
    p.end();
    m_cards.insert(state, picture);
    return picture;
}

void FlyStyleView::drawCard(QPainter* painter, int v) const
{
    using namespace WidgetStyle;
    QPainter& p = *painter;
    static const char* const names[] = {QT_TR_NOOP("SCALE"), QT_TR_NOOP("SPORT"), QT_TR_NOOP("3D"),
                                        QT_TR_NOOP("EXTREME 3D")};
    const QRectF card = QRectF(styleRect(v)).adjusted(0.5, 0.5, 0.5, 0.5);
    const bool selected = v == m_value;
    const bool hovered = v == m_hovered;
    const double radius = qMax(5.0, qMin(card.width(), card.height()) * 0.09);
    drawPanel(&p, card, radius);
    if (hovered || v == m_pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, v == m_pressed ? 26 : 14));
        p.drawRoundedRect(card, radius, radius);
    }
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(accent(), 24));
        p.drawRoundedRect(card, radius, radius);
        p.setPen(QPen(accent(), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(card.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    }

    const double captionH = qMax(12.0, card.height() * 0.22);
    const QRectF picture(card.left() + 4, card.top() + card.height() * 0.08, card.width() - 8,
                         card.height() - captionH - card.height() * 0.16);
    drawPicture(&p, v, picture, selected);

    // Caption and an intensity scale of one to four pips.
    const QRectF caption(card.left() + 2, card.bottom() - captionH - card.height() * 0.09,
                         card.width() - 4, captionH);
    double px = qMin(captionH * 0.72, card.width() / 8.0);
    p.setFont(scaledFont(this, px, true));
    p.setPen(selected ? text() : textDim());
    p.drawText(caption, Qt::AlignCenter, tr(names[v - MinimumStyle]));
    const double pip = qMax(2.0, card.height() * 0.035);
    const double pipsW = StyleCount * pip * 2.6;
    for (int i = 0; i < StyleCount; ++i) {
        const QPointF at(card.center().x() - pipsW / 2 + pip * 1.3 + i * pip * 2.6,
                         card.bottom() - card.height() * 0.065);
        p.setPen(Qt::NoPen);
        const bool lit = i < v - MinimumStyle + 1;
        p.setBrush(lit ? (selected ? accent() : textDim()) : grid());
        p.drawEllipse(at, pip, pip);
    }
}

void FlyStyleView::paintEvent(QPaintEvent* event)
{
    using namespace WidgetStyle;
    QPainter p(this);
    for (int v = MinimumStyle; v <= MaximumStyle; ++v) {
        const QRect area = cardArea(v);
        if (event->region().intersects(area))
            p.drawPixmap(area.topLeft(), cardPicture(v));
    }
    p.setRenderHint(QPainter::Antialiasing);

    if (hasFocus() && m_keyboardFocus) {
        const QRectF card = QRectF(styleRect(m_value)).adjusted(-0.5, -0.5, 1.5, 1.5);
        p.setPen(QPen(withAlpha(text(), 120), 1.0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(card, 6, 6);
    }
}
