#ifndef GOVSTARTTHROTTLEWITHLINEEDITADAPTOR_H
#define GOVSTARTTHROTTLEWITHLINEEDITADAPTOR_H

#include "sliderwithlineeditadaptor.h"

// The governor's start throttle, in percent as the unit stores it.
class GovStartThrottleWithLineEditAdaptor : public SliderWithLineEditAdaptor
{
    Q_OBJECT

public:
    GovStartThrottleWithLineEditAdaptor(QObject* slider, QObject* lineEdit,
                                        QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;
};

#endif // GOVSTARTTHROTTLEWITHLINEEDITADAPTOR_H
