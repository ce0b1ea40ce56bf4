#ifndef FRAMEPARSER_H
#define FRAMEPARSER_H

#include "hxserial_global.h"
#include "linkframe.h"

#include <QByteArray>
#include <QVector>

// Cuts a byte stream into frames. Bytes outside a frame are skipped, a '#' always starts a
// new frame (so the parser finds its way back after garbage or a cut-off frame), and a
// frame longer than LinkFrame::MaxFrameSize is dropped: the buffer never holds more than
// that, whatever arrives. Frames that fail to decode are counted, never returned.
class HXSERIAL_EXPORT FrameParser
{
public:
    struct Counters
    {
        qint64 frames = 0;       // good frames returned
        qint64 badFrames = 0;    // complete lines that failed to decode (checksum, syntax)
        qint64 cutFrames = 0;    // frames cut off by a new '#'
        qint64 overlong = 0;     // frames dropped for their length
        qint64 skippedBytes = 0; // bytes outside any frame
    };

    // Appends the good frames found in the bytes to *frames and returns how many lines
    // were rejected (bad, cut off or too long) in these bytes.
    int feed(const QByteArray& bytes, QVector<LinkFrame>* frames);
    void reset();

    const Counters& counters() const { return m_counters; }
    int bufferedBytes() const { return m_line.size(); }

private:
    enum State { Hunting, InFrame, Discarding };
    State m_state = Hunting;
    QByteArray m_line;
    Counters m_counters;
};

#endif // FRAMEPARSER_H
