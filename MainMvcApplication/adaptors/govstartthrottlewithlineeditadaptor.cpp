#include "govstartthrottlewithlineeditadaptor.h"

#include <QSlider>

GovStartThrottleWithLineEditAdaptor::GovStartThrottleWithLineEditAdaptor(QObject* slider,
                                                                         QObject* lineEdit,
                                                                         QObject* parent)
    : SliderWithLineEditAdaptor(slider, lineEdit, parent)
{}

QVariant GovStartThrottleWithLineEditAdaptor::getValue() const
{
    const QSlider* slider = inputFieldAs<QSlider>();
    if (!slider)
        return QVariant();
    return slider->value();
}

void GovStartThrottleWithLineEditAdaptor::setValue(const QVariant& val)
{
    if (QSlider* slider = inputFieldAs<QSlider>())
        slider->setValue(val.toInt());
}
