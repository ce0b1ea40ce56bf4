#ifndef CHECKMARKOVERLAY_H
#define CHECKMARKOVERLAY_H

#include <QPixmap>
#include <QWidget>

// The check badge that a ButtonGroup puts in the corner of its checked button. It is a
// child of the button, follows its size and lets every click through.
class CheckMarkOverlay : public QWidget
{
    Q_OBJECT
public:
    CheckMarkOverlay(const QPixmap& image, QWidget* button);

    static CheckMarkOverlay* find(QWidget* button);
    void place();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap m_image;
};

#endif // CHECKMARKOVERLAY_H
