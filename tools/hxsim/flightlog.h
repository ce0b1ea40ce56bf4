#ifndef FLIGHTLOG_H
#define FLIGHTLOG_H

#include <QByteArray>
#include <QVector>

// The unit's five flight-log records (record 0 is the latest flight). Each has an event list
// ("code_time,...", times in tenths of a second since power-on) and chart data
// ("period;name:v,v,...;..."), made up from a seed: power-on, GPS fix, arming, governor
// spool-up, a flight with the odd incident, landing, power-off.
class FlightLog
{
public:
    static constexpr int Records = 5;

    explicit FlightLog(quint32 seed = 1);

    // The text of a record address (600 + 10n events, 604 + 10n chart); empty for others.
    QByteArray record(int address) const;

private:
    struct Event
    {
        int code;
        int time;
    };

    void build(int n, quint32 seed);

    QByteArray m_events[Records];
    QByteArray m_charts[Records];
};

#endif // FLIGHTLOG_H
