// The program as a process: settings, language choice and data directory at start and
// exit; and the message log it keeps, in-process, including two threads logging at once.

#include "messagelog.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

// A working directory that holds the program's data (linked from the build's bin folder)
// and a home of its own for the settings.
struct Installation
{
    Installation()
    {
        for (const char* folder : {"images", "docs", "charts"})
            QFile::link(QDir::current().absoluteFilePath(QLatin1String(folder)),
                        dir.filePath(QLatin1String(folder)));
    }

    QString dataDir() const { return dir.filePath(QStringLiteral("xdg-data/hxmain")); }
    QString settingsFile() const { return dataDir() + QStringLiteral("/fbl.afc"); }

    int run(QString* output = nullptr)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir.filePath("home"));
        env.insert("XDG_DATA_HOME", dir.filePath("xdg-data"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HX_SERIAL_PORT", dir.filePath("no-unit"));
        env.insert("HX_QUIT_AFTER_MS", "200");
        env.remove("HX_SCREENSHOT");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(HXMAIN_PATH), QStringList());
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (output)
            *output = QString::fromLocal8Bit(process.readAllStandardOutput());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    }

    QStringList logLines() const
    {
        QFile file(dir.filePath("log"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QString setting(const QString& key) const
    {
        QFile file(settingsFile());
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<no file>");
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> parts = line.trimmed().split('?');
            if (parts.size() >= 2 && parts.at(0) == key.toLatin1())
                return QString::fromLatin1(parts.at(1));
        }
        return QString();
    }

    QTemporaryDir dir;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void firstStart();
    void language_data();
    void language();

    void logLines();
    void logFromTwoThreads();
    void logUnwritable();

private:
    void writeSettings(Installation& installation, const QByteArray& content);
};

void TestStartup::writeSettings(Installation& installation, const QByteArray& content)
{
    QVERIFY(QDir().mkpath(installation.dataDir()));
    QFile file(installation.settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestStartup::firstStart()
{
    Installation installation;
    QVERIFY(!QFile::exists(installation.dataDir()));
    QCOMPARE(installation.run(), 0);
    QVERIFY(QFile::exists(installation.dataDir()));
    QCOMPARE(installation.setting("lang"), QStringLiteral("en"));
    QCOMPARE(installation.setting("txmode"), QStringLiteral("0"));
    QCOMPARE(installation.setting("gyro-off"), QStringLiteral("0"));
    QVERIFY(installation.logLines().contains(
            QStringLiteral("Debug: Localised strings from docs/en/strings.xml")));
}

void TestStartup::language_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("storedAfter");
    QTest::newRow("vi persists") << QByteArray("lang?vi\r\n") << "vi"
                                 << "vi";
    // French is offered by the language menu, so it persists like Vietnamese.
    QTest::newRow("fr persists") << QByteArray("lang?fr\r\n") << "fr"
                                 << "fr";
    QTest::newRow("FR is not fr") << QByteArray("lang?FR\r\n") << "en"
                                  << "en";
    QTest::newRow("de") << QByteArray("lang?de\r\ntxmode?2\r\n") << "en"
                        << "en";
}

void TestStartup::language()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, table);
    QFETCH(QString, storedAfter);
    Installation installation;
    writeSettings(installation, stored + "last_params_dir?/kept\r\n");
    QCOMPARE(installation.run(), 0);
    QVERIFY(installation.logLines().contains(
            QStringLiteral("Debug: Localised strings from docs/%1/strings.xml").arg(table)));
    QCOMPARE(installation.setting("lang"), storedAfter);
    QCOMPARE(installation.setting("last_params_dir"), QStringLiteral("/kept"));
    if (stored.contains("txmode"))
        QCOMPARE(installation.setting("txmode"), QStringLiteral("2"));
}

void TestStartup::logLines()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        QFile file("log");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("from an earlier run\n");
    }
    const QMessageLogContext context;
    logMessageToFile(QtDebugMsg, context, "one");
    logMessageToFile(QtWarningMsg, context, "two");
    logMessageToFile(QtCriticalMsg, context, "three");
    logMessageToFile(QtInfoMsg, context, "four");
    logMessageToFile(QtFatalMsg, context, "five");
    QFile file("log");
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n');
    QDir::setCurrent(previous);
    QCOMPARE(lines, QStringList({"from an earlier run", "Debug: one", "Warning: two",
                                 "Critical: three", "Info: four", "Fatal: five", ""}));
}

void TestStartup::logFromTwoThreads()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const int perThread = 400;
    // Long lines, so that an unserialised write would show as a torn or mixed line.
    const QString payloadA = QString(300, 'a');
    const QString payloadB = QString(300, 'b');
    std::atomic<bool> go{false};
    auto writer = [&](const QString& payload) {
        return QThread::create([&, payload] {
            while (!go.load()) {
            }
            const QMessageLogContext context;
            for (int i = 0; i < perThread; ++i)
                logMessageToFile(QtWarningMsg, context, payload + QString::number(i));
        });
    };
    QScopedPointer<QThread> a(writer(payloadA));
    QScopedPointer<QThread> b(writer(payloadB));
    a->start();
    b->start();
    go = true;
    QVERIFY(a->wait(60000));
    QVERIFY(b->wait(60000));

    QFile file("log");
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines =
            QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QDir::setCurrent(previous);
    QCOMPARE(lines.size(), 2 * perThread);
    int countA = 0;
    int countB = 0;
    for (const QString& line : lines) {
        QVERIFY2(line.startsWith("Warning: "), qPrintable(line.left(40)));
        const QString text = line.mid(9);
        if (text.startsWith(payloadA) && text.mid(300).toInt() >= 0 && !text.contains('b'))
            ++countA;
        else if (text.startsWith(payloadB) && !text.contains('a'))
            ++countB;
        else
            QFAIL(qPrintable("torn line: " + line.left(60)));
    }
    QCOMPARE(countA, perThread);
    QCOMPARE(countB, perThread);
}

void TestStartup::logUnwritable()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QVERIFY(QDir().mkdir("log")); // a folder where the file should be
    logMessageToFile(QtWarningMsg, QMessageLogContext(), "dropped");
    QDir::setCurrent(previous);
    QVERIFY(QFileInfo(dir.filePath("log")).isDir());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
