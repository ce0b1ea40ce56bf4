#include "slideradaptor.h"

#include <QAbstractSlider>
#include <QSlider>

SliderAdaptor::SliderAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{
    if (inputField) {
        connect(inputField, SIGNAL(sliderPressed()), this, SLOT(sliderPressed()));
        connect(inputField, SIGNAL(sliderReleased()), this, SLOT(sliderReleased()));
        connect(inputField, SIGNAL(actionTriggered(int)), this, SLOT(sliderActionTriggered(int)));
        connect(inputField, SIGNAL(valueChanged(int)), this, SLOT(sliderValueChanged(int)));
    }
}

QVariant SliderAdaptor::getValue() const
{
    const QSlider* slider = inputFieldAs<QSlider>();
    if (!slider)
        return QVariant();
    return slider->value();
}

void SliderAdaptor::setValue(const QVariant& val)
{
    if (QSlider* slider = inputFieldAs<QSlider>())
        slider->setValue(val.toInt());
}

void SliderAdaptor::sliderPressed()
{
    setReadOnly(true);
}

void SliderAdaptor::sliderReleased()
{
    if (!inputField())
        return;
    setReadOnly(false);
    emit _adaptorValueChanged(getValue(), false);
}

void SliderAdaptor::sliderActionTriggered(int action)
{
    // Only steps mark a user edit; the value change that follows sends it. Jumps to the
    // ends and moves (drag, wheel) are left to the release or to the next read.
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepAdd:
    case QAbstractSlider::SliderPageStepSub:
        setReadOnly(true);
        // The slider applies the step right after this signal. A step at an end changes
        // nothing and brings no value change, yet the user's operation is over: the unit's
        // values must show again.
        QMetaObject::invokeMethod(
                this,
                [this]() {
                    const auto* slider = qobject_cast<const QAbstractSlider*>(inputField());
                    if (isReadOnly() && (!slider || !slider->isSliderDown()))
                        setReadOnly(false);
                },
                Qt::QueuedConnection);
        break;
    default:
        break;
    }
}

void SliderAdaptor::sliderValueChanged(int value)
{
    const QSlider* slider = inputFieldAs<QSlider>();
    if (!slider)
        return;
    emit _sliderValueChanged(inputField(), value);
    if (isReadOnly() && !slider->isSliderDown()) {
        setReadOnly(false);
        emit _adaptorValueChanged(getValue(), false);
    }
}
