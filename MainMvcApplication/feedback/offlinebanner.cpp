#include "offlinebanner.h"

#include <QEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

OfflineBanner::OfflineBanner(QTabWidget* tabs, const QString& offlineText)
    : QLabel(tabs)
    , m_tabs(tabs)
    , m_offlineText(offlineText)
{
    setObjectName(QStringLiteral("offlineBanner"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    // A reason in French or Vietnamese is longer than the window is wide.
    setWordWrap(true);
    setStyleSheet(QStringLiteral("QLabel#offlineBanner { background: rgba(150, 40, 30, 225); "
                                 "color: white; font-size: 12px; padding: 2px 6px; }"));
    // It informs only; the panels under it stay usable.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    tabs->installEventFilter(this);
    if (QTabBar* bar = tabs->findChild<QTabBar*>())
        bar->installEventFilter(this);
    if (auto* pages = tabs->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
        pages->installEventFilter(this);
    hide();
}

OfflineBanner::~OfflineBanner() = default;

void OfflineBanner::setOffline(bool offline)
{
    m_offline = offline;
    refresh();
}

void OfflineBanner::setReason(const QString& reason)
{
    m_reason = reason;
    refresh();
}

void OfflineBanner::refresh()
{
    const QString line = m_reason.isEmpty()
                                 ? m_offlineText
                                 : m_offlineText + QStringLiteral("  \u2014  ") + m_reason;
    setText(line);
    setToolTip(line);
    setVisible(m_offline);
    place();
    if (m_offline)
        raise();
}

void OfflineBanner::place()
{
    // The pages move down by the line's height instead of being covered by it.
    QStackedWidget* pages =
            m_tabs->findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
    const int width = pages ? pages->width() : m_tabs->width();
    ensurePolished();
    const int height = qMax(fontMetrics().height() + 8, heightForWidth(width) + 2);
    if (pages) {
        pages->setContentsMargins(0, m_offline ? height : 0, 0, 0);
        if (m_offline)
            setGeometry(pages->x(), pages->y(), pages->width(), height);
        return;
    }
    const QTabBar* bar = m_tabs->findChild<QTabBar*>();
    const int top = bar && bar->isVisible() ? bar->geometry().bottom() + 1 : 0;
    setGeometry(0, top, m_tabs->width(), height);
}

bool OfflineBanner::eventFilter(QObject* watched, QEvent* event)
{
    if (m_offline && (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
                      event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest)) {
        place();
        raise();
    }
    return QLabel::eventFilter(watched, event);
}
