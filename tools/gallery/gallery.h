#ifndef GALLERY_H
#define GALLERY_H

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

// One page of the gallery: a widget showing one class in its states, and what to do
// right before a picture is taken (to catch a motion halfway, for instance).
struct GalleryScene
{
    QString name;
    QWidget* widget = nullptr;
    std::function<void()> beforeGrab;
};

// Builds the scenes. Frames are top-level windows of their own; the other scenes are
// plain widgets that the caller shows in tabs or grabs.
class Gallery
{
public:
    QList<GalleryScene> buildScenes();
    // Feeds moving values into the scenes' live widgets (interactive mode only).
    void animate(double seconds);

private:
    GalleryScene frameScene(bool withBackground);
    GalleryScene rxMonitorScene();
    GalleryScene servosScene();
    GalleryScene flyStyleScene();
    GalleryScene sliderScene();
    GalleryScene cyclicScene();
    GalleryScene collectiveScene();
    GalleryScene buttonGroupScene();
    GalleryScene alertScene();
    GalleryScene progressScene();

    QList<std::function<void(double)>> m_animators;
};

#endif // GALLERY_H
