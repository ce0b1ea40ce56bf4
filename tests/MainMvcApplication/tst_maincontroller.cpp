// The controller against a recording device link: what it reads on each poll tick, what
// it writes for the user's edits and commands, and where the unit's answers end up.

#include "controllertestsupport.h"
#include "lazychartpage.h"

#include "adaptormodel.h"
#include "parametermodel.h"
#include "rxmonitoradaptor.h"

#include <advanceservosview.h>
#include <buttongroup.h>
#include <progressdialog.h>
#include <rxmonitorview.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMetaMethod>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QToolButton>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

namespace {

const QString StartFull = QStringLiteral(",0121,0122,0103,0150,0152,0104");
const QString RxFull = QStringLiteral("0111,0112,0113,0114,0115,0116,0100,0117,0104,0101");
const QString RxLive = QStringLiteral("0111,0112,0113,0114,0115,0116,0100,0117,0104");
const QString SensorFull = QStringLiteral(",0127,0104");

} // namespace

class TestMainController : public QObject
{
    Q_OBJECT

private slots:
    void metaObjectOrder();
    void constructionState();

    void goingOnline_data();
    void goingOnline();
    void counterWrapsAfter199();
    void watchdogFromTick38();
    void portOpenWhileOnline();
    void portClosed();
    void tabChangeStartsWithFullRead();
    void skipTicksAfterSetCentre();

    void writes_data();
    void writes();
    void editOnBankRpmWritesUnitAddress();
    void defaultButtons_data();
    void defaultButtons();
    void resetValueAsks();
    void bind_data();
    void bind();
    void swashTypeConfirmation_data();
    void swashTypeConfirmation();
    void servoDirectionConfirmation_data();
    void servoDirectionConfirmation();
    void phasingRotation();
    void txModeRebinding_data();
    void txModeRebinding();
    void gyroOff();

    void eventRecords_data();
    void eventRecords();
    void chartRecordQuoted_data();
    void chartRecordQuoted();
    void scriptLiteralRoundTrip_data();
    void scriptLiteralRoundTrip();
    void valuesReachBothRpmWidgets();
    void everyAnswerFeedsWatchdog();
    void logNavigation();

    void clickOnBackgroundEndsEditing();
    void windowGeometry();
    void receiverPolledWhileTheKnobMoves();
};

void TestMainController::metaObjectOrder()
{
    // Other parts connect by signature and rely on this order.
    const QStringList expected = {
            "_needUpdateFlash(QByteArray)",
            "_needReconnect()",
            "showMainWindow()",
            "handleParamsChanged(QVariant)",
            "handlePortStatusChanged(int)",
            "handleFlashStatusChanged(int)",
            "handleFlashProgressChanged(int)",
            "requestWriteConfigChanges(int,int,bool)",
            "requestWriteConfigChanges(int,int)",
            "requestWriteConfigChanges(int)",
            "resetValue(int,int,bool)",
            "resetValue(int,int)",
            "resetValue(int)",
            "buttonGroup_button_clicked(QObject*,int,bool*)",
            "servoButtons_clicked(QObject*,bool,bool*)",
            "cbTxMode_current_index_changed(int)",
            "btnSetCenter_clicked()",
            "btnBind_clicked()",
            "btnSwashViewRotateLeft_clicked()",
            "btnSwashViewRotateRight_clicked()",
            "btnCyclicDefault_button_clicked()",
            "btnCyclicDefaultAdv_button_clicked()",
            "btnTailDefault_button_clicked()",
            "btnServoDefault_clicked()",
            "btnSwashTrimDefault_clicked()",
            "btnSwashDefault_clicked()",
            "cyclicAdvGainDefaultBtn_clicked()",
            "tailAdvGainDefaultBtn_clicked()",
            "mainTab_current_changed(int)",
            "logStack_currentChanged(int)",
            "changeEventAndChart(int,int)",
            "btnPrevEventAndChart_clicked()",
            "btnNextEventAndChart_clicked()",
            "btnOpen_button_clicked()",
            "btnSave_button_clicked()",
            "btnFirmware_button_clicked()",
            "btnShowBank_button_clicked()",
            "btnWriteLoadedParams_button_clicked()",
            "cbProfile_activated(int)",
            "btnSaveProfileAs_clicked()",
            "requestReadAllAddress()",
            "requestReadbyTabIndex(int)",
            "mainTimer_timeout()",
            "requestSendGyroOff()",
    };
    const QMetaObject& mo = MainController::staticMetaObject;
    QStringList actual;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        actual << QString::fromLatin1(mo.method(i).methodSignature());
    QCOMPARE(actual, expected);
    QCOMPARE(mo.method(mo.methodOffset()).methodType(), QMetaMethod::Signal);
    QCOMPARE(mo.method(mo.methodOffset() + 1).methodType(), QMetaMethod::Signal);

    QCOMPARE(mo.enumeratorCount() - mo.enumeratorOffset(), 2);
    const QMetaEnum runMode = mo.enumerator(mo.indexOfEnumerator("AppRunMode"));
    QCOMPARE(runMode.keyToValue("Online"), 1);
    QCOMPARE(runMode.keyToValue("Offline"), 0);
    const QMetaEnum action = mo.enumerator(mo.indexOfEnumerator("Action"));
    QCOMPARE(action.keyToValue("Sleep"), 0);
    QCOMPARE(action.keyToValue("Running"), 1);
}

void TestMainController::constructionState()
{
    ControllerFixture f;
    QCOMPARE(f.controller->currentRunMode(), MainController::Offline);
    QCOMPARE(f.controller->currentAction(), MainController::Running);
    QCOMPARE(f.ui->mainTab->currentIndex(), 0);
    QVERIFY(!f.ui->isVisible());
    QVERIFY(f.ui->lbPortStatus->styleSheet().contains("disconnected.png"));
    QVERIFY(f.link->isRunning());
    QCOMPARE(f.controller->adaptors()->count(), 108);
    QCOMPARE(f.controller->parameters()->count(), 97);
    // Before the unit is read, the records hold what the window shows: the first
    // button of each group, the first entry of each combo box, the form's slider values.
    const QList<QPair<int, int>> shown = {{136, 1}, {203, 1}, {127, 1}, {124, 1},  {121, 1},
                                          {126, 1}, {125, 1}, {104, 0}, {137, 45}, {301, 100}};
    for (const auto& [address, value] : shown)
        QCOMPARE(f.controller->parameters()->value(address), value);
    // Building the window and models must not talk to the unit.
    QVERIFY(f.link->writes().isEmpty());
    f.controller->showMainWindow();
    QVERIFY(f.ui->isVisible());
}

void TestMainController::goingOnline_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("expected"); // the read on port open, then ticks 1..14

    QStringList start = {StartFull, StartFull};
    for (int i = 0; i < 11; ++i)
        start << QString();
    start << StartFull << QString();
    QTest::newRow("tabStart") << 0 << start;

    QStringList rx = {RxFull, RxFull};
    for (int i = 0; i < 11; ++i)
        rx << RxLive;
    rx << RxFull << RxLive;
    QTest::newRow("tabRx") << 1 << rx;

    // On the log tab the port opening asks for the record shown (events of flight 1), not
    // the tab's two templates, whose answers would mix into the table.
    QStringList log = {QStringLiteral("0600")};
    for (int i = 0; i < 14; ++i)
        log << QStringLiteral("0104");
    QTest::newRow("tabLog") << 10 << log;
}

void TestMainController::goingOnline()
{
    QFETCH(int, tab);
    QFETCH(QStringList, expected);
    ControllerFixture f;
    f.ui->mainTab->setCurrentIndex(tab);
    f.link->clear();
    f.goOnline(tab);
    QCOMPARE(f.controller->currentRunMode(), MainController::Online);
    QVERIFY(f.ui->lbPortStatus->styleSheet().contains("/connected.png"));
    for (int i = 0; i < 14; ++i) {
        f.tick();
        // Keep the watchdog quiet: this is about the sequence, not a silent unit.
        f.answer(QStringLiteral("104,0"));
    }
    QCOMPARE(f.link->reads(), expected);
}

void TestMainController::counterWrapsAfter199()
{
    ControllerFixture f;
    f.goOnline(2);
    f.link->clear();
    QList<int> fullTicks;
    for (int tick = 1; tick <= 230; ++tick) {
        f.tick();
        f.answer(QStringLiteral("104,0"));
        if (f.link->reads().constLast() == SensorFull)
            fullTicks << tick;
    }
    QList<int> gaps;
    for (int i = 1; i < fullTicks.size(); ++i)
        gaps << fullTicks.at(i) - fullTicks.at(i - 1);
    // Ticks 1, 13, ... 193 (counter 0 .. 192), then the counter runs 193..199, 1..12.
    QCOMPARE(fullTicks.first(), 1);
    QCOMPARE(gaps.count(19), 1);
    QCOMPARE(gaps.count(12), gaps.size() - 1);
    QCOMPARE(fullTicks.at(gaps.indexOf(19) + 1), 193 + 19);
}

void TestMainController::watchdogFromTick38()
{
    ControllerFixture f;
    f.goOnline(3);
    QCOMPARE(f.controller->pendingReads(), 0);
    f.link->clear();
    QSignalSpy reconnect(f.controller.data(), SIGNAL(_needReconnect()));

    f.tick(37);
    QCOMPARE(reconnect.count(), 0);
    const QStringList reads = f.link->reads();
    QCOMPARE(reads.size(), 37);
    QList<int> fullTicks;
    for (int i = 0; i < reads.size(); ++i) {
        if (!reads.at(i).isEmpty())
            fullTicks << i + 1;
    }
    QCOMPARE(fullTicks, QList<int>({1, 13, 25, 37}));
    QCOMPARE(f.controller->pendingReads(), 4);

    f.link->clear();
    f.tick(5);
    QCOMPARE(reconnect.count(), 5);
    QVERIFY(f.link->reads().isEmpty());

    // One answer brings the count down to three: reading starts again.
    f.answer(QStringLiteral("203,1"));
    f.tick();
    QCOMPARE(reconnect.count(), 5);
    QCOMPARE(f.link->reads().size(), 1);
}

void TestMainController::portOpenWhileOnline()
{
    ControllerFixture f;
    f.goOnline(3);
    f.tick(5); // counter at 4 after the full read on tick 1
    QCOMPARE(f.controller->pendingReads(), 1);
    f.link->clear();
    f.controller->handlePortStatusChanged(100);
    QCOMPARE(f.link->reads(), QStringList({QString()})); // counter 5: a live read
    QCOMPARE(f.controller->pendingReads(), 0);
    f.tick(7); // counters 6..12: the full read comes on schedule, not earlier
    const QStringList reads = f.link->reads();
    QCOMPARE(reads.size(), 8);
    QVERIFY(reads.at(6).isEmpty());
    QVERIFY(!reads.at(7).isEmpty());
}

void TestMainController::portClosed()
{
    ControllerFixture f;
    f.goOnline(0);
    f.controller->handlePortStatusChanged(-100);
    QCOMPARE(f.controller->currentRunMode(), MainController::Offline);
    QCOMPARE(f.controller->currentAction(), MainController::Sleep);
    QVERIFY(f.ui->lbPortStatus->styleSheet().contains("disconnected.png"));
    // Other values change nothing.
    f.controller->handlePortStatusChanged(42);
    QCOMPARE(f.controller->currentRunMode(), MainController::Offline);
    f.link->clear();
    QTest::qWait(250);
    QVERIFY(f.link->reads().isEmpty()); // the poll timer stopped
}

void TestMainController::tabChangeStartsWithFullRead()
{
    ControllerFixture f;
    f.goOnline(0);
    f.tick(3);
    f.ui->mainTab->setCurrentIndex(2);
    f.link->clear();
    f.tick(2);
    QCOMPARE(f.link->reads(), QStringList({SensorFull, QString()}));
    f.ui->btnShowBank->click();
    QCOMPARE(f.ui->mainTab->currentIndex(), 9);
}

void TestMainController::skipTicksAfterSetCentre()
{
    ControllerFixture f;
    f.goOnline(0);
    f.link->clear();
    f.ui->btnSetCenter->click();
    QCOMPARE(f.link->writes(), QStringList({"129,1"}));
    QCOMPARE(f.controller->ticksToSkip(), -20);
    QVERIFY(f.ui->progressDialog->isVisible() || !f.ui->isVisible());
    QCOMPARE(f.ui->progressDialog->content(), tr_(122));
    f.tick(20);
    QVERIFY(f.link->reads().isEmpty());
    f.tick();
    QCOMPARE(f.link->reads().size(), 1);
}

void TestMainController::writes_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("arguments");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<int>("modelAddress");
    QTest::addColumn<int>("modelValue");

    QTest::newRow("plain") << true << 139 << 40 << 3 << QStringList{"139,40"} << 139 << 40;
    QTest::newRow("bank copy 1533 goes to 533")
            << true << 1533 << 210 << 3 << QStringList{"533,210"} << 1533 << 210;
    QTest::newRow("1524") << true << 1524 << 150 << 3 << QStringList{"524,150"} << 1524 << 150;
    QTest::newRow("1534") << true << 1534 << 300 << 2 << QStringList{"534,300"} << 1534 << 300;
    QTest::newRow("one argument only updates the model")
            << true << 139 << -1 << 1 << QStringList() << 139 << -1;
    QTest::newRow("negative value not sent")
            << true << 521 << -100 << 3 << QStringList() << 521 << -100;
    QTest::newRow("address 0 not sent") << true << 0 << 5 << 3 << QStringList() << 0 << 0;
    QTest::newRow("offline edit stays in the model")
            << false << 139 << 40 << 3 << QStringList() << 139 << 40;
    QTest::newRow("zero is a value") << true << 138 << 0 << 3 << QStringList{"138,0"} << 138 << 0;
}

void TestMainController::writes()
{
    QFETCH(bool, online);
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(int, arguments);
    QFETCH(QStringList, sent);
    QFETCH(int, modelAddress);
    QFETCH(int, modelValue);
    ControllerFixture f;
    if (online)
        f.goOnline(0);
    f.link->clear();
    // Through the meta-object, as the adaptor model and other callers reach it.
    bool invoked = false;
    if (arguments == 1)
        invoked = QMetaObject::invokeMethod(f.controller.data(), "requestWriteConfigChanges",
                                            Q_ARG(int, address));
    else if (arguments == 2)
        invoked = QMetaObject::invokeMethod(f.controller.data(), "requestWriteConfigChanges",
                                            Q_ARG(int, address), Q_ARG(int, value));
    else
        invoked = QMetaObject::invokeMethod(f.controller.data(), "requestWriteConfigChanges",
                                            Q_ARG(int, address), Q_ARG(int, value),
                                            Q_ARG(bool, true));
    QVERIFY(invoked);
    QCOMPARE(f.link->writes(), sent);
    QCOMPARE(f.controller->parameters()->value(modelAddress), modelValue);
}

void TestMainController::editOnBankRpmWritesUnitAddress()
{
    ControllerFixture f;
    f.goOnline(9);
    f.link->clear();
    QLineEdit* edit = f.ui->bank2_rpm_edit;
    edit->setText(QStringLiteral("2100"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(f.link->writes(), QStringList({"533,210"}));
    QCOMPARE(f.controller->parameters()->value(1533), 210);
}

void TestMainController::defaultButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("textId");
    QTest::addColumn<int>("command");
    const struct
    {
        const char* name;
        int text;
        int command;
    } rows[] = {{"swashDefaultBtn", 186, 40},         {"btnServoDefault", 183, 50},
                {"btnSwashTrimDefault", 183, 51},     {"btnCyclicDefault", 184, 70},
                {"cyclicAdvGainDefaultBtn", 184, 71}, {"btnCyclicDefaultAdvance", 170, 72},
                {"btnTailDefault", 183, 80},          {"tailAdvGainDefaultBtn", 185, 81}};
    for (const auto& row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.text << row.command;
}

void TestMainController::defaultButtons()
{
    QFETCH(QString, button);
    QFETCH(int, textId);
    QFETCH(int, command);
    ControllerFixture f;
    f.goOnline(0);
    f.link->clear();
    auto* widget = f.ui->findChild<QAbstractButton*>(button);
    QVERIFY(widget);

    BoxAnswerer answers({QMessageBox::Cancel, QMessageBox::Ok});
    widget->click();
    QVERIFY(f.link->writes().isEmpty());
    widget->click();
    QCOMPARE(f.link->writes(), QStringList({QStringLiteral("10,%1").arg(command)}));

    QCOMPARE(answers.seen.size(), 2);
    const BoxAnswerer::Seen& box = answers.seen.first();
    QCOMPARE(box.title, tr_(80));
    QCOMPARE(box.text, tr_(textId));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.defaultButton, QMessageBox::Cancel);
}

void TestMainController::resetValueAsks()
{
    ControllerFixture f;
    f.goOnline(0);
    f.link->clear();
    BoxAnswerer answers({QMessageBox::Ok, QMessageBox::Cancel});
    f.controller->resetValue(10, 60);
    f.controller->resetValue(10, 60);
    QCOMPARE(f.link->writes(), QStringList({"10,60"}));
    QCOMPARE(answers.seen.first().text, tr_(187));
    QCOMPARE(answers.seen.first().defaultButton, QMessageBox::Cancel);
}

void TestMainController::bind_data()
{
    QTest::addColumn<int>("satelliteData");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("sent");
    QTest::newRow("DSM2") << 4 << int(QMessageBox::Yes) << QStringList{"102,3"};
    QTest::newRow("DSMX") << 5 << int(QMessageBox::Yes) << QStringList{"102,9"};
    QTest::newRow("no") << 5 << int(QMessageBox::No) << QStringList();
}

void TestMainController::bind()
{
    QFETCH(int, satelliteData);
    QFETCH(int, answer);
    QFETCH(QStringList, sent);
    ControllerFixture f;
    f.goOnline(1);
    f.link->clear();
    f.ui->cbSatelliteType->setCurrentIndex(f.ui->cbSatelliteType->findData(satelliteData));
    BoxAnswerer answers({QMessageBox::StandardButton(answer)});
    f.ui->btnBind->click();
    QCOMPARE(f.link->writes(), sent);
    QCOMPARE(f.controller->ticksToSkip(), sent.isEmpty() ? 0 : -20);
    QCOMPARE(answers.seen.first().title, tr_(120));
    QCOMPARE(answers.seen.first().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(answers.seen.first().defaultButton, QMessageBox::No);
}

void TestMainController::swashTypeConfirmation_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<int>("checkedId");
    QTest::newRow("ok") << int(QMessageBox::Ok) << QStringList{"211,0", "203,2"} << 2;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << QStringList() << 1;
}

void TestMainController::swashTypeConfirmation()
{
    QFETCH(int, answer);
    QFETCH(QStringList, sent);
    QFETCH(int, checkedId);
    ControllerFixture f;
    f.goOnline(3);
    f.ui->swashView->setAngle(30);
    f.link->clear();
    BoxAnswerer answers({QMessageBox::StandardButton(answer)});
    f.ui->btnSwashplate2->click();
    QCOMPARE(f.link->writes(), sent);
    QCOMPARE(f.ui->swashTypeGroup->checkedId(), checkedId);
    QCOMPARE(f.ui->swashView->angle(), answer == QMessageBox::Ok ? 0 : 30);
    QCOMPARE(answers.seen.first().title, tr_(145));
    QCOMPARE(answers.seen.first().text, tr_(141));
    QCOMPARE(answers.seen.first().icon, QMessageBox::Question);
    QCOMPARE(answers.seen.first().defaultButton, QMessageBox::Cancel);
}

void TestMainController::servoDirectionConfirmation_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("titleId");
    QTest::newRow("servo ok") << "btnServoCh1" << 132 << int(QMessageBox::Ok) << 152;
    QTest::newRow("servo cancel") << "btnServoCh2" << 133 << int(QMessageBox::Cancel) << 152;
    QTest::newRow("tail ok") << "btnTailServo" << 135 << int(QMessageBox::Ok) << 182;
}

void TestMainController::servoDirectionConfirmation()
{
    QFETCH(QString, button);
    QFETCH(int, address);
    QFETCH(int, answer);
    QFETCH(int, titleId);
    ControllerFixture f;
    f.goOnline(4);
    f.link->clear();
    auto* widget = f.ui->findChild<QToolButton*>(button);
    QVERIFY(widget);
    const bool before = widget->isChecked();
    BoxAnswerer answers({QMessageBox::StandardButton(answer)});
    widget->click();
    const bool ok = answer == QMessageBox::Ok;
    QCOMPARE(widget->isChecked(), ok ? !before : before);
    QCOMPARE(f.link->writes(),
             ok ? QStringList{QStringLiteral("%1,%2").arg(address).arg(int(!before))}
                : QStringList());
    QCOMPARE(answers.seen.first().title, tr_(titleId));
    const int textBase = titleId == 182 ? 180 : 150;
    QCOMPARE(answers.seen.first().text, tr_(before ? textBase + 1 : textBase));
}

void TestMainController::phasingRotation()
{
    ControllerFixture f;
    f.goOnline(3);
    f.ui->swashView->setAngle(0);
    f.link->clear();
    f.ui->btnSwashViewRotateRight->click();
    const int right = f.ui->swashView->angle();
    f.ui->btnSwashViewRotateLeft->click();
    f.ui->btnSwashViewRotateLeft->click();
    const int left = f.ui->swashView->angle();
    QCOMPARE(f.link->writes(),
             QStringList({QStringLiteral("211,%1").arg(right), QStringLiteral("211,0"),
                          QStringLiteral("211,%1").arg(left)}));
    QVERIFY(right != 0 && left != 0 && left != right);
}

void TestMainController::txModeRebinding_data()
{
    // left?, vertical? for 116, 114, 112, 111
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("layout");
    QTest::newRow("Mode 1") << 0 << "RV LH LV RH";
    QTest::newRow("Mode 2") << 1 << "LV LH RV RH";
    QTest::newRow("Mode 3") << 2 << "RV LH LV RH";
    QTest::newRow("Mode 4") << 3 << "LV RH RV LH";
}

void TestMainController::txModeRebinding()
{
    QFETCH(int, index);
    QFETCH(QString, layout);
    ControllerFixture f;
    // Start from another mode so every index really re-binds.
    f.ui->cbTxMode->setCurrentIndex(index == 3 ? 2 : 3);
    QPointer<AbstractFieldAdaptor> previous = f.controller->adaptors()->adaptor(116);
    f.ui->cbTxMode->setCurrentIndex(index);
    const int channels[4] = {116, 114, 112, 111};
    const QStringList expected = layout.split(' ');
    for (int i = 0; i < 4; ++i) {
        auto* adaptor =
                qobject_cast<RxMonitorAdaptor*>(f.controller->adaptors()->adaptor(channels[i]));
        QVERIFY(adaptor);
        const QString actual = QString(adaptor->inputField() == f.ui->rxViewLeft ? "L" : "R") +
                               QString(adaptor->axis() == RxMonitorAdaptor::Vertical ? "V" : "H");
        QCOMPARE(actual, expected.at(i));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(previous.isNull());

    // The new adaptors show what the unit sends.
    f.answer(QStringLiteral("116,1200"));
    f.answer(QStringLiteral("116,1800"));
    RxMonitorView* view = expected.at(0).startsWith('L') ? f.ui->rxViewLeft : f.ui->rxViewRight;
    QCOMPARE(view->yValue, 1800.0);
}

void TestMainController::gyroOff()
{
    ControllerFixture f;
    f.goOnline(3);
    f.link->clear();
    f.ui->checkGyroOff->setChecked(true);
    for (int i = 0; i < 9; ++i)
        QMetaObject::invokeMethod(f.controller.data(), "requestSendGyroOff");
    QCOMPARE(f.link->writes(), QStringList({"224,1", "224,1", "224,1"}));
    f.ui->mainTab->setCurrentIndex(0);
    f.link->clear();
    for (int i = 0; i < 8; ++i)
        QMetaObject::invokeMethod(f.controller.data(), "requestSendGyroOff");
    QVERIFY(f.link->writes().isEmpty());
}

void TestMainController::eventRecords_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("rows"); // time|code|type-id
    QTest::addColumn<int>("titleId");
    QTest::newRow("two events") << "600=12_345,7_1000" << QStringList{"34.5|12|3012", "100|7|3007"}
                                << 2910;
    QTest::newRow("empty record") << "610=" << QStringList{"0|0|3000"} << 2911;
    QTest::newRow("long flight") << "620=1_12345678" << QStringList{"1.23457e+06|1|3001"} << 2912;
    QTest::newRow("garbage reads as zero")
            << "640=x_y,3" << QStringList{"0|0|3000", "0.3|3|3003"} << 2914;
}

void TestMainController::eventRecords()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, rows);
    QFETCH(int, titleId);
    ControllerFixture f;
    f.answer(answer);
    QStandardItemModel* model = f.ui->eventModel;
    QCOMPARE(model->rowCount(), rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows.at(r).split('|');
        QCOMPARE(model->item(r, 0)->text(), cells.at(0));
        QCOMPARE(model->item(r, 1)->text(), cells.at(1));
        QCOMPARE(model->item(r, 2)->text(), tr_(cells.at(2).toInt()));
        for (int c = 0; c < 3; ++c) {
            QVERIFY(!model->item(r, c)->isEditable());
            QCOMPARE(model->item(r, c)->textAlignment(), Qt::AlignCenter);
        }
    }
    QCOMPARE(f.ui->logTitle->text(), tr_(titleId));
}

void TestMainController::chartRecordQuoted_data()
{
    QTest::addColumn<QString>("data");
    QTest::newRow("plain") << "5;rpm:0,1250,2100;thr:0,40,65";
    QTest::newRow("quotes") << "x');window.hacked=1;('";
    QTest::newRow("double quotes") << "x\");window.hacked=1;(\"";
    QTest::newRow("backslash") << "a\\');window.hacked=1;//";
    QTest::newRow("line breaks") << QString("a\nb\r\nc") + QChar(0x2028) + "d" + QChar(0x2029);
    QTest::newRow("script end") << "</script><script>window.hacked=1</script>";
    QTest::newRow("placeholder") << "%1 %2";
    QTest::newRow("empty") << "";
}

void TestMainController::chartRecordQuoted()
{
    QFETCH(QString, data);
    ControllerFixture f;
    f.ui->chartPage->load(); // the page is made when the chart is first opened
    QWebFrame* frame = f.ui->chartView->page()->mainFrame();
    frame->evaluateJavaScript("window.changeData = function (a, d) { window.gotA = a; "
                              "window.gotD = d; }; window.hacked = 0;");
    f.answer(QStringLiteral("634=") + data);
    QCOMPARE(frame->evaluateJavaScript("window.gotA").toString(), QStringLiteral("634"));
    QCOMPARE(frame->evaluateJavaScript("window.gotD").toString(), data);
    QCOMPARE(frame->evaluateJavaScript("window.hacked").toInt(), 0);
    QCOMPARE(f.ui->logTitle->text(), tr_(2913));
}

void TestMainController::scriptLiteralRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QString controls;
    for (int c = 0; c < 0x20; ++c)
        controls += QChar(c);
    QTest::newRow("controls") << controls + QChar(0x7f);
    QTest::newRow("unicode") << QString::fromUtf8(
            "Ti\xe1\xba\xbfng Vi\xe1\xbb\x87t \xf0\x9f\x9a\x81");
    QTest::newRow("html") << "<!-- --> </SCRIPT> <b>&amp;";
    QTest::newRow("quotes") << "'\"`${x}\\";
}

void TestMainController::scriptLiteralRoundTrip()
{
    QFETCH(QString, text);
    QWebPage page;
    const QString literal = MainController::javaScriptStringLiteral(text);
    QCOMPARE(page.mainFrame()->evaluateJavaScript(literal).toString(), text);
    QVERIFY(!literal.contains('\n') && !literal.contains('<'));
}

void TestMainController::valuesReachBothRpmWidgets()
{
    ControllerFixture f;
    f.answer(QStringLiteral("533,210"));
    QCOMPARE(f.ui->editRPM2->text(), QStringLiteral("2100"));
    QCOMPARE(f.ui->bank2_rpm_edit->text(), QStringLiteral("2100"));
    QCOMPARE(f.controller->parameters()->value(533), 210);
    QCOMPARE(f.controller->parameters()->value(1533), 210);

    // A negative value is a value too; garbage is address 0 and changes nothing.
    f.answer(QStringLiteral("521,-100"));
    QCOMPARE(f.controller->parameters()->value(521), -100);
    f.answer(QStringLiteral("nonsense"));
    f.answer(QString());
    // Device information without the dialog is dropped.
    f.answer(QStringLiteral("2,215"));
    QVERIFY(f.link->writes().isEmpty());
}

void TestMainController::everyAnswerFeedsWatchdog()
{
    ControllerFixture f;
    f.goOnline(3);
    f.tick(37);
    QCOMPARE(f.controller->pendingReads(), 4);
    for (const char* answer : {"9999,1", "604=", "2,215", "garbage", "0,0"})
        f.answer(QString::fromLatin1(answer));
    QCOMPARE(f.controller->pendingReads(), 0);
}

void TestMainController::logNavigation()
{
    ControllerFixture f;
    f.goOnline(0);
    f.answer(QStringLiteral("600=1_0"));
    f.link->clear();
    f.ui->mainTab->setCurrentIndex(10);
    QCOMPARE(f.ui->eventModel->rowCount(), 0); // entering clears the table
    QCOMPARE(f.link->reads(), QStringList({"0600"}));

    f.link->clear();
    for (int i = 0; i < 5; ++i)
        f.ui->btnChartEvent_prev->click();
    QCOMPARE(f.link->reads(), QStringList({"0610", "0620", "0630", "0640"}));
    QCOMPARE(f.controller->currentFlight(), 4);

    f.link->clear();
    f.ui->btnChartEvent_next->click();
    f.ui->btnChart->click(); // the chart page asks for the chart record of that flight
    QCOMPARE(f.link->reads(), QStringList({"0630", "0634"}));

    // Leaving and entering again starts at record 0 of the page shown.
    f.ui->mainTab->setCurrentIndex(0);
    f.link->clear();
    f.ui->mainTab->setCurrentIndex(10);
    QCOMPARE(f.link->reads(), QStringList({"0604"}));
    QCOMPARE(f.controller->currentFlight(), 0);
    f.ui->btnChartEvent_next->click();
    QCOMPARE(f.link->reads().size(), 1);
}

void TestMainController::clickOnBackgroundEndsEditing()
{
    ControllerFixture f;
    f.controller->showMainWindow();
    f.ui->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.ui));
    f.ui->mainTab->setCurrentIndex(5);
    f.ui->editPitchpump->setEnabled(true);
    f.ui->editPitchpump->setFocus();
    QTRY_VERIFY(f.ui->editPitchpump->hasFocus());
    QTest::mouseClick(f.ui, Qt::LeftButton, {}, QPoint(3, f.ui->height() - 3));
    QVERIFY(!f.ui->editPitchpump->hasFocus());
}

void TestMainController::windowGeometry()
{
    ControllerFixture f;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect geometry = f.ui->geometry();
    QVERIFY(geometry.width() >= 1280);
    QVERIFY(geometry.height() >= 660);
    QVERIFY(qAbs(geometry.center().x() - available.center().x()) <= 1);
    QVERIFY(qAbs(geometry.center().y() - available.center().y()) <= 1);
}

void TestMainController::receiverPolledWhileTheKnobMoves()
{
    // The live values are read on every tick, whether or not a stick monitor is still
    // sliding its knob to the last value.
    ControllerFixture f;
    f.goOnline(1);
    f.answer("111,1250"); // places the knob
    f.answer("111,1900"); // gives it a resting place
    f.answer("111,1300"); // it now slides for a while
    QVERIFY(!f.ui->rxViewRight->animFinished());
    f.link->clear();
    f.tick(3);
    QCOMPARE(f.link->reads().size(), 3);
}

QTEST_MAIN(TestMainController)
#include "tst_maincontroller.moc"
