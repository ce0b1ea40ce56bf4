#include "swashtrimcyclicadaptor.h"

#include <swashtrimcyclic.h>

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

SwashTrimCyclicAdaptor::SwashTrimCyclicAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

void SwashTrimCyclicAdaptor::setType(int type)
{
    m_type = type;
}

int SwashTrimCyclicAdaptor::type() const
{
    return m_type;
}

void SwashTrimCyclicAdaptor::setDirection(int direction)
{
    m_direction = direction;
}

int SwashTrimCyclicAdaptor::direction() const
{
    return m_direction;
}

QVariant SwashTrimCyclicAdaptor::getValue() const
{
    const SwashTrimCyclic* trim = inputFieldAs<SwashTrimCyclic>();
    if (!trim)
        return QVariant();
    return trim->trimValue(static_cast<SwashTrimCyclic::TrimType>(m_type),
                           static_cast<SwashTrimCyclic::TrimDirection>(m_direction)) +
           TrimOffset;
}

void SwashTrimCyclicAdaptor::setValue(const QVariant& val)
{
    if (SwashTrimCyclic* trim = inputFieldAs<SwashTrimCyclic>())
        trim->setTrimValue(static_cast<SwashTrimCyclic::TrimType>(m_type),
                           static_cast<SwashTrimCyclic::TrimDirection>(m_direction),
                           shifted(val.toInt(), -TrimOffset));
}

void SwashTrimCyclicAdaptor::trimValueChanged(int type, int direction, int val, bool blocking)
{
    if (type != m_type || direction != m_direction)
        return;
    SwashTrimCyclic* trim = inputFieldAs<SwashTrimCyclic>();
    if (!trim)
        return;
    trim->setTrimValue(static_cast<SwashTrimCyclic::TrimType>(type),
                       static_cast<SwashTrimCyclic::TrimDirection>(direction), val);
    emit _adaptorValueChanged(val + TrimOffset, blocking);
}
