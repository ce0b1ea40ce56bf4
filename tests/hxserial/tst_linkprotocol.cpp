// The frame layer of the unit's line protocol: checksum, frame codec, payloads and the
// stream parser's behaviour on garbage.
#include "crc16.h"
#include "frameparser.h"
#include "linkframe.h"
#include "linkpayload.h"

#include <QRandomGenerator>
#include <QtTest>

class TestLinkProtocol : public QObject
{
    Q_OBJECT
private slots:
    void crcCheckValues_data();
    void crcCheckValues();
    void frameRoundTrip_data();
    void frameRoundTrip();
    void frameDecodeRejects_data();
    void frameDecodeRejects();
    void singleByteErrorsAreDetected();
    void readAnswerPayload_data();
    void readAnswerPayload();
    void strictNumbers_data();
    void strictNumbers();
    void chunkAnswerLimits_data();
    void chunkAnswerLimits();
    void parserSplitsAndResynchronises();
    void parserBoundsOverlongLines();
    void parserSurvivesRandomBytes();
    void parserAcceptsFramesSplitAnywhere();
};

void TestLinkProtocol::crcCheckValues_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("crc");
    // CRC-16/CCITT-FALSE reference values.
    QTest::newRow("check") << QByteArray("123456789") << 0x29B1;
    QTest::newRow("empty") << QByteArray() << 0xFFFF;
    QTest::newRow("A") << QByteArray("A") << 0xB915;
    QTest::newRow("identify") << QByteArray("01I") << 0xE670;
    QTest::newRow("zeros") << QByteArray(4, '\0') << 0x84C0;
}

void TestLinkProtocol::crcCheckValues()
{
    QFETCH(QByteArray, data);
    QFETCH(int, crc);
    QCOMPARE(int(Crc16::compute(data)), crc);
}

void TestLinkProtocol::frameRoundTrip_data()
{
    QTest::addColumn<int>("seq");
    QTest::addColumn<char>("type");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("identify") << 1 << 'I' << QByteArray() << QByteArray("#01I*E670\n");
    QTest::newRow("read") << 0x2a << 'R' << QByteArray("100,111") << QByteArray();
    QTest::newRow("record text") << 0xff << 'g' << QByteArray("604:0:9:5;rpm:0,1") << QByteArray();
    QTest::newRow("negative value") << 0 << 'w' << QByteArray("521:-100") << QByteArray();
}

void TestLinkProtocol::frameRoundTrip()
{
    QFETCH(int, seq);
    QFETCH(char, type);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, wire);
    const LinkFrame frame(quint8(seq), type, payload);
    const QByteArray bytes = frame.encode();
    if (!wire.isEmpty())
        QCOMPARE(bytes, wire);
    QVERIFY(bytes.endsWith('\n'));
    LinkFrame decoded;
    QCOMPARE(LinkFrame::decode(bytes.left(bytes.size() - 1), &decoded), LinkFrame::NoError);
    QVERIFY(decoded == frame);
    // A terminal may send CR LF.
    QCOMPARE(LinkFrame::decode(bytes.left(bytes.size() - 1) + '\r', &decoded), LinkFrame::NoError);
}

void TestLinkProtocol::frameDecodeRejects_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("error");
    QTest::newRow("too short") << QByteArray("#01*E67") << int(LinkFrame::TooShort);
    QTest::newRow("no start") << QByteArray("x01I*E670") << int(LinkFrame::BadSyntax);
    QTest::newRow("no crc mark") << QByteArray("#01IxE670") << int(LinkFrame::BadSyntax);
    QTest::newRow("bad seq") << QByteArray("#0gI*E670") << int(LinkFrame::BadSyntax);
    QTest::newRow("bad crc digits") << QByteArray("#01I*E6Z0") << int(LinkFrame::BadSyntax);
    QTest::newRow("wrong crc") << QByteArray("#01I*E671") << int(LinkFrame::BadChecksum);
    QTest::newRow("control character")
            << QByteArray("#01R1\t0*0000") << int(LinkFrame::BadCharacter);
    QTest::newRow("type not a letter")
            << LinkFrame(1, '7').encode().trimmed() << int(LinkFrame::BadSyntax);
}

void TestLinkProtocol::frameDecodeRejects()
{
    QFETCH(QByteArray, line);
    QFETCH(int, error);
    LinkFrame frame(9, 'x', "keep");
    QCOMPARE(int(LinkFrame::decode(line, &frame)), error);
    // A rejected line leaves the frame as it was: nothing of it is taken.
    QVERIFY(frame == LinkFrame(9, 'x', "keep"));
}

void TestLinkProtocol::singleByteErrorsAreDetected()
{
    // Every change of one character of a frame's body must be caught by the checksum.
    const QByteArray line = LinkFrame(0x3c, 'r', "100:74,111:1520,533:210").encode().trimmed();
    for (int i = 1; i < line.size(); ++i) {
        for (int c = 0x20; c < 0x7f; ++c) {
            if (c == line.at(i) || c == '#')
                continue;
            QByteArray bad = line;
            bad[i] = char(c);
            LinkFrame frame;
            QVERIFY2(LinkFrame::decode(bad, &frame) != LinkFrame::NoError,
                     qPrintable(QString::fromLatin1(bad)));
        }
    }
}

void TestLinkProtocol::readAnswerPayload_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("entries");
    QTest::newRow("values") << QByteArray("100:74,111:1520,521:-100") << true << 3;
    QTest::newRow("error entry") << QByteArray("100:74,999!2") << true << 2;
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("empty entry") << QByteArray("100:74,,111:1") << false << 0;
    QTest::newRow("both marks") << QByteArray("100:7!2") << false << 0;
    QTest::newRow("zero error") << QByteArray("100!0") << false << 0;
    QTest::newRow("no value") << QByteArray("100:") << false << 0;
    QTest::newRow("address too big") << QByteArray("70000:1") << false << 0;
    QTest::newRow("negative address") << QByteArray("-1:1") << false << 0;
    QTest::newRow("too many") << QByteArray("1:1,").repeated(33).chopped(1) << false << 0;
}

void TestLinkProtocol::readAnswerPayload()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, valid);
    QFETCH(int, entries);
    QVector<LinkPayload::ReadEntry> parsed;
    QCOMPARE(LinkPayload::parseReadAnswer(payload, &parsed), valid);
    if (!valid)
        return;
    QCOMPARE(parsed.size(), entries);
    QCOMPARE(LinkPayload::readAnswer(parsed), payload);
}

void TestLinkProtocol::strictNumbers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("negative") << QByteArray("-150") << true << -150;
    QTest::newRow("int max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << true << int(-2147483647 - 1);
    QTest::newRow("overflow") << QByteArray("2147483648") << false << 0;
    QTest::newRow("eleven digits") << QByteArray("12345678901") << false << 0;
    QTest::newRow("plus sign") << QByteArray("+5") << false << 0;
    QTest::newRow("blank") << QByteArray(" 5") << false << 0;
    QTest::newRow("minus only") << QByteArray("-") << false << 0;
    QTest::newRow("hex") << QByteArray("0x10") << false << 0;
}

void TestLinkProtocol::strictNumbers()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    int parsed = 12345;
    QCOMPARE(LinkPayload::parseInt(text, &parsed), valid);
    QCOMPARE(parsed, valid ? value : 12345);
}

void TestLinkProtocol::chunkAnswerLimits_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("valid");
    QTest::newRow("first chunk") << QByteArray("604:0:10:5;rpm:0") << true;
    QTest::newRow("data with colons") << QByteArray("604:0:7:a:b:c:d") << true;
    QTest::newRow("empty record") << QByteArray("610:0:0:") << true;
    QTest::newRow("beyond total") << QByteArray("604:8:10:abc") << false;
    QTest::newRow("empty but not at end") << QByteArray("604:0:10:") << false;
    QTest::newRow("negative offset") << QByteArray("604:-1:10:a") << false;
    QTest::newRow("missing total") << QByteArray("604:0") << false;
    QTest::newRow("oversized chunk") << QByteArray("604:0:1000:") + QByteArray(481, 'x') << false;
}

void TestLinkProtocol::chunkAnswerLimits()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, valid);
    LinkPayload::Chunk chunk;
    QCOMPARE(LinkPayload::parseChunkAnswer(payload, &chunk), valid);
    if (valid)
        QCOMPARE(LinkPayload::chunkAnswer(chunk), payload);
}

void TestLinkProtocol::parserSplitsAndResynchronises()
{
    const QByteArray a = LinkFrame(1, 'r', "100:74").encode();
    const QByteArray b = LinkFrame(2, 'w', "303:100").encode();
    QByteArray badCrc = LinkFrame(3, 'r', "100:99").encode();
    badCrc[badCrc.size() - 2] = badCrc.at(badCrc.size() - 2) == '0' ? '1' : '0';
    const QByteArray truncated = a.left(a.size() - 4); // cut off, then a new frame starts

    FrameParser parser;
    QVector<LinkFrame> frames;
    const int rejected =
            parser.feed("noise\n\x01\xff" + a + badCrc + truncated + b + "tail", &frames);
    QCOMPARE(frames.size(), 2);
    QCOMPARE(frames.at(0).payload, QByteArray("100:74"));
    QCOMPARE(frames.at(1).payload, QByteArray("303:100"));
    QCOMPARE(rejected, 2);
    QCOMPARE(parser.counters().badFrames, 1);
    QCOMPARE(parser.counters().cutFrames, 1);
}

void TestLinkProtocol::parserBoundsOverlongLines()
{
    FrameParser parser;
    QVector<LinkFrame> frames;
    // An endless frame without an end: the buffer never grows past the frame limit.
    parser.feed("#", &frames);
    for (int i = 0; i < 200; ++i) {
        parser.feed(QByteArray(1000, 'x'), &frames);
        QVERIFY(parser.bufferedBytes() <= LinkFrame::MaxFrameSize);
    }
    QCOMPARE(parser.counters().overlong, 1);
    // The rest of the long line is skipped; the next frame is found.
    parser.feed("still junk\n" + LinkFrame(5, 'i', "x").encode(), &frames);
    QCOMPARE(frames.size(), 1);
    QCOMPARE(frames.at(0).seq, quint8(5));
    // A frame of exactly the largest size passes.
    const QByteArray longest =
            LinkFrame(6, 'g', QByteArray(LinkFrame::MaxFrameSize - LinkFrame::Overhead, 'a'))
                    .encode();
    QCOMPARE(longest.size(), LinkFrame::MaxFrameSize);
    frames.clear();
    parser.feed(longest, &frames);
    QCOMPARE(frames.size(), 1);
}

void TestLinkProtocol::parserSurvivesRandomBytes()
{
    QRandomGenerator random(4242);
    FrameParser parser;
    QVector<LinkFrame> frames;
    for (int round = 0; round < 2000; ++round) {
        QByteArray junk(int(random.bounded(1, 600)), Qt::Uninitialized);
        for (char& c : junk) {
            // Mostly frame-like characters, so that many near-frames are tried.
            const quint32 r = random.bounded(100);
            c = r < 5 ? '#' : (r < 10 ? '\n' : (r < 15 ? '*' : char(random.bounded(256))));
        }
        parser.feed(junk, &frames);
        QVERIFY(parser.bufferedBytes() <= LinkFrame::MaxFrameSize);
    }
    // Nothing random passes a 16-bit checksum plus the syntax often enough to matter; what
    // passes is a syntactically complete frame.
    QVERIFY(frames.size() < 3);
    frames.clear();
    parser.feed(LinkFrame(7, 'r', "100:74").encode(), &frames);
    QCOMPARE(frames.size(), 1);
}

void TestLinkProtocol::parserAcceptsFramesSplitAnywhere()
{
    const QByteArray stream = LinkFrame(1, 'r', "100:74,111:1520").encode() +
                              LinkFrame(2, 'g', "604:0:3:5;a").encode();
    for (int cut = 0; cut <= stream.size(); ++cut) {
        FrameParser parser;
        QVector<LinkFrame> frames;
        parser.feed(stream.left(cut), &frames);
        parser.feed(stream.mid(cut), &frames);
        QCOMPARE(frames.size(), 2);
    }
}

QTEST_APPLESS_MAIN(TestLinkProtocol)
#include "tst_linkprotocol.moc"
