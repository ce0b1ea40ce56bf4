#include "swashtrimcyclicmonitoradaptor.h"

#include <swashtrimcyclic.h>

SwashTrimCyclicMonitorAdaptor::SwashTrimCyclicMonitorAdaptor(QObject* inputField, QObject* parent)
    : AbstractFieldAdaptor(inputField, parent)
{}

void SwashTrimCyclicMonitorAdaptor::setChannel(int channel)
{
    m_channel = channel;
}

int SwashTrimCyclicMonitorAdaptor::channel() const
{
    return m_channel;
}

QVariant SwashTrimCyclicMonitorAdaptor::getValue() const
{
    return 0;
}

void SwashTrimCyclicMonitorAdaptor::setValue(const QVariant& val)
{
    if (SwashTrimCyclic* trim = inputFieldAs<SwashTrimCyclic>())
        trim->setTrimMonitorValue(m_channel, val.toInt());
}
