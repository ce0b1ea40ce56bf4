#include "simsession.h"

#include "linkpayload.h"

SimSession::SimSession(SimUnit* unit, quint32 seed)
    : m_unit(unit)
    , m_random(seed ^ 0x5eed5eedu)
{}

void SimSession::reset()
{
    m_parser.reset();
    m_handled = 0;
    m_haveLastWrite = false;
}

bool SimSession::chance(double share)
{
    return share > 0 && m_random.generateDouble() < share;
}

QByteArray SimSession::receive(const QByteArray& bytes, qint64 nowMs)
{
    m_counters.bytesIn += bytes.size();
    QVector<LinkFrame> frames;
    const int rejected = m_parser.feed(bytes, &frames);
    QByteArray out;
    const bool silent = m_faults.silentAfter >= 0 && m_handled >= m_faults.silentAfter;
    // A garbled frame is answered with a NAK, so that the computer sends it again at once.
    for (int i = 0; i < rejected && !silent; ++i)
        out += send(LinkFrame(0, LinkFrame::Nak));
    for (const LinkFrame& frame : qAsConst(frames)) {
        if (m_faults.silentAfter >= 0 && m_handled >= m_faults.silentAfter)
            break;
        if (chance(m_faults.dropShare)) {
            ++m_counters.dropped;
            continue;
        }
        if (chance(m_faults.corruptShare)) {
            ++m_counters.corrupted;
            out += send(LinkFrame(0, LinkFrame::Nak));
            continue;
        }
        ++m_counters.requests;
        ++m_handled;
        out += send(answer(frame, nowMs));
    }
    return out;
}

QByteArray SimSession::send(const LinkFrame& frame)
{
    if (!frame.type)
        return QByteArray();
    if (chance(m_faults.dropShare)) {
        ++m_counters.dropped;
        return QByteArray();
    }
    QByteArray bytes = frame.encode();
    if (chance(m_faults.corruptShare)) {
        ++m_counters.corrupted;
        // One character of the frame's body changes, as line noise would do it.
        const int i = 1 + int(m_random.bounded(bytes.size() - 2));
        char c = bytes.at(i);
        do {
            c = char(0x21 + m_random.bounded(0x7E - 0x21 + 1));
        } while (c == bytes.at(i) || c == LinkFrame::Start);
        bytes[i] = c;
    }
    ++m_counters.answers;
    m_counters.bytesOut += bytes.size();
    return bytes;
}

LinkFrame SimSession::answer(const LinkFrame& request, qint64 nowMs)
{
    const auto error = [&request](int code, const QByteArray& detail = QByteArray()) {
        return LinkFrame(request.seq, LinkFrame::ErrorAnswer,
                         LinkPayload::errorAnswer(code, detail));
    };
    if (request.type == LinkFrame::Write)
        return handleWrite(request, nowMs);
    m_haveLastWrite = false;
    if (m_unit->isBusy(nowMs))
        return error(LinkPayload::Busy);

    switch (request.type) {
    case LinkFrame::Identify: {
        if (!request.payload.isEmpty())
            return error(LinkPayload::BadRequest);
        LinkPayload::Identity id;
        id.hardware = SimUnit::HardwareVersion;
        id.firmware = SimUnit::FirmwareVersion;
        id.serial = m_unit->serialNumber();
        return LinkFrame(request.seq, LinkFrame::IdentifyAnswer, LinkPayload::identifyAnswer(id));
    }
    case LinkFrame::Read: {
        QVector<int> addresses;
        if (!LinkPayload::parseReadRequest(request.payload, &addresses))
            return error(LinkPayload::BadRequest);
        QVector<LinkPayload::ReadEntry> entries;
        for (const int address : qAsConst(addresses)) {
            const SimUnit::Result r = m_unit->read(address, nowMs);
            LinkPayload::ReadEntry e;
            e.address = address;
            e.value = r.value;
            e.error = r.error;
            entries.append(e);
        }
        return LinkFrame(request.seq, LinkFrame::ReadAnswer, LinkPayload::readAnswer(entries));
    }
    case LinkFrame::GetChunk: {
        int address = 0;
        int offset = 0;
        if (!LinkPayload::parseChunkRequest(request.payload, &address, &offset))
            return error(LinkPayload::BadRequest);
        const SimUnit::Result size = m_unit->recordSize(address);
        if (size.error)
            return error(size.error);
        if (offset > size.value)
            return error(LinkPayload::BadRequest);
        LinkPayload::Chunk chunk;
        chunk.address = address;
        chunk.offset = offset;
        chunk.total = size.value;
        chunk.data = m_unit->record(address).mid(offset, LinkPayload::MaxChunkSize);
        return LinkFrame(request.seq, LinkFrame::ChunkAnswer, LinkPayload::chunkAnswer(chunk));
    }
    default:
        return error(LinkPayload::UnknownType);
    }
}

LinkFrame SimSession::handleWrite(const LinkFrame& request, qint64 nowMs)
{
    // The computer sends a write again when it missed the confirmation: confirm it again,
    // but do not carry it out twice (a command must not run twice).
    if (m_haveLastWrite && request == m_lastWrite) {
        ++m_counters.duplicateWrites;
        return m_lastWriteAnswer;
    }
    m_haveLastWrite = false;
    if (m_unit->isBusy(nowMs))
        return LinkFrame(request.seq, LinkFrame::ErrorAnswer,
                         LinkPayload::errorAnswer(LinkPayload::Busy));
    int address = 0;
    int value = 0;
    LinkFrame reply;
    if (!LinkPayload::parseAddressValue(request.payload, &address, &value)) {
        reply = LinkFrame(request.seq, LinkFrame::ErrorAnswer,
                          LinkPayload::errorAnswer(LinkPayload::BadRequest));
    } else {
        const SimUnit::Result r = m_unit->write(address, value, nowMs);
        if (r.error)
            reply = LinkFrame(request.seq, LinkFrame::ErrorAnswer,
                              LinkPayload::errorAnswer(r.error));
        else
            reply = LinkFrame(request.seq, LinkFrame::WriteAnswer,
                              LinkPayload::addressValue(address, r.value));
    }
    m_haveLastWrite = true;
    m_lastWrite = request;
    m_lastWriteAnswer = reply;
    return reply;
}
