// Start-up of the program against a minimal Qt widget program, measured in the same run:
// time from process start until the controller and its window are built (the program's
// deliberate two-second splash is not part of it), and peak resident memory over a run
// that also shows the window. Printed as milliseconds, megabytes and ratios.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

struct Sample
{
    double readyMs = -1;
    double peakMb = -1;
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

Sample runOnce(const QString& program, const QString& workDir, const QString& home)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", env.value("QT_QPA_PLATFORM", "offscreen"));
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("HX_SERIAL_PORT", home + "/no-unit");
    env.insert("HX_STARTUP_PROBE", "1");
    env.insert("HX_QUIT_AFTER_MS", "2600"); // the window shows at 2000 ms
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    Sample sample;
    QElapsedTimer clock;
    clock.start();
    process.start(program, QStringList());
    if (!process.waitForStarted(10000))
        return sample;
    while (process.state() == QProcess::Running) {
        if (sample.readyMs < 0 && process.canReadLine()) {
            const QByteArray line = process.readLine();
            if (line.contains("ready"))
                sample.readyMs = clock.nsecsElapsed() / 1e6;
        }
        const double peak = peakResidentMb(process.processId());
        if (peak > 0)
            sample.peakMb = std::max(sample.peakMb, peak);
        process.waitForReadyRead(5);
    }
    process.waitForFinished(10000);
    if (sample.readyMs < 0 && process.readAllStandardOutput().contains("ready"))
        sample.readyMs = clock.nsecsElapsed() / 1e6; // too coarse, but present
    return sample;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // A working folder that holds the program's data, as the installation does.
    const QString workDir = dir.filePath("work");
    QDir().mkpath(workDir);
    for (const char* folder : {"images", "docs", "charts"})
        QFile::link(QDir::current().absoluteFilePath(QLatin1String(folder)),
                    workDir + "/" + QLatin1String(folder));

    const int runs = 5;
    QVector<double> mainReady, mainPeak, baseReady, basePeak;
    // Interleaved, so that a busy moment of the machine hits both alike.
    for (int i = 0; i < runs; ++i) {
        const Sample base = runOnce(QStringLiteral(MINIMALWIDGET_PATH), workDir, dir.path());
        const Sample program = runOnce(QStringLiteral(HXMAIN_PATH), workDir, dir.path());
        baseReady << base.readyMs;
        basePeak << base.peakMb;
        mainReady << program.readyMs;
        mainPeak << program.peakMb;
    }
    const double r = median(mainReady), rb = median(baseReady);
    const double m = median(mainPeak), mb = median(basePeak);
    printf("start-up to controller and window built (median of %d runs):\n", runs);
    printf("  hxmain          %8.1f ms\n  minimal widget  %8.1f ms\n  ratio           %8.2f\n", r,
           rb, rb > 0 ? r / rb : -1.0);
    printf("peak resident memory over a run that shows the window:\n");
    printf("  hxmain          %8.1f MB\n  minimal widget  %8.1f MB\n  ratio           %8.2f\n", m,
           mb, mb > 0 ? m / mb : -1.0);
    return 0;
}
