#include "linksession.h"

#include "linktrace.h"

#include <QDebug>

#include <algorithm>

namespace {

// Entries of a read answer cost about this many bytes ("533:210,").
constexpr int answerBytesPerAddress = 11;
constexpr int identifyAnswerBytes = 40;
constexpr int writeAnswerBytes = 24;

} // namespace

LinkSession::LinkSession(const LinkSettings& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LinkSession::onTimer);
    m_clock.start();
}

LinkSession::~LinkSession() = default;

bool LinkSession::isRecordAddress(int address)
{
    return address >= 600 && address <= 644 && (address % 10 == 0 || address % 10 == 4);
}

void LinkSession::start()
{
    m_queue.clear();
    m_outstanding.clear();
    m_parser.reset();
    m_timer.stop();
    m_warnedAddresses.clear();
    m_lastAnswer = now();
    m_active = true;
}

void LinkSession::stop(const QString& reason)
{
    const bool hadWrites = hasWrites();
    // Writes under way were sent before the queued ones: report them in the order asked for.
    QVector<QPair<int, int>> lost;
    for (const Exchange& ex : qAsConst(m_outstanding)) {
        if (ex.job.kind == WriteJob) {
            qWarning("hxserial: write %d,%d not confirmed by the unit: %s", ex.job.address,
                     ex.job.value, qPrintable(reason));
            lost.append({ex.job.address, ex.job.value});
        }
    }
    for (const Job& job : m_queue) {
        if (job.kind == WriteJob) {
            qWarning("hxserial: write %d,%d not sent: %s", job.address, job.value,
                     qPrintable(reason));
            lost.append({job.address, job.value});
        }
    }
    m_queue.clear();
    m_outstanding.clear();
    m_timer.stop();
    m_parser.reset();
    m_active = false;
    // The state is final before anybody hears of it: a receiver may ask for more at once.
    for (const auto& write : qAsConst(lost))
        emit writeFinished(write.first, write.second, false);
    if (hadWrites)
        emit writesDone();
}

void LinkSession::identify(int attempts)
{
    if (!m_active)
        return;
    Job job;
    job.kind = IdentifyJob;
    job.attempts = attempts;
    m_queue.push_back(job);
    pump();
}

void LinkSession::read(const QVector<int>& addresses, quint64 generation)
{
    if (!m_active)
        return;
    QVector<int> distinct;
    QVector<int> repeats;
    for (const int address : addresses) {
        const int i = distinct.indexOf(address);
        if (i >= 0) {
            ++repeats[i];
        } else {
            distinct.append(address);
            repeats.append(1);
        }
    }
    Job batch;
    batch.kind = ReadJob;
    batch.generation = generation;
    const int batchSize = qBound(1, m_settings.readBatch, LinkPayload::MaxReadAddresses);
    // On a long read the first requests are short and grow, so that the unit starts
    // answering while the rest of the requests are still on their way and its answers
    // never wait for the next request to arrive.
    int limit = distinct.size() > batchSize ? qMin(4, batchSize) : batchSize;
    for (int i = 0; i < distinct.size(); ++i) {
        if (isRecordAddress(distinct.at(i))) {
            Job record;
            record.kind = ChunkJob;
            record.generation = generation;
            record.address = distinct.at(i);
            record.recordRepeats = repeats.at(i);
            m_queue.push_back(record);
            continue;
        }
        batch.addresses.append(distinct.at(i));
        batch.repeats.append(repeats.at(i));
        if (batch.addresses.size() == limit) {
            m_queue.push_back(batch);
            batch.addresses.clear();
            batch.repeats.clear();
            limit = qMin(2 * limit, batchSize);
        }
    }
    if (!batch.addresses.isEmpty())
        m_queue.push_back(batch);

    // A unit that cannot keep up must not make the queue grow without end: the oldest reads
    // are the least useful ones.
    int reads = 0;
    for (const Job& job : m_queue)
        reads += (job.kind == ReadJob || job.kind == ChunkJob) ? 1 : 0;
    for (auto it = m_queue.begin(); reads > m_settings.maxQueuedReads && it != m_queue.end();) {
        if (it->kind == ReadJob || it->kind == ChunkJob) {
            it = m_queue.erase(it);
            --reads;
        } else {
            ++it;
        }
    }
    pump();
}

void LinkSession::write(int address, int value)
{
    if (!m_active) {
        qWarning("hxserial: write %d,%d not sent: no unit connected", address, value);
        emit writeFinished(address, value, false);
        return;
    }
    Job job;
    job.kind = WriteJob;
    job.address = address;
    job.value = value;
    qCDebug(lcLink, "write %d,%d queued behind %d request(s)", address, value,
            int(m_queue.size() + m_outstanding.size()));
    m_queue.push_back(job);
    pump();
}

void LinkSession::dropReads(quint64 olderThan)
{
    const auto stale = [olderThan](const Job& job) {
        return (job.kind == ReadJob || job.kind == ChunkJob) && job.generation < olderThan;
    };
    const auto queuedBefore = m_queue.size();
    m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(), stale), m_queue.end());
    int cancelled = 0;
    for (Exchange& ex : m_outstanding) {
        if (stale(ex.job) && !ex.cancelled) {
            ex.cancelled = true;
            ++cancelled;
        }
    }
    if (queuedBefore != m_queue.size() || cancelled > 0)
        qCDebug(lcLink,
                "reads asked for before the reader was cleared dropped: %d queued, %d "
                "under way",
                int(queuedBefore - m_queue.size()), cancelled);
}

bool LinkSession::hasWrites() const
{
    for (const Exchange& ex : m_outstanding) {
        if (ex.job.kind == WriteJob)
            return true;
    }
    for (const Job& job : m_queue) {
        if (job.kind == WriteJob)
            return true;
    }
    return false;
}

qint64 LinkSession::msSinceLastAnswer() const
{
    return now() - m_lastAnswer;
}

void LinkSession::receive(const QByteArray& bytes)
{
    if (!m_active)
        return;
    ++m_burst;
    QVector<LinkFrame> frames;
    const int rejected = m_parser.feed(bytes, &frames);
    if (rejected > 0)
        qCDebug(lcLinkFrames, "%d garbled frame(s) dropped", rejected);
    for (const LinkFrame& frame : qAsConst(frames)) {
        if (!m_active)
            return;
        qCDebug(lcLinkFrames, "received %s", linkTraceText(frame.encode()).constData());
        handleFrame(frame);
    }
    // A garbled frame was most likely the answer to the oldest request.
    if (rejected > 0 && m_active)
        resendOldest();
    if (m_active) {
        pump();
        armTimer();
    }
}

void LinkSession::pump()
{
    while (m_active && sendNext()) {
    }
    armTimer();
}

bool LinkSession::acceptsMoreFrames() const
{
    if (m_outstanding.size() >= qMax(1, m_settings.window))
        return false;
    for (const Exchange& ex : m_outstanding) {
        if (ex.job.kind == WriteJob || ex.job.kind == IdentifyJob)
            return false;
    }
    return true;
}

bool LinkSession::sendNext()
{
    if (m_queue.empty() || !acceptsMoreFrames())
        return false;
    const Job& next = m_queue.front();
    // Writes go alone: nothing overtakes them and they overtake nothing, so the unit sees
    // them in the order they were asked for and a read never returns a value from before a
    // write that was asked for earlier.
    if ((next.kind == WriteJob || next.kind == IdentifyJob) && !m_outstanding.isEmpty())
        return false;
    Exchange ex;
    ex.job = next;
    m_queue.pop_front();
    ex.seq = nextSeq();
    ex.frame = frameFor(ex.job, ex.seq);
    ex.bytes = ex.frame.encode();
    ex.expectedAnswerBytes = expectedAnswerBytes(ex.job);
    m_outstanding.append(ex);
    send(m_outstanding.last());
    return true;
}

void LinkSession::send(Exchange& ex)
{
    ++ex.sends;
    ex.sendIndex = ++m_sendCounter;
    ex.resendAt = -1;
    // Answers come back in order, so this one may wait behind those still under way.
    qint64 bytesAhead = ex.bytes.size();
    for (const Exchange& other : qAsConst(m_outstanding))
        bytesAhead += other.expectedAnswerBytes;
    ex.deadline = now() + m_settings.answerTimeoutMs +
                  qint64(m_settings.lineTimeMs(bytesAhead) * 1.5) + 1;
    qCDebug(lcLinkFrames, "sent %s%s", linkTraceText(ex.bytes).constData(),
            ex.sends > 1 ? " (again)" : "");
    emit transmit(ex.bytes);
}

void LinkSession::resend(Exchange& ex)
{
    const int allowed = ex.job.attempts > 0 ? ex.job.attempts : m_settings.attempts;
    if (ex.sends >= allowed) {
        fail(QStringLiteral("no answer to %1 after %2 attempts")
                     .arg(describe(ex.job))
                     .arg(ex.sends));
        return;
    }
    ex.resentInBurst = m_burst;
    send(ex);
}

void LinkSession::complete(int index)
{
    m_outstanding.removeAt(index);
}

quint8 LinkSession::nextSeq()
{
    for (;;) {
        m_seq = quint8(m_seq + 1);
        const bool used = std::any_of(m_outstanding.cbegin(), m_outstanding.cend(),
                                      [this](const Exchange& ex) { return ex.seq == m_seq; });
        if (!used)
            return m_seq;
    }
}

LinkFrame LinkSession::frameFor(const Job& job, quint8 seq) const
{
    switch (job.kind) {
    case IdentifyJob:
        return LinkFrame(seq, LinkFrame::Identify);
    case ReadJob:
        return LinkFrame(seq, LinkFrame::Read, LinkPayload::readRequest(job.addresses));
    case WriteJob:
        return LinkFrame(seq, LinkFrame::Write, LinkPayload::addressValue(job.address, job.value));
    case ChunkJob:
        return LinkFrame(seq, LinkFrame::GetChunk,
                         LinkPayload::chunkRequest(job.address, job.record.size()));
    }
    return LinkFrame();
}

int LinkSession::expectedAnswerBytes(const Job& job) const
{
    switch (job.kind) {
    case IdentifyJob:
        return identifyAnswerBytes;
    case ReadJob:
        return job.addresses.size() * answerBytesPerAddress + LinkFrame::Overhead;
    case WriteJob:
        return writeAnswerBytes;
    case ChunkJob:
        return LinkPayload::MaxChunkSize + 30;
    }
    return 0;
}

QString LinkSession::describe(const Job& job)
{
    switch (job.kind) {
    case IdentifyJob:
        return QStringLiteral("identify");
    case ReadJob:
        return QStringLiteral("read of %1 addresses from %2")
                .arg(job.addresses.size())
                .arg(job.addresses.value(0));
    case WriteJob:
        return QStringLiteral("write %1,%2").arg(job.address).arg(job.value);
    case ChunkJob:
        return QStringLiteral("record %1 at byte %2").arg(job.address).arg(job.record.size());
    }
    return QString();
}

void LinkSession::warnOnce(int address, const QString& text)
{
    if (m_warnedAddresses.contains(address))
        return;
    m_warnedAddresses.append(address);
    qWarning("hxserial: %s", qPrintable(text));
}

void LinkSession::handleFrame(const LinkFrame& frame)
{
    m_lastAnswer = now();
    if (frame.type == LinkFrame::Nak) {
        resendOldest();
        return;
    }
    for (int i = 0; i < m_outstanding.size(); ++i) {
        if (m_outstanding.at(i).seq == frame.seq) {
            handleAnswer(i, frame);
            return;
        }
    }
    // An answer to a request that was answered already (a resend crossed the answer) or
    // dropped: nothing to do.
}

void LinkSession::handleAnswer(int index, const LinkFrame& frame)
{
    Exchange& ex = m_outstanding[index];
    const Job job = ex.job;
    const bool cancelled = ex.cancelled;
    const quint64 sendIndex = ex.sendIndex;

    if (frame.type == LinkFrame::ErrorAnswer) {
        int code = 0;
        QByteArray detail;
        if (!LinkPayload::parseErrorAnswer(frame.payload, &code, &detail))
            return;
        if (code == LinkPayload::Busy) {
            const qint64 t = now();
            if (ex.busySince < 0)
                ex.busySince = t;
            if (t - ex.busySince > m_settings.busyLimitMs) {
                fail(QStringLiteral("unit stayed busy for %1").arg(describe(job)));
                return;
            }
            ex.resendAt = t + m_settings.busyRetryMs;
            ex.deadline = ex.resendAt + m_settings.answerTimeoutMs;
            resendOlderThan(sendIndex);
            return;
        }
        complete(index);
        if (job.kind == WriteJob) {
            // Reported before anything else can stop the session, so that it is reported once.
            qWarning("hxserial: the unit refused write %d,%d (error %d%s%s)", job.address,
                     job.value, code, detail.isEmpty() ? "" : ": ", detail.constData());
            emit writeFinished(job.address, job.value, false);
        }
        resendOlderThan(sendIndex);
        if (!m_active)
            return;
        switch (job.kind) {
        case WriteJob:
            if (!hasWrites())
                emit writesDone();
            break;
        case ReadJob:
            qWarning("hxserial: the unit refused a %s (error %d)", qPrintable(describe(job)), code);
            break;
        case ChunkJob:
            warnOnce(job.address, QStringLiteral("the unit has no record %1 (error %2)")
                                          .arg(job.address)
                                          .arg(code));
            break;
        case IdentifyJob:
            fail(QStringLiteral("the unit refused to identify itself (error %1)").arg(code));
            break;
        }
        return;
    }

    switch (job.kind) {
    case IdentifyJob: {
        LinkPayload::Identity identity;
        if (frame.type != LinkFrame::IdentifyAnswer ||
            !LinkPayload::parseIdentifyAnswer(frame.payload, &identity))
            return;
        complete(index);
        // A newer minor version keeps every rule of this one; another major version does not.
        if (identity.protocol != LinkPayload::ProtocolMajor) {
            const QString reason =
                    QStringLiteral("the unit speaks protocol version %1.%2; this program speaks "
                                   "version %3 and cannot talk to it")
                            .arg(identity.protocol)
                            .arg(identity.protocolMinor)
                            .arg(LinkPayload::ProtocolMajor);
            if (reason != m_lastRefusal)
                qWarning("hxserial: %s", qPrintable(reason));
            m_lastRefusal = reason;
            emit protocolRefused(identity.protocol);
            fail(reason);
            return;
        }
        emit identified(identity);
        return;
    }
    case ReadJob: {
        QVector<LinkPayload::ReadEntry> entries;
        if (frame.type != LinkFrame::ReadAnswer ||
            !LinkPayload::parseReadAnswer(frame.payload, &entries) ||
            entries.size() != job.addresses.size())
            return;
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i).address != job.addresses.at(i))
                return;
        }
        complete(index);
        resendOlderThan(sendIndex);
        if (cancelled || !m_active)
            return;
        for (int i = 0; i < entries.size(); ++i) {
            const LinkPayload::ReadEntry& e = entries.at(i);
            if (e.error) {
                warnOnce(e.address, QStringLiteral("the unit cannot read address %1 (error %2)")
                                            .arg(e.address)
                                            .arg(e.error));
                continue;
            }
            for (int r = 0; r < job.repeats.at(i); ++r)
                emit valueRead(e.address, e.value, job.generation);
        }
        return;
    }
    case WriteJob: {
        int address = 0;
        int value = 0;
        if (frame.type != LinkFrame::WriteAnswer ||
            !LinkPayload::parseAddressValue(frame.payload, &address, &value) ||
            address != job.address)
            return;
        complete(index);
        if (value != job.value)
            qWarning("hxserial: the unit stored %d at address %d (asked for %d)", value, address,
                     job.value);
        qCDebug(lcLink, "write %d,%d confirmed: the unit stored %d", job.address, job.value, value);
        emit writeFinished(job.address, job.value, true);
        if (!hasWrites())
            emit writesDone();
        return;
    }
    case ChunkJob: {
        LinkPayload::Chunk chunk;
        if (frame.type != LinkFrame::ChunkAnswer ||
            !LinkPayload::parseChunkAnswer(frame.payload, &chunk) || chunk.address != job.address ||
            chunk.offset != job.record.size())
            return;
        complete(index);
        resendOlderThan(sendIndex);
        if (cancelled || !m_active)
            return;
        if (chunk.total > LinkPayload::MaxRecordSize) {
            warnOnce(job.address, QStringLiteral("record %1 announces %2 bytes, more than the "
                                                 "%3 a record may have; not read")
                                          .arg(job.address)
                                          .arg(chunk.total)
                                          .arg(LinkPayload::MaxRecordSize));
            return;
        }
        Job next = job;
        next.record.append(chunk.data);
        if (next.record.size() < chunk.total) {
            m_queue.push_front(next);
            return;
        }
        for (int r = 0; r < job.recordRepeats; ++r)
            emit recordRead(job.address, next.record, job.generation);
        return;
    }
    }
}

void LinkSession::resendOlderThan(quint64 sendIndex)
{
    // The unit answers in order: whatever was sent before an answered request and is still
    // unanswered is lost.
    for (int i = 0; m_active && i < m_outstanding.size();) {
        Exchange& ex = m_outstanding[i];
        if (ex.sendIndex >= sendIndex || ex.resendAt >= 0 || ex.resentInBurst == m_burst) {
            ++i;
            continue;
        }
        if (ex.cancelled) {
            m_outstanding.removeAt(i);
            continue;
        }
        resend(ex);
        ++i;
    }
}

void LinkSession::resendOldest()
{
    int oldest = -1;
    for (int i = 0; i < m_outstanding.size(); ++i) {
        const Exchange& ex = m_outstanding.at(i);
        if (ex.resendAt >= 0)
            continue;
        if (oldest < 0 || ex.sendIndex < m_outstanding.at(oldest).sendIndex)
            oldest = i;
    }
    // Already sent again for this burst (a later answer showed it lost): once is enough.
    if (oldest < 0 || m_outstanding.at(oldest).resentInBurst == m_burst)
        return;
    if (m_outstanding.at(oldest).cancelled) {
        m_outstanding.removeAt(oldest);
        return;
    }
    resend(m_outstanding[oldest]);
}

void LinkSession::armTimer()
{
    if (!m_active || m_outstanding.isEmpty()) {
        m_timer.stop();
        return;
    }
    qint64 earliest = std::numeric_limits<qint64>::max();
    for (const Exchange& ex : qAsConst(m_outstanding))
        earliest = qMin(earliest, ex.resendAt >= 0 ? ex.resendAt : ex.deadline);
    m_timer.start(int(qBound<qint64>(0, earliest - now(), 60000)));
}

void LinkSession::onTimer()
{
    const qint64 t = now();
    for (int i = 0; m_active && i < m_outstanding.size();) {
        Exchange& ex = m_outstanding[i];
        if (ex.cancelled && (ex.resendAt >= 0 || ex.deadline <= t)) {
            // Nobody waits for it any more: no need to ask a busy unit again or to resend.
            m_outstanding.removeAt(i);
            continue;
        }
        if (ex.resendAt >= 0) {
            if (ex.resendAt <= t) {
                // Asking a busy unit again is not a lost request.
                --ex.sends;
                send(ex);
            }
            ++i;
            continue;
        }
        if (ex.deadline > t) {
            ++i;
            continue;
        }
        resend(ex);
        ++i;
    }
    if (m_active)
        pump();
}

void LinkSession::fail(const QString& reason)
{
    if (!m_active)
        return;
    qCDebug(lcLink, "session failed: %s", qPrintable(reason));
    stop(reason);
    emit failed(reason);
}
