// How many answers per second the controller takes into the widgets of each tab, window
// shown and painting, in the real event loop: the answers come from the link's thread
// through the same queued connection as the unit's, so the figure includes the queue. Each
// tab gets the addresses its poll reads (the log tab polls only the bank selector), with
// two values per address chosen so that every answer changes what its widget shows; the
// addresses for which no such pair exists are counted and named. The link delivers a few
// hundred answers a second at most (115200 baud); the goal is 100,000 a second on every
// tab, so that the program is never what holds the unit back.
#include "adaptormodel.h"
#include "benchlink.h"
#include "maincontroller.h"
#include "mainwidget.h"
#include "parametermodel.h"
#include "tabreadscheduler.h"

#include <abstractfieldadaptor.h>
#include <appconfigmanager.h>
#include <resourcemanager.h>
#include <rxmonitorview.h>

#include <QApplication>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QMetaProperty>
#include <QPixmap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

const int MeasureMs = 1500;

// What a widget shows, as one comparable string.
QString shown(QObject* field)
{
    if (auto* rx = qobject_cast<RxMonitorView*>(field))
        return QStringLiteral("%1,%2").arg(rx->xValue).arg(rx->yValue);
    if (auto* group = qobject_cast<QButtonGroup*>(field))
        return QString::number(group->checkedId());
    auto* widget = qobject_cast<QWidget*>(field);
    if (!widget)
        return QString();
    QString text;
    const QMetaProperty user = widget->metaObject()->userProperty();
    if (user.isValid())
        text = user.read(widget).toString();
    if (auto* label = qobject_cast<QLabel*>(widget))
        text += QLatin1Char('|') + label->text();
    const QImage image = widget->grab().toImage();
    return text + QLatin1Char('|') +
           QString::number(qHashBits(image.constBits(), size_t(image.sizeInBytes())));
}

QVector<int> pollAddresses(int tab)
{
    QVector<int> addresses;
    const QString list = tab == TabReadScheduler::LogTab ? QStringLiteral("0104")
                                                         : TabReadScheduler::tabAddresses(tab);
    for (const QString& text : QString(list)
                                       .replace(QLatin1Char(':'), QLatin1Char(','))
                                       .split(QLatin1Char(','), Qt::SkipEmptyParts))
        addresses << text.toInt();
    return addresses;
}

// Two rounds of answers, A then B for every address, such that each answer changes what
// the address's widget shows; addresses without such values, or without a widget at all
// (the gyro-off command, 224, is read on the servos tab but never shown), go to `unchanged`.
QStringList answersFor(int tab, MainController& controller, QStringList* unchanged)
{
    QStringList first, second;
    for (const int address : pollAddresses(tab)) {
        AbstractFieldAdaptor* adaptor = controller.adaptors()->adaptor(address);
        QObject* field = adaptor ? adaptor->inputField() : nullptr;
        int a = controller.parameters()->value(address);
        int b = a;
        const auto show = [&](int value) {
            controller.handleParamsChanged(
                    QVariant(QStringLiteral("%1,%2").arg(address).arg(value)));
            return shown(field);
        };
        // Near the unit's value first, then values in the ranges the widgets take (an
        // adaptor may skip a value it takes for its own, and sliders clamp).
        QVector<int> candidates;
        for (const int v : {a,      a + 1,  a - 1,  a + 2,   a - 2,   a + 5,   a - 5,   a + 10,
                            a - 10, a + 50, a - 50, a + 100, a - 100, a + 500, a - 500, 1,
                            2,      3,      50,     51,      1000,    1500,    1520,    2000}) {
            if (!candidates.contains(v))
                candidates << v;
        }
        bool found = false;
        for (int i = 0; field && !found && i < candidates.size(); ++i) {
            for (int j = i + 1; !found && j < candidates.size(); ++j) {
                // Another value first: a widget may still show the form's placeholder for
                // the value its adaptor starts with (the supply voltage's "0.0V" for 0),
                // which would make an in-range pair look like one that changes nothing.
                show(candidates.at(j));
                const QString showsA = show(candidates.at(i));
                const QString showsB = show(candidates.at(j));
                if (showsA != showsB && show(candidates.at(i)) == showsA) {
                    a = candidates.at(i);
                    b = candidates.at(j);
                    found = true;
                }
            }
        }
        if (!field)
            *unchanged << QStringLiteral("%1 (no widget shows it)").arg(address);
        else if (!found)
            *unchanged << QString::number(address);
        first << QStringLiteral("%1,%2").arg(address).arg(a);
        second << QStringLiteral("%1,%2").arg(address).arg(b);
    }
    return first + second;
}

// What one answer costs, address by address: each pair of values taken directly, 500
// times, with the window painted every twentieth answer. Shows which answers hold a tab
// back.
void printCostPerAddress(MainController& controller, const QStringList& answers)
{
    const int addresses = answers.size() / 2;
    const int rounds = 500;
    for (int i = 0; i < addresses; ++i) {
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < rounds; ++k) {
            controller.handleParamsChanged(QVariant(answers.at(i)));
            controller.handleParamsChanged(QVariant(answers.at(i + addresses)));
            if (k % 10 == 9)
                QCoreApplication::processEvents();
        }
        printf("       address %-4s %6.1f us an answer\n",
               qPrintable(answers.at(i).section(QLatin1Char(','), 0, 0)),
               clock.nsecsElapsed() / 1000.0 / (2 * rounds));
    }
}

double answersPerSecond(MainController& controller, SilentLink* link, int tab,
                        QStringList* unchanged)
{
    controller.mainWindow()->mainTab->setCurrentIndex(tab);
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit); // the tab's slide-in animation
    settle.exec();
    const QStringList answers = answersFor(tab, controller, unchanged);
    if (qEnvironmentVariableIsSet("HX_BENCH_PER_ADDRESS"))
        printCostPerAddress(controller, answers);

    qint64 batches = 0;
    QElapsedTimer clock;
    QEventLoop loop;
    const QMetaObject::Connection counting =
            QObject::connect(link, &SilentLink::batchDone, &loop, [&] {
                ++batches;
                link->batchTaken();
            });
    QTimer::singleShot(MeasureMs, &loop, &QEventLoop::quit);
    clock.start();
    link->feed(answers);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const qint64 taken = batches * SilentLink::BatchSize;
    QObject::disconnect(counting);
    link->stopFeeding();
    QCoreApplication::processEvents(); // what is still queued
    return taken / seconds;
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
    auto* link = new SilentLink;
    {
        MainController controller(&config, link);
        controller.showMainWindow();
        QCoreApplication::processEvents();

        printf("answers per second through the link's queued connection into handleParamsChanged,"
               " window shown, real event loop, %d ms per tab (goal >= 100,000 on every tab):\n",
               MeasureMs);
        double lowest = -1;
        // HX_BENCH_TABS=1,8 measures only those tabs (for a profiler run);
        // HX_BENCH_PER_ADDRESS=1 also prints what one answer costs, address by address.
        const QStringList only =
                qEnvironmentVariable("HX_BENCH_TABS").split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (int tab = 0; tab < controller.mainWindow()->mainTab->count(); ++tab) {
            if (!only.isEmpty() && !only.contains(QString::number(tab)))
                continue;
            QStringList unchanged;
            const double rate = answersPerSecond(controller, link, tab, &unchanged);
            lowest = lowest < 0 ? rate : qMin(lowest, rate);
            const QString name = controller.mainWindow()->mainTab->tabText(tab).simplified();
            printf("  %2d %-14s %10.0f /s  %2d addresses%s%s\n", tab, qPrintable(name.left(14)),
                   rate, int(pollAddresses(tab).size()),
                   unchanged.isEmpty() ? ", every answer changes its widget"
                                       : ", answers that change nothing: ",
                   qPrintable(unchanged.join(QLatin1Char(' '))));
        }
        printf("  lowest of all tabs %10.0f /s\n", lowest);
        printf("(the link delivers at most about 500 answers/s at 115200 baud)\n");
        link->finish();
    }
    return 0;
}
