#include "customframe.h"

#include "titlebarbutton.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWindow>

namespace {
constexpr int DefaultTitleHeight = 40;
// The skin's colours: orange for what is active, light text, slate borders.
const QColor Accent(0xf0, 0xa0, 0x30);
const QColor TitleText(0xe4, 0xe8, 0xee);
const QColor Border(0x33, 0x40, 0x50);
} // namespace

CustomFrame::CustomFrame(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint)
    , m_titleSize(0, DefaultTitleHeight)
    , m_minimizeButton(new TitleBarButton(TitleBarButton::Minimize, this))
    , m_closeButton(new TitleBarButton(TitleBarButton::Close, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_minimizeButton, &QAbstractButton::clicked, this, &QWidget::showMinimized);
    connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::close);
    layoutTitleBar();
}

CustomFrame::~CustomFrame() = default;

void CustomFrame::setWindowSize(int w, int h)
{
    resize(w, h);
    // A hidden window gets its resize event only when shown; place the buttons now.
    layoutTitleBar();
}

void CustomFrame::setWindowTitleSize(int w, int h)
{
    m_titleSize = QSize(qMax(0, w), qMax(0, h));
    layoutTitleBar();
    update();
}

QSize CustomFrame::windowTitleSize() const
{
    return m_titleSize;
}

void CustomFrame::setWindowTitle(const QString& title)
{
    // Also the title the task bar shows; the drawn one follows through changeEvent.
    QWidget::setWindowTitle(title);
}

void CustomFrame::setBackgroundImage(const QString& path)
{
    m_backgroundPath = path;
    // Read at the first paint, at the frame's size; the picture is held only that way.
    m_scaledBackground = QPixmap();
    m_backgroundTried = false;
    update();
}

void CustomFrame::scaleBackground(const QSize& size)
{
    if (m_backgroundTried && m_scaledBackground.size() == size)
        return;
    m_backgroundTried = true;
    m_scaledBackground = QPixmap();
    if (m_backgroundPath.isEmpty())
        return;
    QImageReader reader(m_backgroundPath);
    const QSize original = reader.size();
    if (!original.isValid() || original.isEmpty() || size.isEmpty())
        return;
    // Fill the window without distorting the picture; the overflow is cut evenly.
    const QSize scaled = original.scaled(size, Qt::KeepAspectRatioByExpanding);
    const QImage picture = reader.read();
    if (picture.isNull())
        return;
    const QImage fitted =
            picture.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .copy((scaled.width() - size.width()) / 2,
                          (scaled.height() - size.height()) / 2, size.width(), size.height());
    m_scaledBackground = QPixmap::fromImage(fitted);
}

QString CustomFrame::backgroundImage() const
{
    return m_backgroundPath;
}

QRect CustomFrame::titleBarRect() const
{
    return QRect(0, 0, width(), m_titleSize.height());
}

QAbstractButton* CustomFrame::minimizeButton() const
{
    return m_minimizeButton;
}

QAbstractButton* CustomFrame::closeButton() const
{
    return m_closeButton;
}

void CustomFrame::layoutTitleBar()
{
    const int h = m_titleSize.height();
    const int w = qRound(h * 1.15);
    m_closeButton->setGeometry(width() - w, 0, w, h);
    m_minimizeButton->setGeometry(width() - 2 * w, 0, w, h);
    m_closeButton->setVisible(h > 0);
    m_minimizeButton->setVisible(h > 0);
    // The content is built after the frame, so it would otherwise stack on top.
    m_minimizeButton->raise();
    m_closeButton->raise();
}

void CustomFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutTitleBar();
}

void CustomFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layoutTitleBar();
    // Without a window manager's frame, nobody else places the window: centre it on
    // its screen the first time, unless the program has placed it already.
    if (!m_placed && !testAttribute(Qt::WA_Moved) && isWindow()) {
        const QScreen* screen = windowHandle() ? windowHandle()->screen() : nullptr;
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen) {
            QRect r = frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            move(r.topLeft().x(), qMax(screen->availableGeometry().top(), r.top()));
        }
    }
    m_placed = true;
}

void CustomFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WindowIconChange)
        update(titleBarRect());
    QWidget::changeEvent(event);
}

void CustomFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && titleBarRect().contains(event->pos()) &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        m_dragging = true;
        m_dragOffset = event->globalPos() - pos();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CustomFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPos() - m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void CustomFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CustomFrame::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect all = rect();

    scaleBackground(all.size());
    if (!m_scaledBackground.isNull()) {
        p.drawPixmap(0, 0, m_scaledBackground);
    } else {
        QLinearGradient base(0, 0, 0, all.height());
        base.setColorAt(0.0, QColor(0x1f, 0x26, 0x2f));
        base.setColorAt(1.0, QColor(0x16, 0x1b, 0x21));
        p.fillRect(all, base);
        QRadialGradient glow(QPointF(all.width() * 0.18, 40), all.width() * 0.7);
        glow.setColorAt(0.0, QColor(0x2b, 0x35, 0x42, 140));
        glow.setColorAt(1.0, QColor(0x2b, 0x35, 0x42, 0));
        p.fillRect(all, glow);
    }

    const QRect bar = titleBarRect();
    // Live values repaint small parts of the window many times a second; the title's text
    // and icon are drawn only when the title bar is among them.
    if (bar.height() > 0 && event->rect().intersects(bar)) {
        QLinearGradient shade(0, 0, 0, bar.height());
        shade.setColorAt(0.0, QColor(0x0e, 0x12, 0x16, 200));
        shade.setColorAt(1.0, QColor(0x12, 0x16, 0x1b, 170));
        p.fillRect(bar, shade);
        p.fillRect(QRect(0, bar.bottom(), bar.width(), 1), Border);
        QColor top = Accent;
        top.setAlpha(205);
        p.fillRect(QRect(0, 0, bar.width(), 2), top);

        // Window icon, or a drawn rotor head when the program has none.
        const double h = bar.height();
        const QRectF iconRect(h * 0.3, h * 0.2, h * 0.6, h * 0.6);
        const QIcon icon = windowIcon();
        if (!icon.isNull()) {
            icon.paint(&p, iconRect.toRect());
        } else {
            p.save();
            p.translate(iconRect.center());
            const double r = iconRect.width() / 2;
            p.setPen(Qt::NoPen);
            p.setBrush(Accent);
            for (int i = 0; i < 3; ++i) {
                // A slim, slightly swept blade from the hub to the tip.
                QPainterPath blade;
                blade.moveTo(0, -r * 0.12);
                blade.lineTo(r * 0.95, -r * 0.1);
                blade.quadTo(r * 1.05, 0, r * 0.95, r * 0.08);
                blade.lineTo(0, r * 0.12);
                blade.closeSubpath();
                p.drawPath(blade);
                p.rotate(120);
            }
            p.setBrush(TitleText);
            p.drawEllipse(QPointF(0, 0), r * 0.22, r * 0.22);
            p.restore();
        }

        QFont f = font();
        f.setPixelSize(qBound(10, qRound(h * 0.36), 18));
        f.setBold(true);
        p.setFont(f);
        p.setPen(TitleText);
        const int buttonsLeft = m_minimizeButton->isVisible() ? m_minimizeButton->x() : bar.right();
        const QRectF textRect(iconRect.right() + h * 0.3, 0,
                              buttonsLeft - iconRect.right() - h * 0.6, h);
        p.drawText(
                textRect, Qt::AlignLeft | Qt::AlignVCenter,
                p.fontMetrics().elidedText(windowTitle(), Qt::ElideRight, int(textRect.width())));
    }

    // A hairline edge so the borderless window stands out from whatever lies behind it.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(255, 255, 255, 40));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0, 0, -1, -1));
}
