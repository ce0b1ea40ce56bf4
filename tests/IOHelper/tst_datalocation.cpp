// Where the program finds its data and puts its log, whatever folder it was started from.

#include "datalocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void makeDataFolder(const QString& folder)
{
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/docs/en")));
    QFile marker(folder + QLatin1Char('/') + QLatin1String(DataLocation::MarkerFile));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write("<strings/>");
}

} // namespace

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void findsTheData_data();
    void findsTheData();
    void filePathOutsideAnInstallation();
    void logFilePath_data();
    void logFilePath();
    void logProbeKeepsTheLog();

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }

    QScopedPointer<QTemporaryDir> m_dir;
    QTemporaryDir m_shared; // the system's shared data folders, as the test sets them
};

void TestDataLocation::initTestCase()
{
    // The shared data folders of this machine must not decide the outcome: a system that
    // has the program installed would otherwise be found by every case.
    QVERIFY(m_shared.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_shared.filePath("home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(m_shared.filePath("system")));
}

void TestDataLocation::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QDir(m_shared.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_shared.path()));
}

void TestDataLocation::findsTheData_data()
{
    QTest::addColumn<QStringList>("dataFolders"); // folders given complete data
    QTest::addColumn<QStringList>("partFolders"); // folders with pictures but no tables
    QTest::addColumn<QString>("expected");        // relative to the case's folder

    const QString name = QLatin1String(DataLocation::FolderName);
    const QString installed = "prefix/share/" + name;
    QTest::newRow("beside the program (build tree, Windows)")
            << QStringList{"prefix/bin"} << QStringList() << "prefix/bin";
    QTest::newRow("installed data folder") << QStringList{installed} << QStringList() << installed;
    QTest::newRow("beside the program wins")
            << QStringList{"prefix/bin", installed} << QStringList() << "prefix/bin";
    QTest::newRow("a folder without the string tables is passed over")
            << QStringList{installed} << QStringList{"prefix/bin"} << installed;
    QTest::newRow("the working directory, as before")
            << QStringList{"work"} << QStringList() << "work";
    QTest::newRow("installation before the working directory")
            << QStringList{"work", installed} << QStringList() << installed;
    QTest::newRow("a shared data folder of the system")
            << QStringList{"<shared>/system/" + name} << QStringList() << "<shared>/system/" + name;
    QTest::newRow("the user's shared data folder")
            << QStringList{"<shared>/home/" + name} << QStringList() << "<shared>/home/" + name;
    QTest::newRow("working directory before the shared folders")
            << QStringList{"work", "<shared>/system/" + name} << QStringList() << "work";
    QTest::newRow("nowhere") << QStringList() << QStringList{"prefix/bin", "work"} << QString();
}

void TestDataLocation::findsTheData()
{
    QFETCH(QStringList, dataFolders);
    QFETCH(QStringList, partFolders);
    QFETCH(QString, expected);
    const auto resolve = [this](QString relative) {
        if (relative.startsWith(QLatin1String("<shared>/")))
            return m_shared.filePath(relative.mid(9));
        return path(relative);
    };
    for (const QString& folder : qAsConst(dataFolders))
        makeDataFolder(resolve(folder));
    for (const QString& folder : qAsConst(partFolders))
        QVERIFY(QDir().mkpath(resolve(folder) + QStringLiteral("/images")));
    QVERIFY(QDir().mkpath(path("prefix/bin")));
    QVERIFY(QDir().mkpath(path("work")));

    const QString found =
            DataLocation::find(DataLocation::candidates(path("prefix/bin"), path("work")));
    QCOMPARE(found, expected.isEmpty() ? QString() : QDir::cleanPath(resolve(expected)));
}

void TestDataLocation::filePathOutsideAnInstallation()
{
    // The test runs from its own folder with the build's data in the working directory, as
    // the program once did: relative paths then work as they always did.
    const QString root = DataLocation::root();
    QCOMPARE(root, QDir::current().absolutePath());
    QCOMPARE(DataLocation::filePath(QStringLiteral("charts/chart.html")),
             root + QStringLiteral("/charts/chart.html"));
    QVERIFY(QFile::exists(DataLocation::filePath(QLatin1String(DataLocation::MarkerFile))));
    // An absolute path stays as it is.
    QCOMPARE(DataLocation::filePath(path("x.png")), path("x.png"));
}

void TestDataLocation::logFilePath_data()
{
    QTest::addColumn<QString>("setup"); // how the working folder is prepared
    QTest::addColumn<bool>("userDirExists");
    QTest::addColumn<QString>("expected"); // "work" or "user"

    QTest::newRow("working folder can be written") << "plain" << true << "work";
    QTest::newRow("a folder named log is in the way") << "log-folder" << true << "user";
    QTest::newRow("working folder is gone") << "missing" << true << "user";
    QTest::newRow("read-only working folder") << "read-only" << true << "user";
    QTest::newRow("nowhere to write: the working folder, as before")
            << "log-folder" << false << "work";
}

void TestDataLocation::logFilePath()
{
    QFETCH(QString, setup);
    QFETCH(bool, userDirExists);
    QFETCH(QString, expected);
    const QString work = path("work");
    const QString user = path("user");
    if (setup != QLatin1String("missing"))
        QVERIFY(QDir().mkpath(work));
    if (setup == QLatin1String("log-folder"))
        QVERIFY(QDir().mkpath(work + QStringLiteral("/log")));
    if (userDirExists)
        QVERIFY(QDir().mkpath(user));
    if (setup == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(work, QFile::ReadOwner | QFile::ExeOwner));
        QFile check(work + QStringLiteral("/check"));
        const bool writableAnyway = check.open(QIODevice::WriteOnly);
        if (writableAnyway) {
            check.remove();
            QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user may write into read-only folders (root, or no permissions here)");
        }
    }

    const QString log = DataLocation::logFilePath(work, user);
    if (setup == QLatin1String("read-only"))
        QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(log, QDir((expected == QLatin1String("work") ? work : user))
                          .absoluteFilePath(QStringLiteral("log")));
    if (expected == QLatin1String("user"))
        QVERIFY(QFile::exists(log));
}

void TestDataLocation::logProbeKeepsTheLog()
{
    // Finding the place must never cost the lines of earlier runs.
    const QString work = path("work");
    QVERIFY(QDir().mkpath(work));
    QFile earlier(work + QStringLiteral("/log"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("Debug: an earlier run\n");
    earlier.close();
    QCOMPARE(DataLocation::logFilePath(work, path("user")), earlier.fileName());
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("Debug: an earlier run\n"));
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
