// The firmware hand-over against a recording device link: the unit is switched into its
// bootloader only when it is connected and the flashing tool is installed beside the
// program, and every way out is shown to the pilot.

#include "controllertestsupport.h"

#include "firmwarehandover.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>

namespace {

// Presses "Update firmware" in the device information dialog once it is shown.
void pressUpdateInDialog()
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->inherits("FirmwareDialog")) {
            timer->stop();
            timer->deleteLater();
            dialog->findChild<QPushButton*>("btnFirmware")->click();
        }
    });
    timer->start(5);
}

QString textOf(int id, const QString& path = QString())
{
    return path.isNull() ? tr_(id) : tr_(id).arg(QDir::toNativeSeparators(path));
}

// Saves a picture of the screen when HX_TEST_SHOTS names a folder (for review only).
void shoot(const QString& name)
{
    const QString folder = qEnvironmentVariable("HX_TEST_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + ".png"));
}

} // namespace

class TestFirmwareHandOver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void handOver_data();
    void handOver();
    void toolIsLookedForBesideTheProgram();
    void unitLostWhileAsking();
};

void TestFirmwareHandOver::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    for (int id : {5100, 5101, 5102})
        QVERIFY2(!tr_(id).isEmpty(), qPrintable(QString::number(id)));
}

void TestFirmwareHandOver::handOver_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("toolInstalled");
    QTest::addColumn<bool>("toolStarts");
    QTest::addColumn<QList<int>>("answers");  // buttons pressed, in order
    QTest::addColumn<QList<int>>("boxTexts"); // text ids shown, in order
    QTest::addColumn<bool>("sendsSwitch");
    QTest::addColumn<bool>("quits");

    using B = int;
    QTest::newRow("no unit") << false << true << true << QList<B>{QMessageBox::Ok}
                             << QList<int>{5100} << false << false;
    QTest::newRow("no unit, no tool") << false << false << true << QList<B>{QMessageBox::Ok}
                                      << QList<int>{5100} << false << false;
    QTest::newRow("tool missing") << true << false << true << QList<B>{QMessageBox::Ok}
                                  << QList<int>{5101} << false << false;
    QTest::newRow("pilot says no") << true << true << true << QList<B>{QMessageBox::No}
                                   << QList<int>{4001} << false << false;
    QTest::newRow("tool present") << true << true << true << QList<B>{QMessageBox::Yes}
                                  << QList<int>{4001} << true << true;
    QTest::newRow("tool does not start")
            << true << true << false << QList<B>{QMessageBox::Yes, QMessageBox::Ok}
            << QList<int>{4001, 5102} << true << false;
}

void TestFirmwareHandOver::handOver()
{
    QFETCH(bool, connected);
    QFETCH(bool, toolInstalled);
    QFETCH(bool, toolStarts);
    QFETCH(QList<int>, answers);
    QFETCH(QList<int>, boxTexts);
    QFETCH(bool, sendsSwitch);
    QFETCH(bool, quits);

    ControllerFixture f;
    if (connected)
        f.goOnline(0);
    QTemporaryDir programDir;
    FirmwareHandOver* handOver = f.controller->firmwareHandOver();
    handOver->setProgramFolder(programDir.path());
    const QString tool = programDir.filePath("DfuSe v3.0.6/Bin/DfuSeDemo.exe");
    QCOMPARE(handOver->toolPath(), tool);
    if (toolInstalled) {
        QVERIFY(QDir(programDir.path()).mkpath("DfuSe v3.0.6/Bin"));
        QFile file(tool);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QList<QUrl> started;
    QStringList writesWhenStarted;
    handOver->setToolStarter([&](const QUrl& url) {
        started << url;
        writesWhenStarted = f.link->writes();
        return toolStarts;
    });
    f.link->clear();

    QList<QMessageBox::StandardButton> buttons;
    for (int answer : answers)
        buttons << QMessageBox::StandardButton(answer);
    BoxAnswerer boxes(buttons);
    boxes.onBox = [](QMessageBox*) {
        shoot(QStringLiteral("firmware-") + QTest::currentDataTag());
    };
    f.controller->showMainWindow();
    if (connected && !toolInstalled)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not at"));
    if (sendsSwitch && !toolStarts)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("did not start"));
    pressUpdateInDialog();
    const bool quit = quitDuring([&] { f.ui->btnFirmware->click(); });

    QCOMPARE(quit, quits);
    QCOMPARE(f.link->writes(), sendsSwitch ? QStringList{"2,9999"} : QStringList());
    QCOMPARE(f.link->reads().value(0), QStringLiteral(",0001,0002,0003"));
    QCOMPARE(boxes.seen.size(), boxTexts.size());
    for (int i = 0; i < boxTexts.size(); ++i) {
        QCOMPARE(boxes.seen.at(i).title, tr_(4000));
        const int id = boxTexts.at(i);
        QCOMPARE(boxes.seen.at(i).text, (id == 5101 || id == 5102) ? textOf(id, tool) : tr_(id));
    }
    if (sendsSwitch) {
        // The switch goes out before the tool is started, and the tool is the one beside
        // the program.
        QCOMPARE(started.size(), 1);
        QCOMPARE(started.first().toLocalFile(), tool);
        QCOMPARE(writesWhenStarted, QStringList{"2,9999"});
    } else {
        QVERIFY(started.isEmpty());
    }
}

void TestFirmwareHandOver::toolIsLookedForBesideTheProgram()
{
    // A tool planted in the working folder is not the program's: it is not opened.
    ControllerFixture f;
    f.goOnline(0);
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkpath("DfuSe v3.0.6/Bin"));
    QFile planted(work.filePath("DfuSe v3.0.6/Bin/DfuSeDemo.exe"));
    QVERIFY(planted.open(QIODevice::WriteOnly));
    planted.close();
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    FirmwareHandOver* handOver = f.controller->firmwareHandOver();
    QCOMPARE(handOver->toolPath(),
             QCoreApplication::applicationDirPath() + "/DfuSe v3.0.6/Bin/DfuSeDemo.exe");
    bool startedAny = false;
    handOver->setToolStarter([&](const QUrl&) { return startedAny = true; });
    f.link->clear();
    BoxAnswerer boxes({QMessageBox::Ok});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not at"));
    pressUpdateInDialog();
    const bool quit = quitDuring([&] { f.ui->btnFirmware->click(); });
    QDir::setCurrent(before);
    QVERIFY(!quit);
    QVERIFY(!startedAny);
    QVERIFY(f.link->writes().isEmpty());
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY(boxes.seen.first().text.contains(
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath())));
}

void TestFirmwareHandOver::unitLostWhileAsking()
{
    ControllerFixture f;
    f.goOnline(0);
    QTemporaryDir programDir;
    QVERIFY(QDir(programDir.path()).mkpath("DfuSe v3.0.6/Bin"));
    QFile tool(programDir.filePath("DfuSe v3.0.6/Bin/DfuSeDemo.exe"));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    FirmwareHandOver* handOver = f.controller->firmwareHandOver();
    handOver->setProgramFolder(programDir.path());
    bool startedAny = false;
    handOver->setToolStarter([&](const QUrl&) { return startedAny = true; });
    f.link->clear();
    BoxAnswerer boxes({QMessageBox::Yes, QMessageBox::Ok});
    // The cable is pulled while the question stands open.
    boxes.onBox = [&](QMessageBox*) {
        if (boxes.seen.size() == 1) {
            f.link->connected = false;
            f.controller->handlePortStatusChanged(-100);
        }
    };
    pressUpdateInDialog();
    const bool quit = quitDuring([&] { f.ui->btnFirmware->click(); });
    QVERIFY(!quit);
    QVERIFY(!startedAny);
    QVERIFY(f.link->writes().isEmpty());
    QCOMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen.at(1).text, tr_(5100));
}

QTEST_MAIN(TestFirmwareHandOver)
#include "tst_firmwarehandover.moc"
