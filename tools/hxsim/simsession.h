#ifndef SIMSESSION_H
#define SIMSESSION_H

#include "frameparser.h"
#include "linkframe.h"
#include "simunit.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QVector>

// The unit's end of the line protocol: takes the bytes from the computer, answers each
// request frame through the SimUnit, and plays the faults it is asked to: dropped and
// garbled frames (both ways), and a unit that falls silent after a number of requests.
class SimSession
{
public:
    struct Faults
    {
        double dropShare = 0;    // of the frames in each direction
        double corruptShare = 0; // of the frames in each direction
        int silentAfter = -1;    // requests answered before the unit stops answering
    };

    struct Counters
    {
        qint64 bytesIn = 0;
        qint64 bytesOut = 0;
        qint64 requests = 0;
        qint64 answers = 0;
        qint64 dropped = 0;
        qint64 corrupted = 0;
        qint64 duplicateWrites = 0;
    };

    SimSession(SimUnit* unit, quint32 seed = 1);

    void setFaults(const Faults& faults) { m_faults = faults; }
    const Faults& faults() const { return m_faults; }

    // The bytes to send back (whole frames, in order) for the bytes received at nowMs.
    QByteArray receive(const QByteArray& bytes, qint64 nowMs);
    // A fresh connection (power cycle of the link): parser, duplicate check and the
    // silence counter start again.
    void reset();

    const Counters& counters() const { return m_counters; }
    void clearCounters() { m_counters = Counters(); }
    const FrameParser::Counters& parserCounters() const { return m_parser.counters(); }

private:
    LinkFrame answer(const LinkFrame& request, qint64 nowMs);
    LinkFrame handleWrite(const LinkFrame& request, qint64 nowMs);
    QByteArray send(const LinkFrame& frame);
    bool chance(double share);

    SimUnit* m_unit;
    FrameParser m_parser;
    QRandomGenerator m_random;
    Faults m_faults;
    Counters m_counters;
    qint64 m_handled = 0;
    // The last write carried out, to recognise its resend after a lost confirmation.
    bool m_haveLastWrite = false;
    LinkFrame m_lastWrite;
    LinkFrame m_lastWriteAnswer;
};

#endif // SIMSESSION_H
