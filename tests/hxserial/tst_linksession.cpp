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

QTEST_GUILESS_MAIN(TestLinkSession)
#include "tst_linksession.moc"
