// The virtual unit's model: its parameter space, commands, live values, flight log, state
// file and its end of the protocol.
#include "linkframe.h"
#include "linkpayload.h"
#include "simparametertable.h"
#include "simsession.h"
#include "simunit.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Every address the program reads or writes on the unit: the tab lists, the file save
// list, the device information and the command addresses.
const QVector<int> programAddresses = {
        1,   2,   3,   10,  100, 101, 102, 103, 104, 111, 112, 113, 114, 115, 116, 117,
        121, 122, 124, 125, 126, 127, 129, 131, 132, 133, 134, 135, 136, 137, 138, 139,
        140, 141, 142, 150, 152, 203, 204, 205, 206, 207, 209, 210, 211, 212, 216, 217,
        218, 219, 220, 222, 223, 224, 225, 226, 227, 228, 290, 291, 292, 300, 301, 302,
        303, 304, 305, 306, 307, 308, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318,
        319, 320, 321, 322, 340, 341, 342, 343, 344, 345, 346, 347, 348, 349, 400, 401,
        402, 406, 411, 451, 500, 511, 512, 521, 522, 523, 524, 525, 526, 527, 528, 529,
        530, 531, 532, 533, 534, 535, 600, 604, 610, 614, 620, 624, 630, 634, 640, 644};

QByteArray request(quint8 seq, char type, const QByteArray& payload = QByteArray())
{
    return LinkFrame(seq, type, payload).encode();
}

QVector<LinkFrame> answers(const QByteArray& bytes)
{
    FrameParser parser;
    QVector<LinkFrame> frames;
    parser.feed(bytes, &frames);
    return frames;
}

} // namespace

class TestSimUnit : public QObject
{
    Q_OBJECT
private slots:
    void knowsTheProgramsAddresses();
    void writesAreClampedAndConfirmed_data();
    void writesAreClampedAndConfirmed();
    void resetGroupsRestoreDefaults_data();
    void resetGroupsRestoreDefaults();
    void commands();
    void liveValuesMoveLikeAUnit();
    void flightLogRecordsArePlausible();
    void stateRoundTrip();
    void sessionAnswersEachRequestType();
    void sessionCarriesOutAResentWriteOnce();
    void sessionNaksGarbledFrames();
    void sessionFallsSilent();
};

void TestSimUnit::knowsTheProgramsAddresses()
{
    for (const int address : programAddresses)
        QVERIFY2(SimParameterTable::find(address), qPrintable(QString::number(address)));
    for (const SimParameterTable::Definition& d : SimParameterTable::all()) {
        QVERIFY2(d.minimum <= d.defaultValue && d.defaultValue <= d.maximum,
                 qPrintable(QString::number(d.address)));
        QVERIFY(programAddresses.contains(d.address));
    }
    QVERIFY(!SimParameterTable::find(1524));
}

void TestSimUnit::writesAreClampedAndConfirmed_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("stored");
    QTest::newRow("in range") << 303 << 120 << 0 << 120;
    QTest::newRow("above") << 303 << 151 << 0 << 150;
    QTest::newRow("below") << 304 << -5 << 0 << 300;
    QTest::newRow("motor off raw is positive") << 521 << -100 << 0 << 50;
    QTest::newRow("phasing angle") << 211 << 359 << 0 << 359;
    QTest::newRow("unknown") << 999 << 1 << int(SimUnit::UnknownAddress) << 0;
    QTest::newRow("live value") << 111 << 1500 << int(SimUnit::ReadOnly) << 0;
    QTest::newRow("record") << 600 << 1 << int(SimUnit::ReadOnly) << 0;
    QTest::newRow("firmware version") << 2 << 216 << int(SimUnit::ReadOnly) << 0;
    QTest::newRow("unknown reset group") << 10 << 99 << int(SimUnit::Refused) << 0;
    QTest::newRow("bind DSM2") << 102 << 3 << 0 << 3;
    QTest::newRow("bind unknown") << 102 << 4 << int(SimUnit::Refused) << 0;
}

void TestSimUnit::writesAreClampedAndConfirmed()
{
    QFETCH(int, address);
    QFETCH(int, value);
    QFETCH(int, error);
    QFETCH(int, stored);
    SimUnit unit;
    const SimUnit::Result r = unit.write(address, value, 0);
    QCOMPARE(r.error, error);
    if (error) {
        QVERIFY(unit.appliedWrites().isEmpty());
        return;
    }
    QCOMPARE(r.value, stored);
    QCOMPARE(unit.read(address, 1).value, stored);
}

void TestSimUnit::resetGroupsRestoreDefaults_data()
{
    QTest::addColumn<int>("command");
    for (const int command : SimParameterTable::resetCommands())
        QTest::newRow(qPrintable(QString::number(command))) << command;
}

void TestSimUnit::resetGroupsRestoreDefaults()
{
    QFETCH(int, command);
    SimUnit unit;
    // Move every setting off its default.
    for (const SimParameterTable::Definition& d : SimParameterTable::all()) {
        if (d.access == SimParameterTable::Setting)
            unit.write(d.address, d.defaultValue == d.minimum ? d.maximum : d.minimum, 0);
    }
    QCOMPARE(unit.write(10, command, 0).error, 0);
    const QVector<int> group = SimParameterTable::resetGroup(command);
    QVERIFY(!group.isEmpty());
    for (const SimParameterTable::Definition& d : SimParameterTable::all()) {
        if (d.access != SimParameterTable::Setting)
            continue;
        const bool reset = group.contains(d.address);
        QCOMPARE(unit.setting(d.address) == d.defaultValue, reset);
    }
}

void TestSimUnit::commands()
{
    SimUnit unit;
    // Set centre: busy for a moment.
    QCOMPARE(unit.write(129, 1, 1000).error, 0);
    QVERIFY(unit.isBusy(1000 + SimUnit::BusyMs - 1));
    QVERIFY(!unit.isBusy(1000 + SimUnit::BusyMs));
    // Gyro off holds only while it is repeated.
    unit.write(224, 1, 5000);
    QCOMPARE(unit.read(224, 5000 + SimUnit::GyroOffMs - 1).value, 1);
    QCOMPARE(unit.read(224, 5000 + SimUnit::GyroOffMs).value, 0);
    // Bind mode: the receiver delivers nothing meanwhile.
    unit.write(102, 9, 10000);
    QCOMPARE(unit.read(102, 10001).value, 9);
    QCOMPARE(unit.read(111, 10001).value, 1520);
    QCOMPARE(unit.read(102, 10000 + SimUnit::BindMs).value, 0);
    // 9999 at address 2: the bootloader.
    QVERIFY(!unit.bootloaderRequested());
    QCOMPARE(unit.write(2, 9999, 0).value, 9999);
    QVERIFY(unit.bootloaderRequested());
    QCOMPARE(unit.read(2, 0).value, SimUnit::FirmwareVersion);
}

void TestSimUnit::liveValuesMoveLikeAUnit()
{
    SimUnit unit(3);
    unit.setGpsFixAfter(4.0);
    QHash<int, int> previous;
    QHash<int, int> lowest;
    QHash<int, int> highest;
    double voltage = 0;
    int samples = 0;
    const QVector<int> live = {100, 111, 112, 113, 114, 115, 116,
                               117, 217, 218, 219, 220, 451, 500};
    for (qint64 t = 0; t <= 120000; t += 100, ++samples) {
        for (const int a : live) {
            const int v = unit.read(a, t).value;
            if (a >= 111 && a <= 117)
                QVERIFY(v >= 920 && v <= 2120);
            if (a >= 217 && a <= 220)
                QVERIFY(v >= 1120 && v <= 1920);
            if (a == 500)
                QVERIFY(v >= 0 && v <= 3599);
            if (a == 451)
                QCOMPARE(v > 0, t >= 4000);
            // Sticks move smoothly: no jumps between two polls (the switches 115, 117 may).
            if (previous.contains(a) && (a == 111 || a == 112 || a == 114 || a == 116))
                QVERIFY2(qAbs(v - previous.value(a)) < 120,
                         qPrintable(QStringLiteral("%1 at %2").arg(a).arg(t)));
            previous.insert(a, v);
            lowest.insert(a, qMin(lowest.value(a, v), v));
            highest.insert(a, qMax(highest.value(a, v), v));
        }
        voltage += unit.read(100, t).value;
    }
    QVERIFY(qAbs(voltage / samples - 74) < 1.5);
    // The sticks do travel.
    for (const int a : {111, 112, 113, 114, 116})
        QVERIFY2(highest.value(a) - lowest.value(a) > 500, qPrintable(QString::number(a)));
    for (const int a : {217, 218, 219, 220})
        QVERIFY2(highest.value(a) - lowest.value(a) > 200, qPrintable(QString::number(a)));
}

void TestSimUnit::flightLogRecordsArePlausible()
{
    SimUnit unit(5);
    const QRegularExpression event(QStringLiteral("^(\\d+)_(\\d+)$"));
    for (int n = 0; n < 5; ++n) {
        const QByteArray events = unit.record(600 + 10 * n);
        const QByteArray chart = unit.record(604 + 10 * n);
        QVERIFY(!events.contains('=') && !chart.contains('=') && !chart.contains('\n') &&
                !chart.contains('#'));
        int last = -1;
        QList<int> codes;
        for (const QByteArray& e : events.split(',')) {
            const QRegularExpressionMatch m = event.match(QString::fromLatin1(e));
            QVERIFY2(m.hasMatch(), e.constData());
            const int code = m.captured(1).toInt();
            const int time = m.captured(2).toInt();
            QVERIFY(code >= 1 && code <= 20);
            QVERIFY(time >= last);
            last = time;
            codes.append(code);
        }
        QCOMPARE(codes.first(), 1);
        QCOMPARE(codes.last(), 20);
        QVERIFY(codes.indexOf(2) < codes.indexOf(4) && codes.indexOf(4) < codes.indexOf(5) &&
                codes.indexOf(5) < codes.indexOf(3));

        const QList<QByteArray> parts = chart.split(';');
        QVERIFY(parts.first().toInt() > 0);
        QCOMPARE(parts.size(), 7);
        int count = -1;
        for (int i = 1; i < parts.size(); ++i) {
            const int colon = parts.at(i).indexOf(':');
            QVERIFY(colon > 0);
            const QList<QByteArray> values = parts.at(i).mid(colon + 1).split(',');
            if (count < 0)
                count = values.size();
            QCOMPARE(values.size(), count);
            for (const QByteArray& v : values) {
                bool ok = false;
                v.toInt(&ok);
                QVERIFY(ok);
            }
        }
        QVERIFY2(count >= 100 && count <= 300, qPrintable(QString::number(count)));
    }
}

void TestSimUnit::stateRoundTrip()
{
    SimUnit a;
    a.write(303, 77, 0);
    a.write(525, 1234, 0);
    QVERIFY(a.isDirty());
    const QByteArray state = a.saveState();
    QVERIFY(!a.isDirty());
    SimUnit b;
    QString error;
    QVERIFY(b.loadState(state, &error));
    QCOMPARE(b.setting(303), 77);
    QCOMPARE(b.setting(525), 1234);
    // Bad lines are skipped and values clamped; the rest is taken.
    SimUnit c;
    QVERIFY(!c.loadState("303=9999\ngarbage\n111=1000\n9999=1\n304=650\n", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(c.setting(303), 150);
    QCOMPARE(c.setting(304), 650);
}

void TestSimUnit::sessionAnswersEachRequestType()
{
    SimUnit unit;
    SimSession session(&unit);
    const QVector<LinkFrame> out = answers(session.receive(
            request(1, 'I') + request(2, 'R', "104,999,600") + request(3, 'W', "303:90") +
                    request(4, 'G', "614:0") + request(5, 'X') + request(6, 'R', "1,,2"),
            0));
    QCOMPARE(out.size(), 6);
    QCOMPARE(out.at(0).type, LinkFrame::IdentifyAnswer);
    QCOMPARE(out.at(1).payload, QByteArray("104:0,999!2,600!7"));
    QCOMPARE(out.at(2).payload, QByteArray("303:90"));
    LinkPayload::Chunk chunk;
    QVERIFY(LinkPayload::parseChunkAnswer(out.at(3).payload, &chunk));
    QCOMPARE(chunk.total, unit.record(614).size());
    QCOMPARE(chunk.data, unit.record(614).left(LinkPayload::MaxChunkSize));
    QCOMPARE(out.at(4).payload, QByteArray("6"));
    QCOMPARE(out.at(5).payload, QByteArray("1"));
    for (int i = 0; i < out.size(); ++i)
        QCOMPARE(out.at(i).seq, quint8(i + 1));
}

void TestSimUnit::sessionCarriesOutAResentWriteOnce()
{
    SimUnit unit;
    SimSession session(&unit);
    // The confirmation got lost and the computer sent the command again.
    session.receive(request(7, 'W', "10:80") + request(7, 'W', "10:80"), 0);
    QCOMPARE(unit.appliedWrites().size(), 1);
    QCOMPARE(session.counters().duplicateWrites, 1);
    // The same text later, after other requests, is a new write.
    session.receive(request(8, 'R', "104") + request(7, 'W', "10:80"), 0);
    QCOMPARE(unit.appliedWrites().size(), 2);
    // While busy every request is answered with "busy".
    session.receive(request(9, 'W', "129:1"), 0);
    const QVector<LinkFrame> busy =
            answers(session.receive(request(10, 'R', "104") + request(11, 'W', "303:1"), 10));
    QCOMPARE(busy.size(), 2);
    QCOMPARE(busy.at(0).payload, QByteArray("5"));
    QCOMPARE(busy.at(1).payload, QByteArray("5"));
    QCOMPARE(unit.setting(303), 100);
}

void TestSimUnit::sessionNaksGarbledFrames()
{
    SimUnit unit;
    SimSession session(&unit);
    QByteArray bad = request(1, 'W', "303:1");
    bad[5] = '4';
    const QVector<LinkFrame> out =
            answers(session.receive("junk" + bad + request(2, 'R', "303"), 0));
    QCOMPARE(out.size(), 2);
    QCOMPARE(out.at(0).type, LinkFrame::Nak);
    QCOMPARE(out.at(1).payload, QByteArray("303:100"));
    QVERIFY(unit.appliedWrites().isEmpty());
}

void TestSimUnit::sessionFallsSilent()
{
    SimUnit unit;
    SimSession session(&unit);
    SimSession::Faults faults;
    faults.silentAfter = 2;
    session.setFaults(faults);
    QCOMPARE(
            answers(session.receive(request(1, 'I') + request(2, 'I') + request(3, 'I'), 0)).size(),
            2);
    QVERIFY(session.receive(request(4, 'I'), 0).isEmpty());
    session.reset(); // plugged in again
    QCOMPARE(answers(session.receive(request(5, 'I'), 0)).size(), 1);
}

QTEST_APPLESS_MAIN(TestSimUnit)
#include "tst_simunit.moc"
