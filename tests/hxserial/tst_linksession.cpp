// The link's request machinery against the virtual unit's protocol end, without a port:
// what is sent when, what is resent, and what is never taken as an answer.
#include "linksession.h"
#include "simsession.h"
#include "simunit.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

// Carries frames between a LinkSession and a SimSession, asynchronously as a line does,
// and lets a test hold back or drop frames.
class Wire : public QObject
{
    Q_OBJECT
public:
    Wire(LinkSession* link, SimSession* unit)
        : m_link(link)
        , m_unit(unit)
    {
        m_clock.start();
        connect(link, &LinkSession::transmit, this, &Wire::onTransmit);
        connect(link, &LinkSession::valueRead, this, [this](int a, int v, quint64) {
            values.append(QStringLiteral("%1,%2").arg(a).arg(v));
        });
        connect(link, &LinkSession::recordRead, this, [this](int a, const QByteArray& t, quint64) {
            records.append(QString::number(a) + '=' + QString::fromLatin1(t));
        });
        connect(link, &LinkSession::failed, this, [this](const QString& r) { failures.append(r); });
    }

    // Delivers what was held back, in order.
    void release()
    {
        const QList<QByteArray> held = m_held;
        m_held.clear();
        for (const QByteArray& request : held)
            answer(request);
    }

    bool hold = false;      // keep requests on the wire until release()
    int dropAnswers = 0;    // answers to lose, the next ones first
    QList<QByteArray> sent; // every frame the link sent
    QStringList values;
    QStringList records;
    QStringList failures;

private:
    void onTransmit(const QByteArray& bytes)
    {
        sent.append(bytes);
        if (hold)
            m_held.append(bytes);
        else
            answer(bytes);
    }
    void answer(const QByteArray& request)
    {
        const QByteArray reply = m_unit->receive(request, m_clock.elapsed());
        if (dropAnswers > 0) {
            --dropAnswers;
            return;
        }
        QMetaObject::invokeMethod(
                this, [this, reply]() { m_link->receive(reply); }, Qt::QueuedConnection);
    }

    LinkSession* m_link;
    SimSession* m_unit;
    QElapsedTimer m_clock;
    QList<QByteArray> m_held;
};

LinkSettings fastSettings()
{
    LinkSettings s;
    s.answerTimeoutMs = 30;
    s.attempts = 4;
    s.busyRetryMs = 50;
    return s;
}

// A link and its own virtual unit on a wire, started.
struct Rig
{
    explicit Rig(const LinkSettings& settings = fastSettings())
        : sim(&unit)
        , link(settings)
        , wire(&link, &sim)
    {
        link.start();
    }
    SimUnit unit;
    SimSession sim;
    LinkSession link;
    Wire wire;
};

char typeOf(const QByteArray& frame)
{
    return frame.size() > 3 ? frame.at(3) : 0;
}

} // namespace

class TestLinkSession : public QObject
{
    Q_OBJECT
private slots:
    void writesGoAloneAndInOrder();
    void laterAnswerResendsTheLostOneAtOnce();
    void nakResendsWithoutWaiting();
    void busyUnitIsAskedAgainWithoutUsingAttempts();
    void unansweredRequestEndsTheLink();
    void droppedReadsAnswerNothing();
    void recordIsReassembledFromChunks();
    void longReadStartsShortAndRepeatsAreAnswered();

    void oneResendPerBurst_data();
    void oneResendPerBurst();
    void oversizeRecordIsAbandoned_data();
    void oversizeRecordIsAbandoned();
    void queuedReadsAreDroppedToo();
    void repeatedWriteGetsANewNumber();
    void protocolVersions_data();
    void protocolVersions();
};

void TestLinkSession::writesGoAloneAndInOrder()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    wire.hold = true;
    link.start();
    QVector<int> many;
    for (int a = 300; a <= 322; ++a)
        many.append(a);
    link.read(many, 0); // 3 frames: 4, 8 and 11 addresses
    link.write(303, 90);
    link.read({303}, 0);
    QCOMPARE(wire.sent.size(), 3); // the write waits for the reads under way
    wire.hold = false;
    wire.release();
    QTRY_COMPARE(wire.values.size(), 24);
    QCOMPARE(wire.sent.size(), 5);
    QCOMPARE(typeOf(wire.sent.at(3)), 'W');
    QCOMPARE(typeOf(wire.sent.at(4)), 'R');
    // The read asked for after the write sees the written value.
    QCOMPARE(wire.values.last(), QStringLiteral("303,90"));
    QVERIFY(!link.hasWrites());
}

void TestLinkSession::laterAnswerResendsTheLostOneAtOnce()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSettings s = fastSettings();
    s.answerTimeoutMs = 5000; // only the early resend can bring the answer in time
    LinkSession link(s);
    Wire wire(&link, &sim);
    link.start();
    wire.dropAnswers = 1;
    QVector<int> many;
    for (int a = 300; a <= 322; ++a)
        many.append(a);
    link.read(many, 0); // frames of 4, 8 and 11 addresses; the first answer is lost
    QTRY_COMPARE_WITH_TIMEOUT(wire.values.size(), many.size(), 1000);
    QVERIFY(wire.sent.size() > 3);
    QCOMPARE(wire.sent.at(0), wire.sent.at(3)); // the first frame again, same number
    QVERIFY(wire.failures.isEmpty());
}

void TestLinkSession::nakResendsWithoutWaiting()
{
    LinkSettings s = fastSettings();
    s.answerTimeoutMs = 5000;
    Rig r(s);
    r.wire.hold = true;
    r.link.write(303, 91);
    QCOMPARE(r.wire.sent.size(), 1);
    // The unit saw a garbled frame and says so.
    r.link.receive(LinkFrame(0, LinkFrame::Nak).encode());
    QCOMPARE(r.wire.sent.size(), 2);
    QCOMPARE(r.wire.sent.at(1), r.wire.sent.at(0));
    r.wire.hold = false;
    r.wire.release();
    QTRY_VERIFY(!r.link.hasWrites());
    // Sent twice, carried out once.
    QCOMPARE(r.unit.appliedWrites().size(), 1);
    QCOMPARE(r.unit.setting(303), 91);
}

void TestLinkSession::busyUnitIsAskedAgainWithoutUsingAttempts()
{
    LinkSettings s = fastSettings();
    s.attempts = 2;
    Rig r(s);
    r.link.write(129, 1); // busy for 1.5 s
    r.link.read({104}, 0);
    QTRY_COMPARE_WITH_TIMEOUT(r.wire.values, QStringList{QStringLiteral("104,0")}, 4000);
    QVERIFY(r.wire.sent.size() > 10);   // asked again and again...
    QVERIFY(r.wire.failures.isEmpty()); // ...without counting it as lost
}

void TestLinkSession::unansweredRequestEndsTheLink()
{
    Rig r;
    r.wire.dropAnswers = 1000;
    r.link.write(303, 92);
    r.link.write(304, 600);
    QTRY_COMPARE_WITH_TIMEOUT(r.wire.failures.size(), 1, 2000);
    QVERIFY(r.wire.failures.first().contains(QStringLiteral("write 303,92")));
    QCOMPARE(r.wire.sent.size(), 4); // all attempts of the first write, nothing of the second
    QVERIFY(!r.link.isActive());
    QVERIFY(!r.link.hasWrites());
    // The unit did get it (only the answers were lost), once.
    QCOMPARE(r.unit.appliedWrites().size(), 1);
}

void TestLinkSession::droppedReadsAnswerNothing()
{
    Rig r;
    r.wire.hold = true;
    r.link.read({121, 122}, 0);
    r.link.read({604}, 0);
    r.link.read({103}, 1); // asked for after the clear
    r.link.dropReads(1);
    r.wire.hold = false;
    r.wire.release();
    QTRY_COMPARE(r.wire.values, QStringList{QStringLiteral("103,50")});
    QTest::qWait(100);
    QCOMPARE(r.wire.values, QStringList{QStringLiteral("103,50")});
    QVERIFY(r.wire.records.isEmpty());
}

void TestLinkSession::recordIsReassembledFromChunks()
{
    Rig r;
    r.link.read({624, 620, 624}, 0);
    QTRY_COMPARE(r.wire.records.size(), 3);
    const QString chart = QStringLiteral("624=") + QString::fromLatin1(r.unit.record(624));
    QVERIFY(r.unit.record(624).size() > 3 * LinkPayload::MaxChunkSize);
    QCOMPARE(r.wire.records.count(chart), 2);
    QCOMPARE(r.wire.records.count(QStringLiteral("620=") + QString::fromLatin1(r.unit.record(620))),
             1);
}

void TestLinkSession::longReadStartsShortAndRepeatsAreAnswered()
{
    Rig r;
    QVector<int> addresses;
    for (int a = 300; a <= 322; ++a)
        addresses.append(a);
    addresses.append(303);
    r.link.read(addresses, 0);
    QTRY_COMPARE(r.wire.values.size(), addresses.size());
    QCOMPARE(r.wire.values.count(QStringLiteral("303,100")), 2);
    // 4, then 8, then the rest: the unit can answer the first while the others travel.
    QCOMPARE(r.wire.sent.at(0).count(','), 3);
    QCOMPARE(r.wire.sent.at(1).count(','), 7);
}

void TestLinkSession::oneResendPerBurst_data()
{
    QTest::addColumn<bool>("nak");
    QTest::newRow("garbled answer to A, good answer to B") << false;
    QTest::newRow("NAK, then the answer to B") << true;
}

void TestLinkSession::oneResendPerBurst()
{
    QFETCH(bool, nak);
    LinkSettings s = fastSettings();
    s.answerTimeoutMs = 5000;
    Rig r(s);
    r.wire.hold = true;
    r.link.read({121}, 0);
    r.link.read({122}, 0);
    QCOMPARE(r.wire.sent.size(), 2);
    const QByteArray a = r.wire.sent.at(0);
    QByteArray burst;
    if (nak) {
        burst = LinkFrame(0, LinkFrame::Nak).encode();
    } else {
        burst = r.sim.receive(a, 0);
        burst[5] = burst.at(5) == '1' ? '2' : '1'; // garbled on the line
    }
    burst += r.sim.receive(r.wire.sent.at(1), 0);
    // Both signs (B answered first, a garbled frame or a NAK) say A is lost: one resend.
    r.link.receive(burst);
    QCOMPARE(r.wire.sent.count(a), 2);
    QCOMPARE(r.wire.values, QStringList{QStringLiteral("122,2")});
    r.wire.hold = false;
    r.wire.release();
    QTRY_COMPARE(r.wire.values.size(), 2);
    QCOMPARE(r.wire.sent.count(a), 2);
}

void TestLinkSession::oversizeRecordIsAbandoned_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<bool>("abandoned");
    QTest::newRow("the largest int") << 2147483647 << true;
    QTest::newRow("one byte over the bound") << LinkPayload::MaxRecordSize + 1 << true;
    QTest::newRow("at the bound") << LinkPayload::MaxRecordSize << false;
}

void TestLinkSession::oversizeRecordIsAbandoned()
{
    QFETCH(int, total);
    QFETCH(bool, abandoned);
    Rig r;
    r.wire.hold = true;
    r.link.read({604}, 0);
    QCOMPARE(r.wire.sent.size(), 1);
    LinkFrame request;
    QVERIFY(LinkFrame::decode(r.wire.sent.at(0).trimmed(), &request) == LinkFrame::NoError);
    LinkPayload::Chunk chunk;
    chunk.address = 604;
    chunk.total = total;
    chunk.data = QByteArray(LinkPayload::MaxChunkSize, '1');
    if (abandoned)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("record 604 announces"));
    r.link.receive(LinkFrame(request.seq, LinkFrame::ChunkAnswer, LinkPayload::chunkAnswer(chunk))
                           .encode());
    // Given up at once: no further chunk asked for, nothing delivered, the link still up.
    QCOMPARE(r.wire.sent.size(), abandoned ? 1 : 2);
    QVERIFY(r.wire.records.isEmpty());
    QVERIFY(r.wire.failures.isEmpty());
    QVERIFY(r.link.isActive());
    if (abandoned)
        QVERIFY(r.link.isIdle());
}

void TestLinkSession::queuedReadsAreDroppedToo()
{
    Rig r;
    r.wire.hold = true;
    for (int a : {121, 122, 124, 125}) // fill the window
        r.link.read({a}, 0);
    r.link.read({303}, 0); // queued behind them, not sent yet
    r.link.read({604}, 0);
    QCOMPARE(r.wire.sent.size(), 4);
    r.link.read({103}, 1);
    r.link.dropReads(1);
    r.wire.hold = false;
    r.wire.release();
    QTRY_COMPARE(r.wire.values, QStringList{QStringLiteral("103,50")});
    QTest::qWait(100);
    QCOMPARE(r.wire.values, QStringList{QStringLiteral("103,50")});
    QVERIFY(r.wire.records.isEmpty());
    // The queued ones never went out.
    for (const QByteArray& frame : qAsConst(r.wire.sent)) {
        QVERIFY2(!frame.contains("R303") && !frame.contains("G604"), frame.constData());
    }
}

void TestLinkSession::repeatedWriteGetsANewNumber()
{
    Rig r;
    // The repeated gyro-off: the same write again must reach the unit as a new request.
    for (int i = 0; i < 3; ++i)
        r.link.write(224, 1);
    QTRY_VERIFY(!r.link.hasWrites());
    QCOMPARE(r.wire.sent.size(), 3);
    QVERIFY(r.wire.sent.at(0).mid(1, 2) != r.wire.sent.at(1).mid(1, 2));
    QVERIFY(r.wire.sent.at(1).mid(1, 2) != r.wire.sent.at(2).mid(1, 2));
    QCOMPARE(r.unit.appliedWrites().size(), 3);
}

void TestLinkSession::protocolVersions_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("1.0") << QByteArray("1.0") << true;
    QTest::newRow("newer minor 1.7") << QByteArray("1.7") << true;
    QTest::newRow("2") << QByteArray("2") << false;
    QTest::newRow("2.1") << QByteArray("2.1") << false;
    QTest::newRow("0.9") << QByteArray("0.9") << false;
}

void TestLinkSession::protocolVersions()
{
    QFETCH(QByteArray, version);
    QFETCH(bool, accepted);
    LinkSession link(fastSettings());
    QList<QByteArray> sent;
    connect(&link, &LinkSession::transmit, this, [&sent](const QByteArray& b) { sent << b; });
    QSignalSpy identified(&link, &LinkSession::identified);
    QSignalSpy failed(&link, &LinkSession::failed);
    link.start();
    link.identify(3);
    QCOMPARE(sent.size(), 1);
    LinkFrame request;
    QVERIFY(LinkFrame::decode(sent.at(0).trimmed(), &request) == LinkFrame::NoError);
    if (!accepted)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("protocol version"));
    link.receive(
            LinkFrame(request.seq, LinkFrame::IdentifyAnswer, "HXFBL," + version + ",11,215,100001")
                    .encode());
    QCOMPARE(identified.count(), accepted ? 1 : 0);
    QCOMPARE(failed.count(), accepted ? 0 : 1);
    if (!accepted) {
        const QString reason = failed.at(0).at(0).toString();
        QVERIFY2(reason.contains(
                         QStringLiteral("protocol version ") +
                         QString::fromLatin1(version.contains('.') ? version : version + ".0")),
                 qPrintable(reason));
        QVERIFY2(reason.contains(QStringLiteral("speaks version 1")), qPrintable(reason));
    }
}

QTEST_GUILESS_MAIN(TestLinkSession)
#include "tst_linksession.moc"
