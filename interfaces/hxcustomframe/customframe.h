#ifndef CUSTOMFRAME_H
#define CUSTOMFRAME_H

#include "hxcustomframe_global.h"

#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QWidget>

class QAbstractButton;

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

    // The title bar spans the window's width; its height is the one given to
    // setWindowTitleSize (40 until then).
    QRect titleBarRect() const;
    QSize windowTitleSize() const;
    QString backgroundImage() const;
    QAbstractButton* minimizeButton() const;
    QAbstractButton* closeButton() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layoutTitleBar();
    // Reads the background picture into m_scaledBackground at `size`, once per size.
    void scaleBackground(const QSize& size);

    QSize m_titleSize;
    QString m_backgroundPath;
    QPixmap m_scaledBackground;
    bool m_backgroundTried = false;
    QAbstractButton* m_minimizeButton = nullptr;
    QAbstractButton* m_closeButton = nullptr;
    bool m_dragging = false;
    QPoint m_dragOffset;
    bool m_placed = false;
};

#endif // CUSTOMFRAME_H
