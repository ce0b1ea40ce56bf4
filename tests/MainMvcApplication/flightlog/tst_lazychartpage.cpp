// The flight-log chart's page is made only when the chart is first opened: what waits for
// it before then, what a reload does to that, and how the controller and window use it.
#include "controllertestsupport.h"
#include "lazychartpage.h"

#include <QFile>
#include <QStandardItemModel>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>
#include <QtTest>

namespace {

// A stand-in for the chart page: it only records the records it is asked to draw.
const char* const StubPage = "<html><body><script>window.drawn = [];"
                             "function changeData(a, d) { window.drawn.push(a + ':' + d); }"
                             "</script></body></html>";

QString call(const QString& address, const QString& data)
{
    return QStringLiteral("changeData('%1', '%2');").arg(address, data);
}

} // namespace

class TestLazyChartPage : public QObject
{
    Q_OBJECT
private slots:
    void recordsAroundTheLoad_data();
    void recordsAroundTheLoad();
    void noPageBeforeTheChartOpens();
    void recordBeforeTheChartIsDrawnWhenItOpens();
};

void TestLazyChartPage::recordsAroundTheLoad_data()
{
    QTest::addColumn<QStringList>("steps"); // "run <address>", "load", "reload"
    QTest::addColumn<QStringList>("drawn"); // what the page drew, in order
    QTest::newRow("nothing waiting") << QStringList{"load"} << QStringList{};
    QTest::newRow("a record waits for the page")
            << QStringList{"run 604", "load"} << QStringList{"604:x"};
    QTest::newRow("the last record waiting wins")
            << QStringList{"run 604", "run 614", "load"} << QStringList{"614:x"};
    QTest::newRow("a reload before the page drops what waited")
            << QStringList{"run 604", "reload", "load"} << QStringList{};
    QTest::newRow("a record after the reload still waits")
            << QStringList{"run 604", "reload", "run 624", "load"} << QStringList{"624:x"};
    QTest::newRow("records after the load are drawn at once")
            << QStringList{"load", "run 604", "run 614"} << QStringList{"604:x", "614:x"};
    QTest::newRow("a second load changes nothing")
            << QStringList{"run 604", "load", "load", "run 614"} << QStringList{"604:x", "614:x"};
}

void TestLazyChartPage::recordsAroundTheLoad()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, drawn);
    QWebView view;
    int loads = 0;
    LazyChartPage page(&view, [&] {
        ++loads;
        view.setHtml(QString::fromLatin1(StubPage), QUrl());
    });
    for (const QString& step : steps) {
        if (step == QLatin1String("load")) {
            page.load();
        } else if (step == QLatin1String("reload")) {
            page.reload();
        } else {
            page.run(call(step.section(' ', 1), QStringLiteral("x")));
        }
        if (!page.isLoaded())
            QVERIFY2(!view.findChild<QWebPage*>(), "a page was made before the chart opened");
    }
    QCOMPARE(loads, 1);
    QVERIFY(page.pendingScript().isEmpty());
    const QStringList seen =
            view.page()->mainFrame()->evaluateJavaScript("window.drawn").toStringList();
    QCOMPARE(seen, drawn);
}

void TestLazyChartPage::noPageBeforeTheChartOpens()
{
    ControllerFixture f;
    f.goOnline(TabReadScheduler::LogTab);
    QVERIFY(!f.ui->chartPage->isLoaded());
    QVERIFY(!f.ui->chartView->findChild<QWebPage*>());
    // The events page of the log tab does not need it either.
    f.answer("600=1_100,2_250");
    QVERIFY(!f.ui->chartPage->isLoaded());
    QCOMPARE(f.ui->eventModel->rowCount(), 2);
    f.ui->btnChart->click();
    QVERIFY(f.ui->chartPage->isLoaded());
}

void TestLazyChartPage::recordBeforeTheChartIsDrawnWhenItOpens()
{
    if (!QFile::exists(QStringLiteral("charts/highstock.js")))
        QSKIP("the chart scripts are not in the bin folder");
    ControllerFixture f;
    f.goOnline(TabReadScheduler::LogTab);
    // The pilot goes back to the second flight on the events page.
    f.ui->btnChartEvent_prev->click();
    QCOMPARE(f.ui->logTitle->text(), tr_(2911));
    // A chart record nobody asked for (the answer to an earlier request) neither makes the
    // page nor waits to be drawn on it.
    f.answer("624=5;rpm:0,900;thr:0,30");
    QVERIFY(!f.ui->chartPage->isLoaded());
    QVERIFY(f.ui->chartPage->pendingScript().isEmpty());
    QCOMPARE(f.ui->logTitle->text(), tr_(2911));
    // Opening the chart makes the page and asks for the flight's chart record; its answer
    // comes before the page has drawn anything, and is drawn.
    f.link->clear();
    f.ui->btnChart->click();
    QVERIFY(f.ui->chartPage->isLoaded());
    QVERIFY2(f.link->reads().size() == 1 && f.link->reads().first().startsWith("0614"),
             qPrintable(f.link->reads().join(' ')));
    f.answer("614=5;rpm:0,1250,2100;thr:0,40,65");
    QWebFrame* frame = f.ui->chartView->page()->mainFrame();
    QTRY_VERIFY(frame->evaluateJavaScript("window.flightChart != null").toBool());
    QCOMPARE(frame->evaluateJavaScript("window.chartAddress").toString(), QStringLiteral("614"));
    QCOMPARE(f.ui->logTitle->text(), tr_(2911));
    // Back to the events and to the chart again: the page is reloaded, not made again.
    f.ui->btnEvent->click();
    f.ui->btnChart->click();
    QTRY_VERIFY(frame->evaluateJavaScript("typeof Highcharts").toString() == "object");
}

QTEST_MAIN(TestLazyChartPage)
#include "tst_lazychartpage.moc"
