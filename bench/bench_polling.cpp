// CPU used by the program while it is connected to a unit and polls it: the controller
// with its window and the real device link in this process, the virtual unit in a process
// of its own. The share is of one core, link thread included, over ten seconds per tab.
#include "maincontroller.h"
#include "mainwidget.h"

#include <appconfigmanager.h>
#include <resourcemanager.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <ctime>

namespace {

double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
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
    int result = 0;
    {
        MainController controller(&config);
        controller.showMainWindow();
        if (!QTest::qWaitFor([&] { return controller.currentRunMode() == MainController::Online; },
                             10000)) {
            printf("bench_polling: the program did not connect, nothing measured\n");
            result = 0;
        } else {
            printf("CPU share of one core while connected and polling (10 s per tab):\n");
            const struct
            {
                int tab;
                const char* name;
            } tabs[] = {{1, "receiver (live values every 100 ms)"},
                        {0, "start (settings every 1.2 s)"},
                        {4, "servos"}};
            for (const auto& tab : tabs) {
                controller.mainWindow()->mainTab->setCurrentIndex(tab.tab);
                QTest::qWait(1000);
                const double cpu0 = cpuSeconds();
                QElapsedTimer wall;
                wall.start();
                QTest::qWait(10000);
                const double share = (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9);
                printf("  %-38s %6.1f %%\n", tab.name, share * 100.0);
            }
        }
    }
    sim.terminate();
    sim.waitForFinished(5000);
    return result;
}
