#include "ptytransport.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

PtyTransport::PtyTransport(const QString& linkPath, QObject* parent)
    : SimTransport(parent)
    , m_linkPath(linkPath)
{}

PtyTransport::~PtyTransport()
{
    close();
}

bool PtyTransport::isSupported()
{
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0)
        return false;
    const bool ok = grantpt(fd) == 0 && unlockpt(fd) == 0 && ptsname(fd) != nullptr;
    ::close(fd);
    return ok;
}

bool PtyTransport::open(QString* error)
{
    close();
    const auto fail = [this, error](const char* what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what),
                                                  QString::fromLocal8Bit(strerror(errno)));
        close();
        return false;
    };
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail("posix_openpt");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return fail("grantpt/unlockpt");
    const char* name = ptsname(m_master);
    if (!name)
        return fail("ptsname");
    m_device = QString::fromLocal8Bit(name);
    // Holding the slave side open keeps the line in raw mode (no echo, no line editing)
    // before the program opens it, and keeps the master readable after the program closed.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return fail("open slave");
    termios t;
    if (tcgetattr(m_slave, &t) != 0)
        return fail("tcgetattr");
    cfmakeraw(&t);
    if (tcsetattr(m_slave, TCSANOW, &t) != 0)
        return fail("tcsetattr");
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyTransport::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyTransport::flushPending);

    if (!m_linkPath.isEmpty()) {
        // Replace the link in one step, so that the program never finds it missing while
        // the unit is plugged in.
        const QByteArray link = QFile::encodeName(m_linkPath);
        const QByteArray temporary = link + ".new" + QByteArray::number(qint64(getpid()));
        ::unlink(temporary.constData());
        if (::symlink(name, temporary.constData()) != 0 ||
            ::rename(temporary.constData(), link.constData()) != 0)
            return fail("symlink");
    }
    return true;
}

void PtyTransport::close()
{
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    if (!m_linkPath.isEmpty() && m_master >= 0) {
        // Unplugged: the path disappears, as a device node does.
        ::unlink(QFile::encodeName(m_linkPath).constData());
    }
    m_master = -1;
    m_slave = -1;
    m_pending.clear();
}

QString PtyTransport::path() const
{
    return m_linkPath.isEmpty() ? m_device : m_linkPath;
}

void PtyTransport::write(const QByteArray& bytes)
{
    if (m_master < 0)
        return;
    m_pending += bytes;
    flushPending();
}

void PtyTransport::flushPending()
{
    while (m_master >= 0 && !m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, int(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_writeNotifier->setEnabled(true);
            return;
        }
        if (n < 0 && errno == EINTR)
            continue;
        emit failed(QStringLiteral("write to the pseudo-terminal failed: %1")
                            .arg(QString::fromLocal8Bit(strerror(errno))));
        return;
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}

void PtyTransport::onReadable()
{
    QByteArray data;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // EIO: no program holds the line open; nothing to read.
        if (m_readNotifier)
            m_readNotifier->setEnabled(false);
        break;
    }
    if (!data.isEmpty())
        emit bytesReceived(data);
}
