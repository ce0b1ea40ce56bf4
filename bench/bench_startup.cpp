// Start-up of the program against the floor program (chartfloor: a web view with the chart
// page and its two scripts, nothing else), interleaved round by round so that a busy moment
// of the machine hits both alike:
//   - time from process start until the program's controller and window are built (the
//     deliberate two-second splash is not part of it), against the floor's loadFinished;
//   - peak resident memory (VmHWM) over a run that shows the window and, for the program,
//     is connected to the virtual unit and polls it for three seconds;
//   - from the window being shown to its first drawing, so that work put off until after
//     "ready" is not simply hidden: the program shows its window 2 s after it is ready,
//     the floor 2 s after its start.
// Printed as medians of the per-round ratios (and of the raw figures); never asserted.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

const int QuitAfterMs = 5000; // window shown at 2000 ms, then three seconds of polling

QString hxmainPath;
QString floorPath;

struct Sample
{
    double readyMs = -1;
    double peakMb = -1;
    double ownReadyMs = -1; // as the program itself counts, from its entry
    double ownPaintedMs = -1;
    int frames = -1; // frames the virtual unit saw (program runs only)
};

// VmHWM of a running process, in megabytes (Linux); -1 where it cannot be read.
double peakResidentMb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

Sample runOnce(const QString& program, const QString& workDir, const QString& home,
               const QString& port)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", env.value("QT_QPA_PLATFORM", "offscreen"));
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("HX_SERIAL_PORT", port.isEmpty() ? home + "/no-unit" : port);
    env.insert("HX_STARTUP_PROBE", "1");
    env.insert("HX_QUIT_AFTER_MS", QString::number(QuitAfterMs));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    Sample sample;
    QElapsedTimer clock;
    clock.start();
    process.start(program, QStringList());
    if (!process.waitForStarted(10000))
        return sample;
    while (process.state() == QProcess::Running) {
        while (process.canReadLine()) {
            const QByteArray line = process.readLine();
            const double own = line.trimmed().split(' ').last().toDouble();
            if (line.contains("ready") && sample.readyMs < 0) {
                sample.readyMs = clock.nsecsElapsed() / 1e6;
                sample.ownReadyMs = own;
            } else if (line.contains("painted")) {
                sample.ownPaintedMs = own;
            }
        }
        const double peak = peakResidentMb(process.processId());
        if (peak > 0)
            sample.peakMb = std::max(sample.peakMb, peak);
        process.waitForReadyRead(5);
    }
    process.waitForFinished(10000);
    return sample;
}

Sample runProgram(const QString& workDir, const QString& home)
{
#ifdef HXSIM_PATH
    QProcess sim;
    sim.start(QStringLiteral(HXSIM_PATH), {QStringLiteral("--verbose")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000))
        return Sample();
    const QByteArray first = sim.readLine().trimmed();
    const QString port = QString::fromLocal8Bit(first.mid(first.indexOf('=') + 1));
    Sample sample = runOnce(hxmainPath, workDir, home, port);
    sim.terminate();
    sim.waitForFinished(5000);
    sample.frames = sim.readAllStandardError().count('\n');
    return sample;
#else
    return runOnce(hxmainPath, workDir, home, QString());
#endif
}

// The program beside the benchmark's own folder when it is there (a copied build tree, as
// for a before-and-after comparison), else the one of this build.
QString besideOrBuilt(const QString& relative, const char* built)
{
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + relative;
    return QFile::exists(beside) ? beside : QString::fromLocal8Bit(built);
}

double median(QVector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }),
                 values.end());
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2.0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    hxmainPath = besideOrBuilt(QStringLiteral("../bin/hxmain"), HXMAIN_PATH);
    floorPath = besideOrBuilt(QStringLiteral("chartfloor"), CHARTFLOOR_PATH);
    QTemporaryDir dir;
    // A working folder that holds the program's data, as the installation does.
    const QString workDir = dir.filePath("work");
    QDir().mkpath(workDir);
    for (const char* folder : {"images", "docs", "charts"})
        QFile::link(QDir::current().absoluteFilePath(QLatin1String(folder)),
                    workDir + "/" + QLatin1String(folder));

    // A build made without a network has a chart page without its scripts: the floor then
    // runs none, and every figure below is against less than the real floor.
    for (const char* script : {"charts/jquery-3.1.1.min.js", "charts/highstock.js"}) {
        if (!QFile::exists(QLatin1String(script)))
            printf("note: %s is missing (build made without a network): the floor below runs "
                   "without it and is lower than the real one\n",
                   script);
    }

    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("HX_BENCH_ROUNDS", &ok);
    const int rounds = ok && asked > 0 ? asked : 9;
    QVector<double> mainReady, mainPeak, floorReady, floorPeak, readyRatio, peakRatio, frames;
    QVector<double> mainShowToPaint, floorShowToPaint;
    for (int i = 0; i < rounds; ++i) {
        Sample floor, program;
        // Alternate which one goes first, so neither always meets a warmer cache.
        if (i % 2 == 0) {
            floor = runOnce(floorPath, workDir, dir.path(), QString());
            program = runProgram(workDir, dir.path());
        } else {
            program = runProgram(workDir, dir.path());
            floor = runOnce(floorPath, workDir, dir.path(), QString());
        }
        floorReady << floor.readyMs;
        floorPeak << floor.peakMb;
        mainReady << program.readyMs;
        mainPeak << program.peakMb;
        frames << program.frames;
        mainShowToPaint << (program.ownPaintedMs > 0 && program.ownReadyMs >= 0
                                    ? program.ownPaintedMs - program.ownReadyMs - 2000
                                    : -1);
        floorShowToPaint << (floor.ownPaintedMs > 0 ? floor.ownPaintedMs - 2000 : -1);
        readyRatio << (floor.readyMs > 0 && program.readyMs > 0 ? program.readyMs / floor.readyMs
                                                                : -1);
        peakRatio << (floor.peakMb > 0 && program.peakMb > 0 ? program.peakMb / floor.peakMb : -1);
    }
    printf("start-up: process start to controller and window built (hxmain) against process "
           "start to the chart page loaded (floor), %d interleaved rounds, medians:\n",
           rounds);
    printf("  hxmain          %8.1f ms\n  floor           %8.1f ms\n", median(mainReady),
           median(floorReady));
    printf("  ratio           %8.2f   (median of per-round ratios; goal <= 1.3)\n",
           median(readyRatio));
    printf("window shown to first drawn (hxmain: styled and help pages filled while the "
           "splash was up), medians:\n");
    printf("  hxmain          %8.1f ms\n  floor           %8.1f ms\n", median(mainShowToPaint),
           median(floorShowToPaint));
    printf("peak resident memory (VmHWM) over %d ms: hxmain shown, connected to the virtual "
           "unit and polling, against the floor shown with its chart page:\n",
           QuitAfterMs);
    printf("  hxmain          %8.1f MB\n  floor           %8.1f MB\n", median(mainPeak),
           median(floorPeak));
    printf("  ratio           %8.2f   (median of per-round ratios; goal <= 1.0)\n",
           median(peakRatio));
    printf("  frames the virtual unit logged per hxmain run (median): %.0f\n", median(frames));
    return 0;
}
