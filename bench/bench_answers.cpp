// How many answers per second the controller takes through handleParamsChanged into the
// widgets of the current tab, window shown and painting. The link delivers a few hundred
// answers a second at most (115200 baud); the program must never be what holds it back.
#include "benchlink.h"
#include "maincontroller.h"
#include "mainwidget.h"
#include "parametermodel.h"
#include "tabreadscheduler.h"

#include <appconfigmanager.h>
#include <resourcemanager.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Two values for each address of the tab, so that every answer changes its widget.
QStringList answersFor(int tab, MainController& controller)
{
    QStringList answers;
    const QStringList addresses = TabReadScheduler::tabAddresses(tab)
                                          .replace(QLatin1Char(':'), QLatin1Char(','))
                                          .split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int round = 0; round < 2; ++round) {
        for (const QString& text : addresses) {
            const int address = text.toInt();
            int value = controller.parameters()->value(address) + round;
            if (address >= 111 && address <= 117)
                value = round ? 1800 : 1250;
            else if (address == 100)
                value = round ? 74 : 71;
            answers << QStringLiteral("%1,%2").arg(address).arg(value);
        }
    }
    return answers;
}

double answersPerSecond(MainController& controller, int tab)
{
    controller.mainWindow()->mainTab->setCurrentIndex(tab);
    QCoreApplication::processEvents();
    const QStringList answers = answersFor(tab, controller);
    QElapsedTimer clock;
    clock.start();
    qint64 count = 0;
    while (clock.elapsed() < 2000) {
        for (int i = 0; i < 20; ++i) {
            for (const QString& answer : answers)
                controller.handleParamsChanged(QVariant(answer));
            count += answers.size();
        }
        // Let the window paint and the stick monitors animate, as between two link reads.
        QCoreApplication::processEvents();
    }
    return count * 1000.0 / clock.elapsed();
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
    ResourceManager::instance(QStringLiteral("docs/en/strings.xml"));
    QTemporaryDir dir;
    AppConfigManager config(dir.filePath(QStringLiteral("fbl.afc")));
    MainController controller(&config, new SilentLink);
    controller.showMainWindow();
    QCoreApplication::processEvents();

    printf("answers per second through handleParamsChanged, window shown:\n");
    const struct
    {
        int tab;
        const char* name;
    } tabs[] = {{1, "receiver (live sticks, voltage)"},
                {4, "servos (18 addresses, drawn widgets)"},
                {8, "governor (17 addresses)"},
                {0, "start"}};
    for (const auto& tab : tabs)
        printf("  %-38s %10.0f /s\n", tab.name, answersPerSecond(controller, tab.tab));
    printf("(the link delivers at most about 500 answers/s at 115200 baud)\n");
    return 0;
}
