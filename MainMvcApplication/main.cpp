#include "firstpaintprobe.h"
#include "languagelist.h"
#include "maincontroller.h"
#include "mainwidget.h"
#include "messagelog.h"
#include "screenshothook.h"
#include "tracecategories.h"
#include "traceswitch.h"

#include <appconfigmanager.h>
#include <datalocation.h>
#include <resourcemanager.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QScopedPointer>
#include <QSplashScreen>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

// Besides the usual run, three environment variables serve development and tests,
//   HX_QUIT_AFTER_MS=<n>    end the event loop n ms after it started (exit code 0)
//   HX_STARTUP_PROBE=1      print "hxmain: ready <ms>" on stdout once the controller and
//                           its window are built, and "hxmain: painted <ms>" when the
//                           window first draws itself (ms since the entry was reached)
//   HX_SCREENSHOT=<file>    save a picture of the main window once a unit is connected and
//                           live values have arrived, then end (see ScreenshotHook);
//                           HX_SCREENSHOT_TIMEOUT_MS bounds the wait (default 30000)
// and one serves pilots' reports:
//   HX_TRACE=1              write the trace of the link and the flows to the log (see
//                           TraceSwitch for the parts it can name)

namespace {

QString dataDirectoryPath()
{
    const QStringList locations =
            QStandardPaths::standardLocations(QStandardPaths::AppLocalDataLocation);
    if (!locations.isEmpty())
        return locations.first();
    // Without any data location the settings live beside the program's data.
    return QDir::currentPath();
}

int environmentInt(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    qInstallMessageHandler(logMessageToFile);
    TraceSwitch::applyFromEnvironment();
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);

    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);

    const QString dataPath = dataDirectoryPath();
    QDir dataDir(dataPath);
    if (!dataDir.exists())
        dataDir.mkpath(QStringLiteral("."));

    // The log stays in the folder the program was started from, unless that folder cannot
    // be written (a system folder); then it goes to the per-user data folder.
    const QString launchDir = QDir::currentPath();
    setLogFilePath(DataLocation::logFilePath(launchDir, dataPath));
    qCDebug(lcStartup, "started from %s; settings in %s", qPrintable(launchDir),
            qPrintable(dataPath));

    // Pictures, pages and string tables are found beside the program or in the installed
    // data folder, wherever it was started from. The window's style sheets name their
    // pictures relative to the working directory, so the data folder becomes it.
    const QString dataRoot = DataLocation::root();
    if (dataRoot.isEmpty()) {
        qWarning("Program data (%s) not found in %s; using the working directory",
                 DataLocation::MarkerFile,
                 qPrintable(
                         DataLocation::candidates(QCoreApplication::applicationDirPath(), launchDir)
                                 .join(QStringLiteral(", "))));
    } else {
        qDebug("Program data from %s", qPrintable(QDir::toNativeSeparators(dataRoot)));
        QDir::setCurrent(dataRoot);
    }

    QSplashScreen splash(
            QPixmap(DataLocation::filePath(QStringLiteral("images/splash-screen.jpg"))),
            Qt::WindowStaysOnTopHint);
    splash.show();

    QScopedPointer<AppConfigManager> config(
            new AppConfigManager(dataPath + QStringLiteral("/fbl.afc")));

    const QString stringFile = LanguageList::stringFile(config->get(QStringLiteral("lang")));
    qDebug("Localised strings from %s", qPrintable(stringFile));
    ResourceManager* resources = ResourceManager::instance(DataLocation::filePath(stringFile));
    splash.showMessage(resources->getValue(3), Qt::AlignBottom | Qt::AlignRight, Qt::white);

    QScopedPointer<MainController> controller(new MainController(config.data()));
    qCDebug(lcStartup, "controller and window built %lld ms after start", sinceStart.elapsed());

    if (qEnvironmentVariableIsSet("HX_STARTUP_PROBE")) {
        QTextStream(stdout) << "hxmain: ready " << sinceStart.elapsed() << Qt::endl;
        new FirstPaintProbe(controller->mainWindow(), sinceStart, QStringLiteral("hxmain"));
    }

    // The icon file holds nine sizes, all decoded at once: it is read once the program is
    // up, while the splash shows, rather than on the way there or when the window shows.
    QTimer::singleShot(0, controller.data(),
                       [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/Solvan.ico"))); });
    // Precise timers: a coarse one may end the splash up to a tenth of a second early.
    QTimer::singleShot(2000, Qt::PreciseTimer, controller.data(), SLOT(showMainWindow()));
    QTimer::singleShot(2000, Qt::PreciseTimer, &splash, [&splash] {
        splash.hide();
        splash.setPixmap(QPixmap()); // the picture is not needed again
    });

    QScopedPointer<ScreenshotHook> screenshot;
    QString screenshotPath = qEnvironmentVariable("HX_SCREENSHOT");
    if (!screenshotPath.isEmpty()) {
        // A relative name means the folder the program was started from.
        screenshotPath = QDir(launchDir).absoluteFilePath(screenshotPath);
        screenshot.reset(new ScreenshotHook(controller.data(), screenshotPath,
                                            environmentInt("HX_SCREENSHOT_TIMEOUT_MS", 30000)));
    }
    const int quitAfterMs = environmentInt("HX_QUIT_AFTER_MS", -1);
    if (quitAfterMs >= 0)
        QTimer::singleShot(quitAfterMs, &app, &QCoreApplication::quit);

    const int exitCode = QApplication::exec();

    screenshot.reset();
    controller.reset();
    config.reset();
    return exitCode;
}
