#include "govmotoroffsliderwithlineeditadaptor.h"

#include <QSlider>

#include <limits>

namespace {
// Negating the smallest int overflows; a garbled device value must not do that.
int negated(int value)
{
    return value == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -value;
}
} // namespace

GovMotorOffSliderWithLineEditAdaptor::GovMotorOffSliderWithLineEditAdaptor(QObject* slider,
                                                                           QObject* lineEdit,
                                                                           QObject* parent)
    : SliderWithLineEditAdaptor(slider, lineEdit, parent)
{}

QVariant GovMotorOffSliderWithLineEditAdaptor::getValue() const
{
    const QSlider* slider = inputFieldAs<QSlider>();
    if (!slider)
        return QVariant();
    return -slider->value();
}

void GovMotorOffSliderWithLineEditAdaptor::setValue(const QVariant& val)
{
    if (QSlider* slider = inputFieldAs<QSlider>())
        slider->setValue(negated(val.toInt()));
}
