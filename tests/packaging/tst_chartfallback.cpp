// A build that could not fetch the chart scripts ships a chart page that says so
// (cmake/HxChartPageWithoutScripts.cmake), instead of one that waits for a chart forever.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>

class TestChartFallback : public QObject
{
    Q_OBJECT

private slots:
    void pageWithoutScripts_data();
    void pageWithoutScripts();

private:
    int makePage(const QString& input, const QString& output, QString* log);
};

int TestChartFallback::makePage(const QString& input, const QString& output, QString* log)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(HX_CMAKE),
                {"-DINPUT=" + input, "-DOUTPUT=" + output, "-P",
                 QStringLiteral(HX_SOURCE_DIR "/cmake/HxChartPageWithoutScripts.cmake")});
    if (!cmake.waitForFinished(60000))
        return -1;
    *log = QString::fromLocal8Bit(cmake.readAll());
    return cmake.exitStatus() == QProcess::NormalExit ? cmake.exitCode() : -1;
}

void TestChartFallback::pageWithoutScripts_data()
{
    QTest::addColumn<QString>("page"); // "" for the shipped chart.html
    QTest::addColumn<bool>("made");
    QTest::newRow("the shipped page") << QString() << true;
    // A page whose waiting message changed must stop the build, not ship a page that
    // waits for a chart that cannot come.
    QTest::newRow("a page without the waiting message")
            << "<html><body><div id=\"message\"><b>Chart</b>Soon.</div></body></html>" << false;
}

void TestChartFallback::pageWithoutScripts()
{
    QFETCH(QString, page);
    QFETCH(bool, made);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString input = QStringLiteral(HX_SOURCE_DIR "/data/charts/chart.html");
    if (!page.isEmpty()) {
        input = dir.filePath("in.html");
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(page.toUtf8());
    }
    const QString output = dir.filePath("chart.html");
    QString log;
    const int exitCode = makePage(input, output, &log);
    if (!made) {
        QVERIFY2(exitCode != 0, qPrintable(log));
        QVERIFY(log.contains(QLatin1String("waiting message")));
        return;
    }
    QVERIFY2(exitCode == 0, qPrintable(log));

    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Loaded as the window loads it, with the scripts that are not there.
    QWebView view;
    view.setHtml(QString::fromUtf8(file.readAll()), QUrl());
    QWebFrame* frame = view.page()->mainFrame();
    const QString shown =
            frame->evaluateJavaScript("document.getElementById('message').innerText").toString();
    QVERIFY2(shown.contains(QLatin1String("The chart scripts are missing")), qPrintable(shown));
    QVERIFY(shown.contains(QLatin1String("highstock.js")));
    QVERIFY(!shown.contains(QLatin1String("Waiting")));
    // The page still answers the program, and still says why no chart comes.
    const QVariant drawn = frame->evaluateJavaScript("changeData('604', '5;rpm:1,2,3')");
    QCOMPARE(drawn.type(), QVariant::Bool);
    QCOMPARE(drawn.toBool(), false);
    QVERIFY(frame->evaluateJavaScript("document.getElementById('message').innerText")
                    .toString()
                    .contains(QLatin1String("not loaded")));
}

QTEST_MAIN(TestChartFallback)
#include "tst_chartfallback.moc"
