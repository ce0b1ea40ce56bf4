// What the window tells the pilot about each edit and about the link: the outcome of every
// write (status line, failure bubble on the widget), edits while no unit is connected,
// values outside a line edit's range, and why no unit is connected. First against the
// recording link, then with the real link and the virtual unit on a pseudo-terminal.
//
// With HX_FEEDBACK_SHOTS=<folder> the end-to-end cases save pictures of the window there.

#include "controllertestsupport.h"

#include "editfeedback.h"
#include "offlinebanner.h"
#include "parametermodel.h"
#include "statusline.h"
#include "writeoutcometracker.h"
#include "writeoutcomeview.h"

#include <lineeditalert.h>
#include <simhost.h>
#include <simserver.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <memory>

namespace {

const int TabStart = 0;
const int TabCyclic = 6;
const int TabTail = 7;

void goOnline(ControllerFixture& f)
{
    f.link->connected = true;
    emit f.link->_portStatusChanged(100);
}

void typeAndReturn(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

// Ends every write the link was asked for, as the link would.
void finishWrites(ControllerFixture& f, bool confirmed)
{
    for (const QString& w : f.link->writes()) {
        const QStringList parts = w.split(QLatin1Char(','));
        emit f.link->_writeFinished(parts.at(0).toInt(), parts.at(1).toInt(), confirmed);
    }
    QCoreApplication::processEvents();
}

void shoot(QWidget* window, const char* name)
{
    const QString folder = qEnvironmentVariable("HX_FEEDBACK_SHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(400); // fades
    window->grab().save(QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png")));
}

// The controller on the real link, pointed at the virtual unit.
struct LiveProgram
{
    explicit LiveProgram(const QString& linkPath)
    {
        qputenv("HX_SERIAL_PORT", QFile::encodeName(linkPath));
        tr_(0);
        config.reset(new AppConfigManager(dir.filePath(QStringLiteral("fbl.afc"))));
        controller.reset(new TestController(config.data(), nullptr));
        ui = controller->mainWindow();
    }
    ~LiveProgram()
    {
        controller.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir dir;
    QScopedPointer<AppConfigManager> config;
    QScopedPointer<TestController> controller;
    Ui::MainWidget* ui = nullptr;
};

bool bubbleShown(MainController* c, int address)
{
    LineEditAlert* bubble = c->feedback()->outcomeView()->failureMark(address);
    return bubble && bubble->isShowing();
}

} // namespace

class TestEditFeedback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void trackerPairsOutcomesWithEdits_data();
    void trackerPairsOutcomesWithEdits();
    void everyEditShowsItsOutcome_data();
    void everyEditShowsItsOutcome();
    void failureStaysUntilAReadBringsTheUnitsValue();
    void offlineEditsStayInTheWindow();
    void outOfRangeTextShowsTheRange_data();
    void outOfRangeTextShowsTheRange();
    void reasonWhyNoUnitIsConnected_data();
    void reasonWhyNoUnitIsConnected();
    void withTheUnitConfirmedAndFailedWrites();
    void withTheUnitUnplugAndReplug();
    void statusTextsFitInEveryLanguage_data();
    void statusTextsFitInEveryLanguage();
};

void TestEditFeedback::initTestCase()
{
    useFastLink();
}

void TestEditFeedback::trackerPairsOutcomesWithEdits_data()
{
    // sent: "window:unit:value" edits handed to the link; finished: "address,value,ok"
    // from the link; expected: "window,value,outcome" (0 confirmed, 1 failed).
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("finished");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one confirmed")
            << QStringList{"303:303:30"} << QStringList{"303,30,1"} << QStringList{"303,30,0"};
    QTest::newRow("second widget of a unit address")
            << QStringList{"1533:533:210"} << QStringList{"533,210,0"} << QStringList{"1533,210,1"};
    QTest::newRow("writes of other flows are not ours")
            << QStringList{"303:303:30"} << QStringList{"2,9999,1", "303,30,1"}
            << QStringList{"303,30,0"};
    QTest::newRow("same address, values kept apart")
            << QStringList{"303:303:30", "303:303:40"} << QStringList{"303,40,0", "303,30,1"}
            << QStringList{"303,40,1", "303,30,0"};
    QTest::newRow("a repeated edit ends twice")
            << QStringList{"303:303:30", "303:303:30"} << QStringList{"303,30,1", "303,30,0"}
            << QStringList{"303,30,0", "303,30,1"};
}

void TestEditFeedback::trackerPairsOutcomesWithEdits()
{
    QFETCH(QStringList, sent);
    QFETCH(QStringList, finished);
    QFETCH(QStringList, expected);
    WriteOutcomeTracker tracker;
    QStringList seen;
    connect(&tracker, &WriteOutcomeTracker::finished, this,
            [&seen](int address, int value, WriteOutcomeTracker::Outcome outcome) {
                seen << QStringLiteral("%1,%2,%3").arg(address).arg(value).arg(int(outcome));
            });
    for (const QString& s : sent) {
        const QStringList p = s.split(':');
        tracker.writeSent(p.at(0).toInt(), p.at(1).toInt(), p.at(2).toInt());
    }
    for (const QString& s : finished) {
        const QStringList p = s.split(',');
        tracker.writeFinished(p.at(0).toInt(), p.at(1).toInt(), p.at(2) == QLatin1String("1"));
    }
    QCOMPARE(seen, expected);
    QCOMPARE(tracker.pendingCount(), 0);
}

void TestEditFeedback::everyEditShowsItsOutcome_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("typed"); // empty: one step down in a combo box
    QTest::addColumn<int>("address");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("line edit, confirmed") << TabTail << "editTailGain"
                                          << "30" << 303 << true;
    QTest::newRow("line edit, not confirmed") << TabTail << "editTailGain"
                                              << "30" << 303 << false;
    QTest::newRow("combo box, confirmed") << TabStart << "rescueMode" << QString() << 150 << true;
    QTest::newRow("combo box, not confirmed")
            << TabStart << "rescueMode" << QString() << 150 << false;
    QTest::newRow("button of a group, not confirmed") << TabTail << "radioTail2"
                                                      << "click" << 126 << false;
}

void TestEditFeedback::everyEditShowsItsOutcome()
{
    QFETCH(int, tab);
    QFETCH(QString, widget);
    QFETCH(QString, typed);
    QFETCH(int, address);
    QFETCH(bool, confirmed);
    ControllerFixture f;
    goOnline(f);
    f.ui->mainTab->setCurrentIndex(tab);
    f.link->clear();
    QWidget* field = f.ui->findChild<QWidget*>(widget);
    QVERIFY(field);
    if (typed.isEmpty())
        QTest::keyClick(field, Qt::Key_Down);
    else if (typed == QLatin1String("click"))
        qobject_cast<QAbstractButton*>(field)->click();
    else
        typeAndReturn(qobject_cast<QLineEdit*>(field), typed);
    QVERIFY(!f.link->writes().isEmpty());
    QVERIFY(f.link->writes().last().startsWith(QString::number(address) + ','));
    // Nothing is said before the link has spoken: a write under way is not a success.
    QVERIFY(f.controller->feedback()->statusLine()->message().isEmpty());

    finishWrites(f, confirmed);
    WriteOutcomeView* view = f.controller->feedback()->outcomeView();
    const QString name = view->settingName(address);
    QString value = typed;
    if (typed.isEmpty())
        value = qobject_cast<QComboBox*>(field)->currentText();
    else if (typed == QLatin1String("click"))
        value = qobject_cast<QAbstractButton*>(field)->text();
    QCOMPARE(f.controller->feedback()->statusLine()->message(),
             tr_(confirmed ? 5000 : 5001).arg(name, value));
    QCOMPARE(bubbleShown(f.controller.data(), address), !confirmed);
    QVERIFY(!name.startsWith(QStringLiteral("Parameter")));
    if (!confirmed) {
        // On the panel of the widget, saying which value did not make it.
        LineEditAlert* bubble = view->failureMark(address);
        QCOMPARE(bubble->parentWidget(), field->parentWidget());
        QVERIFY(bubble->text().contains(value));
    }
}

void TestEditFeedback::failureStaysUntilAReadBringsTheUnitsValue()
{
    ControllerFixture f;
    goOnline(f);
    f.controller->feedback()->outcomeView()->setMinFailureMs(300);
    f.ui->mainTab->setCurrentIndex(TabTail);
    QCOMPARE(f.controller->feedback()->outcomeView()->settingName(303),
             QStringLiteral("GAIN BY TX"));
    typeAndReturn(f.ui->editTailGain, QStringLiteral("30"));
    finishWrites(f, false);
    QVERIFY(bubbleShown(f.controller.data(), 303));

    // Another address, or time alone, does not take it away.
    emit f.link->_responseToUpdateUi(QStringLiteral("304,500"));
    QTest::qWait(500);
    QVERIFY(bubbleShown(f.controller.data(), 303));
    // The unit's own value does, after the least time.
    emit f.link->_responseToUpdateUi(QStringLiteral("303,100"));
    QTRY_VERIFY(!bubbleShown(f.controller.data(), 303));
    QCOMPARE(f.ui->sliderTailGain->value(), 100);
    QCOMPARE(f.ui->editTailGain->text(), QStringLiteral("100"));

    // A later confirmed write of the address clears a new failure at once.
    f.link->clear();
    typeAndReturn(f.ui->editTailGain, QStringLiteral("40"));
    finishWrites(f, false);
    QVERIFY(bubbleShown(f.controller.data(), 303));
    f.link->clear();
    typeAndReturn(f.ui->editTailGain, QStringLiteral("45"));
    finishWrites(f, true);
    QVERIFY(!bubbleShown(f.controller.data(), 303));
}

void TestEditFeedback::offlineEditsStayInTheWindow()
{
    ControllerFixture f;
    EditFeedback* feedback = f.controller->feedback();
    f.ui->mainTab->setCurrentIndex(TabTail);
    // No unit yet: the line is over the panels, on every tab.
    QVERIFY(feedback->offlineBanner()->isOffline());
    QVERIFY(!feedback->offlineBanner()->isHidden());
    QCOMPARE(feedback->offlineBanner()->parentWidget(), f.ui->mainTab);
    QVERIFY(feedback->offlineBanner()->text().startsWith(tr_(5004)));
    // It sits over the panels, not on them: the page starts below it.
    f.ui->show();
    QTRY_VERIFY(f.ui->mainTab->currentWidget()->mapTo(f.ui->mainTab, QPoint(0, 0)).y() >
                feedback->offlineBanner()->geometry().bottom());

    typeAndReturn(f.ui->editTailGain, QStringLiteral("30"));
    QCOMPARE(f.link->writes(), QStringList());
    QCOMPARE(feedback->statusLine()->message(),
             tr_(5002).arg(QStringLiteral("GAIN BY TX"), QStringLiteral("30")));
    // The window keeps the value.
    QCOMPARE(f.ui->sliderTailGain->value(), 30);
    QCOMPARE(f.controller->parameters()->value(303), 30);

    goOnline(f);
    QVERIFY(feedback->offlineBanner()->isHidden());
    emit f.link->_responseToUpdateUi(QStringLiteral("303,100"));
    QCOMPARE(f.ui->sliderTailGain->value(), 100);

    // Lost again: the line is back.
    emit f.link->_portStatusChanged(-100);
    QVERIFY(!feedback->offlineBanner()->isHidden());
}

void TestEditFeedback::outOfRangeTextShowsTheRange_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("alertWhileTyping"); // after the last key
    QTest::addColumn<QString>("alertAfterReturn"); // empty: the bubble is gone
    QTest::addColumn<QString>("write");            // empty: nothing sent
    QTest::newRow("below the lowest, Return refused")
            << TabTail << "editTailYaw"
            << "200" << tr_(5005).arg(300).arg(700) << tr_(5006).arg(300).arg(700) << QString();
    QTest::newRow("above the highest, Return refused")
            << TabCyclic << "editRcDeadband"
            << "99" << tr_(5005).arg(0).arg(25) << tr_(5006).arg(0).arg(25) << QString();
    QTest::newRow("a key the field swallows is said")
            << TabCyclic << "editRcDeadband"
            << "1x" << tr_(5005).arg(0).arg(25) << QString() << "310,1";
    QTest::newRow("decimal field")
            << TabStart << "lowBecEdit"
            << "2" << tr_(5005).arg("3.5", "10.0") << tr_(5006).arg("3.5", "10.0") << QString();
    QTest::newRow("tail gain takes 30") << TabTail << "editTailGain"
                                        << "30" << tr_(1) << QString() << "303,30";
}

void TestEditFeedback::outOfRangeTextShowsTheRange()
{
    QFETCH(int, tab);
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(QString, alertWhileTyping);
    QFETCH(QString, alertAfterReturn);
    QFETCH(QString, write);
    ControllerFixture f;
    goOnline(f);
    f.ui->mainTab->setCurrentIndex(tab);
    f.link->clear();
    auto* field = f.ui->findChild<QLineEdit*>(edit);
    QVERIFY(field);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, typed);
    QCOMPARE(f.ui->lineEditAlert->text(), alertWhileTyping);
    QVERIFY(f.ui->lineEditAlert->isShowing());
    QTest::keyClick(field, Qt::Key_Return);
    if (alertAfterReturn.isEmpty()) {
        QVERIFY(!f.ui->lineEditAlert->isShowing());
    } else {
        QVERIFY(f.ui->lineEditAlert->isShowing());
        QCOMPARE(f.ui->lineEditAlert->text(), alertAfterReturn);
    }
    QCOMPARE(f.link->writes().value(0), write);
}

void TestEditFeedback::reasonWhyNoUnitIsConnected_data()
{
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("reason");
    const QString port = QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("no port") << int(SerialManager::NoPortFound) << QString() << tr_(5010);
    QTest::newRow("named port missing")
            << int(SerialManager::NoPortFound) << port << tr_(5011).arg(port);
    QTest::newRow("busy") << int(SerialManager::PortBusy) << port << tr_(5012).arg(port);
    QTest::newRow("permission") << int(SerialManager::PortPermissionDenied) << port
                                << tr_(5013).arg(port);
    QTest::newRow("no unit replies")
            << int(SerialManager::NoUnitAnswers) << port << tr_(5014).arg(port);
    QTest::newRow("other protocol version")
            << int(SerialManager::OtherProtocolVersion) << port << tr_(5015).arg(port);
}

void TestEditFeedback::reasonWhyNoUnitIsConnected()
{
    QFETCH(int, problem);
    QFETCH(QString, port);
    QFETCH(QString, reason);
    ControllerFixture f;
    EditFeedback* feedback = f.controller->feedback();
    // Before the link knows anything, it says that it searches.
    QCOMPARE(f.ui->lbPortStatus->toolTip(), tr_(5007));
    emit f.link->_linkProblemChanged(problem, port);
    QCOMPARE(f.ui->lbPortStatus->toolTip(), reason);
    QCOMPARE(feedback->statusLine()->lastingText(), reason);
    QVERIFY(feedback->offlineBanner()->text().endsWith(reason));
    if (problem == SerialManager::PortPermissionDenied)
        QVERIFY(reason.contains(QStringLiteral("dialout")));
    // Once a unit answers, the reason goes.
    emit f.link->_linkProblemChanged(SerialManager::NoProblem, port);
    goOnline(f);
    QVERIFY(feedback->statusLine()->lastingText().isEmpty());
    QVERIFY(!f.ui->lbPortStatus->toolTip().contains(reason));
}

void TestEditFeedback::withTheUnitConfirmedAndFailedWrites()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    QTemporaryDir dir;
    SimOptions options;
    options.linkPath = dir.filePath(QStringLiteral("unit"));
    SimHost unit(options);
    QVERIFY2(unit.started(), qPrintable(unit.error()));
    LiveProgram f(options.linkPath);
    MainController* c = f.controller.data();
    f.ui->show();
    QTRY_VERIFY_WITH_TIMEOUT(c->currentRunMode() == MainController::Online, 5000);
    QVERIFY(c->feedback()->offlineBanner()->isHidden());
    f.ui->mainTab->setCurrentIndex(TabTail);
    f.ui->stackedTail->setCurrentWidget(f.ui->page_4); // where the tail gain is
    QTRY_COMPARE(f.ui->sliderTailGain->value(), 100);

    typeAndReturn(f.ui->editTailGain, QStringLiteral("30"));
    QTRY_COMPARE(c->feedback()->statusLine()->message(),
                 tr_(5000).arg(QStringLiteral("GAIN BY TX"), QStringLiteral("30")));
    QCOMPARE(unit.get<int>([](SimServer* s) { return s->unit().setting(303); }), 30);
    shoot(f.ui, "confirmed-write");

    // The unit drops every frame from now on: the write ends unconfirmed, on the widget.
    SimSession::Faults faults;
    faults.dropShare = 1.0;
    unit.run([&unit, faults]() { unit.server()->setFaults(faults); });
    typeAndReturn(f.ui->editTailGain, QStringLiteral("45"));
    QTRY_VERIFY_WITH_TIMEOUT(bubbleShown(c, 303), 5000);
    QCOMPARE(c->feedback()->statusLine()->message(),
             tr_(5001).arg(QStringLiteral("GAIN BY TX"), QStringLiteral("45")));
    QVERIFY(c->feedback()->outcomeView()->failureMark(303)->text().contains(QStringLiteral("45")));
    shoot(f.ui, "failed-write");
}

void TestEditFeedback::withTheUnitUnplugAndReplug()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    QTemporaryDir dir;
    SimOptions options;
    options.linkPath = dir.filePath(QStringLiteral("unit"));
    SimHost unit(options);
    QVERIFY2(unit.started(), qPrintable(unit.error()));
    LiveProgram f(options.linkPath);
    MainController* c = f.controller.data();
    f.ui->show();
    QTRY_VERIFY_WITH_TIMEOUT(c->currentRunMode() == MainController::Online, 5000);
    f.ui->mainTab->setCurrentIndex(TabTail);
    QTRY_COMPARE(f.ui->sliderTailGain->value(), 100);

    unit.run([&unit]() {
        unit.server()->unit().clearAppliedWrites();
        unit.server()->unplug();
    });
    QTRY_VERIFY_WITH_TIMEOUT(!c->feedback()->offlineBanner()->isHidden(), 3000);
    f.ui->stackedTail->setCurrentWidget(f.ui->page_4);
    typeAndReturn(f.ui->editTailGain, QStringLiteral("60"));
    QCOMPARE(c->feedback()->statusLine()->message(),
             tr_(5002).arg(QStringLiteral("GAIN BY TX"), QStringLiteral("60")));
    // The link learns why: the named port has gone.
    QTRY_COMPARE_WITH_TIMEOUT(f.ui->lbPortStatus->toolTip(), tr_(5011).arg(options.linkPath), 3000);
    shoot(f.ui, "offline-edit");

    bool plugged = false;
    unit.run([&unit, &plugged]() { plugged = unit.server()->replug(); });
    QVERIFY(plugged);
    QTRY_VERIFY_WITH_TIMEOUT(c->feedback()->offlineBanner()->isHidden(), 5000);
    // The unit never saw the offline edit, and its value comes back into the window.
    QTRY_COMPARE(f.ui->sliderTailGain->value(), 100);
    QCOMPARE(unit.get<int>([](SimServer* s) { return s->unit().appliedWrites().size(); }), 0);
    QCOMPARE(unit.get<int>([](SimServer* s) { return s->unit().setting(303); }), 100);
}

namespace {

// Whether a label shows all of its text: wrapped within its height, or on one line within
// its width.
bool showsWholeText(const QLabel* label)
{
    if (label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
}

QRect inWindow(const QWidget* widget, const QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

} // namespace

void TestEditFeedback::statusTextsFitInEveryLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << "en";
    QTest::newRow("French") << "fr";
    QTest::newRow("Vietnamese") << "vi";
}

void TestEditFeedback::statusTextsFitInEveryLanguage()
{
    QFETCH(QString, language);
    const ResourceManager table(QStringLiteral("docs/%1/strings.xml").arg(language));
    const QString port = QStringLiteral("/dev/ttyUSB0");
    ControllerFixture f;
    EditFeedback* feedback = f.controller->feedback();
    f.controller->showMainWindow();
    QWidget* window = f.ui->window();
    QTest::qWait(50);

    // The longest reasons why no unit is connected, over the panels and in the bar.
    StatusLine* line = feedback->statusLine();
    for (int id : {5011, 5013, 5014}) {
        const QString reason = table.getValue(id).arg(port);
        QVERIFY(!reason.isEmpty());
        feedback->offlineBanner()->setReason(reason);
        line->setLastingText(reason, StatusLine::Failure);
        QCoreApplication::processEvents();
        QVERIFY2(showsWholeText(feedback->offlineBanner()), qPrintable(reason));
        QVERIFY2(showsWholeText(line), qPrintable(reason));
        // The pages start below the line, however many rows it takes.
        QVERIFY(f.ui->mainTab->currentWidget()->mapTo(f.ui->mainTab, QPoint(0, 0)).y() >
                feedback->offlineBanner()->geometry().bottom());
    }
    // An edit's outcome in the bar.
    const QString name = QStringLiteral("Collective Travel (-)");
    for (int id : {5000, 5001, 5002}) {
        line->showMessage(table.getValue(id).arg(name, QStringLiteral("100")), StatusLine::Info,
                          8000);
        QCoreApplication::processEvents();
        QVERIFY2(showsWholeText(line), qPrintable(line->text()));
    }
    // Nothing in the bar covers another piece of it.
    const QRect lineRect = inWindow(line, window);
    for (QWidget* other :
         {static_cast<QWidget*>(f.ui->lbPortStatus), static_cast<QWidget*>(f.ui->btnSave),
          static_cast<QWidget*>(f.ui->btnOpen), static_cast<QWidget*>(f.ui->btnFirmware),
          window->findChild<QWidget*>(QStringLiteral("btnBackup")),
          window->findChild<QWidget*>(QStringLiteral("statusAreaMenus"))}) {
        QVERIFY(other);
        QVERIFY2(!lineRect.intersects(inWindow(other, window)), qPrintable(other->objectName()));
    }
    QVERIFY(window->rect().contains(lineRect));
}

QTEST_MAIN(TestEditFeedback)
#include "tst_editfeedback.moc"
