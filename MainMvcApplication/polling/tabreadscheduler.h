#ifndef TABREADSCHEDULER_H
#define TABREADSCHEDULER_H

#include <QString>

#include <array>

// Decides what the controller reads from the unit on each poll tick: the live values of
// the tab the user is looking at on most ticks, the tab's whole list on every twelfth
// tick and on the first tick after the tab was entered. It also counts the full reads
// that no answer has followed yet, which is how a silent unit is noticed.
class TabReadScheduler
{
public:
    static constexpr int TabCount = 12;
    static constexpr int LogTab = 10;

    TabReadScheduler();

    // The address string of a tab: live addresses, ":", full-only addresses.
    static QString tabAddresses(int tab);
    // Whether the address is a live value, read on every tick by some tab (before its ":").
    // The bank selector 0104 is read with the receiver tab's live values but is a setting.
    static bool isLiveAddress(int address);

    // Counts one tick for `tab`; every other tab's counter starts over.
    void tick(int tab);
    // The read request for this tick of `tab` (may be empty: a tab without live values).
    QString addressesForTab(int tab);
    // One flight-log address: element `page` of the tab's list with its third digit
    // replaced by `flight` ("0624" for the chart of record 2).
    QString logAddress(int tab, int page, const QString& flight);
    // Every tab's whole list, one after the other.
    QString allAddresses() const;

    void resetCounters();
    int counter(int tab) const;

    int pendingReads() const { return m_pending; }
    void setPendingReads(int pending) { m_pending = pending; }
    void answerReceived();

private:
    static bool isTab(int tab) { return tab >= 0 && tab < TabCount; }
    bool isFullReadTick(int tab) const { return m_counters[tab] % 12 == 0; }

    std::array<int, TabCount> m_counters;
    int m_pending = 0;
};

#endif // TABREADSCHEDULER_H
