#ifndef GOVMOTOROFFSLIDERWITHLINEEDITADAPTOR_H
#define GOVMOTOROFFSLIDERWITHLINEEDITADAPTOR_H

#include "sliderwithlineeditadaptor.h"

// The governor's motor-off level. The unit stores 50..150; the slider and its edit run
// -150..-50 and show the negated value, so a higher level lies further left.
class GovMotorOffSliderWithLineEditAdaptor : public SliderWithLineEditAdaptor
{
    Q_OBJECT

public:
    GovMotorOffSliderWithLineEditAdaptor(QObject* slider, QObject* lineEdit,
                                         QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;
};

#endif // GOVMOTOROFFSLIDERWITHLINEEDITADAPTOR_H
