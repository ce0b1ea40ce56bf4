#ifndef FLYSTYLEVIEW_H
#define FLYSTYLEVIEW_H

#include "hxcustomwidgets_global.h"

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

signals:
    // Only on a choice the user made.
    void _valueChanged(int value);
};

#endif // FLYSTYLEVIEW_H
