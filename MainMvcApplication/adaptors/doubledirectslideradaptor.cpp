#include "doubledirectslideradaptor.h"

#include <QSlider>
#include <QtGlobal>

#include <limits>

namespace {
// The unit keeps the servo centres as 0..200 with 100 in the middle.
constexpr int CentreOffset = 100;

// Device values come from outside; the conversion must not overflow on a garbled one.
int shifted(int value, int offset)
{
    return static_cast<int>(qBound<qint64>(std::numeric_limits<int>::min(),
                                           static_cast<qint64>(value) + offset,
                                           std::numeric_limits<int>::max()));
}
} // namespace

DoubleDirectSliderAdaptor::DoubleDirectSliderAdaptor(QObject* slider, QObject* lineEdit,
                                                     QObject* parent)
    : SliderWithLineEditAdaptor(slider, lineEdit, parent)
{}

QVariant DoubleDirectSliderAdaptor::getValue() const
{
    const QSlider* slider = inputFieldAs<QSlider>();
    if (!slider)
        return QVariant();
    return slider->value() + CentreOffset;
}

void DoubleDirectSliderAdaptor::setValue(const QVariant& val)
{
    if (QSlider* slider = inputFieldAs<QSlider>())
        slider->setValue(shifted(val.toInt(), -CentreOffset));
}
