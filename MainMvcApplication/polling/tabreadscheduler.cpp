#include "tabreadscheduler.h"

#include <QSet>
#include <QStringList>

namespace {

// One entry per tab of the main window, in tab order. Before the ":" are the values that
// change while the user watches (read on every tick), after it the settings (read on
// full reads only). 0104, the bank selector of the bottom bar, is visible on every tab.
// The log tab's entries are templates whose third digit is the record number.
const char* const TabAddressTable[TabReadScheduler::TabCount] = {
        ":0121,0122,0103,0150,0152,0104",
        "0111,0112,0113,0114,0115,0116,0100,0117,0104:0101",
        ":0127,0104",
        ":0203,0124,0209,0210,0211,0104",
        "0217,0218,0219,0220:0203,0204,0205,0206,0207,0132,0133,0134,0131,0125,0222,0223,0224,"
        "0225,0226,0227,0228,0104",
        "0217,0218,0219,0220:0136,0137,0138,0139,0140,0142,0104",
        ":0301,0302,0300,0305,0306,0310,0311,0312,0313,0307,0308,0309,0290,0291,0104",
        ":0126,0135,0207,0212,0216,0303,0304,0314,0315,0316,0317,0318,0319,0320,0321,0322,0104",
        ":0511,0512,0521,0522,0523,0524,0533,0534,0535,0525,0530,0531,0532,0527,0528,0529,0104",
        ":0340,0341,0342,0345,0346,0347,0524,0533,0534,0104",
        "0600,0604",
        ":0400,0401,0402,0406,0411,0451,0500",
};

} // namespace

TabReadScheduler::TabReadScheduler()
{
    resetCounters();
}

QString TabReadScheduler::tabAddresses(int tab)
{
    return isTab(tab) ? QString::fromLatin1(TabAddressTable[tab]) : QString();
}

bool TabReadScheduler::isLiveAddress(int address)
{
    static const QSet<int> live = [] {
        QSet<int> addresses;
        for (int tab = 0; tab < TabCount; ++tab) {
            // The log tab's entries are record templates, not values.
            if (tab == LogTab)
                continue;
            const QString part = tabAddresses(tab).section(QLatin1Char(':'), 0, 0);
            for (const QString& entry : part.split(QLatin1Char(','), Qt::SkipEmptyParts))
                addresses.insert(entry.toInt(nullptr, 10));
        }
        addresses.remove(104);
        return addresses;
    }();
    return live.contains(address);
}

void TabReadScheduler::tick(int tab)
{
    if (!isTab(tab))
        return;
    for (int i = 0; i < TabCount; ++i) {
        if (i != tab)
            m_counters[i] = -1;
    }
    // Wrapping to 1 rather than 0 keeps the counter positive and never equal to a fresh
    // start, so the full read after a wrap comes 19 ticks after the last one.
    if (++m_counters[tab] > 199)
        m_counters[tab] = 1;
}

QString TabReadScheduler::addressesForTab(int tab)
{
    if (!isTab(tab))
        return QString();
    tick(tab);
    const QString addresses = tabAddresses(tab);
    if (isFullReadTick(tab)) {
        ++m_pending;
        return QString(addresses).replace(QLatin1Char(':'), QLatin1Char(','));
    }
    return addresses.section(QLatin1Char(':'), 0, 0);
}

QString TabReadScheduler::logAddress(int tab, int page, const QString& flight)
{
    if (!isTab(tab))
        return QString();
    const QStringList elements = tabAddresses(tab).split(QLatin1Char(','));
    const QString element = page >= 0 && page < elements.size() ? elements.at(page) : QString();
    tick(tab);
    QString address;
    if (isFullReadTick(tab)) {
        ++m_pending;
        address = element;
    } else {
        address = element.section(QLatin1Char(':'), 0, 0);
    }
    if (address.size() > 2)
        address.replace(2, 1, flight);
    return address;
}

QString TabReadScheduler::allAddresses() const
{
    QString all;
    for (int tab = 0; tab < TabCount; ++tab)
        all += tabAddresses(tab) + QLatin1Char(',');
    return all.replace(QLatin1Char(':'), QLatin1Char(','));
}

void TabReadScheduler::resetCounters()
{
    m_counters.fill(-1);
}

int TabReadScheduler::counter(int tab) const
{
    return isTab(tab) ? m_counters[tab] : -1;
}

void TabReadScheduler::answerReceived()
{
    if (m_pending > 0)
        --m_pending;
}
