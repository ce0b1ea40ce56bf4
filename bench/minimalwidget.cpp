// The smallest Qt widget program that shows a window: the yardstick for the program's
// start-up time and memory. It behaves like hxmain under HX_STARTUP_PROBE and
// HX_QUIT_AFTER_MS.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTextStream>
#include <QTimer>

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Hello"));
    window.resize(1280, 660);
    QTextStream(stdout) << "ready " << sinceStart.elapsed() << Qt::endl;
    QTimer::singleShot(2000, &window, &QWidget::show);
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("HX_QUIT_AFTER_MS", &ok);
    QTimer::singleShot(ok ? quitAfter : 2500, &app, &QCoreApplication::quit);
    return app.exec();
}
