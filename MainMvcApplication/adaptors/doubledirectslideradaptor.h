#ifndef DOUBLEDIRECTSLIDERADAPTOR_H
#define DOUBLEDIRECTSLIDERADAPTOR_H

#include "sliderwithlineeditadaptor.h"

// The slider and edit of a DoubleDirectSlider (a servo's centre trim): the slider and the
// edit run -100..100 around the centre, the unit stores the value + 100 (0..200).
class DoubleDirectSliderAdaptor : public SliderWithLineEditAdaptor
{
    Q_OBJECT

public:
    DoubleDirectSliderAdaptor(QObject* slider, QObject* lineEdit, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;
};

#endif // DOUBLEDIRECTSLIDERADAPTOR_H
