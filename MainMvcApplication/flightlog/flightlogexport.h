#ifndef FLIGHTLOGEXPORT_H
#define FLIGHTLOGEXPORT_H

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QMenu;
class QPushButton;
class QStandardItemModel;
class ResourceManager;

namespace Ui {
class MainWidget;
}

// Export of the flight shown on the log tab: its event table and its chart samples, each
// as a CSV file. The chart samples are taken from the records the program received (what
// it hands to the chart page), so the page need not exist. Every export ends in a message:
// saved N rows to the file, failed and why, or nothing to export.
class FlightLogExport : public QObject
{
    Q_OBJECT
public:
    struct Chart
    {
        int periodTenths = 0;
        QStringList names;
        QVector<QVector<qint64>> series; // one vector per name, all of one length
    };
    struct Result
    {
        bool ok = false;
        int rows = 0;
        QString error;
    };

    // Marks a row of the event table that the window adds (the note that the table was
    // cut); it is no event of the flight and is not exported.
    static const int NoteRole = Qt::UserRole + 2;

    explicit FlightLogExport(Ui::MainWidget* window, QObject* parent = nullptr);

    // The flight (record 0 to 4) the log tab shows.
    void setFlight(int flight) { m_flight = flight; }
    // The chart record of a flight as the unit sent it; forgotten on clearRecords() (a
    // reconnect may bring another unit).
    void setChartRecord(int flight, const QString& data) { m_charts.insert(flight, data); }
    void clearRecords() { m_charts.clear(); }

    // Where the user wants the file; empty means cancelled. Default: a save dialog.
    void setPathChooser(std::function<QString(const QString& suggested)> chooser)
    {
        m_chooser = std::move(chooser);
    }

    QPushButton* button() const { return m_button; }
    QMenu* menu() const { return m_menu; }

    // The two exports as the menu runs them, with their messages.
    void exportEvents();
    void exportChart();

    // File work without messages.
    static Result writeEvents(const QStandardItemModel* model, const QString& path);
    static Result writeChart(const Chart& chart, const QString& path);
    // Reads "period;name:v,v;name:v,v"; on failure *why says what is wrong.
    static bool parseChart(const QString& data, Chart* chart, QString* why);
    // One CSV field: quoted where needed, and text that a spreadsheet would take for a
    // formula is kept as text.
    static QString csvField(const QString& text);
    // Default file name: "flight-<n>-<kind>.csv" with n counted from 1.
    static QString defaultFileName(int flight, const QString& kind);

private:
    QString choosePath(const QString& fileName);
    void report(const Result& result, const QString& path);
    void tell(int textId, const QString& argument = QString());
    QString text(int id) const;

    Ui::MainWidget* m_window;
    ResourceManager* m_resources;
    QPushButton* m_button;
    QMenu* m_menu;
    int m_flight = 0;
    QHash<int, QString> m_charts;
    std::function<QString(const QString&)> m_chooser;
    QString m_lastDir;
};

#endif // FLIGHTLOGEXPORT_H
