// SerialManager against the virtual unit on a pseudo-terminal, as the program drives it.
#include "frameparser.h"
#include "linkframe.h"
#include <QtGlobal>
#ifdef Q_OS_UNIX
#include "ptytransport.h"
#endif
#include "serialmanager.h"
#include "simhost.h"
#include "simparametertable.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Applied = QVector<SimUnit::AppliedWrite>;

// Collects what a SerialManager emits, on the test's thread.
class Listener : public QObject
{
    Q_OBJECT
public:
    explicit Listener(SerialManager* link)
    {
        connect(link, &SerialManager::_responseToUpdateUi, this,
                [this](const QVariant& v) { answers.append(v.toString()); });
        connect(link, &SerialManager::_portStatusChanged, this, [this](int s) {
            statuses.append(s);
            statusTimes.append(clock.elapsed());
        });
        connect(link, &SerialManager::_flashStatusChanged, this,
                [this](int s) { flashStatuses.append(s); });
        connect(link, &SerialManager::_linkProblemChanged, this,
                [this](int problem, const QString& port) {
                    problems.append(QStringLiteral("%1 %2").arg(problem).arg(port));
                });
        connect(link, &SerialManager::_writeFinished, this,
                [this](int address, int value, bool confirmed) {
                    outcomes.append(
                            QStringLiteral("%1,%2,%3").arg(address).arg(value).arg(confirmed));
                });
        clock.start();
    }
    QStringList answers;
    QList<int> statuses;
    QList<qint64> statusTimes;
    QList<int> flashStatuses;
    QStringList outcomes; // "address,value,confirmed" per _writeFinished
    QStringList problems; // "problem port" per _linkProblemChanged
    QElapsedTimer clock;
};

} // namespace

class TestSerialManager : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void usableWithoutStarting();
    void connectsAfterIdentify();
    void readsAnswerEachEntry_data();
    void readsAnswerEachEntry();
    void writesAreConfirmedAndStored_data();
    void writesAreConfirmedAndStored();
    void clearDropsPendingReadsNotWrites();
    void busyUnitIsWaitedFor();
    void lossyLineDeliversAllWritesInOrder();
    void unplugAndReplug();
    void silentUnitIsDropped();
    void tryReconnectAnnouncesLiveUnit();
    void quitDeliversQueuedWrites();
    void everyWriteEndsOnce_data();
    void everyWriteEndsOnce();
    void quitReportsWritesItCouldNotDeliver();
    void writesWhileProbingAreNotSent();
    void reportsWhyNoUnitIsConnected_data();
    void reportsWhyNoUnitIsConnected();

private:
    bool startLink(const SimOptions& options = SimOptions());
    SimOptions options() const;

    QTemporaryDir m_dir;
    std::unique_ptr<SimHost> m_sim;
    std::unique_ptr<SerialManager> m_link;
    std::unique_ptr<Listener> m_listener;
};

void TestSerialManager::initTestCase()
{
    if (!SimServer::pseudoTerminalsAvailable())
        QSKIP("no pseudo-terminals on this system");
    QVERIFY(m_dir.isValid());
    // Short waits, so that lost frames cost milliseconds instead of tenths of a second.
    qputenv("HX_SERIAL_TIMEOUT_MS", "20");
    qputenv("HX_SERIAL_ATTEMPTS", "20");
    qputenv("HX_SERIAL_SCAN_MS", "100");
    qputenv("HX_SERIAL_PORT", QFile::encodeName(m_dir.filePath(QStringLiteral("unit"))));
}

void TestSerialManager::init()
{
    m_listener.reset();
}

void TestSerialManager::cleanup()
{
    if (m_link && m_link->isRunning()) {
        m_link->quit();
        QVERIFY(m_link->wait(2000));
    }
    m_listener.reset();
    m_link.reset();
    m_sim.reset();
}

SimOptions TestSerialManager::options() const
{
    SimOptions o;
    o.linkPath = m_dir.filePath(QStringLiteral("unit"));
    return o;
}

bool TestSerialManager::startLink(const SimOptions& options)
{
    m_sim.reset(new SimHost(options));
    if (!m_sim->started()) {
        qWarning("virtual unit did not start: %s", qPrintable(m_sim->error()));
        return false;
    }
    m_link.reset(new SerialManager);
    m_listener.reset(new Listener(m_link.get()));
    m_link->start(QThread::HighPriority);
    return QTest::qWaitFor([this]() { return m_listener->statuses.contains(100); }, 5000);
}

void TestSerialManager::usableWithoutStarting()
{
    SerialManager link;
    Listener listener(&link);
    QVERIFY(!link.isConnected());
    link.requestRead(QStringLiteral("0100,0111"));
    link.requestWrite(QStringLiteral("303,100"));
    link.clearAllSignalsInReader();
    link.tryReconnect();
    // Flashing over the link is refused with its own status, which the program shows.
    link.startUpdateFirmware(QByteArray(100, 'x'));
    QTRY_COMPARE(listener.flashStatuses, QList<int>{-999});
}

void TestSerialManager::connectsAfterIdentify()
{
    QVERIFY(startLink(options()));
    QCOMPARE(m_listener->statuses, QList<int>{100});
    QVERIFY(m_link->isConnected());
    QVERIFY(m_listener->answers.isEmpty());
}

void TestSerialManager::readsAnswerEachEntry_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<QStringList>("expected"); // answers as patterns, in any order
    QTest::newRow("start tab full read")
            << ",0121,0122,0103,0150,0152,0104"
            << QStringList{"121,1", "122,2", "103,50", "150,0", "152,50", "104,0"};
    QTest::newRow("repeats answered per entry")
            << "0104,0104,,0104" << QStringList{"104,0", "104,0", "104,0"};
    QTest::newRow("empty request") << "" << QStringList();
    QTest::newRow("only separators") << ",,," << QStringList();
    QTest::newRow("device information")
            << ",0001,0002,0003" << QStringList{"1,11", "2,215", "3,100001"};
    QTest::newRow("live values") << "0111,0112,0113,0114,0115,0116,0100,0117,0104"
                                 << QStringList{"111,\\d{3,4}", "112,\\d{3,4}", "113,\\d{3,4}",
                                                "114,\\d{3,4}", "115,\\d{4}",   "116,\\d{3,4}",
                                                "100,7\\d",     "117,\\d{4}",   "104,0"};
    QTest::newRow("negative raw value stays signed") << "0521" << QStringList{"521,100"};
    QTest::newRow("unknown address gets no answer") << "0999,0104" << QStringList{"104,0"};
    QTest::newRow("event list") << "0600" << QStringList{"600=1_0(,\\d+_\\d+)+"};
    QTest::newRow("chart record over many chunks")
            << "0634"
            << QStringList{"634=\\d+;rpm:[-\\d,]+;thr:[-\\d,]+;vbec:[-\\d,]+;col:[-\\d,]+;yaw:[-"
                           "\\d,]+;alt:[-\\d,]+"};
}

void TestSerialManager::readsAnswerEachEntry()
{
    QFETCH(QString, request);
    QFETCH(QStringList, expected);
    QVERIFY(startLink(options()));
    m_link->requestRead(request);
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->answers.size(), expected.size(), 3000);
    QTest::qWait(150); // nothing more may follow
    QCOMPARE(m_listener->answers.size(), expected.size());
    QStringList open = m_listener->answers;
    for (const QString& pattern : expected) {
        const QRegularExpression re(QRegularExpression::anchoredPattern(pattern));
        const int i = open.indexOf(re);
        QVERIFY2(i >= 0, qPrintable(QStringLiteral("no answer matches %1 in %2")
                                            .arg(pattern, m_listener->answers.join(' '))));
        open.removeAt(i);
    }
}

void TestSerialManager::writesAreConfirmedAndStored_data()
{
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("stored");
    QTest::newRow("in range") << QStringList{"303,120"} << 303 << 120;
    QTest::newRow("clamped to the range") << QStringList{"303,999"} << 303 << 150;
    QTest::newRow("tail default command")
            << QStringList{"304,650", "303,10", "10,80"} << 304 << 500;
    QTest::newRow("refused command changes nothing")
            << QStringList{"304,650", "10,99"} << 304 << 650;
    QTest::newRow("read-only address") << QStringList{"1,12"} << 1 << 11;
}

void TestSerialManager::writesAreConfirmedAndStored()
{
    QFETCH(QStringList, writes);
    QFETCH(int, address);
    QFETCH(int, stored);
    QVERIFY(startLink(options()));
    for (const QString& w : writes)
        m_link->requestWrite(w);
    m_link->requestRead(QString::number(address).rightJustified(4, QLatin1Char('0')));
    QTRY_COMPARE(m_listener->answers,
                 QStringList{QStringLiteral("%1,%2").arg(address).arg(stored)});
    const int unitValue =
            m_sim->get<int>([address](SimServer* s) { return s->unit().read(address, 0).value; });
    QCOMPARE(unitValue, stored);
}

void TestSerialManager::clearDropsPendingReadsNotWrites()
{
    QVERIFY(startLink(options()));
    // Set centre keeps the unit busy, so the reads below stay unanswered until the clear.
    m_link->requestWrite(QStringLiteral("129,1"));
    m_link->requestRead(QStringLiteral("0121,0122,0103,0150,0152,0104,0300,0301,0302,0303,0304,"
                                       "0305,0306,0307,0308,0309,0310,0311,0312,0313"));
    m_link->requestRead(QStringLiteral("0600"));
    QTest::qWait(100);
    m_link->clearAllSignalsInReader();
    m_link->requestWrite(QStringLiteral("305,300"));
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->get<int>([](SimServer* s) { return s->unit().setting(305); }),
                              300, 4000);
    QTest::qWait(200);
    QVERIFY2(m_listener->answers.isEmpty(), qPrintable(m_listener->answers.join(' ')));
    // Reads asked for after the clear are answered as usual.
    m_link->requestRead(QStringLiteral("0305"));
    QTRY_COMPARE(m_listener->answers, QStringList{QStringLiteral("305,300")});
}

void TestSerialManager::busyUnitIsWaitedFor()
{
    QVERIFY(startLink(options()));
    QElapsedTimer clock;
    clock.start();
    m_link->requestWrite(QStringLiteral("129,1")); // set centre: busy for 1.5 s
    m_link->requestWrite(QStringLiteral("303,77"));
    m_link->requestRead(QStringLiteral("0303"));
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->answers, QStringList{QStringLiteral("303,77")}, 4000);
    QVERIFY(clock.elapsed() >= SimUnit::BusyMs - 100);
    QCOMPARE(m_listener->statuses, QList<int>{100});
}

void TestSerialManager::lossyLineDeliversAllWritesInOrder()
{
    SimOptions o = options();
    o.dropShare = 0.10;
    o.corruptShare = 0.05;
    o.seed = 7;
    QVERIFY(startLink(o));
    m_sim->run([this]() { m_sim->server()->unit().clearAppliedWrites(); });

    QVector<QPair<int, int>> sent;
    const int addresses[] = {303, 304, 310, 400, 521};
    for (int i = 0; i < 1000; ++i) {
        const int address = addresses[i % 5];
        const SimParameterTable::Definition* d = SimParameterTable::find(address);
        const int value = d->minimum + (i * 7) % (d->maximum - d->minimum + 1);
        sent.append({address, value});
        m_link->requestWrite(QStringLiteral("%1,%2").arg(address).arg(value));
    }
    const auto appliedCount = [this]() {
        return m_sim->get<int>([](SimServer* s) { return s->unit().appliedWrites().size(); });
    };
    QTRY_COMPARE_WITH_TIMEOUT(appliedCount(), 1000, 60000);
    QTest::qWait(100);
    const Applied applied =
            m_sim->get<Applied>([](SimServer* s) { return s->unit().appliedWrites(); });
    QCOMPARE(applied.size(), sent.size());
    for (int i = 0; i < sent.size(); ++i) {
        QCOMPARE(applied.at(i).address, sent.at(i).first);
        QCOMPARE(applied.at(i).stored, sent.at(i).second);
    }
    // The faults did happen, and the link held.
    const SimSession::Counters c =
            m_sim->get<SimSession::Counters>([](SimServer* s) { return s->session().counters(); });
    QVERIFY(c.dropped > 50);
    QVERIFY(c.corrupted > 20);
    QCOMPARE(m_listener->statuses, QList<int>{100});
}

void TestSerialManager::unplugAndReplug()
{
    QVERIFY(startLink(options()));
    const qint64 unpluggedAt = m_listener->clock.elapsed();
    m_sim->run([this]() { m_sim->server()->unplug(); });
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->statuses, (QList<int>{100, -100}), 2000);
    QVERIFY2(m_listener->statusTimes.at(1) - unpluggedAt < 1000,
             qPrintable(QString::number(m_listener->statusTimes.at(1) - unpluggedAt)));
    QVERIFY(!m_link->isConnected());
    // Writes while the unit is away are reported, not kept for later.
    m_link->requestWrite(QStringLiteral("303,60"));
    bool plugged = false;
    m_sim->run([this, &plugged]() { plugged = m_sim->server()->replug(); });
    QVERIFY(plugged);
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->statuses, (QList<int>{100, -100, 100}), 3000);
    QVERIFY(m_link->isConnected());
    QCOMPARE(m_sim->get<int>([](SimServer* s) { return s->unit().setting(303); }), 100);
    m_link->requestRead(QStringLiteral("0303"));
    QTRY_COMPARE(m_listener->answers, QStringList{QStringLiteral("303,100")});
}

void TestSerialManager::silentUnitIsDropped()
{
    SimOptions o = options();
    o.silentAfter = 3; // identify plus two more
    QVERIFY(startLink(o));
    m_link->requestRead(QStringLiteral("0104"));
    m_link->requestRead(QStringLiteral("0104"));
    m_link->requestRead(QStringLiteral("0104"));
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->statuses.value(1), -100, 3000);
    QCOMPARE(m_listener->answers, (QStringList{QStringLiteral("104,0"), QStringLiteral("104,0")}));
}

void TestSerialManager::tryReconnectAnnouncesLiveUnit()
{
    QVERIFY(startLink(options()));
    // The controller calls this on every tick while it misses answers; a unit that still
    // answers is announced again (which ends the calls), once, not once per call. That
    // happens seconds after going online; a fresh announcement is not repeated at once.
    QTest::qWait(600);
    for (int i = 0; i < 5; ++i)
        m_link->tryReconnect();
    QTRY_COMPARE(m_listener->statuses, (QList<int>{100, 100}));
    QTest::qWait(200);
    QCOMPARE(m_listener->statuses, (QList<int>{100, 100}));
}

void TestSerialManager::quitDeliversQueuedWrites()
{
    SimOptions o = options();
    o.answerDelayMs = 5;
    QVERIFY(startLink(o));
    m_sim->run([this]() { m_sim->server()->unit().clearAppliedWrites(); });
    for (int i = 0; i < 10; ++i)
        m_link->requestWrite(QStringLiteral("303,%1").arg(i));
    m_link->requestWrite(QStringLiteral("2,9999")); // the firmware flow's last word
    QElapsedTimer clock;
    clock.start();
    m_link->quit();
    QVERIFY(m_link->wait(1000));
    QVERIFY(clock.elapsed() < 1000);
    const Applied applied =
            m_sim->get<Applied>([](SimServer* s) { return s->unit().appliedWrites(); });
    QCOMPARE(applied.size(), 11);
    QCOMPARE(applied.last().address, 2);
    QCOMPARE(applied.last().stored, 9999);
    QCOMPARE(applied.at(9).stored, 9);
}

namespace {
enum UnitState { Answering, DroppingEveryFrame, Unplugged };
} // namespace
Q_DECLARE_METATYPE(UnitState)

void TestSerialManager::everyWriteEndsOnce_data()
{
    QTest::addColumn<UnitState>("state");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QStringList>("outcomes");
    QTest::newRow("confirmed") << Answering << QStringList{"303,120"} << QStringList{"303,120,1"};
    QTest::newRow("clamped value is confirmed as asked for")
            << Answering << QStringList{"303,999"} << QStringList{"303,999,1"};
    QTest::newRow("refused command value")
            << Answering << QStringList{"10,99"} << QStringList{"10,99,0"};
    QTest::newRow("read-only address") << Answering << QStringList{"1,12"} << QStringList{"1,12,0"};
    QTest::newRow("mixed, in order") << Answering << QStringList{"303,10", "10,99", "304,600"}
                                     << QStringList{"303,10,1", "10,99,0", "304,600,1"};
    QTest::newRow("malformed request gets no outcome")
            << Answering << QStringList{"303", "x,1", "304,550"} << QStringList{"304,550,1"};
    QTest::newRow("unit drops every frame")
            << DroppingEveryFrame << QStringList{"303,120"} << QStringList{"303,120,0"};
    QTest::newRow("writes queued behind an unanswered one")
            << DroppingEveryFrame << QStringList{"303,1", "304,2", "305,3"}
            << QStringList{"303,1,0", "304,2,0", "305,3,0"};
    QTest::newRow("no unit connected")
            << Unplugged << QStringList{"303,7", "304,8"} << QStringList{"303,7,0", "304,8,0"};
}

void TestSerialManager::everyWriteEndsOnce()
{
    QFETCH(UnitState, state);
    QFETCH(QStringList, writes);
    QFETCH(QStringList, outcomes);
    QVERIFY(startLink(options()));
    if (state == DroppingEveryFrame) {
        SimSession::Faults faults;
        faults.dropShare = 1.0;
        m_sim->run([this, faults]() { m_sim->server()->setFaults(faults); });
    } else if (state == Unplugged) {
        m_sim->run([this]() { m_sim->server()->unplug(); });
        QTRY_COMPARE_WITH_TIMEOUT(m_listener->statuses, (QList<int>{100, -100}), 2000);
    }
    for (const QString& w : writes)
        m_link->requestWrite(w);
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->outcomes, outcomes, 5000);
    // Exactly once: nothing more comes later (a lost link does not report them again).
    QTest::qWait(300);
    QCOMPARE(m_listener->outcomes, outcomes);
    if (state == DroppingEveryFrame)
        QCOMPARE(m_listener->statuses.value(1), -100);
    if (state == Answering) {
        // Confirmed means stored: the unit holds the last confirmed value of 303/304.
        for (const QString& o : outcomes) {
            const QStringList f = o.split(',');
            if (f.at(2) != QLatin1String("1"))
                continue;
            const int address = f.at(0).toInt();
            const int asked = f.at(1).toInt();
            const SimParameterTable::Definition* d = SimParameterTable::find(address);
            QVERIFY(d);
            QCOMPARE(
                    m_sim->get<int>([address](SimServer* s) { return s->unit().setting(address); }),
                    qBound(d->minimum, asked, d->maximum));
        }
    }
}

void TestSerialManager::quitReportsWritesItCouldNotDeliver()
{
    QVERIFY(startLink(options()));
    SimSession::Faults faults;
    faults.dropShare = 1.0;
    m_sim->run([this, faults]() { m_sim->server()->setFaults(faults); });
    m_link->requestWrite(QStringLiteral("303,11"));
    m_link->requestWrite(QStringLiteral("304,12"));
    m_link->quit();
    QVERIFY(m_link->wait(2000));
    // The unit never answers: quit() gives up after its bounded wait and says so for each.
    QTRY_COMPARE(m_listener->outcomes, (QStringList{"303,11,0", "304,12,0"}));
}

void TestSerialManager::writesWhileProbingAreNotSent()
{
    // A slow unit: the port is open and being probed for a while before the unit answers.
    SimOptions o = options();
    o.answerDelayMs = 400;
    m_sim.reset(new SimHost(o));
    QVERIFY(m_sim->started());
    qputenv("HX_SERIAL_TIMEOUT_MS", "2000");
    m_link.reset(new SerialManager);
    qputenv("HX_SERIAL_TIMEOUT_MS", "20");
    m_listener.reset(new Listener(m_link.get()));
    m_link->start();
    QTest::qWait(150);
    QVERIFY(m_listener->statuses.isEmpty());
    // Until the unit has answered the identify, nothing of the program reaches it.
    QTest::ignoreMessage(QtWarningMsg, "hxserial: write 303,60 not sent: no unit connected");
    m_link->requestWrite(QStringLiteral("303,60"));
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->statuses, QList<int>{100}, 5000);
    m_link->requestRead(QStringLiteral("0303"));
    QTRY_COMPARE_WITH_TIMEOUT(m_listener->answers, QStringList{QStringLiteral("303,100")}, 5000);
    QVERIFY(m_sim->get<bool>([](SimServer* s) { return s->unit().appliedWrites().isEmpty(); }));
}

namespace {
enum FarEnd { Missing, Silent, HeldByAnotherProgram, OtherVersion, RealUnit };

#ifdef Q_OS_UNIX
// A pseudo-terminal whose far end answers identify with protocol version 2.
class VersionTwoUnit : public QObject
{
public:
    explicit VersionTwoUnit(PtyTransport* pty)
        : m_pty(pty)
    {
        connect(pty, &SimTransport::bytesReceived, this, [this](const QByteArray& bytes) {
            QVector<LinkFrame> frames;
            m_parser.feed(bytes, &frames);
            for (const LinkFrame& f : qAsConst(frames)) {
                if (f.type == LinkFrame::Identify)
                    m_pty->write(
                            LinkFrame(f.seq, LinkFrame::IdentifyAnswer, "HXFBL,2,11,215,100001")
                                    .encode());
            }
        });
    }

private:
    PtyTransport* m_pty;
    FrameParser m_parser;
};
#endif
} // namespace
Q_DECLARE_METATYPE(FarEnd)

void TestSerialManager::reportsWhyNoUnitIsConnected_data()
{
    QTest::addColumn<FarEnd>("farEnd");
    QTest::addColumn<int>("problem");
    QTest::newRow("named port missing") << Missing << int(SerialManager::NoPortFound);
    QTest::newRow("port opens, nothing answers") << Silent << int(SerialManager::NoUnitAnswers);
    QTest::newRow("port held by another program")
            << HeldByAnotherProgram << int(SerialManager::PortBusy);
    QTest::newRow("unit of another protocol version")
            << OtherVersion << int(SerialManager::OtherProtocolVersion);
    QTest::newRow("unit found") << RealUnit << int(SerialManager::NoProblem);
}

void TestSerialManager::reportsWhyNoUnitIsConnected()
{
#ifdef Q_OS_UNIX
    QFETCH(FarEnd, farEnd);
    QFETCH(int, problem);
    const QString path = m_dir.filePath(QStringLiteral("unit"));
    PtyTransport pty(path);
    std::unique_ptr<VersionTwoUnit> other;
    QSerialPort holder;
    if (farEnd == RealUnit) {
        m_sim.reset(new SimHost(options()));
        QVERIFY(m_sim->started());
    } else if (farEnd != Missing) {
        QString error;
        QVERIFY2(pty.open(&error), qPrintable(error));
        if (farEnd == OtherVersion)
            other.reset(new VersionTwoUnit(&pty));
        if (farEnd == HeldByAnotherProgram) {
            holder.setPortName(path);
            QVERIFY2(holder.open(QIODevice::ReadWrite), qPrintable(holder.errorString()));
        }
    }
    m_link.reset(new SerialManager);
    m_listener.reset(new Listener(m_link.get()));
    m_link->start();
    const QString expected = QStringLiteral("%1 %2").arg(problem).arg(path);
    QTRY_VERIFY_WITH_TIMEOUT(m_listener->problems.contains(expected), 5000);
    // Reported once, not on every search round.
    QTest::qWait(300);
    QCOMPARE(m_listener->problems, QStringList{expected});
    QCOMPARE(m_listener->statuses.contains(100), farEnd == RealUnit);
#else
    QSKIP("the far ends are pseudo-terminals");
#endif
}

QTEST_GUILESS_MAIN(TestSerialManager)
#include "tst_serialmanager.moc"
