// The flight-log chart page (charts/chart.html), loaded as the main window loads it: the
// page text with an empty base URL, then jQuery and Highstock run in its main frame.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTextStream>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&file);
    return in.readAll();
}

// How the controller calls the page: both strings in single quotes, data unchanged.
QString changeDataCall(const QString& address, const QString& data)
{
    return QStringLiteral("changeData('%1', '%2');").arg(address, data);
}

} // namespace

class tst_ChartPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void drawsEverySeries_data();
    void drawsEverySeries();
    void scalesKnownUnits();
    void refusesUnreadableRecords_data();
    void refusesUnreadableRecords();
    void replacesThePreviousChart();
    void paintsTheChart();
    void copesWithoutTheChartScripts();
    void survivesReload();

private:
    QVariant run(const QString& script, QWebView* view = nullptr)
    {
        return (view ? view : m_view)->page()->mainFrame()->evaluateJavaScript(script);
    }
    void loadLikeTheProgram(QWebView* view, bool withScripts);

    QString m_html;
    QString m_jquery;
    QString m_highstock;
    QWebView* m_view = nullptr;
};

void tst_ChartPage::initTestCase()
{
    m_html = readText(QStringLiteral("charts/chart.html"));
    m_jquery = readText(QStringLiteral("charts/jquery-3.1.1.min.js"));
    m_highstock = readText(QStringLiteral("charts/highstock.js"));
    QVERIFY2(!m_html.isEmpty(), "charts/chart.html is missing from the bin folder");
    if (m_jquery.isEmpty() || m_highstock.isEmpty())
        QSKIP("the chart scripts were not fetched (tools/scripts/install-deps.sh)");
    m_view = new QWebView;
    m_view->resize(900, 420);
    loadLikeTheProgram(m_view, true);
}

void tst_ChartPage::cleanupTestCase()
{
    delete m_view;
    m_view = nullptr;
}

// Every call of changeData replaces what the page showed, so one page serves the tests
// that only call it; tests that load or reload the page use their own.
void tst_ChartPage::loadLikeTheProgram(QWebView* view, bool withScripts)
{
    view->setHtml(m_html, QUrl());
    if (withScripts) {
        run(m_jquery, view);
        run(m_highstock, view);
    }
}

void tst_ChartPage::drawsEverySeries_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("summary"); // raw name and point count of each series drawn

    QTest::newRow("example of the unit")
            << "5;rpm:0,0,1250,2100,2450;thr:0,5,40,65,70;vbec:74,74,73,72,72"
            << "rpm:5;thr:5;vbec:5";
    QTest::newRow("all known series")
            << "10;rpm:1,2;thr:1,2;vbec:1,2;col:-80,95;yaw:-300,250;alt:0,150"
            << "rpm:2;thr:2;vbec:2;col:2;yaw:2;alt:2";
    QTest::newRow("unknown name drawn as it is") << "2;temp:20,21,22"
                                                 << "temp:3";
    QTest::newRow("single sample") << "1;rpm:1500"
                                   << "rpm:1";
    QTest::newRow("spaces and trailing separators") << " 5 ; rpm : 1, 2 ,3 ;thr:4,5,6; "
                                                    << "rpm:3;thr:3";
    QTest::newRow("unreadable samples become gaps") << "5;rpm:1,x,3,,5"
                                                    << "rpm:5";
    QTest::newRow("unreadable series skipped, rest drawn") << "5;rpm:1,2;nocolon;:3,4;thr:5,6"
                                                           << "rpm:2;thr:2";
    QTest::newRow("series named twice drawn once") << "5;rpm:1,2;rpm:3,4"
                                                   << "rpm:2";
    QString longRecord = QStringLiteral("1;rpm:");
    for (int i = 0; i < 600; ++i)
        longRecord += QString::number(2000 + i % 50) + (i < 599 ? "," : "");
    QTest::newRow("600 samples") << longRecord << "rpm:600";
}

void tst_ChartPage::drawsEverySeries()
{
    QFETCH(QString, data);
    QFETCH(QString, summary);

    const QVariant drawn = run(changeDataCall("604", data));
    QCOMPARE(drawn.type(), QVariant::Bool); // an exception would give no value at all
    QVERIFY(drawn.toBool());
    QCOMPARE(run("chartSummary()").toString(), summary);
    QCOMPARE(run("chartMessage()").toString(), QString());
}

void tst_ChartPage::scalesKnownUnits()
{
    QVERIFY(run(changeDataCall("614", "5;vbec:74,72;col:-25,120;alt:150,0;rpm:2100,0")).toBool());

    // Time in seconds on the x axis: sample i at i * period / 10 s (kept in milliseconds).
    QCOMPARE(run("flightChart.get('series-vbec').options.data[1][0]").toInt(), 500);
    QCOMPARE(run("flightChart.get('series-vbec').options.data[0][1]").toDouble(), 7.4);
    QCOMPARE(run("flightChart.get('series-col').options.data[0][1]").toDouble(), -2.5);
    QCOMPARE(run("flightChart.get('series-alt').options.data[0][1]").toDouble(), 1.5);
    QCOMPARE(run("flightChart.get('series-rpm').options.data[0][1]").toInt(), 2100);
    // Each unit has its own y axis.
    QCOMPARE(run("flightChart.get('series-col').yAxis === flightChart.get('series-vbec').yAxis")
                     .toBool(),
             false);
    QVERIFY(run("flightChart.get('series-vbec').yAxis.options.title.text")
                    .toString()
                    .contains("V"));
}

void tst_ChartPage::refusesUnreadableRecords_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("message"); // part of the message the page shows

    QTest::newRow("empty record") << ""
                                  << "No chart data";
    QTest::newRow("blanks only") << "   "
                                 << "No chart data";
    QTest::newRow("no series") << "5"
                               << "cannot be read";
    QTest::newRow("no series after the interval") << "5;"
                                                  << "cannot be read";
    QTest::newRow("interval zero") << "0;rpm:1,2"
                                   << "cannot be read";
    QTest::newRow("negative interval") << "-5;rpm:1,2"
                                       << "cannot be read";
    QTest::newRow("interval not a number") << "abc;rpm:1,2"
                                           << "cannot be read";
    QTest::newRow("series without samples") << "5;rpm:"
                                            << "cannot be read";
    QTest::newRow("samples not numbers") << "5;rpm:a,b,c"
                                         << "cannot be read";
    QTest::newRow("markup in the data") << "<b>5</b>;<i>x</i>:1"
                                        << "cannot be read";
    QTest::newRow("event list by mistake") << "1_0,2_153,20_2950"
                                           << "cannot be read";
}

void tst_ChartPage::refusesUnreadableRecords()
{
    QFETCH(QString, data);
    QFETCH(QString, message);

    // A chart drawn before must not stay on screen under the message.
    QVERIFY(run(changeDataCall("604", "5;rpm:1,2,3")).toBool());

    const QVariant drawn = run(changeDataCall("624", data));
    QCOMPARE(drawn.type(), QVariant::Bool);
    QCOMPARE(drawn.toBool(), false);
    QVERIFY2(run("chartMessage()").toString().contains(message),
             qPrintable(run("chartMessage()").toString()));
    QCOMPARE(run("chartSummary()").toString(), QString());
    QCOMPARE(run("document.getElementById('chart').childNodes.length").toInt(), 0);
}

void tst_ChartPage::replacesThePreviousChart()
{
    QVERIFY(run(changeDataCall("604", "5;rpm:1,2,3;thr:1,2,3")).toBool());
    QVERIFY(run(changeDataCall("614", "5;alt:1,2")).toBool());
    QCOMPARE(run("chartSummary()").toString(), QString("alt:2"));
    QCOMPARE(run("Highcharts.charts.filter(function (c) { return !!c; }).length").toInt(), 1);
}

void tst_ChartPage::paintsTheChart()
{
    QVERIFY(run(changeDataCall("604", "5;rpm:0,0,1250,2100,2450,2450,2400;thr:0,5,40,65,70,70,68"))
                    .toBool());
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));

    const QImage image = m_view->grab().toImage();
    QVERIFY(!image.isNull());
    // The head-speed line is drawn in the skin's orange: look for it in the plot.
    int orange = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 130 && c.green() < 190 && c.blue() < 100)
                ++orange;
        }
    }
    QVERIFY2(orange > 100, qPrintable(QString::number(orange)));
}

void tst_ChartPage::copesWithoutTheChartScripts()
{
    QWebView view;
    loadLikeTheProgram(&view, false);
    const QVariant drawn = run(changeDataCall("604", "5;rpm:1,2,3"), &view);
    QCOMPARE(drawn.type(), QVariant::Bool);
    QCOMPARE(drawn.toBool(), false);
    QVERIFY(run("chartMessage()", &view).toString().contains("not loaded"));
}

void tst_ChartPage::survivesReload()
{
    // The window reloads the page before each record request. Whether the scripts run
    // into it outlive that depends on the web engine; either way the next record must be
    // answered without an exception, and drawn while the chart library is there.
    QWebView view;
    loadLikeTheProgram(&view, true);
    QVERIFY(run(changeDataCall("604", "5;rpm:1,2,3"), &view).toBool());
    QSignalSpy loaded(&view, &QWebView::loadFinished);
    view.reload();
    if (loaded.isEmpty())
        loaded.wait(300);

    const QVariant drawn = run(changeDataCall("614", "5;thr:1,2,3"), &view);
    QCOMPARE(drawn.type(), QVariant::Bool);
    if (run("typeof Highcharts", &view).toString() == QLatin1String("object")) {
        QVERIFY(drawn.toBool());
        QCOMPARE(run("chartSummary()", &view).toString(), QString("thr:3"));
    } else {
        QVERIFY(run("chartMessage()", &view).toString().contains("not loaded"));
    }
}

QTEST_MAIN(tst_ChartPage)
#include "tst_chartpage.moc"
