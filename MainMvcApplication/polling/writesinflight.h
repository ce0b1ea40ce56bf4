#ifndef WRITESINFLIGHT_H
#define WRITESINFLIGHT_H

#include <QElapsedTimer>
#include <QHash>

// The edits written to the unit whose outcome has not come back yet, by the unit's
// address. The unit answers in order, so an answer for an address that arrives while a
// write to it is under way was sent before the write took effect: showing it would move
// the widget back to the value the pilot just changed. The program-side copies of the bank
// tab (1524, 1533, 1534) count as their unit addresses.
class WritesInFlight
{
public:
    // A write to `address` went to the link.
    void writeSent(int address);
    // The link reported the end of a write to `address` (confirmed or not).
    void writeFinished(int address);
    // Whether answers for `address` are older than a write still under way.
    bool isWriting(int address) const;
    // The link is gone or back: its writes have ended, reported or not.
    void clear() { m_writes.clear(); }

    // A link that never reports a write must not keep a field from showing the unit for
    // good; after this long the write no longer holds its answers back.
    static constexpr int GiveUpMs = 10000;

private:
    static int unitAddress(int address);

    struct Writes
    {
        int count = 0;
        QElapsedTimer lastSent;
    };
    QHash<int, Writes> m_writes;
};

#endif // WRITESINFLIGHT_H
