#ifndef DOUBLEDIRECTSLIDER_H
#define DOUBLEDIRECTSLIDER_H

#include "hxcustomwidgets_global.h"

#include <QWidget>

class QBoxLayout;
class QLineEdit;
class QSlider;

// A slider centred on zero with a companion line edit. The fill is drawn from the
// centre outwards. The adaptors bind the inner slider and edit directly.
class HXCUSTOMWIDGETS_EXPORT DoubleDirectSlider : public QWidget
{
    Q_OBJECT
public:
    explicit DoubleDirectSlider(QWidget* parent = nullptr);
    ~DoubleDirectSlider() override;

    void setSliderRange(int min, int max);
    QSlider* getSlider() const;
    QLineEdit* getLineEdit() const;

    // Vertical (the default) stands beside a picture button, the edit below the slider;
    // horizontal puts the edit to the right of the slider.
    void setOrientation(Qt::Orientation orientation);
    Qt::Orientation orientation() const;

    QSize sizeHint() const override;

private:
    QSlider* m_slider = nullptr;
    QLineEdit* m_edit = nullptr;
    QBoxLayout* m_layout = nullptr;
};

#endif // DOUBLEDIRECTSLIDER_H
