#ifndef FLYSTYLEVIEW_H
#define FLYSTYLEVIEW_H

#include "hxcustomwidgets_global.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

// The pilot's flying style, drawn as a row of selectable pictures. The value is the
// unit's raw style number.
class HXCUSTOMWIDGETS_EXPORT FlyStyleView : public QWidget
{
    Q_OBJECT
public:
    enum Style { Scale = 1, Sport = 2, Acro3D = 3, Extreme3D = 4 };
    Q_ENUM(Style)
    static constexpr int MinimumStyle = Scale;
    static constexpr int MaximumStyle = Extreme3D;

    explicit FlyStyleView(QWidget* parent = nullptr);
    ~FlyStyleView() override;

    // Values outside MinimumStyle..MaximumStyle are ignored. Never emits _valueChanged.
    void setValue(int value);
    int getValue() const;

    // The rectangle of a style's picture, in widget coordinates (empty for other values).
    QRect styleRect(int value) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Only on a choice the user made.
    void _valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int styleAt(const QPoint& pos) const;
    void choose(int value);
    void drawPicture(QPainter* painter, int style, const QRectF& area, bool selected) const;
    QRect cardArea(int value) const;
    void updateCard(int value);
    QPixmap cardPicture(int value) const;
    void drawCard(QPainter* painter, int value) const;

    int m_value = Sport;
    int m_hovered = 0;
    int m_pressed = 0;
    bool m_keyboardFocus = false;
    // The cards as drawn, by value and state, for one size of the view and pixel ratio.
    mutable QHash<int, QPixmap> m_cards;
    mutable QSize m_cardSize;
    mutable qreal m_cardRatio = 0;
};

#endif // FLYSTYLEVIEW_H
