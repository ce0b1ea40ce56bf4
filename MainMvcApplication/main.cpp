#include "maincontroller.h"
#include "messagelog.h"
#include "screenshothook.h"

#include <appconfigmanager.h>
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

// Besides the usual run, three environment variables serve development and tests:
//   HX_QUIT_AFTER_MS=<n>    end the event loop n ms after it started (exit code 0)
//   HX_STARTUP_PROBE=1      print "hxmain: ready <ms>" on stdout once the controller and
//                           its window are built (ms since the entry was reached)
//   HX_SCREENSHOT=<file>    save a picture of the main window once a unit is connected and
//                           live values have arrived, then end (see ScreenshotHook);
//                           HX_SCREENSHOT_TIMEOUT_MS bounds the wait (default 30000)

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
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);

    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);

    const QString dataPath = dataDirectoryPath();
    QDir dataDir(dataPath);
    if (!dataDir.exists())
        dataDir.mkpath(QStringLiteral("."));

    QSplashScreen splash(QPixmap(QStringLiteral("images/splash-screen.jpg")),
                         Qt::WindowStaysOnTopHint);
    splash.show();

    QScopedPointer<AppConfigManager> config(
            new AppConfigManager(dataPath + QStringLiteral("/fbl.afc")));

    QString stringFile = QStringLiteral("docs/en/strings.xml");
    const QString lang = config->get(QStringLiteral("lang"));
    if (lang == QLatin1String("fr"))
        stringFile = QStringLiteral("docs/fr/strings.xml");
    else if (lang == QLatin1String("vi"))
        stringFile = QStringLiteral("docs/vi/strings.xml");
    qDebug("Localised strings from %s", qPrintable(stringFile));
    ResourceManager* resources = ResourceManager::instance(stringFile);
    splash.showMessage(resources->getValue(3), Qt::AlignBottom | Qt::AlignRight, Qt::white);

    QScopedPointer<MainController> controller(new MainController(config.data()));

    if (qEnvironmentVariableIsSet("HX_STARTUP_PROBE")) {
        QTextStream(stdout) << "hxmain: ready " << sinceStart.elapsed() << Qt::endl;
    }

    // The icon file holds nine sizes, all decoded at once: it is read when the window
    // first shows rather than while the program starts.
    QTimer::singleShot(2000, controller.data(),
                       [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/Solvan.ico"))); });
    QTimer::singleShot(2000, controller.data(), SLOT(showMainWindow()));
    QTimer::singleShot(2000, &splash, [&splash] {
        splash.hide();
        splash.setPixmap(QPixmap()); // the picture is not needed again
    });

    QScopedPointer<ScreenshotHook> screenshot;
    const QString screenshotPath = qEnvironmentVariable("HX_SCREENSHOT");
    if (!screenshotPath.isEmpty())
        screenshot.reset(new ScreenshotHook(controller.data(), screenshotPath,
                                            environmentInt("HX_SCREENSHOT_TIMEOUT_MS", 30000)));
    const int quitAfterMs = environmentInt("HX_QUIT_AFTER_MS", -1);
    if (quitAfterMs >= 0)
        QTimer::singleShot(quitAfterMs, &app, &QCoreApplication::quit);

    const int exitCode = QApplication::exec();

    screenshot.reset();
    controller.reset();
    config.reset();
    return exitCode;
}
