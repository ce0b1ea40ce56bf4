// The virtual unit against the rules of docs/protocol.md that a firmware writer or a second
// client would trip over: strict payloads, numbers, commands, records, busy and resends,
// garbled frames and versions.
#include "frameparser.h"
#include "linkframe.h"
#include "linkpayload.h"
#include "simsession.h"
#include "simunit.h"

#include <QtTest>

namespace {

QByteArray request(quint8 seq, char type, const QByteArray& payload = QByteArray())
{
    return LinkFrame(seq, type, payload).encode();
}

// The answers' type letters and payloads, as "i:...", "e:5", "n:".
QStringList answers(const QByteArray& bytes)
{
    FrameParser parser;
    QVector<LinkFrame> frames;
    parser.feed(bytes, &frames);
    QStringList out;
    for (const LinkFrame& frame : qAsConst(frames))
        out << QString(QLatin1Char(frame.type)) + QLatin1Char(':') +
                        QString::fromLatin1(frame.payload);
    return out;
}

} // namespace

class TestSimProtocol : public QObject
{
    Q_OBJECT
private slots:
    void oneRequest_data();
    void oneRequest();
    void chunkAtTheEndOfARecord();
    void busyUnitConfirmsOnlyTheRepeatedWrite();
    void newNumberMeansNewWrite();
    void everyDroppedFrameIsNaked_data();
    void everyDroppedFrameIsNaked();
    void identifyCarriesAVersionTheLinkAccepts();
};

void TestSimProtocol::oneRequest_data()
{
    QTest::addColumn<char>("type");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("expected");

    QTest::newRow("identify with a payload") << 'I' << QByteArray("x") << "e:1";
    QTest::newRow("identify") << 'I' << QByteArray() << "i:HXFBL,1,11,215,100001";
    QTest::newRow("repeated address answered twice")
            << 'R' << QByteArray("303,104,303") << "r:303:100,104:0,303:100";
    QTest::newRow("leading zeros accepted") << 'R' << QByteArray("0303") << "r:303:100";
    QTest::newRow("ten digits accepted") << 'R' << QByteArray("0000000303") << "r:303:100";
    QTest::newRow("eleven digits refused") << 'R' << QByteArray("00000000303") << "e:1";
    QTest::newRow("negative address refused") << 'R' << QByteArray("-303") << "e:1";
    QTest::newRow("plus sign refused") << 'W' << QByteArray("303:+90") << "e:1";
    QTest::newRow("longest value, clamped") << 'W' << QByteArray("303:-2147483648") << "w:303:0";
    QTest::newRow("value beyond 32 bits") << 'W' << QByteArray("303:2147483648") << "e:1";
    QTest::newRow("record of an unknown address") << 'G' << QByteArray("999:0") << "e:2";
    QTest::newRow("record of a value address") << 'G' << QByteArray("303:0") << "e:7";
    QTest::newRow("read of a record") << 'R' << QByteArray("604") << "r:604!7";
    QTest::newRow("reset group unknown") << 'W' << QByteArray("10:99") << "e:4";
    QTest::newRow("set centre unknown value") << 'W' << QByteArray("129:5") << "e:4";
    QTest::newRow("bind unknown value") << 'W' << QByteArray("102:5") << "e:4";
    QTest::newRow("gyro off unknown value") << 'W' << QByteArray("224:2") << "e:4";
    QTest::newRow("gyro off ended") << 'W' << QByteArray("224:0") << "w:224:0";
    QTest::newRow("setting clamped") << 'W' << QByteArray("303:999") << "w:303:150";
    QTest::newRow("live value read only") << 'W' << QByteArray("100:1") << "e:3";
}

void TestSimProtocol::oneRequest()
{
    QFETCH(char, type);
    QFETCH(QByteArray, payload);
    QFETCH(QString, expected);
    SimUnit unit;
    SimSession session(&unit);
    QCOMPARE(answers(session.receive(request(1, type, payload), 0)), QStringList{expected});
}

void TestSimProtocol::chunkAtTheEndOfARecord()
{
    SimUnit unit;
    SimSession session(&unit);
    const QByteArray total = QByteArray::number(unit.record(604).size());
    QVERIFY(unit.record(604).size() > 0);
    // At the total: an empty chunk, the end of the record; beyond it: a bad request.
    QCOMPARE(answers(session.receive(request(1, 'G', "604:" + total), 0)),
             QStringList{"g:604:" + total + ':' + total + ':'});
    QCOMPARE(answers(session.receive(
                     request(2, 'G', "604:" + QByteArray::number(total.toInt() + 1)), 0)),
             QStringList{"e:1"});
}

void TestSimProtocol::busyUnitConfirmsOnlyTheRepeatedWrite()
{
    SimUnit unit;
    SimSession session(&unit);
    QCOMPARE(answers(session.receive(request(1, 'W', "129:1"), 0)), QStringList{"w:129:1"});
    // The confirmation was lost: its repeat is confirmed again, busy or not, and the
    // unit does not start over.
    QCOMPARE(answers(session.receive(request(1, 'W', "129:1"), 10)), QStringList{"w:129:1"});
    QCOMPARE(unit.appliedWrites().size(), 1);
    // Everything else is "busy", identify and the read of 129 included.
    QCOMPARE(answers(session.receive(
                     request(2, 'R', "129") + request(3, 'I') + request(4, 'W', "129:1"), 20)),
             (QStringList{"e:5", "e:5", "e:5"}));
    QCOMPARE(answers(session.receive(request(5, 'R', "129"), SimUnit::BusyMs + 1)),
             QStringList{"r:129:0"});
}

void TestSimProtocol::newNumberMeansNewWrite()
{
    SimUnit unit;
    SimSession session(&unit);
    // The repeated gyro-off: the same payload under new numbers is a new write each time.
    session.receive(request(1, 'W', "224:1") + request(2, 'W', "224:1") + request(3, 'W', "224:1"),
                    0);
    QCOMPARE(unit.appliedWrites().size(), 3);
    session.receive(request(3, 'W', "224:1"), 0);
    QCOMPARE(unit.appliedWrites().size(), 3);
}

void TestSimProtocol::everyDroppedFrameIsNaked_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QByteArray badCrc = request(1, 'R', "303");
    badCrc[badCrc.size() - 2] = badCrc.at(badCrc.size() - 2) == '0' ? '1' : '0';
    QTest::newRow("bad checksum") << badCrc + request(2, 'R', "104")
                                  << QStringList{"n:", "r:104:0"};
    QTest::newRow("cut off by the next start")
            << request(1, 'R', "303").left(6) + request(2, 'R', "104")
            << QStringList{"n:", "r:104:0"};
    QTest::newRow("over-long line")
            << "#01R" + QByteArray(1100, '1') + "\n" + request(2, 'R', "104")
            << QStringList{"n:", "r:104:0"};
    QTest::newRow("bytes before a frame are skipped")
            << "noise" + request(2, 'R', "104") << QStringList{"r:104:0"};
}

void TestSimProtocol::everyDroppedFrameIsNaked()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    SimUnit unit;
    SimSession session(&unit);
    QCOMPARE(answers(session.receive(bytes, 0)), expected);
}

void TestSimProtocol::identifyCarriesAVersionTheLinkAccepts()
{
    SimUnit unit;
    SimSession session(&unit);
    FrameParser parser;
    QVector<LinkFrame> frames;
    parser.feed(session.receive(request(1, 'I'), 0), &frames);
    QCOMPARE(frames.size(), 1);
    LinkPayload::Identity id;
    QVERIFY(LinkPayload::parseIdentifyAnswer(frames.first().payload, &id));
    QCOMPARE(id.protocol, LinkPayload::ProtocolMajor);
    QCOMPARE(id.protocolMinor, 0);
}

QTEST_APPLESS_MAIN(TestSimProtocol)
#include "tst_simprotocol.moc"
