// hxsim: a virtual gyro unit on a pseudo-terminal (or a serial device), speaking the
// protocol of docs/protocol.md. See README.md for the options.
#include "simserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

bool parseShare(const QString& text, double* share)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < 0 || v > 1)
        return false;
    *share = v;
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("hxsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "A virtual gyro unit. Prints HXSIM_PORT=<path> as its first line; point the program "
            "at it with HX_SERIAL_PORT=<path>."));
    parser.addHelpOption();
    const QCommandLineOption link(
            QStringLiteral("link"),
            QStringLiteral("Keep a symbolic link to the current pseudo-terminal at <path>."),
            QStringLiteral("path"));
    const QCommandLineOption device(
            QStringLiteral("device"),
            QStringLiteral("Use this serial device instead of a pseudo-terminal."),
            QStringLiteral("device"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Baud rate of the device and of --pace (115200)."),
                                  QStringLiteral("rate"), QStringLiteral("115200"));
    const QCommandLineOption state(
            QStringLiteral("state"),
            QStringLiteral("Keep the unit's settings in this file between runs."),
            QStringLiteral("file"));
    const QCommandLineOption drop(QStringLiteral("drop"),
                                  QStringLiteral("Share of frames lost in each direction (0..1)."),
                                  QStringLiteral("share"), QStringLiteral("0"));
    const QCommandLineOption corrupt(
            QStringLiteral("corrupt"),
            QStringLiteral("Share of frames garbled in each direction (0..1)."),
            QStringLiteral("share"), QStringLiteral("0"));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Delay every answer by this many milliseconds."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption silent(QStringLiteral("silent-after"),
                                    QStringLiteral("Stop answering after this many requests."),
                                    QStringLiteral("n"));
    const QCommandLineOption unplug(QStringLiteral("unplug-after"),
                                    QStringLiteral("Unplug the unit after this many seconds."),
                                    QStringLiteral("s"));
    const QCommandLineOption replug(QStringLiteral("replug-after"),
                                    QStringLiteral("Plug it in again this many seconds after "
                                                   "unplugging (also after the bootloader)."),
                                    QStringLiteral("s"));
    const QCommandLineOption pace(
            QStringLiteral("pace"),
            QStringLiteral("Hold both directions to the line rate of --baud."));
    const QCommandLineOption seed(
            QStringLiteral("seed"),
            QStringLiteral("Seed of the live values, the flight log and the faults."),
            QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption serial(QStringLiteral("serial"),
                                    QStringLiteral("Serial number of the unit."),
                                    QStringLiteral("n"), QStringLiteral("100001"));
    const QCommandLineOption gps(QStringLiteral("gps-fix-after"),
                                 QStringLiteral("Seconds until the GPS has its fix."),
                                 QStringLiteral("s"), QStringLiteral("4"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Print every frame to stderr."));
    parser.addOptions({link, device, baud, state, drop, corrupt, delay, silent, unplug, replug,
                       pace, seed, serial, gps, verbose});
    parser.process(app);

    SimOptions options;
    bool ok = true;
    const auto fail = [](const char* what) {
        fprintf(stderr, "hxsim: bad value for --%s\n", what);
        return 2;
    };
    options.linkPath = parser.value(link);
    options.device = parser.value(device);
    options.baud = parser.value(baud).toInt(&ok);
    if (!ok || options.baud <= 0)
        return fail("baud");
    options.stateFile = parser.value(state);
    if (!parseShare(parser.value(drop), &options.dropShare))
        return fail("drop");
    if (!parseShare(parser.value(corrupt), &options.corruptShare))
        return fail("corrupt");
    options.answerDelayMs = parser.value(delay).toInt(&ok);
    if (!ok || options.answerDelayMs < 0)
        return fail("delay");
    if (parser.isSet(silent)) {
        options.silentAfter = parser.value(silent).toInt(&ok);
        if (!ok || options.silentAfter < 0)
            return fail("silent-after");
    }
    if (parser.isSet(unplug)) {
        options.unplugAfter = parser.value(unplug).toDouble(&ok);
        if (!ok || options.unplugAfter < 0)
            return fail("unplug-after");
    }
    if (parser.isSet(replug)) {
        options.replugAfter = parser.value(replug).toDouble(&ok);
        if (!ok || options.replugAfter < 0)
            return fail("replug-after");
    }
    options.pace = parser.isSet(pace);
    options.seed = parser.value(seed).toUInt(&ok);
    if (!ok)
        return fail("seed");
    options.serialNumber = parser.value(serial).toInt(&ok);
    if (!ok || options.serialNumber < 0)
        return fail("serial");
    options.gpsFixAfter = parser.value(gps).toDouble(&ok);
    if (!ok || options.gpsFixAfter < 0)
        return fail("gps-fix-after");
    options.verbose = parser.isSet(verbose);

    SimServer server(options);
    QString error;
    if (!server.start(&error)) {
        fprintf(stderr, "hxsim: %s\n", qPrintable(error));
        return 1;
    }
    // The first line is for scripts: where to point the program.
    printf("HXSIM_PORT=%s\n", qPrintable(server.portPath()));
    fflush(stdout);

    QObject::connect(&server, &SimServer::plugged, [](const QString& path) {
        fprintf(stderr, "hxsim: plugged in at %s\n", qPrintable(path));
    });
    QObject::connect(&server, &SimServer::unplugged,
                     []() { fprintf(stderr, "hxsim: unplugged\n"); });
    QObject::connect(&server, &SimServer::bootloaderEntered, [&app, &options]() {
        fprintf(stderr, "hxsim: bootloader entered, the link is closed\n");
        if (options.replugAfter < 0)
            app.quit();
    });

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&app]() {
        if (stopRequested)
            app.quit();
    });
    watch.start(100);

    const int result = app.exec();
    server.stop();
    return result;
}
