// The log file under a unit that repeats itself: repeated warnings are counted, not
// written again, and the file stays under its bound with the previous one kept as ".1".

#include "messagelogfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void warn(MessageLogFile* log, const QString& path, const QString& text)
{
    log->write(path, QtWarningMsg, text, QStringLiteral("Warning: ") + text);
}

} // namespace

class TestMessageLogFile : public QObject
{
    Q_OBJECT

private slots:
    void repeatedWarningIsCounted_data();
    void repeatedWarningIsCounted();
    void countIsWrittenWhenTheNextConnectionStarts();
    void fileStaysUnderItsBound();
};

void TestMessageLogFile::repeatedWarningIsCounted_data()
{
    QTest::addColumn<int>("repeats");
    QTest::addColumn<QStringList>("expected");
    const QString w = QStringLiteral("Warning: refused");
    QTest::newRow("once") << 1 << QStringList{w};
    QTest::newRow("nine times") << 9 << QStringList{w};
    QTest::newRow("ten times")
            << 10 << QStringList{w, w + " (repeated 10 times since the unit was connected)"};
    QTest::newRow("an hour of it")
            << 36000
            << QStringList{w, w + " (repeated 10 times since the unit was connected)",
                           w + " (repeated 100 times since the unit was connected)",
                           w + " (repeated 1000 times since the unit was connected)",
                           w + " (repeated 10000 times since the unit was connected)"};
}

void TestMessageLogFile::repeatedWarningIsCounted()
{
    QFETCH(int, repeats);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log"));
    MessageLogFile log;
    for (int i = 0; i < repeats; ++i)
        warn(&log, path, QStringLiteral("refused"));
    QCOMPARE(linesOf(path), expected);
}

void TestMessageLogFile::countIsWrittenWhenTheNextConnectionStarts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log"));
    MessageLogFile log;
    for (int i = 0; i < 3; ++i) {
        warn(&log, path, QStringLiteral("refused"));
        warn(&log, path, QStringLiteral("other"));
        // Debug lines are never held back.
        log.write(path, QtDebugMsg, QStringLiteral("tick"), QStringLiteral("Debug: tick"));
    }
    log.startConnection(path);
    warn(&log, path, QStringLiteral("refused"));
    const QStringList lines = linesOf(path);
    QCOMPARE(lines.count(QStringLiteral("Debug: tick")), 3);
    QCOMPARE(lines.count(QStringLiteral("Warning: refused")), 2); // once per connection
    QVERIFY(lines.contains(
            QStringLiteral("Warning: refused (repeated 3 times since the unit was connected)")));
    QVERIFY(lines.contains(
            QStringLiteral("Warning: other (repeated 3 times since the unit was connected)")));
    QCOMPARE(lines.last(), QStringLiteral("Warning: refused"));
}

void TestMessageLogFile::fileStaysUnderItsBound()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log"));
    const qint64 bound = 4096;
    MessageLogFile log(bound);
    for (int i = 0; i < 1000; ++i) {
        const QString text =
                QStringLiteral("line %1 %2").arg(i).arg(QString(i % 50, QLatin1Char('x')));
        log.write(path, QtDebugMsg, text, QStringLiteral("Debug: ") + text);
        QVERIFY(QFileInfo(path).size() <= bound);
    }
    QVERIFY(QFileInfo(path + ".1").size() <= bound);
    QVERIFY(QFileInfo(path + ".1").size() > bound / 2);
    // Nothing but the two files, each made of whole lines, the newest at the end.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    const QStringList lines = linesOf(path + ".1") + linesOf(path);
    QVERIFY(lines.last().startsWith(QStringLiteral("Debug: line 999 ")));
    int previous = -1;
    for (const QString& line : lines) {
        const int n = line.section(QLatin1Char(' '), 2, 2).toInt();
        QCOMPARE(line.section(QLatin1Char(' '), 3).size(), n % 50);
        QCOMPARE(n, previous < 0 ? n : previous + 1);
        previous = n;
    }
}

QTEST_APPLESS_MAIN(TestMessageLogFile)
#include "tst_messagelogfile.moc"
