#ifndef CUSTOMFRAME_H
#define CUSTOMFRAME_H

#include "hxcustomframe_global.h"

#include <QPixmap>
#include <QSize>
#include <QWidget>

// A frameless, skinned top-level window with a title bar of its own (title text,
// minimise and close buttons) that the user drags to move the window. Content is laid
// out below the title bar by the subclass; the background image is drawn scaled.
class HXCUSTOMFRAME_EXPORT CustomFrame : public QWidget
{
    Q_OBJECT
public:
    explicit CustomFrame(QWidget* parent = nullptr);
    ~CustomFrame() override;

    void setWindowSize(int w, int h);
    void setWindowTitleSize(int w, int h);
    void setWindowTitle(const QString& title);
    void setBackgroundImage(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

#endif // CUSTOMFRAME_H
