#ifndef LAZYCHARTPAGE_H
#define LAZYCHARTPAGE_H

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWebView;

// The flight-log chart's web page costs a WebKit page, two large scripts and tens of
// megabytes, yet only the log tab's chart shows it. This keeps the page unmade until the
// chart is first opened (load()), and keeps what is to be drawn before then: the chart
// shows one record at a time, so the last script waiting is run once the page is there.
class LazyChartPage : public QObject
{
    Q_OBJECT
public:
    // `load` fills the view with the chart page and its scripts; it is called once.
    LazyChartPage(QWebView* view, std::function<void()> load, QObject* parent = nullptr);

    bool isLoaded() const { return m_loaded; }
    // The script waiting for the page, empty when none.
    QString pendingScript() const { return m_pending; }

public slots:
    // Makes the page now, if it is not made yet, and runs the script that waited for it.
    void load();
    // Runs the script in the page, or keeps it for the page if there is none yet.
    void run(const QString& script);
    // Reloads the page; before the page exists, drops what waited for it, as a reload
    // would have wiped it.
    void reload();

private:
    QPointer<QWebView> m_view;
    std::function<void()> m_load;
    QString m_pending;
    bool m_loaded = false;
};

#endif // LAZYCHARTPAGE_H
