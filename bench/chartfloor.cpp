// The floor of the program's start-up: only what it cannot avoid to show the flight-log
// chart. It creates a web view, sets the chart page, runs jQuery and Highstock in it the
// way the program does, and waits for the page to finish loading. It behaves like hxmain
// under HX_STARTUP_PROBE ("ready <ms>" once loaded) and HX_QUIT_AFTER_MS, and shows its
// window 2 s after its start, as the program shows its own 2 s after it is ready, and
// prints "painted <ms>" when the window first draws itself.
#include "firstpaintprobe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

#include <algorithm>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QWebView view;
    view.resize(1000, 600);
    QObject::connect(&view, &QWebView::loadFinished, &view, [&sinceStart] {
        QTextStream(stdout) << "ready " << sinceStart.elapsed() << Qt::endl;
    });
    view.setHtml(readText(QStringLiteral("charts/chart.html")), QUrl());
    QWebFrame* frame = view.page()->mainFrame();
    frame->evaluateJavaScript(readText(QStringLiteral("charts/jquery-3.1.1.min.js")));
    frame->evaluateJavaScript(readText(QStringLiteral("charts/highstock.js")));
    new FirstPaintProbe(&view, sinceStart, QStringLiteral("floor"));
    QTimer::singleShot(std::max<qint64>(0, 2000 - sinceStart.elapsed()), Qt::PreciseTimer, &view,
                       &QWidget::show);
    bool ok = false;
    const int quitAfter = qEnvironmentVariableIntValue("HX_QUIT_AFTER_MS", &ok);
    QTimer::singleShot(ok ? quitAfter : 2500, &app, &QCoreApplication::quit);
    return app.exec();
}
