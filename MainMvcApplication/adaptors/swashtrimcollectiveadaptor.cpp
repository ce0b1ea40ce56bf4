#include "swashtrimcollectiveadaptor.h"

#include <swashtrimcollective.h>

#include <QtGlobal>

#include <limits>

namespace {
// The unit stores trims -100..100 as 0..200.
constexpr int TrimOffset = 100;

// Device values come from outside; the conversion must not overflow on a garbled one.
int shifted(int value, int offset)
{
    return static_cast<int>(qBound<qint64>(std::numeric_limits<int>::min(),
                                           static_cast<qint64>(value) + offset,
                                           std::numeric_limits<int>::max()));
}
} // namespace

SwashTrimCollectiveAdaptor::SwashTrimCollectiveAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

QVariant SwashTrimCollectiveAdaptor::getValue() const
{
    const SwashTrimCollective* trim = inputFieldAs<SwashTrimCollective>();
    if (!trim)
        return QVariant();
    return trim->trimValue() + TrimOffset;
}

void SwashTrimCollectiveAdaptor::setValue(const QVariant& val)
{
    if (SwashTrimCollective* trim = inputFieldAs<SwashTrimCollective>())
        trim->setTrimValue(shifted(val.toInt(), -TrimOffset));
}

void SwashTrimCollectiveAdaptor::trimValueChanged(int val)
{
    emit _adaptorValueChanged(val + TrimOffset, false);
}

void SwashTrimCollectiveAdaptor::resetValue(int val)
{
    emit _resetValue(val, false);
}
