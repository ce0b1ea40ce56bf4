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
    SimUnit unit;
    SimSession sim(&unit);
    LinkSettings s = fastSettings();
    s.answerTimeoutMs = 5000;
    LinkSession link(s);
    Wire wire(&link, &sim);
    link.start();
    wire.hold = true;
    link.write(303, 91);
    QCOMPARE(wire.sent.size(), 1);
    // The unit saw a garbled frame and says so.
    link.receive(LinkFrame(0, LinkFrame::Nak).encode());
    QCOMPARE(wire.sent.size(), 2);
    QCOMPARE(wire.sent.at(1), wire.sent.at(0));
    wire.hold = false;
    wire.release();
    QTRY_VERIFY(!link.hasWrites());
    // Sent twice, carried out once.
    QCOMPARE(unit.appliedWrites().size(), 1);
    QCOMPARE(unit.setting(303), 91);
}

void TestLinkSession::busyUnitIsAskedAgainWithoutUsingAttempts()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSettings s = fastSettings();
    s.attempts = 2;
    LinkSession link(s);
    Wire wire(&link, &sim);
    link.start();
    link.write(129, 1); // busy for 1.5 s
    link.read({104}, 0);
    QTRY_COMPARE_WITH_TIMEOUT(wire.values, QStringList{QStringLiteral("104,0")}, 4000);
    QVERIFY(wire.sent.size() > 10);   // asked again and again...
    QVERIFY(wire.failures.isEmpty()); // ...without counting it as lost
}

void TestLinkSession::unansweredRequestEndsTheLink()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    wire.dropAnswers = 1000;
    link.write(303, 92);
    link.write(304, 600);
    QTRY_COMPARE_WITH_TIMEOUT(wire.failures.size(), 1, 2000);
    QVERIFY(wire.failures.first().contains(QStringLiteral("write 303,92")));
    QCOMPARE(wire.sent.size(), 4); // all attempts of the first write, nothing of the second
    QVERIFY(!link.isActive());
    QVERIFY(!link.hasWrites());
    // The unit did get it (only the answers were lost), once.
    QCOMPARE(unit.appliedWrites().size(), 1);
}

void TestLinkSession::droppedReadsAnswerNothing()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    wire.hold = true;
    link.read({121, 122}, 0);
    link.read({604}, 0);
    link.read({103}, 1); // asked for after the clear
    link.dropReads(1);
    wire.hold = false;
    wire.release();
    QTRY_COMPARE(wire.values, QStringList{QStringLiteral("103,50")});
    QTest::qWait(100);
    QCOMPARE(wire.values, QStringList{QStringLiteral("103,50")});
    QVERIFY(wire.records.isEmpty());
}

void TestLinkSession::recordIsReassembledFromChunks()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    link.read({624, 620, 624}, 0);
    QTRY_COMPARE(wire.records.size(), 3);
    const QString chart = QStringLiteral("624=") + QString::fromLatin1(unit.record(624));
    QVERIFY(unit.record(624).size() > 3 * LinkPayload::MaxChunkSize);
    QCOMPARE(wire.records.count(chart), 2);
    QCOMPARE(wire.records.count(QStringLiteral("620=") + QString::fromLatin1(unit.record(620))), 1);
}

void TestLinkSession::longReadStartsShortAndRepeatsAreAnswered()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    QVector<int> addresses;
    for (int a = 300; a <= 322; ++a)
        addresses.append(a);
    addresses.append(303);
    link.read(addresses, 0);
    QTRY_COMPARE(wire.values.size(), addresses.size());
    QCOMPARE(wire.values.count(QStringLiteral("303,100")), 2);
    // 4, then 8, then the rest: the unit can answer the first while the others travel.
    QCOMPARE(wire.sent.at(0).count(','), 3);
    QCOMPARE(wire.sent.at(1).count(','), 7);
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
    SimUnit unit;
    SimSession sim(&unit);
    LinkSettings s = fastSettings();
    s.answerTimeoutMs = 5000;
    LinkSession link(s);
    Wire wire(&link, &sim);
    link.start();
    wire.hold = true;
    link.read({121}, 0);
    link.read({122}, 0);
    QCOMPARE(wire.sent.size(), 2);
    const QByteArray a = wire.sent.at(0);
    QByteArray burst;
    if (nak) {
        burst = LinkFrame(0, LinkFrame::Nak).encode();
    } else {
        burst = sim.receive(a, 0);
        burst[5] = burst.at(5) == '1' ? '2' : '1'; // garbled on the line
    }
    burst += sim.receive(wire.sent.at(1), 0);
    // Both signs (B answered first, a garbled frame or a NAK) say A is lost: one resend.
    link.receive(burst);
    QCOMPARE(wire.sent.count(a), 2);
    QCOMPARE(wire.values, QStringList{QStringLiteral("122,2")});
    wire.hold = false;
    wire.release();
    QTRY_COMPARE(wire.values.size(), 2);
    QCOMPARE(wire.sent.count(a), 2);
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
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    wire.hold = true;
    link.read({604}, 0);
    QCOMPARE(wire.sent.size(), 1);
    LinkFrame request;
    QVERIFY(LinkFrame::decode(wire.sent.at(0).trimmed(), &request) == LinkFrame::NoError);
    LinkPayload::Chunk chunk;
    chunk.address = 604;
    chunk.total = total;
    chunk.data = QByteArray(LinkPayload::MaxChunkSize, '1');
    if (abandoned)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("record 604 announces"));
    link.receive(LinkFrame(request.seq, LinkFrame::ChunkAnswer, LinkPayload::chunkAnswer(chunk))
                         .encode());
    // Given up at once: no further chunk asked for, nothing delivered, the link still up.
    QCOMPARE(wire.sent.size(), abandoned ? 1 : 2);
    QVERIFY(wire.records.isEmpty());
    QVERIFY(wire.failures.isEmpty());
    QVERIFY(link.isActive());
    if (abandoned)
        QVERIFY(link.isIdle());
}

void TestLinkSession::queuedReadsAreDroppedToo()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    wire.hold = true;
    for (int a : {121, 122, 124, 125}) // fill the window
        link.read({a}, 0);
    link.read({303}, 0); // queued behind them, not sent yet
    link.read({604}, 0);
    QCOMPARE(wire.sent.size(), 4);
    link.read({103}, 1);
    link.dropReads(1);
    wire.hold = false;
    wire.release();
    QTRY_COMPARE(wire.values, QStringList{QStringLiteral("103,50")});
    QTest::qWait(100);
    QCOMPARE(wire.values, QStringList{QStringLiteral("103,50")});
    QVERIFY(wire.records.isEmpty());
    // The queued ones never went out.
    for (const QByteArray& frame : qAsConst(wire.sent)) {
        QVERIFY2(!frame.contains("R303") && !frame.contains("G604"), frame.constData());
    }
}

void TestLinkSession::repeatedWriteGetsANewNumber()
{
    SimUnit unit;
    SimSession sim(&unit);
    LinkSession link(fastSettings());
    Wire wire(&link, &sim);
    link.start();
    // The repeated gyro-off: the same write again must reach the unit as a new request.
    for (int i = 0; i < 3; ++i)
        link.write(224, 1);
    QTRY_VERIFY(!link.hasWrites());
    QCOMPARE(wire.sent.size(), 3);
    QVERIFY(wire.sent.at(0).mid(1, 2) != wire.sent.at(1).mid(1, 2));
    QVERIFY(wire.sent.at(1).mid(1, 2) != wire.sent.at(2).mid(1, 2));
    QCOMPARE(unit.appliedWrites().size(), 3);
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
