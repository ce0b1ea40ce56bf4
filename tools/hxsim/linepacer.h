#ifndef LINEPACER_H
#define LINEPACER_H

#include <QByteArray>
#include <QtGlobal>

#include <deque>

// Models a serial line of a given baud rate (8N1, ten bits a byte): bytes pushed at some
// time come out only as fast as the line carries them, each once its last bit is through.
// With a baud rate of 0 the line is infinitely fast.
class LinePacer
{
public:
    explicit LinePacer(int baud = 0);

    void push(const QByteArray& bytes, qint64 nowNs);
    // The bytes fully carried by nowNs, in order.
    QByteArray takeDue(qint64 nowNs);
    // When the next byte will be through, or -1 when nothing waits.
    qint64 nextDueNs() const;
    bool isEmpty() const { return m_pieces.empty(); }
    void clear();

private:
    struct Piece
    {
        QByteArray bytes;
        qint64 startNs;
    };
    double m_nsPerByte;
    qint64 m_lineFreeNs = 0;
    std::deque<Piece> m_pieces;
};

#endif // LINEPACER_H
