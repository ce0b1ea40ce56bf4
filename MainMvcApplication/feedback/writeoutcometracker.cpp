#include "writeoutcometracker.h"

WriteOutcomeTracker::WriteOutcomeTracker(QObject* parent)
    : QObject(parent)
{}

WriteOutcomeTracker::~WriteOutcomeTracker() = default;

void WriteOutcomeTracker::writeSent(int windowAddress, int unitAddress, int value)
{
    m_pending.append({windowAddress, unitAddress, value});
}

void WriteOutcomeTracker::writeNotSent(int windowAddress, int value)
{
    emit finished(windowAddress, value, NotSent);
}

void WriteOutcomeTracker::writeFinished(int address, int value, bool confirmed)
{
    // The link reports the writes in the order they were asked for, but other flows write
    // too: take the oldest edit of this address and value, whatever came in between.
    for (int i = 0; i < m_pending.size(); ++i) {
        const Pending p = m_pending.at(i);
        if (p.unitAddress != address || p.value != value)
            continue;
        m_pending.removeAt(i);
        emit finished(p.windowAddress, p.value, confirmed ? Confirmed : Failed);
        return;
    }
}
