// The controller's behaviours that an audit found broken or unguarded: live monitor reads,
// angles from the first read, sliders after a step at their end, live values the widgets
// cannot show, the watchdog's count, clearing the reader, gyro off, the bank copies of the
// RPM fields, the pace of a loaded file and the size of the event table.

#include "transfertestsupport.h"

#include "abstractfieldadaptor.h"
#include "adaptormodel.h"
#include "parametermodel.h"

#include <advanceservosview.h>
#include <swashtrimcyclic.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QStandardItemModel>
#include <QTest>
#include <QThread>

namespace {

QStringList collected;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        collected << message;
}

// Emits as the link does, from a thread of its own: the controller gets it queued, behind
// whatever the window's thread does before its next turn of the event loop.
void fromLinkThread(const std::function<void()>& emitting)
{
    QScopedPointer<QThread> thread(QThread::create(emitting));
    thread->start();
    thread->wait();
}

// Waits the pause the program really uses between the writes of a loaded file.
class UnpacedController : public TestController
{
public:
    using TestController::TestController;

protected:
    int loadedWritePauseMs() const override { return MainController::loadedWritePauseMs(); }
};

} // namespace

class TestControllerGuards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void servoMonitorIsReadLive_data();
    void servoMonitorIsReadLive();
    void anglesShowFromTheStart();
    void stepAtSliderEndLetsAnswersThrough_data();
    void stepAtSliderEndLetsAnswersThrough();
    void liveValuesOutsideTheWidget_data();
    void liveValuesOutsideTheWidget();

    void quickEditsDoNotTriggerReconnect();
    void recordAnswersFeedWatchdog();
    void writesAndTabChangesClearTheReader();
    void gyroOffOnSwashToTailTabs_data();
    void gyroOffOnSwashToTailTabs();
    void rpmAnswersReachBankCopies_data();
    void rpmAnswersReachBankCopies();
    void loadedFileIsPacedByTheUnitsPause();
    void eventTableIsCapped();
    void staleAnswerDoesNotUndoAnEdit_data();
    void staleAnswerDoesNotUndoAnEdit();
};

void TestControllerGuards::initTestCase()
{
    tr_(0);
}

void TestControllerGuards::servoMonitorIsReadLive_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("servos") << 4;
    QTest::newRow("collective") << 5;
}

void TestControllerGuards::servoMonitorIsReadLive()
{
    QFETCH(int, tab);
    ControllerFixture f;
    f.goOnline(tab);
    f.link->clear();
    f.tick(3);
    // Every tick, not only the full reads, asks for the four monitor channels.
    QCOMPARE(f.link->reads().size(), 3);
    for (const QString& read : f.link->reads()) {
        for (const char* channel : {"0217", "0218", "0219", "0220"})
            QVERIFY2(read.split(',').contains(QLatin1String(channel)), qPrintable(read));
    }
    // And the answers move the dots of both trim views.
    QSignalSpy monitor(f.ui->swashTrimCyclic, SIGNAL(_monitorChannelValueChanged(int, int)));
    f.answer(QStringLiteral("217,1700"));
    f.answer(QStringLiteral("220,1300"));
    QCOMPARE(monitor.count(), 2);
    QCOMPARE(monitor.at(0).at(0).toInt(), 217);
    QCOMPARE(monitor.at(0).at(1).toInt(), 1700);
    QCOMPARE(monitor.at(1).at(1).toInt(), 1300);
}

void TestControllerGuards::anglesShowFromTheStart()
{
    ControllerFixture f;
    QLabel* const labels[3] = {f.ui->lbAngleCh1, f.ui->lbAngleCh2, f.ui->lbAngleCh3};
    QCOMPARE(labels[0]->text(), QStringLiteral("300"));
    QCOMPARE(labels[1]->text(), QStringLiteral("180"));
    QCOMPARE(labels[2]->text(), QStringLiteral("60"));

    // The unit's phasing reaches the swash tab's labels and the servos tab's view.
    f.goOnline(3);
    f.answer(QStringLiteral("211,30"));
    QCOMPARE(f.ui->swashView->angle(), 30);
    QCOMPARE(f.ui->servosView->angle(), 30);
    QCOMPARE(labels[0]->text(), QStringLiteral("330"));
    QCOMPARE(labels[1]->text(), QStringLiteral("210"));
    QCOMPARE(labels[2]->text(), QStringLiteral("90"));
}

void TestControllerGuards::stepAtSliderEndLetsAnswersThrough_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("shown");
    QTest::newRow("slider with edit, right at the maximum")
            << 303 << int(Qt::Key_Right) << 75 << 75;
    QTest::newRow("slider with edit, page down at the minimum")
            << 137 << int(Qt::Key_PageDown) << 50 << 50;
    QTest::newRow("double-direct slider, up at the maximum") << 204 << int(Qt::Key_Up) << 150 << 50;
    QTest::newRow("governor motor off, left at the minimum")
            << 521 << int(Qt::Key_Left) << 100 << -100;
}

void TestControllerGuards::stepAtSliderEndLetsAnswersThrough()
{
    QFETCH(int, address);
    QFETCH(int, key);
    QFETCH(int, answer);
    QFETCH(int, shown);
    ControllerFixture f;
    f.goOnline(0);
    AbstractFieldAdaptor* adaptor = f.controller->adaptors()->adaptor(address);
    QVERIFY(adaptor);
    auto* slider = qobject_cast<QSlider*>(adaptor->inputField());
    QVERIFY(slider);
    const bool up = key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_PageUp;
    slider->setValue(up ? slider->maximum() : slider->minimum());
    const int before = slider->value();
    f.link->clear();
    QTest::keyClick(slider, Qt::Key(key));
    QCOMPARE(slider->value(), before); // at its end: nothing changed, nothing to send
    QCoreApplication::processEvents();
    QVERIFY(!adaptor->isReadOnly());
    QVERIFY(f.link->writes().isEmpty());

    // The unit's next value shows.
    f.answer(QStringLiteral("%1,%2").arg(address).arg(answer));
    QCOMPARE(slider->value(), shown);
    QVERIFY(f.link->writes().isEmpty());
}

void TestControllerGuards::liveValuesOutsideTheWidget_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("warnings");

    QTest::newRow("0 V after 7.4 V") << QStringList{"100,74", "100,0"} << "vBecLabel"
                                     << "VBEC: 0.00 V" << 0;
    QTest::newRow("absurd voltage") << QStringList{"100,74", "100,2147483647", "100,2147483647"}
                                    << "vBecLabel" << QString::fromUtf8("VBEC: ∞ V") << 1;
    QTest::newRow("negative voltage")
            << QStringList{"100,-5"} << "vBecLabel" << QString::fromUtf8("VBEC: ∞ V") << 1;
    QTest::newRow("voltage back in range") << QStringList{"100,2147483647", "100,75"} << "vBecLabel"
                                           << "VBEC: 7.50 V" << 1;
    QTest::newRow("absurd rpm") << QStringList{"524,-2147483648", "524,-2147483648"} << "editRPM1"
                                << QString::fromUtf8("∞") << 2; // and its bank copy
    QTest::newRow("rpm back in range") << QStringList{"524,-2147483648", "524,250"} << "editRPM1"
                                       << "2500" << 2;
    QTest::newRow("rpm in range") << QStringList{"524,300"} << "editRPM1"
                                  << "3000" << 0;
}

void TestControllerGuards::liveValuesOutsideTheWidget()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, widget);
    QFETCH(QString, shown);
    QFETCH(int, warnings);
    ControllerFixture f;
    f.goOnline(1);
    collected.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    for (const QString& answer : answers)
        f.answer(answer);
    qInstallMessageHandler(previous);
    QObject* field = f.ui->findChild<QObject*>(widget);
    QVERIFY(field);
    QCOMPARE(field->property("text").toString(), shown);
    QCOMPARE(collected.size(), warnings);
}

void TestControllerGuards::quickEditsDoNotTriggerReconnect()
{
    ControllerFixture f;
    f.goOnline(3);
    QSignalSpy reconnect(f.controller.data(), SIGNAL(_needReconnect()));
    // Each edit drops the full read in flight: its answer is never owed.
    for (int i = 0; i < 60; ++i) {
        f.tick();
        if (i % 6 == 0)
            f.controller->requestWriteConfigChanges(210, 80 + i % 10, false);
    }
    QCOMPARE(reconnect.count(), 0);
    QVERIFY(f.controller->pendingReads() <= 1);
}

void TestControllerGuards::recordAnswersFeedWatchdog()
{
    ControllerFixture f;
    f.goOnline(3);
    f.tick(37);
    QCOMPARE(f.controller->pendingReads(), 4);
    for (const char* answer : {"604=", "600=1_0,2_10", "614=5;rpm:1,2", "640="})
        f.answer(QString::fromLatin1(answer));
    QCOMPARE(f.controller->pendingReads(), 0);
}

void TestControllerGuards::writesAndTabChangesClearTheReader()
{
    ControllerFixture f;
    f.goOnline(3);
    f.link->clear();
    // A stale answer still held by the link would bring the old value back after a write.
    f.controller->requestWriteConfigChanges(210, 70, false);
    QCOMPARE(f.link->writes(), QStringList{QStringLiteral("210,70")});
    QCOMPARE(f.link->clearsAt, QList<int>{0}); // before the write went out
    // The old tab's queued reads are of no use on the new one.
    f.link->clear();
    f.ui->mainTab->setCurrentIndex(5);
    QCOMPARE(f.link->clearsAt, QList<int>{0});
}

void TestControllerGuards::gyroOffOnSwashToTailTabs_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("writes");
    for (int tab = 0; tab < 12; ++tab)
        QTest::addRow("tab %d", tab) << tab << (tab >= 3 && tab <= 7);
}

void TestControllerGuards::gyroOffOnSwashToTailTabs()
{
    QFETCH(int, tab);
    QFETCH(bool, writes);
    ControllerFixture f;
    f.goOnline(tab);
    f.ui->checkGyroOff->setChecked(true);
    f.link->clear();
    for (int i = 0; i < 4; ++i)
        QMetaObject::invokeMethod(f.controller.data(), "requestSendGyroOff");
    QCOMPARE(f.link->writes(), writes ? QStringList{"224,1"} : QStringList());
}

void TestControllerGuards::rpmAnswersReachBankCopies_data()
{
    QTest::addColumn<int>("address");
    QTest::newRow("RPM1") << 524;
    QTest::newRow("RPM2") << 533;
    QTest::newRow("RPM3") << 534;
}

void TestControllerGuards::rpmAnswersReachBankCopies()
{
    QFETCH(int, address);
    ControllerFixture f;
    f.answer(QStringLiteral("%1,777").arg(address));
    QCOMPARE(f.controller->parameters()->value(address), 777);
    QCOMPARE(f.controller->parameters()->value(address + 1000), 777);
    QCOMPARE(f.controller->adaptors()->value(address), 777);
    QCOMPARE(f.controller->adaptors()->value(address + 1000), 777);
}

void TestControllerGuards::loadedFileIsPacedByTheUnitsPause()
{
    QTemporaryDir dir;
    AppConfigManager config(dir.filePath(QStringLiteral("fbl.afc")));
    // A unit that confirms each value at once: only the program's own pause spaces the
    // writes.
    auto* link = new UnitLink;
    link->unit = {{136, 2}, {137, 45}, {138, 0}};
    UnpacedController controller(&config, link);
    controller.mainWindow()->mainTab->setCurrentIndex(0);
    link->connected = true;
    controller.handlePortStatusChanged(100);
    const QString path = dir.filePath(QStringLiteral("in.fbl"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0136=0001\n0137=0050\n0138=0001\n");
    }
    controller.openPath = path;
    whenRestoreDialog([](RestoreDialog* dialog) { dialog->writeButton()->click(); });
    BoxAnswerer answers({QMessageBox::Ok});
    link->clear();
    controller.mainWindow()->btnOpen->click();
    QList<qint64> times;
    for (const RecordingLink::Request& request : qAsConst(link->requests)) {
        if (request.kind == QLatin1String("write"))
            times << request.atMs;
    }
    QCOMPARE(link->writes(), QStringList({"136,1", "137,50", "138,1"}));
    QCOMPARE(times.size(), 3);
    // The unit needs 200 ms to store each value.
    QVERIFY2(times.at(1) - times.at(0) >= 199,
             qPrintable(QString::number(times.at(1) - times.at(0))));
    QVERIFY2(times.at(2) - times.at(1) >= 199,
             qPrintable(QString::number(times.at(2) - times.at(1))));
    QCOMPARE(answers.seen.size(), 1);
}

void TestControllerGuards::eventTableIsCapped()
{
    ControllerFixture f;
    f.goOnline(TabReadScheduler::LogTab);
    QStringList events;
    for (int i = 0; i < 200000; ++i)
        events << QStringLiteral("2_%1").arg(i);
    f.ui->eventModel->removeRows(0, f.ui->eventModel->rowCount());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("record 600 holds 200000 events"));
    f.answer(QStringLiteral("600=") + events.join(QLatin1Char(',')));
    const int rows = f.ui->eventModel->rowCount();
    QVERIFY2(rows >= 100 && rows <= 5000, qPrintable(QString::number(rows)));
    // The rows shown are the first events, in order; the last row says how many are left out.
    const int shown = rows - 1;
    QCOMPARE(f.ui->eventModel->item(0, 0)->text(), QStringLiteral("0"));
    QCOMPARE(f.ui->eventModel->item(shown - 1, 0)->text(),
             QString::number((shown - 1) / 10.0, 'g', 6));
    QVERIFY(f.ui->eventModel->item(rows - 1, 0)->text().contains(QString::number(200000 - shown)));
}

void TestControllerGuards::staleAnswerDoesNotUndoAnEdit_data()
{
    QTest::addColumn<int>("address"); // the window's
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("edited");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("slider with edit, confirmed") << 137 << 45 << 66 << true;
    QTest::newRow("slider with edit, not confirmed") << 137 << 45 << 66 << false;
    QTest::newRow("button group") << 127 << 1 << 3 << true;
    QTest::newRow("bank copy, written to its unit address") << 1533 << 250 << 310 << true;
    QTest::newRow("bank copy, not confirmed") << 1524 << 250 << 310 << false;
}

void TestControllerGuards::staleAnswerDoesNotUndoAnEdit()
{
    QFETCH(int, address);
    QFETCH(int, before);
    QFETCH(int, edited);
    QFETCH(bool, confirmed);
    ControllerFixture f;
    f.goOnline(0);
    const int unitAddress = address > 1000 ? address - 1000 : address;
    const auto pair = [unitAddress](int value) {
        return QVariant(QStringLiteral("%1,%2").arg(unitAddress).arg(value));
    };
    f.answer(pair(before).toString());
    QCOMPARE(f.controller->adaptors()->value(address), before);
    SerialManager* link = f.link;

    // The link read the old value and handed the answer on just before the pilot's edit.
    fromLinkThread([&] { emit link->_responseToUpdateUi(pair(before)); });
    f.controller->adaptors()->setAdaptorValue(address, edited);
    f.controller->requestWriteConfigChanges(address, edited);
    QCOMPARE(f.link->writes(), QStringList{pair(edited).toString()});
    QCoreApplication::processEvents();
    QCOMPARE(f.controller->adaptors()->value(address), edited);
    QCOMPARE(f.controller->parameters()->value(address), edited);
    // The answers for other settings show meanwhile.
    fromLinkThread([&] { emit link->_responseToUpdateUi(QVariant(QStringLiteral("139,33"))); });
    QCoreApplication::processEvents();
    QCOMPARE(f.controller->adaptors()->value(139), 33);

    // Once the write's outcome is in, the unit's answers show again, whatever it holds.
    const int holds = confirmed ? edited : before;
    fromLinkThread([&] {
        emit link->_writeFinished(unitAddress, edited, confirmed);
        emit link->_responseToUpdateUi(pair(holds));
    });
    QCoreApplication::processEvents();
    QCOMPARE(f.controller->adaptors()->value(address), holds);
    QCOMPARE(f.controller->parameters()->value(address), holds);
}

QTEST_MAIN(TestControllerGuards)
#include "tst_controllerguards.moc"
