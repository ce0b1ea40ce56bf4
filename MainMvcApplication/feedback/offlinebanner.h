#ifndef OFFLINEBANNER_H
#define OFFLINEBANNER_H

#include <QLabel>
#include <QString>

class QTabWidget;

// The line laid over the top of the settings panels of every tab while no unit is
// connected: it says that edits stay in the window and are not sent, and why no unit is
// connected when the link knows.
class OfflineBanner : public QLabel
{
    Q_OBJECT
public:
    OfflineBanner(QTabWidget* tabs, const QString& offlineText);
    ~OfflineBanner() override;

    void setOffline(bool offline);
    bool isOffline() const { return m_offline; }
    void setReason(const QString& reason);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void refresh();

    QTabWidget* m_tabs;
    QString m_offlineText;
    QString m_reason;
    bool m_offline = false;
};

#endif // OFFLINEBANNER_H
