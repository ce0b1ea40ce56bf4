#include "writesinflight.h"

int WritesInFlight::unitAddress(int address)
{
    if (address == 1524 || address == 1533 || address == 1534)
        return address - 1000;
    return address;
}

void WritesInFlight::writeSent(int address)
{
    Writes& writes = m_writes[unitAddress(address)];
    ++writes.count;
    writes.lastSent.start();
}

void WritesInFlight::writeFinished(int address)
{
    // Writes of other flows (a parameter file, the firmware switch) end here too; they
    // were never counted.
    const auto it = m_writes.find(unitAddress(address));
    if (it == m_writes.end())
        return;
    if (--it->count <= 0)
        m_writes.erase(it);
}

bool WritesInFlight::isWriting(int address) const
{
    const auto it = m_writes.constFind(unitAddress(address));
    return it != m_writes.constEnd() && it->count > 0 && !it->lastSent.hasExpired(GiveUpMs);
}
