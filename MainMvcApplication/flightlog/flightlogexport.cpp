#include "flightlogexport.h"

#include "mainwidget.h"

#include <resourcemanager.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QStandardPaths>

namespace {

const int ButtonText = 5112;
const int ButtonToolTip = 5113;
const int EventsEntry = 5114;
const int ChartEntry = 5115;
const int DialogCaption = 5116;
const int DialogFilter = 5117;
const int MessageTitle = 5118;
const int SavedText = 5119;
const int FailedText = 5120;
const int NoEventsText = 5121;
const int NoChartText = 5122;
const int BadChartText = 5123;

// The raw event time in tenths of a second, kept beside the shown text by the controller.
const int RawTimeRole = Qt::UserRole + 1;

// The unit sends at most 600 samples a series; anything far beyond is not a chart.
const int MaxSamples = 100000;

QString tenthsAsSeconds(qint64 tenths)
{
    return QString::number(tenths / 10.0, 'f', 1);
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields)
        quoted << FlightLogExport::csvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

// Writes the text as UTF-8 with a byte-order mark (spreadsheets on Windows need it to
// read the event texts' accents) through a save file, so a failed write leaves any
// earlier file whole.
FlightLogExport::Result saveText(const QString& text, int rows, const QString& path)
{
    FlightLogExport::Result result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    result.rows = rows;
    return result;
}

} // namespace

FlightLogExport::FlightLogExport(Ui::MainWidget* window, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_resources(ResourceManager::instance(QString()))
    , m_button(new QPushButton(window->tabLog))
    , m_menu(new QMenu(m_button))
{
    m_button->setObjectName(QStringLiteral("btnLogExport"));
    m_button->setText(text(ButtonText));
    m_button->setToolTip(text(ButtonToolTip));
    m_button->setIcon(QIcon(QStringLiteral("images/export.png")));
    m_button->setIconSize(QSize(16, 16));
    m_button->setMinimumSize(120, 24);
    m_button->setMaximumHeight(24);
    m_button->setMenu(m_menu);
    m_menu->setStyleSheet(QStringLiteral(
            "QMenu { color: #e4e8ee; background-color: #151a20; border: 1px solid #334050;"
            " padding: 4px; }"
            "QMenu::item { padding: 5px 18px; }"
            "QMenu::item:selected { background-color: #f0a030; color: #151a20; }"));
    connect(m_menu->addAction(text(EventsEntry)), &QAction::triggered, this,
            &FlightLogExport::exportEvents);
    connect(m_menu->addAction(text(ChartEntry)), &QAction::triggered, this,
            &FlightLogExport::exportChart);
    // Right of the event and chart page buttons.
    QHBoxLayout* row = window->horizontalLayoutLogMode;
    row->insertSpacing(row->indexOf(window->btnChart) + 1, 24);
    row->insertWidget(row->indexOf(window->btnChart) + 2, m_button);

    m_chooser = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(m_window, text(DialogCaption), suggested,
                                            text(DialogFilter));
    };
}

QString FlightLogExport::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

QString FlightLogExport::defaultFileName(int flight, const QString& kind)
{
    return QStringLiteral("flight-%1-%2.csv").arg(flight + 1).arg(kind);
}

QString FlightLogExport::csvField(const QString& text)
{
    QString field = text;
    // "=", "+", "-" and "@" start a formula in spreadsheets; a number stays a number.
    bool isNumber = false;
    field.toDouble(&isNumber);
    if (!field.isEmpty() && !isNumber && QStringLiteral("=+-@\t\r").contains(field.at(0)))
        field.prepend(QLatin1Char('\''));
    if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        field = QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

FlightLogExport::Result FlightLogExport::writeEvents(const QStandardItemModel* model,
                                                     const QString& path)
{
    QString text =
            csvLine({QStringLiteral("time_s"), QStringLiteral("code"), QStringLiteral("text")});
    int rows = 0;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QModelIndex timeIndex = model->index(r, 0);
        if (model->data(timeIndex, NoteRole).toBool())
            continue; // the window's own line, not an event of the flight
        ++rows;
        const QVariant raw = model->data(timeIndex, RawTimeRole);
        const QString time = raw.isValid() ? tenthsAsSeconds(raw.toLongLong())
                                           : model->data(timeIndex).toString();
        text += csvLine({time, model->data(model->index(r, 1)).toString(),
                         model->data(model->index(r, 2)).toString()});
    }
    return saveText(text, rows, path);
}

FlightLogExport::Result FlightLogExport::writeChart(const Chart& chart, const QString& path)
{
    QString text = csvLine(QStringList(QStringLiteral("time_s")) + chart.names);
    const int rows = chart.series.isEmpty() ? 0 : chart.series.first().size();
    for (int i = 0; i < rows; ++i) {
        QStringList fields{tenthsAsSeconds(qint64(i) * chart.periodTenths)};
        for (const QVector<qint64>& samples : chart.series)
            fields << QString::number(samples.at(i));
        text += csvLine(fields);
    }
    return saveText(text, rows, path);
}

bool FlightLogExport::parseChart(const QString& data, Chart* chart, QString* why)
{
    *chart = Chart();
    if (data.trimmed().isEmpty()) {
        *why = QStringLiteral("the record is empty");
        return false;
    }
    const QStringList parts = data.split(QLatin1Char(';'));
    bool ok = false;
    chart->periodTenths = parts.first().trimmed().toInt(&ok, 10);
    if (!ok || chart->periodTenths <= 0) {
        *why = QStringLiteral("no sample period");
        return false;
    }
    if (parts.size() < 2) {
        *why = QStringLiteral("no series");
        return false;
    }
    for (int p = 1; p < parts.size(); ++p) {
        const int colon = parts.at(p).indexOf(QLatin1Char(':'));
        if (colon <= 0) {
            *why = QStringLiteral("series %1 has no name").arg(p);
            return false;
        }
        const QString name = parts.at(p).left(colon).trimmed();
        const QStringList values = parts.at(p).mid(colon + 1).split(QLatin1Char(','));
        if (values.size() > MaxSamples) {
            *why = QStringLiteral("series %1 is too long").arg(name);
            return false;
        }
        QVector<qint64> samples;
        samples.reserve(values.size());
        for (const QString& value : values) {
            samples.append(value.trimmed().toLongLong(&ok, 10));
            if (!ok) {
                *why = QStringLiteral("series %1 holds \"%2\"").arg(name, value.left(20));
                return false;
            }
        }
        if (!chart->series.isEmpty() && samples.size() != chart->series.first().size()) {
            *why = QStringLiteral("series %1 has another length").arg(name);
            return false;
        }
        chart->names << name;
        chart->series << samples;
    }
    return true;
}

QString FlightLogExport::choosePath(const QString& fileName)
{
    if (m_lastDir.isEmpty())
        m_lastDir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = m_chooser(QDir(m_lastDir).filePath(fileName));
    if (path.isEmpty())
        return path;
    m_lastDir = QFileInfo(path).absolutePath();
    // Typed without a suffix, the file still opens in a spreadsheet.
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".csv") : path;
}

void FlightLogExport::tell(int textId, const QString& argument)
{
    const QString message = argument.isNull() ? text(textId) : text(textId).arg(argument);
    QMessageBox::information(m_window, text(MessageTitle), message, QMessageBox::Ok);
}

void FlightLogExport::report(const Result& result, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (result.ok) {
        QMessageBox::information(m_window, text(MessageTitle),
                                 text(SavedText).arg(result.rows).arg(shown), QMessageBox::Ok);
        return;
    }
    qWarning("Flight-log export to %s failed: %s", qPrintable(shown), qPrintable(result.error));
    QMessageBox::critical(m_window, text(MessageTitle), text(FailedText).arg(shown, result.error),
                          QMessageBox::Ok);
}

void FlightLogExport::exportEvents()
{
    if (m_window->eventModel->rowCount() == 0) {
        tell(NoEventsText);
        return;
    }
    const QString path = choosePath(defaultFileName(m_flight, QStringLiteral("events")));
    if (path.isEmpty())
        return;
    report(writeEvents(m_window->eventModel, path), path);
}

void FlightLogExport::exportChart()
{
    if (!m_charts.contains(m_flight)) {
        tell(NoChartText);
        return;
    }
    Chart chart;
    QString why;
    if (!parseChart(m_charts.value(m_flight), &chart, &why)) {
        qWarning("Flight-log export: chart of record %d not readable: %s", m_flight,
                 qPrintable(why));
        tell(BadChartText, why);
        return;
    }
    const QString path = choosePath(defaultFileName(m_flight, QStringLiteral("chart")));
    if (path.isEmpty())
        return;
    report(writeChart(chart, path), path);
}
