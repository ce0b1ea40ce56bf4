#include "checkmarkoverlay.h"

#include "widgetstyle.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
const char* const OverlayName = "hx_checkmark";
} // namespace

CheckMarkOverlay::CheckMarkOverlay(const QPixmap& image, QWidget* button)
    : QWidget(button)
    , m_image(image)
{
    setObjectName(QLatin1String(OverlayName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    button->installEventFilter(this);
    place();
}

CheckMarkOverlay* CheckMarkOverlay::find(QWidget* button)
{
    return button->findChild<CheckMarkOverlay*>(QLatin1String(OverlayName),
                                                Qt::FindDirectChildrenOnly);
}

void CheckMarkOverlay::place()
{
    const QWidget* button = parentWidget();
    int side = qBound(14, qRound(qMin(button->width(), button->height()) * 0.24), 30);
    // Never blow a picture up beyond its own size; it would only turn blurry.
    if (!m_image.isNull())
        side = qMin(side, qMax(m_image.width(), m_image.height()));
    const int margin = qMax(2, side / 6);
    setGeometry(button->width() - side - margin, margin, side, side);
    raise();
}

bool CheckMarkOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded))
        place();
    return QWidget::eventFilter(watched, event);
}

void CheckMarkOverlay::setMarked(bool marked)
{
    if (marked == m_marked)
        return;
    m_marked = marked;
    update();
}

bool CheckMarkOverlay::isMarked() const
{
    return m_marked && !isHidden();
}

void CheckMarkOverlay::paintEvent(QPaintEvent*)
{
    if (!m_marked)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (!m_image.isNull()) {
        QSizeF s = m_image.size();
        s.scale(r.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), s);
        target.moveCenter(r.center());
        p.drawPixmap(target, m_image, QRectF(m_image.rect()));
        return;
    }
    // No picture to hand: a drawn badge with a tick.
    using namespace WidgetStyle;
    p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
    QRadialGradient fill(r.center() - QPointF(r.width() * 0.2, r.height() * 0.25), r.width());
    fill.setColorAt(0.0, accent().lighter(120));
    fill.setColorAt(1.0, accent().darker(120));
    p.setBrush(fill);
    p.drawEllipse(r);
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.27, r.top() + r.height() * 0.53);
    tick.lineTo(r.left() + r.width() * 0.44, r.top() + r.height() * 0.7);
    tick.lineTo(r.left() + r.width() * 0.75, r.top() + r.height() * 0.33);
    p.setPen(QPen(QColor(0x1b, 0x21, 0x29), qMax(1.6, r.width() * 0.12), Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}
