#include "linkinbox.h"

#include <QMutexLocker>

#include <algorithm>

bool LinkInbox::post(Request::Kind kind, const QString& text)
{
    QMutexLocker lock(&m_mutex);
    Request r;
    r.kind = kind;
    r.text = text;
    r.generation = m_generation;
    m_requests.append(r);
    return m_requests.size() == 1;
}

QVector<LinkInbox::Request> LinkInbox::takeAll()
{
    QMutexLocker lock(&m_mutex);
    QVector<Request> out;
    out.swap(m_requests);
    return out;
}

void LinkInbox::clearReads()
{
    QMutexLocker emitting(&m_emitLock);
    QMutexLocker lock(&m_mutex);
    ++m_generation;
    m_requests.erase(std::remove_if(m_requests.begin(), m_requests.end(),
                                    [](const Request& r) { return r.kind == Request::Read; }),
                     m_requests.end());
}

quint64 LinkInbox::generation() const
{
    QMutexLocker lock(&m_mutex);
    return m_generation;
}
