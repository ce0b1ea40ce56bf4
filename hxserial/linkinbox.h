#ifndef LINKINBOX_H
#define LINKINBOX_H

#include "hxserial_global.h"

#include <QMutex>
#include <QRecursiveMutex>
#include <QString>
#include <QVector>

// What the callers of SerialManager hand to the link thread. Any thread may post; the link
// thread takes the requests in the order they came. The generation counts the calls of
// clearAllSignalsInReader(): an answer to a read of an older generation is never emitted.
class HXSERIAL_EXPORT LinkInbox
{
public:
    struct Request
    {
        enum Kind { Read, Write };
        Kind kind = Read;
        QString text;
        quint64 generation = 0;
    };

    // Returns true when the link thread must be woken (nothing was waiting before).
    bool post(Request::Kind kind, const QString& text);
    QVector<Request> takeAll();
    void clearReads();
    quint64 generation() const;

    // Held while an answer is checked against the generation and emitted, and while the
    // generation changes, so that no stale answer slips out after clearReads() returned.
    QRecursiveMutex& emitLock() { return m_emitLock; }

private:
    mutable QMutex m_mutex;
    QRecursiveMutex m_emitLock;
    QVector<Request> m_requests;
    quint64 m_generation = 0;
};

#endif // LINKINBOX_H
