// Widget gallery: shows every widget of hxcustomwidgets and hxcustomframe in its states.
// With --screenshots <dir> it saves one PNG per scene into <dir> and exits, which also
// works on the offscreen platform (QT_QPA_PLATFORM=offscreen).

#include "gallery.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {

void wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

int saveScreenshots(QList<GalleryScene>& scenes, const QString& dirPath, const QString& only)
{
    QDir dir(dirPath);
    if (!dir.exists() && !QDir().mkpath(dirPath)) {
        std::fprintf(stderr, "gallery: cannot create %s\n", qPrintable(dirPath));
        return 1;
    }
    int failures = 0;
    for (GalleryScene& scene : scenes) {
        if (!only.isEmpty() && scene.name != only)
            continue;
        scene.widget->show();
        // Let layouts settle and fades finish before the picture.
        wait(350);
        if (scene.beforeGrab) {
            scene.beforeGrab();
            wait(70);
        }
        const QString path = dir.filePath(scene.name + QStringLiteral(".png"));
        if (!scene.widget->grab().save(path)) {
            std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(path));
        }
        scene.widget->hide();
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gallery"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
            QStringLiteral("Shows the drawn widgets and the framed window in their states."));
    parser.addHelpOption();
    const QCommandLineOption shotsOption(
            QStringLiteral("screenshots"),
            QStringLiteral("Save one PNG per scene into <dir> and exit."), QStringLiteral("dir"));
    const QCommandLineOption sceneOption(QStringLiteral("scene"),
                                         QStringLiteral("Only the scene called <name>."),
                                         QStringLiteral("name"));
    parser.addOption(shotsOption);
    parser.addOption(sceneOption);
    parser.process(app);

    Gallery gallery;
    QList<GalleryScene> scenes = gallery.buildScenes();

    int result = 0;
    if (parser.isSet(shotsOption)) {
        result = saveScreenshots(scenes, parser.value(shotsOption), parser.value(sceneOption));
    } else {
        QTabWidget tabs;
        tabs.setWindowTitle(QStringLiteral("Widget gallery"));
        for (const GalleryScene& scene : scenes) {
            if (scene.widget->isWindow())
                continue;
            tabs.addTab(scene.widget, scene.name);
        }
        tabs.show();
        for (const GalleryScene& scene : scenes) {
            if (scene.widget->isWindow())
                scene.widget->show();
        }
        QElapsedTimer clock;
        clock.start();
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { gallery.animate(clock.elapsed() / 1000.0); });
        ticker.start(100);
        result = app.exec();
        for (const GalleryScene& scene : scenes) {
            if (!scene.widget->isWindow())
                scene.widget->setParent(nullptr);
        }
    }
    for (const GalleryScene& scene : scenes)
        delete scene.widget;
    return result;
}
