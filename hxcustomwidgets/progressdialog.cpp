#include "progressdialog.h"

#include "widgetstyle.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QVariantAnimation>

#include <cmath>

namespace {
constexpr int SpinPeriod = 1100;
constexpr int Shadow = 12; // room around the card for its soft shadow
} // namespace

ProgressDialog::ProgressDialog(QWidget* parent)
    : QWidget(parent)
    , m_spin(new QVariantAnimation(this))
{
    // The window passes the type through slots, queued ones included.
    qRegisterMetaType<ProgressDialog::Type>("ProgressDialog::Type");
    if (!parent) {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAttribute(Qt::WA_TranslucentBackground);
    }
    m_spin->setStartValue(0.0);
    m_spin->setEndValue(1.0);
    m_spin->setDuration(SpinPeriod);
    m_spin->setLoopCount(-1);
    connect(m_spin, &QVariantAnimation::valueChanged, this, [this] { update(); });
    resize(sizeHint());
    hide();
}

ProgressDialog::~ProgressDialog()
{
    m_spin->stop();
    if (m_watchedParent)
        m_watchedParent->removeEventFilter(this);
}

QSize ProgressDialog::sizeHint() const
{
    return QSize(360 + 2 * Shadow, 118 + 2 * Shadow);
}

void ProgressDialog::setContent(const QString& text)
{
    if (text == m_content)
        return;
    m_content = text;
    update();
}

QString ProgressDialog::content() const
{
    return m_content;
}

void ProgressDialog::changeState(int state)
{
    if (state != Busy && state != Progress)
        return;
    m_state = state;
    updateAnimation();
    update();
}

int ProgressDialog::state() const
{
    return m_state;
}

void ProgressDialog::setProgressBarValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    update();
}

int ProgressDialog::progressBarValue() const
{
    return m_value;
}

bool ProgressDialog::isAnimating() const
{
    return m_spin->state() == QAbstractAnimation::Running;
}

void ProgressDialog::setVisible(bool visible)
{
    if (visible) {
        centreOverParent();
        if (parentWidget() && m_watchedParent != parentWidget()) {
            if (m_watchedParent)
                m_watchedParent->removeEventFilter(this);
            m_watchedParent = parentWidget();
            m_watchedParent->installEventFilter(this);
        }
    }
    QWidget::setVisible(visible);
    if (visible)
        raise();
}

void ProgressDialog::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateAnimation();
}

void ProgressDialog::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateAnimation();
}

bool ProgressDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedParent && event->type() == QEvent::Resize && isVisible())
        centreOverParent();
    return QWidget::eventFilter(watched, event);
}

void ProgressDialog::updateAnimation()
{
    // The spinner only costs timer ticks while somebody can see it.
    const bool wanted = m_state == Busy && isVisible();
    if (wanted && m_spin->state() != QAbstractAnimation::Running)
        m_spin->start();
    else if (!wanted)
        m_spin->stop();
}

void ProgressDialog::centreOverParent()
{
    if (QWidget* p = parentWidget()) {
        move((p->width() - width()) / 2, (p->height() - height()) / 2);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

void ProgressDialog::paintEvent(QPaintEvent*)
{
    using namespace WidgetStyle;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF card = QRectF(rect()).adjusted(Shadow, Shadow, -Shadow, -Shadow);
    const double radius = 12.0;
    // Soft shadow: a few widening, fading outlines.
    p.setBrush(Qt::NoBrush);
    for (int i = Shadow; i > 0; --i) {
        const double a = 34.0 * (1.0 - double(i) / Shadow) * (1.0 - double(i) / Shadow);
        p.setPen(QPen(QColor(0, 0, 0, int(a)), 1.0));
        p.drawRoundedRect(card.adjusted(-i, -i + 3, i, i + 3), radius + i, radius + i);
    }
    drawPanel(&p, card, radius);
    p.setPen(QPen(withAlpha(accent(), 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const double pad = 18.0;
    QRectF textRect;
    if (m_state == Busy) {
        // A ring of fading segments, turning.
        const double r = 17.0;
        const QPointF c(card.left() + pad + r, card.center().y());
        const double phase = m_spin->currentValue().toDouble();
        const int segments = 12;
        for (int i = 0; i < segments; ++i) {
            const double lag = std::fmod(phase * segments - i + segments, segments) / segments;
            QColor col = accent();
            col.setAlphaF(qBound(0.15, 1.0 - lag, 1.0));
            p.save();
            p.translate(c);
            p.rotate(i * 360.0 / segments);
            p.setPen(QPen(col, 3.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(0, -r * 0.5), QPointF(0, -r));
            p.restore();
        }
        textRect = QRectF(c.x() + r + pad * 0.8, card.top() + pad * 0.6,
                          card.right() - pad - (c.x() + r + pad * 0.8), card.height() - pad * 1.2);
    } else {
        textRect = QRectF(card.left() + pad, card.top() + pad * 0.7, card.width() - 2 * pad,
                          card.height() * 0.5 - pad * 0.5);
        const QRectF bar(card.left() + pad, card.bottom() - pad - 14, card.width() - 2 * pad - 50,
                         14);
        drawWell(&p, bar, 7);
        const double fraction = qBound(0, m_value, 100) / 100.0;
        if (fraction > 0) {
            QRectF fill = bar.adjusted(2, 2, -2, -2);
            fill.setWidth(qMax(fill.height(), fill.width() * fraction));
            QLinearGradient g(fill.topLeft(), fill.topRight());
            g.setColorAt(0.0, accent().darker(130));
            g.setColorAt(1.0, accent());
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(fill, fill.height() / 2, fill.height() / 2);
        }
        p.setFont(scaledFont(this, 13, true));
        p.setPen(text());
        p.drawText(QRectF(bar.right() + 6, bar.top() - 6, card.right() - pad - bar.right() - 6,
                          bar.height() + 12),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1%").arg(m_value));
    }

    QFont f = scaledFont(this, 14, false);
    for (int i = 0; i < 5; ++i) {
        const QRect needed = QFontMetrics(f).boundingRect(
                textRect.toRect(), Qt::AlignVCenter | Qt::TextWordWrap, m_content);
        if (needed.height() <= textRect.height())
            break;
        f.setPixelSize(f.pixelSize() - 1);
    }
    p.setFont(f);
    p.setPen(text());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, m_content);
}
