// CPU used by the program while it is connected to the virtual unit and polls it, tab by
// tab: the controller with its window and the real device link in this process, the unit
// in a process of its own (not counted). The program runs its real event loop (exec) the
// whole time; the figure is this process's CPU time (all threads, link included) over the
// wall time of each tab's measurement, as a share of one core. Goal on the receiver tab,
// whose live values are read every 100 ms: at most 2 %.
#include "maincontroller.h"
#include "mainwidget.h"

#include <appconfigmanager.h>
#include <resourcemanager.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// CPU time of the whole process, all threads. std::clock() would do on Unix, but on Windows
// it counts wall time.
double cpuSeconds()
{
#if defined(Q_OS_UNIX)
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
#elif defined(Q_OS_WIN)
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& t) {
        return (quint64(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7; // 100 ns units
    };
    return ticks(kernel) + ticks(user);
#else
    return double(std::clock()) / CLOCKS_PER_SEC;
#endif
}

// Runs the event loop for `ms` milliseconds.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // The adaptors' debug lines (one per gear-ratio value) would drown the results.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QProcess sim;
    sim.start(QStringLiteral(HXSIM_PATH), {QStringLiteral("--link"), dir.filePath("unit")});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        printf("bench_polling: the virtual unit did not start, nothing measured\n");
        return 0;
    }
    const QByteArray first = sim.readLine().trimmed();
    qputenv("HX_SERIAL_PORT", first.mid(first.indexOf('=') + 1));

    ResourceManager::instance(QStringLiteral("docs/en/strings.xml"));
    AppConfigManager config(dir.filePath(QStringLiteral("fbl.afc")));
    {
        MainController controller(&config);
        controller.showMainWindow();
        QElapsedTimer waited;
        waited.start();
        while (controller.currentRunMode() != MainController::Online && waited.elapsed() < 10000)
            runFor(50);
        if (controller.currentRunMode() != MainController::Online) {
            printf("bench_polling: the program did not connect, nothing measured\n");
        } else {
            printf("CPU share of one core while connected and polling, real event loop, "
                   "this process with its link thread (goal on the receiver tab <= 2 %%):\n");
            QTabWidget* tabs = controller.mainWindow()->mainTab;
            // The receiver tab first and longest: it is the one polled for live values.
            QVector<int> order = {1};
            for (int tab = 0; tab < tabs->count(); ++tab) {
                if (tab != 1)
                    order << tab;
            }
            for (const int tab : order) {
                tabs->setCurrentIndex(tab);
                runFor(1000);
                const double cpu0 = cpuSeconds();
                QElapsedTimer wall;
                wall.start();
                runFor(tab == 1 ? 10000 : 4000);
                const double share = (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9);
                printf("  %2d %-14s %6.1f %%%s\n", tab,
                       qPrintable(tabs->tabText(tab).simplified().left(14)), share * 100.0,
                       tab == 1 ? "   (10 s; live values every 100 ms)" : "");
                fflush(stdout);
            }
        }
    }
    sim.terminate();
    sim.waitForFinished(5000);
    return 0;
}
