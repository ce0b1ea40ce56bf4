#ifndef CHECKMARKOVERLAY_H
#define CHECKMARKOVERLAY_H

#include <QPixmap>
#include <QWidget>

// The check badge that a ButtonGroup puts in the corner of its checked button. It is a
// child of the button, follows its size and lets every click through. Once made it stays
// shown and draws the badge only while marked: hiding and showing a widget costs many
// times what repainting its corner does, and answers from the unit move the choice often.
class CheckMarkOverlay : public QWidget
{
    Q_OBJECT
public:
    CheckMarkOverlay(const QPixmap& image, QWidget* button);

    static CheckMarkOverlay* find(QWidget* button);
    void place();
    void setMarked(bool marked);
    bool isMarked() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPixmap m_image;
    bool m_marked = true;
};

#endif // CHECKMARKOVERLAY_H
