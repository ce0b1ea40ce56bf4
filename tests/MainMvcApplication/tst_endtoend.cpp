// The program's parts together: the controller with its window, the real device link, and
// the virtual unit on a pseudo-terminal. What the unit holds shows in the widgets, what the
// user does reaches the unit, files carry settings from one unit to another, and a cable
// pulled and plugged back in is noticed both ways.

#include "virtualunitsupport.h"

#include "parametermodel.h"

#include <simhost.h>
#include <simparametertable.h>

#include <buttongroup.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStandardItemModel>
#include <QTest>
#include <QToolButton>

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unitValuesShowOnCurrentTab();
    void liveValuesAndFlightLog();
    void editsReachTheUnit();
    void defaultButtonResetsGroup();
    void fileCarriesSettingsToAnotherUnit();
    void unplugAndReplug();

private:
    QString linkPath(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

void TestEndToEnd::initTestCase()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    QVERIFY(m_dir.isValid());
    useFastLink();
}

void TestEndToEnd::unitValuesShowOnCurrentTab()
{
    Unit unit(linkPath("a"), 100001);
    QVERIFY2(unit.host->started(), qPrintable(unit.host->error()));
    unit.set(121, 4);
    unit.set(122, 3);
    unit.set(103, 65);
    unit.set(150, 1);
    unit.set(152, 70);
    Program program(unit.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);

    Ui::MainWidget* ui = program.ui;
    QCOMPARE(ui->mainTab->currentIndex(), 0);
    QTRY_COMPARE(ui->heliSizeGroup->checkedId(), 4);
    QTRY_COMPARE(ui->lowBecSlider->value(), 65);
    QCOMPARE(ui->lowBecEdit->text(), QStringLiteral("6.5"));
    QTRY_COMPARE(ui->rescueMode->currentData().toInt(), 1);
    QTRY_COMPARE(ui->rescuePitSlider->value(), 70);
    QCOMPARE(program.controller->parameters()->value(103), 65);

    // Another tab reads its own values when it is entered.
    unit.set(137, 61);
    unit.set(139, 33);
    ui->mainTab->setCurrentIndex(5);
    QTRY_COMPARE(ui->sliderCollectiveTravel->value(), 61);
    QTRY_COMPARE(ui->editPitchpump->text(), QStringLiteral("33"));
}

void TestEndToEnd::liveValuesAndFlightLog()
{
    Unit unit(linkPath("b"), 100002);
    QVERIFY(unit.host->started());
    Program program(unit.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    Ui::MainWidget* ui = program.ui;

    ui->mainTab->setCurrentIndex(1);
    QTRY_VERIFY(ui->vBecLabel->text().startsWith(QStringLiteral("VBEC: 7.")));
    QTRY_VERIFY(ui->lbSlider1_ms->text().endsWith(QStringLiteral(" \u00b5s")));
    // The sticks move: the monitor labels change while we watch.
    QTRY_VERIFY(!ui->lbRxLeft_x->text().isEmpty());
    const QString before = ui->lbRxLeft_x->text() + ui->lbRxLeft_y->text() +
                           ui->lbRxRight_x->text() + ui->lbRxRight_y->text();
    QTRY_VERIFY_WITH_TIMEOUT(ui->lbRxLeft_x->text() + ui->lbRxLeft_y->text() +
                                             ui->lbRxRight_x->text() + ui->lbRxRight_y->text() !=
                                     before,
                             5000);

    ui->mainTab->setCurrentIndex(10);
    QTRY_VERIFY(ui->eventModel->rowCount() > 2);
    QCOMPARE(ui->logTitle->text(), tr_(2910));
    QCOMPARE(ui->eventModel->item(0, 1)->text(), QStringLiteral("1")); // powered on
    ui->btnChartEvent_prev->click();
    QTRY_COMPARE(ui->logTitle->text(), tr_(2911));
    QTRY_VERIFY(ui->eventModel->rowCount() > 2);
}

void TestEndToEnd::editsReachTheUnit()
{
    Unit unit(linkPath("c"), 100003);
    QVERIFY(unit.host->started());
    Program program(unit.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    Ui::MainWidget* ui = program.ui;

    // A line edit of a slider pair, typed and confirmed with Return.
    ui->mainTab->setCurrentIndex(5);
    QTRY_COMPARE(ui->sliderCollectiveTravel->value(), 45);
    ui->editCollectiveTravel->setFocus();
    ui->editCollectiveTravel->selectAll();
    QTest::keyClicks(ui->editCollectiveTravel, QStringLiteral("66"));
    QTest::keyClick(ui->editCollectiveTravel, Qt::Key_Return);
    QTRY_COMPARE(unit.setting(137), 66);

    // A slider moved by a key step.
    const int travel2 = ui->sliderCollectiveTravel_2->value();
    QTest::keyClick(ui->sliderCollectiveTravel_2, Qt::Key_Right);
    QTRY_COMPARE(unit.setting(142), travel2 + ui->sliderCollectiveTravel_2->singleStep());

    // A combo box chosen with the keyboard.
    ui->mainTab->setCurrentIndex(0);
    QTRY_COMPARE(ui->rescueMode->currentIndex(), 0);
    QTest::keyClick(ui->rescueMode, Qt::Key_Down);
    QTRY_COMPARE(unit.setting(150), 1);

    // A picture choice that needs the user's consent.
    ui->mainTab->setCurrentIndex(2);
    QTRY_COMPARE(ui->sensorDirectionGroup->checkedId(), 1);
    {
        BoxAnswerer answers({QMessageBox::Ok});
        ui->btnSensorDirection3->click();
    }
    QTRY_COMPARE(unit.setting(127), 3);
    {
        BoxAnswerer answers({QMessageBox::Cancel});
        ui->btnSensorDirection5->click();
    }
    QTest::qWait(300);
    QCOMPARE(unit.setting(127), 3);
    QCOMPARE(ui->sensorDirectionGroup->checkedId(), 3);

    // The bank copy of an RPM step goes to the unit's own address.
    ui->mainTab->setCurrentIndex(9);
    QTRY_COMPARE(ui->bank2_rpm_edit->text(), QStringLiteral("2500"));
    ui->bank2_rpm_edit->setFocus();
    ui->bank2_rpm_edit->selectAll();
    QTest::keyClicks(ui->bank2_rpm_edit, QStringLiteral("3100"));
    QTest::keyClick(ui->bank2_rpm_edit, Qt::Key_Return);
    QTRY_COMPARE(unit.setting(533), 310);
}

void TestEndToEnd::defaultButtonResetsGroup()
{
    Unit unit(linkPath("d"), 100004);
    QVERIFY(unit.host->started());
    unit.set(300, 130);
    unit.set(305, 400);
    Program program(unit.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    Ui::MainWidget* ui = program.ui;
    ui->mainTab->setCurrentIndex(6);
    QTRY_COMPARE(ui->sliderCyclicReponse->value(), 130);
    QTRY_COMPARE(ui->sliderCyclicRoll->value(), 400);
    {
        BoxAnswerer answers({QMessageBox::Ok});
        ui->btnCyclicDefault->click();
    }
    QTRY_COMPARE(unit.setting(300), SimParameterTable::find(300)->defaultValue);
    QCOMPARE(unit.setting(305), SimParameterTable::find(305)->defaultValue);
    QTRY_COMPARE(ui->sliderCyclicReponse->value(), SimParameterTable::find(300)->defaultValue);
    QTRY_COMPARE(ui->sliderCyclicRoll->value(), SimParameterTable::find(305)->defaultValue);
}

void TestEndToEnd::fileCarriesSettingsToAnotherUnit()
{
    const QList<int> known = {136, 137, 138, 139, 140, 142, 290, 291, 304, 305, 306,
                              307, 308, 309, 310, 311, 312, 313, 314, 315, 316, 317,
                              318, 319, 320, 321, 322, 340, 341, 342, 345, 346, 347};
    QString path;
    QMap<int, int> first;
    {
        Unit unit(linkPath("e"), 100005);
        QVERIFY(unit.host->started());
        // Away from the defaults, so that equal units mean something.
        int i = 0;
        for (int address : known) {
            const SimParameterTable::Definition* d = SimParameterTable::find(address);
            unit.set(address, d->minimum + (d->maximum - d->minimum) * (++i % 5 + 1) / 7);
        }
        Program program(unit.host->path());
        QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
        for (int address : known)
            first.insert(address, unit.setting(address));
        path = m_dir.filePath(QStringLiteral("unit-e.fbl"));
        program.controller->savePath = path;
        // The save asks the unit first; its answers arrive while the user picks a file.
        program.controller->dialogDelayMs = 1000;
        program.ui->btnSave->click();
        QVERIFY(QFile::exists(path));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QMap<int, int> saved;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> pair = line.split('=');
        saved.insert(pair.at(0).toInt(), pair.at(1).toInt());
    }
    QCOMPARE(saved, first);

    Unit other(linkPath("f"), 100006);
    QVERIFY(other.host->started());
    Program program(other.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    program.controller->openPath = path;
    program.controller->pauseMs = 20;
    {
        whenRestoreDialog([](RestoreDialog* dialog) { dialog->writeButton()->click(); });
        BoxAnswerer answers({QMessageBox::Ok});
        program.ui->btnOpen->click();
        QCOMPARE(answers.seen.size(), 1);
        int differing = 0; // the other unit starts at its defaults; equal values are not sent
        for (int address : known)
            differing += first.value(address) != SimParameterTable::find(address)->defaultValue;
        QCOMPARE(answers.seen.first().text, tr_(5217).arg(differing));
    }
    QTRY_VERIFY(program.connected());
    for (int address : known)
        QTRY_COMPARE(other.setting(address), first.value(address));
}

void TestEndToEnd::unplugAndReplug()
{
    Unit unit(linkPath("g"), 100007);
    QVERIFY(unit.host->started());
    Program program(unit.host->path());
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);

    SimHost* host = unit.host.get();
    host->run([host]() { host->server()->unplug(); });
    QTRY_VERIFY_WITH_TIMEOUT(
            program.ui->lbPortStatus->styleSheet().contains(QStringLiteral("disconnected.png")),
            5000);
    QCOMPARE(program.controller->currentRunMode(), MainController::Offline);

    host->run([host]() { host->server()->replug(); });
    QTRY_VERIFY_WITH_TIMEOUT(program.connected(), 5000);
    unit.set(127, 6);
    program.ui->mainTab->setCurrentIndex(2);
    QTRY_COMPARE(program.ui->sensorDirectionGroup->checkedId(), 6);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
