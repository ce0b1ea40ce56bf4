// How close the device link comes to the line rate when it reads the unit's whole parameter
// space: the virtual unit holds both directions to 115200 baud, and the time for all 108
// answers is set against the time the bytes need on the wire (goal: at most 1.25 times it).
// The benchmark waits in an event loop woken by the link's signals, never spinning.
#include "serialmanager.h"
#include "simhost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// The model builder's addresses as the unit knows them (the program's copies 1524, 1533 and
// 1534 excluded), plus the device information 1, 2 and 3.
const int parameterSpace[] = {
        1,   2,   3,   100, 101, 103, 104, 111, 112, 113, 114, 115, 116, 117, 121, 122, 124, 125,
        126, 127, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 142, 150, 152, 203, 204, 205,
        206, 207, 209, 210, 211, 212, 216, 217, 218, 219, 220, 222, 223, 225, 226, 227, 228, 290,
        291, 300, 301, 302, 303, 304, 305, 306, 307, 308, 309, 310, 311, 312, 313, 314, 315, 316,
        317, 318, 319, 320, 321, 322, 340, 341, 342, 345, 346, 347, 400, 401, 402, 406, 411, 451,
        500, 511, 512, 521, 522, 523, 524, 525, 526, 527, 528, 529, 530, 531, 532, 533, 534, 535};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (!SimServer::pseudoTerminalsAvailable()) {
        printf("bench_serialread: no pseudo-terminals here, nothing measured\n");
        return 0;
    }
    constexpr int count = int(sizeof parameterSpace / sizeof parameterSpace[0]);
    static_assert(count == 108, "the parameter space has 108 addresses");
    QStringList entries;
    for (const int a : parameterSpace)
        entries.append(QString::number(a).rightJustified(4, QLatin1Char('0')));
    const QString request = entries.join(QLatin1Char(','));

    QTemporaryDir dir;
    SimOptions options;
    options.linkPath = dir.filePath(QStringLiteral("unit"));
    options.pace = true;
    options.baud = 115200;
    qputenv("HX_SERIAL_PORT", QFile::encodeName(options.linkPath));
    SimHost sim(options);
    if (!sim.started()) {
        fprintf(stderr, "bench_serialread: the virtual unit did not start: %s\n",
                qPrintable(sim.error()));
        return 1;
    }

    SerialManager link;
    int answers = 0;
    bool connected = false;
    // The wait sleeps in an event loop that each signal of the link wakes to look again,
    // so that the benchmark itself takes no CPU from the link while it waits.
    QEventLoop* waiting = nullptr;
    QObject::connect(&link, &SerialManager::_portStatusChanged, &app, [&](int s) {
        connected = s == 100;
        if (waiting)
            waiting->quit();
    });
    QObject::connect(&link, &SerialManager::_responseToUpdateUi, &app, [&](const QVariant&) {
        ++answers;
        if (waiting)
            waiting->quit();
    });
    link.start(QThread::HighPriority);
    const auto waitFor = [&waiting](const std::function<bool()>& done, int ms) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms) {
            QEventLoop loop;
            QTimer timeout;
            timeout.setSingleShot(true);
            QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
            timeout.start(int(qMax<qint64>(1, ms - t.elapsed())));
            waiting = &loop;
            loop.exec();
            waiting = nullptr;
        }
        return done();
    };
    if (!waitFor([&]() { return connected; }, 5000)) {
        fprintf(stderr, "bench_serialread: the link did not connect\n");
        return 1;
    }

    constexpr int rounds = 15;
    QVector<double> ratios;
    QVector<double> times;
    qint64 bytesUp = 0;
    qint64 bytesDown = 0;
    for (int round = 0; round < rounds; ++round) {
        waitFor([]() { return false; }, 50); // an idle line between rounds
        sim.run([&sim]() { sim.server()->session().clearCounters(); });
        answers = 0;
        QElapsedTimer clock;
        clock.start();
        link.requestRead(request);
        if (!waitFor([&]() { return answers >= count; }, 5000)) {
            fprintf(stderr, "bench_serialread: only %d of %d answers\n", answers, count);
            return 1;
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        const SimSession::Counters c =
                sim.get<SimSession::Counters>([](SimServer* s) { return s->session().counters(); });
        bytesUp = c.bytesIn;
        bytesDown = c.bytesOut;
        // Full duplex: the busier direction bounds the time from below.
        const double boundMs = qMax(bytesUp, bytesDown) * 10.0 * 1000.0 / options.baud;
        times.append(ms);
        ratios.append(ms / boundMs);
    }
    link.quit();
    link.wait(1000);

    std::sort(times.begin(), times.end());
    std::sort(ratios.begin(), ratios.end());
    const double boundMs = qMax(bytesUp, bytesDown) * 10.0 * 1000.0 / options.baud;
    const double serialBoundMs = (bytesUp + bytesDown) * 10.0 * 1000.0 / options.baud;
    printf("read of %d addresses at %d baud, %d rounds\n", count, options.baud, rounds);
    printf("  bytes on the wire: %lld to the unit, %lld from the unit, %.1f per parameter read\n",
           bytesUp, bytesDown, double(bytesUp + bytesDown) / count);
    printf("  line-time lower bound (busier direction): %.1f ms (both directions in turn: %.1f "
           "ms)\n",
           boundMs, serialBoundMs);
    printf("  time: median %.1f ms, best %.1f ms, worst %.1f ms\n", times.at(rounds / 2),
           times.first(), times.last());
    printf("  ratio to the lower bound: median %.3f, best %.3f, worst %.3f (goal <= 1.25)\n",
           ratios.at(rounds / 2), ratios.first(), ratios.last());
    return 0;
}
