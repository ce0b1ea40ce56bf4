#include "lazychartpage.h"

#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

LazyChartPage::LazyChartPage(QWebView* view, std::function<void()> load, QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_load(std::move(load))
{}

void LazyChartPage::load()
{
    if (m_loaded || !m_view)
        return;
    m_loaded = true;
    if (m_load)
        m_load();
    // The page's text is set at once (only linked files would load later), so the
    // scripts and the record can run right after it.
    if (!m_pending.isEmpty())
        m_view->page()->mainFrame()->evaluateJavaScript(m_pending);
    m_pending.clear();
}

void LazyChartPage::run(const QString& script)
{
    if (!m_view)
        return;
    if (!m_loaded) {
        m_pending = script;
        return;
    }
    m_view->page()->mainFrame()->evaluateJavaScript(script);
}

void LazyChartPage::reload()
{
    if (!m_loaded) {
        m_pending.clear();
        return;
    }
    if (m_view)
        m_view->reload();
}
