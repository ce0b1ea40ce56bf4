// The trace of the link and the flows: off unless switched on, the parts HX_TRACE names,
// its lines in the log, an edit followed from its widget to the unit's confirmation, and
// which answers the polling trace tells of.

#include "virtualunitsupport.h"

#include "adaptormodel.h"
#include "lineeditadaptor.h"
#include "messagelog.h"
#include "pollingtrace.h"
#include "tracecategories.h"
#include "traceswitch.h"

#include <QLineEdit>
#include <QLoggingCategory>
#include <QMutex>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QMutex capturedLock;
QStringList captured;

// Both threads trace: the link's lines come from its own.
void capture(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    QMutexLocker lock(&capturedLock);
    captured << QStringLiteral("%1: %2").arg(QLatin1String(context.category), message);
}

int indexOf(const QString& line)
{
    QMutexLocker lock(&capturedLock);
    return captured.indexOf(line);
}

} // namespace

class TestTrace : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void partsSwitchedOn_data();
    void partsSwitchedOn();
    void logLines_data();
    void logLines();
    void editFollowedToItsConfirmation();
    void answerFates_data();
    void answerFates();
};

void TestTrace::cleanup()
{
    QLoggingCategory::setFilterRules(QString());
}

void TestTrace::partsSwitchedOn_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("on");
    QTest::addColumn<QStringList>("unknown");
    const QStringList allButLive = {"hx.link.frames", "hx.link",     "hx.polling",
                                    "hx.writes",      "hx.transfer", "hx.startup"};
    QTest::newRow("unset: everything off") << "" << QStringList() << QStringList();
    QTest::newRow("1: all but the live values") << "1" << allButLive << QStringList();
    QTest::newRow("ALL") << " ALL " << allButLive << QStringList();
    QTest::newRow("parts named") << "writes, frames" << QStringList{"hx.writes", "hx.link.frames"}
                                 << QStringList();
    QTest::newRow("a name that is no part")
            << "writes,colour" << QStringList{"hx.writes"} << QStringList{"colour"};
}

void TestTrace::partsSwitchedOn()
{
    QFETCH(QString, value);
    QFETCH(QStringList, on);
    QFETCH(QStringList, unknown);
    QStringList unknownSeen;
    const QString rules = TraceSwitch::rulesFor(value, &unknownSeen);
    QStringList expected;
    for (const QString& category : on)
        expected << category + QStringLiteral(".debug=true");
    QCOMPARE(rules, expected.join('\n'));
    QCOMPARE(unknownSeen, unknown);

    // The program's own categories follow the rules, and are off without them.
    QLoggingCategory::setFilterRules(rules);
    const QList<const QLoggingCategory*> program = {&lcPolling(), &lcLiveValues(), &lcWrites(),
                                                    &lcTransfer(), &lcStartup()};
    for (const QLoggingCategory* category : program) {
        QCOMPARE(category->isDebugEnabled(), on.contains(QLatin1String(category->categoryName())));
        QVERIFY(category->isWarningEnabled());
    }
}

void TestTrace::logLines_data()
{
    QTest::addColumn<QByteArray>("category");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("a plain message") << QByteArray("default") << int(QtDebugMsg) << "^Debug: sent$";
    QTest::newRow("Qt's own category")
            << QByteArray("qt.qpa.xcb") << int(QtWarningMsg) << "^Warning: sent$";
    QTest::newRow("the program's trace")
            << QByteArray("hx.writes") << int(QtDebugMsg)
            << "^Debug: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d hx\\.writes: sent$";
}

void TestTrace::logLines()
{
    QFETCH(QByteArray, category);
    QFETCH(int, type);
    QFETCH(QString, pattern);
    QTemporaryDir dir;
    const QString path = dir.filePath("log");
    setLogFilePath(path);
    logMessageToFile(QtMsgType(type), QMessageLogContext(nullptr, 0, nullptr, category.constData()),
                     "sent");
    setLogFilePath(QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString line = QString::fromLocal8Bit(file.readAll()).trimmed();
    QVERIFY2(QRegularExpression(pattern).match(line).hasMatch(), qPrintable(line));
}

void TestTrace::editFollowedToItsConfirmation()
{
    QTemporaryDir dir;
    Unit unit(dir.filePath("unit"), 100004);
    QVERIFY(unit.host->started());
    Program program(unit.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    Ui::MainWidget* ui = program.ui;
    ui->mainTab->setCurrentIndex(5);
    QTRY_COMPARE(ui->sliderCollectiveTravel->value(), 45);

    QLoggingCategory::setFilterRules(TraceSwitch::rulesFor("writes,link,polling"));
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    ui->editCollectiveTravel->setFocus();
    ui->editCollectiveTravel->selectAll();
    QTest::keyClicks(ui->editCollectiveTravel, QStringLiteral("66"));
    QTest::keyClick(ui->editCollectiveTravel, Qt::Key_Return);
    const QString outcome = "hx.writes: outcome of 137 = 66: confirmed; the status line says "
                            "\"Travel (-): 66, confirmed by the unit\"";
    QTRY_VERIFY_WITH_TIMEOUT(indexOf(outcome) >= 0, 5000);
    const int edit = indexOf("hx.writes: edit of \"Travel (-)\" (editCollectiveTravel, 137) to "
                             "66: written to the unit as 137,66");
    const int confirmed = indexOf("hx.link: write 137,66 confirmed: the unit stored 66");

    qInstallMessageHandler(previous);

    QVERIFY(edit >= 0);
    QVERIFY(confirmed > edit);
    QVERIFY(indexOf(outcome) > confirmed);
}

void TestTrace::answerFates_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("line");
    // The answers are for 137, which the program knew as 50.
    QTest::newRow("a new value") << false << 66 << "hx.polling: answer 137 = 66 (was 50): shown";
    QTest::newRow("the known value again") << false << 50 << QString();
    QTest::newRow("the pilot is typing")
            << true << 50
            << "hx.polling: answer 137 = 50 (was 50): not shown: the pilot is editing its widget";
}

void TestTrace::answerFates()
{
    QFETCH(bool, edited);
    QFETCH(int, value);
    QFETCH(QString, line);
    QLineEdit edit;
    AdaptorModel adaptors;
    auto* adaptor = new LineEditAdaptor(&edit);
    adaptor->setReadOnly(edited);
    adaptors.addAdaptor(137, adaptor);
    QLoggingCategory::setFilterRules(TraceSwitch::rulesFor("polling"));
    {
        QMutexLocker lock(&capturedLock);
        captured.clear();
    }
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    QVERIFY(PollingTrace::answersTraced());
    PollingTrace::answer(adaptors, 137, value, 50);
    qInstallMessageHandler(previous);
    QCOMPARE(captured, line.isEmpty() ? QStringList() : QStringList{line});
}

QTEST_MAIN(TestTrace)
#include "tst_trace.moc"
