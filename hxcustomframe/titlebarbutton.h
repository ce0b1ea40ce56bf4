#ifndef TITLEBARBUTTON_H
#define TITLEBARBUTTON_H

#include <QAbstractButton>

// Minimise and close buttons of the frame's own title bar, drawn as line glyphs.
class TitleBarButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum Kind { Minimize, Close };
    explicit TitleBarButton(Kind kind, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Kind m_kind;
    bool m_hovered = false;
};

#endif // TITLEBARBUTTON_H
