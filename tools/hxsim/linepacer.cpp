#include "linepacer.h"

LinePacer::LinePacer(int baud)
    : m_nsPerByte(baud > 0 ? 10.0 * 1e9 / baud : 0.0)
{}

void LinePacer::push(const QByteArray& bytes, qint64 nowNs)
{
    if (bytes.isEmpty())
        return;
    const qint64 start = qMax(nowNs, m_lineFreeNs);
    m_pieces.push_back({bytes, start});
    m_lineFreeNs = start + qint64(bytes.size() * m_nsPerByte);
}

QByteArray LinePacer::takeDue(qint64 nowNs)
{
    QByteArray out;
    while (!m_pieces.empty()) {
        Piece& p = m_pieces.front();
        int count = p.bytes.size();
        if (m_nsPerByte > 0) {
            const qint64 elapsed = nowNs - p.startNs;
            count = elapsed <= 0 ? 0
                                 : int(qMin<qint64>(p.bytes.size(), qint64(elapsed / m_nsPerByte)));
        }
        if (count == 0)
            break;
        out += p.bytes.left(count);
        if (count == p.bytes.size()) {
            m_pieces.pop_front();
            continue;
        }
        p.bytes.remove(0, count);
        p.startNs += qint64(count * m_nsPerByte);
        break;
    }
    return out;
}

qint64 LinePacer::nextDueNs() const
{
    if (m_pieces.empty())
        return -1;
    return m_pieces.front().startNs + qint64(m_nsPerByte) + 1;
}

void LinePacer::clear()
{
    m_pieces.clear();
    m_lineFreeNs = 0;
}
