#ifndef LINKSESSION_H
#define LINKSESSION_H

#include "frameparser.h"
#include "hxserial_global.h"
#include "linkframe.h"
#include "linkpayload.h"
#include "linksettings.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <deque>
#include <limits>

// The request/answer machinery of one open port, without the port itself: bytes come in
// through receive() and go out through transmit(). It numbers the requests, keeps up to
// LinkSettings::window reads under way, sends writes one at a time and in order, resends
// what was not answered (at once when a later answer, a NAK or a garbled frame shows that
// something was lost, else after the timeout), waits out a busy unit, and gives up with
// failed() when a request stays unanswered after all its attempts.
class HXSERIAL_EXPORT LinkSession : public QObject
{
    Q_OBJECT
public:
    explicit LinkSession(const LinkSettings& settings, QObject* parent = nullptr);
    ~LinkSession() override;

    // A port was opened: forget all exchanges and numbering, keep nothing queued.
    void start();
    // The port is gone: drop everything. Writes that were not confirmed are logged.
    void stop(const QString& reason);
    bool isActive() const { return m_active; }

    // Asks the unit who it is; identified() or failed() follows.
    void identify(int attempts);
    // Reads the addresses (repeats are answered once per entry). generation is handed back
    // with every answer so that the owner can drop answers it no longer wants.
    void read(const QVector<int>& addresses, quint64 generation);
    void write(int address, int value);
    // Drops the reads of generations before the given one, queued or under way; answers
    // still coming for them are ignored.
    void dropReads(quint64 olderThan);

    void receive(const QByteArray& bytes);

    bool hasWrites() const;
    bool isIdle() const { return m_queue.empty() && m_outstanding.isEmpty(); }
    // Milliseconds since the last frame from the unit (or since start()).
    qint64 msSinceLastAnswer() const;

    const FrameParser::Counters& parserCounters() const { return m_parser.counters(); }
    static bool isRecordAddress(int address);

signals:
    void transmit(const QByteArray& bytes);
    void valueRead(int address, int value, quint64 generation);
    void recordRead(int address, const QByteArray& text, quint64 generation);
    void identified(const LinkPayload::Identity& identity);
    // The unit answered identify with a protocol version this link does not speak; failed()
    // follows.
    void protocolRefused(int version);
    void failed(const QString& reason);
    // The end of one write: confirmed when the unit answered it (with the value it stored,
    // which may be the asked-for value clamped into the address's range), not confirmed
    // when the unit refused it, or when it was dropped because the session stopped or
    // failed. value is the one asked for.
    void writeFinished(int address, int value, bool confirmed);
    // All writes are confirmed (or given up).
    void writesDone();

private:
    enum Kind { IdentifyJob, ReadJob, WriteJob, ChunkJob };

    struct Job
    {
        Kind kind = ReadJob;
        quint64 generation = 0;
        int attempts = 0; // allowed sends (identify) or 0 for the settings' default
        // ReadJob: distinct addresses and how many entries asked for each.
        QVector<int> addresses;
        QVector<int> repeats;
        // WriteJob: address and value; ChunkJob: record address and byte offset.
        int address = 0;
        int value = 0;
        // ChunkJob: what came so far (offset = its size).
        QByteArray record;
        int recordRepeats = 1;
    };

    struct Exchange
    {
        Job job;
        quint8 seq = 0;
        LinkFrame frame;
        QByteArray bytes;
        int sends = 0;
        quint64 sendIndex = 0;
        qint64 deadline = 0;
        qint64 resendAt = -1; // waiting for a busy unit
        qint64 busySince = -1;
        int expectedAnswerBytes = 0;
        bool cancelled = false;    // the owner no longer wants the answer
        quint64 resentInBurst = 0; // the receive() call that last resent it
    };

    void pump();
    bool sendNext();
    void send(Exchange& exchange);
    void resend(Exchange& exchange);
    void complete(int index);
    void handleFrame(const LinkFrame& frame);
    void handleAnswer(int index, const LinkFrame& frame);
    void resendOlderThan(quint64 sendIndex);
    void resendOldest();
    void armTimer();
    void onTimer();
    void fail(const QString& reason);
    bool acceptsMoreFrames() const;
    int expectedAnswerBytes(const Job& job) const;
    LinkFrame frameFor(const Job& job, quint8 seq) const;
    quint8 nextSeq();
    qint64 now() const { return m_clock.elapsed(); }
    void warnOnce(int address, const QString& text);
    static QString describe(const Job& job);

    LinkSettings m_settings;
    FrameParser m_parser;
    std::deque<Job> m_queue;
    QList<Exchange> m_outstanding;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastAnswer = 0;
    quint64 m_sendCounter = 0;
    quint8 m_seq = 0;
    bool m_active = false;
    QVector<int> m_warnedAddresses;
    // Counts receive() calls: one burst of answers resends a request at most once.
    quint64 m_burst = 0;
    // The last protocol version refusal logged, so that the port scan does not repeat it.
    QString m_lastRefusal;
};

#endif // LINKSESSION_H
