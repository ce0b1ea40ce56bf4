// The log tab against a recording device link: the table only ever shows the flight its
// title names, the arrows stop at the ends, and the export writes what the table and the
// received chart record hold.

#include "controllertestsupport.h"

#include "flightlogexport.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

namespace {

const int TabLog = 10;

QStringList tableRows(QStandardItemModel* model)
{
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r)
        rows << model->item(r, 0)->text() + '|' + model->item(r, 1)->text() + '|' +
                        model->item(r, 2)->text();
    return rows;
}

// Reads a CSV file as written by the export: UTF-8 with a byte-order mark, CRLF line
// ends, fields quoted where they hold a comma, a quote or a line break.
QList<QStringList> readCsv(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    QByteArray bytes = file.readAll();
    *ok = *ok && bytes.startsWith("\xEF\xBB\xBF");
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i;
        } else {
            if (c == '\n')
                *ok = false; // a bare line feed outside quotes
            field += c;
        }
    }
    *ok = *ok && row.isEmpty() && field.isEmpty() && !quoted;
    return rows;
}

// Saves a picture of the window when HX_TEST_SHOTS names a folder (for review only).
void shoot(const QString& name)
{
    const QString folder = qEnvironmentVariable("HX_TEST_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(200);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
}

struct LogFixture : ControllerFixture
{
    LogFixture()
    {
        goOnline(TabLog);
        exporter = controller->findChild<FlightLogExport*>();
        exporter->setPathChooser([this](const QString& suggested) {
            suggestions << suggested;
            return chosenPath;
        });
    }
    FlightLogExport* exporter = nullptr;
    QString chosenPath;
    QStringList suggestions;
};

} // namespace

class TestFlightLogView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reconnectOnLogTab();
    void answersForOtherFlightsAreDropped_data();
    void answersForOtherFlightsAreDropped();
    void arrowsStopAtTheEnds();
    void exportEvents();
    void exportChart_data();
    void exportChart();
    void exportOutcomes_data();
    void exportOutcomes();
    void reconnectForgetsTheChart();
    void cutTableSaysWhatIsNotShown_data();
    void cutTableSaysWhatIsNotShown();
    void eventTextsAreNotCut();
};

void TestFlightLogView::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    for (int id = 5112; id <= 5123; ++id)
        QVERIFY2(!tr_(id).isEmpty(), qPrintable(QString::number(id)));
}

void TestFlightLogView::reconnectOnLogTab()
{
    ControllerFixture f;
    f.goOnline(TabLog);
    f.ui->btnChartEvent_prev->click();
    f.ui->btnChartEvent_prev->click(); // flight 3 (record 2)
    f.answer("620=1_0,2_50");
    QCOMPARE(f.ui->eventModel->rowCount(), 2);
    QCOMPARE(f.ui->logTitle->text(), tr_(2912));

    // The cable is pulled and plugged back in.
    f.link->connected = false;
    f.controller->handlePortStatusChanged(-100);
    f.link->clear();
    f.link->connected = true;
    f.controller->handlePortStatusChanged(100);
    // The table is cleared and the flight shown is asked for again, nothing else of the log.
    QCOMPARE(f.ui->eventModel->rowCount(), 0);
    QCOMPARE(f.link->reads(), QStringList({"0620"}));
    QCOMPARE(f.ui->logTitle->text(), tr_(2912));
    QCOMPARE(f.controller->currentFlight(), 2);

    // Flight 1's events, from whatever was still on its way, do not land under its title.
    f.answer("600=1_0,7_10,8_20,20_30");
    QCOMPARE(f.ui->eventModel->rowCount(), 0);
    QCOMPARE(f.ui->logTitle->text(), tr_(2912));
    f.answer("620=1_0,2_50,3_70");
    QCOMPARE(tableRows(f.ui->eventModel),
             QStringList({"0|1|" + tr_(3001), "5|2|" + tr_(3002), "7|3|" + tr_(3003)}));

    // An announcement of a unit that stayed connected changes nothing shown.
    f.link->clear();
    f.controller->handlePortStatusChanged(100);
    QCOMPARE(f.ui->eventModel->rowCount(), 3);
    QVERIFY(f.link->reads().isEmpty());
}

void TestFlightLogView::answersForOtherFlightsAreDropped_data()
{
    QTest::addColumn<QStringList>("clicks"); // prev, next, chart, event
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("titleId");

    QTest::newRow("two requests before the first answer")
            << QStringList{"prev", "prev"} << QStringList{"610=1_0,2_10", "620=4_40"}
            << QStringList{"4|4|" + tr_(4 + 3000)} << 2912;
    QTest::newRow("answers in reverse order")
            << QStringList{"prev", "prev"} << QStringList{"620=4_40", "610=1_0,2_10"}
            << QStringList{"4|4|" + tr_(3004)} << 2912;
    QTest::newRow("late answer of the first flight")
            << QStringList{"prev", "next"} << QStringList{"610=1_0", "600=20_30"}
            << QStringList{"3|20|" + tr_(3020)} << 2910;
    QTest::newRow("same flight answered twice shows it once")
            << QStringList{"prev"} << QStringList{"610=1_0,5_10", "610=1_0,5_10"}
            << QStringList{"0|1|" + tr_(3001), "1|5|" + tr_(3005)} << 2911;
    QTest::newRow("chart answer while the events are asked for")
            << QStringList{"chart", "event"} << QStringList{"604=5;rpm:1,2", "600=9_10"}
            << QStringList{"1|9|" + tr_(3009)} << 2910;
}

void TestFlightLogView::answersForOtherFlightsAreDropped()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, rows);
    QFETCH(int, titleId);
    ControllerFixture f;
    f.goOnline(TabLog);
    for (const QString& click : clicks) {
        QPushButton* button = click == "prev"    ? f.ui->btnChartEvent_prev
                              : click == "next"  ? f.ui->btnChartEvent_next
                              : click == "chart" ? f.ui->btnChart
                                                 : f.ui->btnEvent;
        button->click();
    }
    // Every answer still tells the watchdog that the unit is alive.
    const int pendingBefore = f.controller->pendingReads();
    for (const QString& answer : answers) {
        f.answer(answer);
        QCOMPARE(f.ui->logTitle->text(), tr_(titleId));
    }
    QCOMPARE(tableRows(f.ui->eventModel), rows);
    QCOMPARE(f.controller->pendingReads(), qMax(0, pendingBefore - answers.size()));
}

void TestFlightLogView::arrowsStopAtTheEnds()
{
    ControllerFixture f;
    f.goOnline(TabLog);
    QVERIFY(f.ui->btnChartEvent_prev->isEnabled());
    QVERIFY(!f.ui->btnChartEvent_next->isEnabled());
    for (int flight = 1; flight <= 4; ++flight) {
        f.ui->btnChartEvent_prev->click();
        QCOMPARE(f.controller->currentFlight(), flight);
        QCOMPARE(f.ui->btnChartEvent_prev->isEnabled(), flight < 4);
        QVERIFY(f.ui->btnChartEvent_next->isEnabled());
    }
    // Entering the tab again starts at the latest flight.
    f.ui->mainTab->setCurrentIndex(0);
    f.ui->mainTab->setCurrentIndex(TabLog);
    QVERIFY(f.ui->btnChartEvent_prev->isEnabled());
    QVERIFY(!f.ui->btnChartEvent_next->isEnabled());
    f.controller->showMainWindow();
    shoot("log-tab-latest-flight");
}

void TestFlightLogView::exportEvents()
{
    LogFixture f;
    f.ui->btnChartEvent_prev->click();
    f.ui->btnChartEvent_prev->click();
    f.answer("620=1_0,2_153,11_842,12_12345678,99_5");
    f.chosenPath = f.dir.filePath("events"); // typed without a suffix
    BoxAnswerer boxes({QMessageBox::Ok});
    boxes.onBox = [](QMessageBox*) { shoot("log-tab-after-export"); };
    f.controller->showMainWindow();
    f.exporter->exportEvents();

    QCOMPARE(f.suggestions.size(), 1);
    QVERIFY(f.suggestions.first().endsWith("/flight-3-events.csv"));
    const QString written = f.chosenPath + ".csv";
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().title, tr_(5118));
    QCOMPARE(boxes.seen.first().text, tr_(5119).arg(5).arg(QDir::toNativeSeparators(written)));

    bool ok = false;
    const QList<QStringList> csv = readCsv(written, &ok);
    QVERIFY(ok);
    QCOMPARE(csv.size(), 6);
    QCOMPARE(csv.first(), QStringList({"time_s", "code", "text"}));
    const QList<qint64> tenths = {0, 153, 842, 12345678, 5};
    QStandardItemModel* model = f.ui->eventModel;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QStringList& line = csv.at(r + 1);
        QCOMPARE(line.size(), 3);
        // The exact time, where the table rounds it to six digits.
        QCOMPARE(qRound64(line.at(0).toDouble() * 10), tenths.at(r));
        QCOMPARE(line.at(1), model->item(r, 1)->text());
        QCOMPARE(line.at(2), model->item(r, 2)->text());
    }
}

void TestFlightLogView::exportChart_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("three series") << "5;rpm:0,0,1250,2100,2450;thr:0,5,40,65,70;vbec:74,74,73,72,72"
                                  << QStringList{"time_s", "rpm", "thr", "vbec"}
                                  << QList<QStringList>{{"0.0", "0", "0", "74"},
                                                        {"0.5", "0", "5", "74"},
                                                        {"1.0", "1250", "40", "73"},
                                                        {"1.5", "2100", "65", "72"},
                                                        {"2.0", "2450", "70", "72"}};
    QTest::newRow("negative samples, odd names")
            << "12;col:-35,0,120;=cmd|x,y:1,2,3" << QStringList{"time_s", "col", "'=cmd|x,y"}
            << QList<QStringList>{{"0.0", "-35", "1"}, {"1.2", "0", "2"}, {"2.4", "120", "3"}};
}

void TestFlightLogView::exportChart()
{
    QFETCH(QString, record);
    QFETCH(QStringList, header);
    QFETCH(QList<QStringList>, rows);
    LogFixture f;
    f.ui->btnChart->click(); // flight 1, chart page
    f.answer("604=" + record);
    // Taken from the record, not the page: the page may not even be drawn.
    f.ui->btnEvent->click();
    f.chosenPath = f.dir.filePath("chart.csv");
    BoxAnswerer boxes({QMessageBox::Ok});
    f.exporter->exportChart();
    QCOMPARE(f.suggestions.size(), 1);
    QVERIFY(f.suggestions.first().endsWith("/flight-1-chart.csv"));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().text,
             tr_(5119).arg(rows.size()).arg(QDir::toNativeSeparators(f.chosenPath)));
    bool ok = false;
    const QList<QStringList> csv = readCsv(f.chosenPath, &ok);
    QVERIFY(ok);
    QCOMPARE(csv.first(), header);
    QCOMPARE(csv.mid(1), rows);
}

void TestFlightLogView::exportOutcomes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("answer"); // empty: none
    QTest::addColumn<bool>("pathUnwritable");
    QTest::addColumn<int>("textId");
    QTest::addColumn<bool>("asked"); // whether the file dialog was shown
    QTest::newRow("no events yet") << "events"
                                   << "" << false << 5121 << false;
    QTest::newRow("no chart yet") << "chart"
                                  << "" << false << 5122 << false;
    QTest::newRow("chart of another flight only") << "chart"
                                                  << "614=5;rpm:1" << false << 5122 << false;
    QTest::newRow("unreadable chart") << "chart"
                                      << "604=5;rpm:1,2;thr:1" << false << 5123 << false;
    QTest::newRow("empty chart") << "chart"
                                 << "604=" << false << 5123 << false;
    QTest::newRow("events into an impossible path") << "events"
                                                    << "600=1_0" << true << 5120 << true;
    QTest::newRow("chart into an impossible path") << "chart"
                                                   << "604=5;rpm:1" << true << 5120 << true;
}

void TestFlightLogView::exportOutcomes()
{
    QFETCH(QString, kind);
    QFETCH(QString, answer);
    QFETCH(bool, pathUnwritable);
    QFETCH(int, textId);
    QFETCH(bool, asked);
    LogFixture f;
    if (kind == "chart")
        f.ui->btnChart->click();
    if (!answer.isEmpty())
        f.answer(answer);
    QFile plain(f.dir.filePath("plainfile"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    f.chosenPath = pathUnwritable ? f.dir.filePath("plainfile/out.csv") : f.dir.filePath("x.csv");
    BoxAnswerer boxes({QMessageBox::Ok});
    if (pathUnwritable)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("export to .* failed"));
    if (textId == 5123)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not readable"));
    if (kind == "chart")
        f.exporter->exportChart();
    else
        f.exporter->exportEvents();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().title, tr_(5118));
    const QString template_ = tr_(textId);
    QVERIFY2(boxes.seen.first().text.startsWith(template_.left(template_.indexOf('%'))),
             qPrintable(boxes.seen.first().text));
    QCOMPARE(boxes.seen.first().icon,
             textId == 5120 ? QMessageBox::Critical : QMessageBox::Information);
    QCOMPARE(f.suggestions.size(), asked ? 1 : 0);
    QVERIFY(!QFile::exists(f.chosenPath));
}

void TestFlightLogView::reconnectForgetsTheChart()
{
    // Another unit may be plugged in while another tab is shown: its flight 1 is not the
    // chart received before.
    LogFixture f;
    f.ui->btnChart->click();
    f.answer("604=5;rpm:1,2,3");
    f.ui->mainTab->setCurrentIndex(0);
    f.link->connected = false;
    f.controller->handlePortStatusChanged(-100);
    f.link->connected = true;
    f.controller->handlePortStatusChanged(100);
    f.ui->mainTab->setCurrentIndex(TabLog);
    BoxAnswerer boxes({QMessageBox::Ok});
    f.exporter->exportChart();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().text, tr_(5122));
    QVERIFY(f.suggestions.isEmpty());
}

void TestFlightLogView::cutTableSaysWhatIsNotShown_data()
{
    QTest::addColumn<int>("events");
    QTest::addColumn<int>("hidden");
    QTest::newRow("a real flight") << 12 << 0;
    QTest::newRow("exactly the cap") << 1000 << 0;
    QTest::newRow("one over") << 1001 << 1;
    QTest::newRow("a broken unit") << 25000 << 24000;
}

void TestFlightLogView::cutTableSaysWhatIsNotShown()
{
    QFETCH(int, events);
    QFETCH(int, hidden);
    LogFixture f;
    QStringList list;
    for (int i = 0; i < events; ++i)
        list << QStringLiteral("7_%1").arg(i);
    if (hidden)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("only the first 1000"));
    f.answer("600=" + list.join(','));

    QStandardItemModel* model = f.ui->eventModel;
    const int shown = events - hidden;
    QCOMPARE(model->rowCount(), shown + (hidden ? 1 : 0));
    QCOMPARE(model->item(shown - 1, 0)->text(), QString::number((shown - 1) / 10.0));
    if (hidden) {
        // The last row says how many events are missing, across the whole table.
        const int last = model->rowCount() - 1;
        QCOMPARE(model->item(last, 0)->text(), tr_(5471).arg(hidden).arg(shown));
        QCOMPARE(f.ui->eventTableView->columnSpan(last, 0), model->columnCount());
    }

    // The note is no event: the export holds the events alone.
    f.chosenPath = f.dir.filePath("events.csv");
    BoxAnswerer boxes({QMessageBox::Ok});
    f.exporter->exportEvents();
    bool ok = false;
    const QList<QStringList> csv = readCsv(f.chosenPath, &ok);
    QVERIFY(ok);
    QCOMPARE(csv.size(), shown + 1);
    QCOMPARE(csv.last().at(1), QStringLiteral("7"));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().text,
             tr_(5119).arg(shown).arg(QDir::toNativeSeparators(f.chosenPath)));

    // A new flight asked for clears the note with the rows.
    f.ui->btnChartEvent_prev->click();
    QCOMPARE(model->rowCount(), 0);
}

void TestFlightLogView::eventTextsAreNotCut()
{
    LogFixture f;
    f.controller->showMainWindow();
    QTableView* view = f.ui->eventTableView;
    QTest::qWait(50);
    // The widest event text of the window's table, in the view's font.
    int widest = 0;
    int widestCode = 0;
    for (int code = 0; code < 100; ++code) {
        const int width = view->fontMetrics().horizontalAdvance(tr_(3000 + code));
        if (width > widest) {
            widest = width;
            widestCode = code;
        }
    }
    QVERIFY(widest > view->columnWidth(2)); // else this checks nothing
    f.answer(QStringLiteral("600=1_0,%1_4010,20_4020").arg(widestCode));
    QCOMPARE(f.ui->eventModel->rowCount(), 3);
    QCOMPARE(f.ui->eventModel->item(1, 2)->text(), tr_(3000 + widestCode));
    // The row holds the text whole, wrapped within its column.
    const QRect needed = view->fontMetrics().boundingRect(
            QRect(0, 0, view->columnWidth(2) - 8, 1000), Qt::AlignCenter | Qt::TextWordWrap,
            tr_(3000 + widestCode));
    QVERIFY2(needed.height() <= view->rowHeight(1),
             qPrintable(QStringLiteral("%1 x %2 px for %3 x %4 px")
                                .arg(view->columnWidth(2))
                                .arg(view->rowHeight(1))
                                .arg(needed.width())
                                .arg(needed.height())));
}

QTEST_MAIN(TestFlightLogView)
#include "tst_flightlogview.moc"
