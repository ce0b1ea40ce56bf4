#include "govscrollupwithlineeditadaptor.h"

#include <QSlider>

GovScrollUpWithLineEditAdaptor::GovScrollUpWithLineEditAdaptor(QObject* slider, QObject* lineEdit,
                                                               QObject* parent)
    : SliderWithLineEditAdaptor(slider, lineEdit, parent)
{}

QVariant GovScrollUpWithLineEditAdaptor::getValue() const
{
    const QSlider* slider = inputFieldAs<QSlider>();
    if (!slider)
        return QVariant();
    return slider->value();
}

void GovScrollUpWithLineEditAdaptor::setValue(const QVariant& val)
{
    if (QSlider* slider = inputFieldAs<QSlider>())
        slider->setValue(val.toInt());
}
