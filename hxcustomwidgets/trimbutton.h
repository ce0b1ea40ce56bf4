#ifndef TRIMBUTTON_H
#define TRIMBUTTON_H

#include <QAbstractButton>

// The small round step and clear buttons of the trim widgets. Step buttons repeat
// while held, so a trim can be walked without a click per step.
class TrimButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum Kind { Minus, Plus, Clear };
    explicit TrimButton(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Kind m_kind;
    bool m_hovered = false;
    bool m_keyboardFocus = false;
};

#endif // TRIMBUTTON_H
