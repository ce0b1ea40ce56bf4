#include "portworker.h"

#include "linkinbox.h"
#include "linktrace.h"
#include "serialportcatalog.h"

#include "serialmanager.h"

#include <QDebug>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSerialPortInfo>

#include <algorithm>

PortWorker::PortWorker(const LinkSettings& settings, LinkInbox* inbox, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_inbox(inbox)
    , m_session(settings)
{
    m_scanTimer.setSingleShot(true);
    connect(&m_scanTimer, &QTimer::timeout, this, &PortWorker::scan);
    m_keepAliveTimer.setInterval(qMax(10, m_settings.keepAliveMs / 4));
    connect(&m_keepAliveTimer, &QTimer::timeout, this, &PortWorker::onKeepAlive);

    connect(&m_session, &LinkSession::transmit, this, [this](const QByteArray& bytes) {
        if (m_port && m_port->isOpen())
            m_port->write(bytes);
    });
    connect(&m_session, &LinkSession::identified, this, &PortWorker::onIdentified);
    connect(&m_session, &LinkSession::protocolRefused, this,
            [this](int) { noteProblem(SerialManager::OtherProtocolVersion, m_portName); });
    connect(&m_session, &LinkSession::failed, this, &PortWorker::onSessionFailed);
    connect(&m_session, &LinkSession::valueRead, this, &PortWorker::onValueRead);
    connect(&m_session, &LinkSession::recordRead, this, &PortWorker::onRecordRead);
    connect(&m_session, &LinkSession::writesDone, this, &PortWorker::writesDone);
    connect(&m_session, &LinkSession::writeFinished, this, &PortWorker::writeFinished);
    m_seenGeneration = m_inbox->generation();
}

PortWorker::~PortWorker()
{
    closePort();
}

void PortWorker::begin()
{
    m_begun = true;
    processInbox();
    scan();
}

void PortWorker::processInbox()
{
    // Reads queued before the last clearAllSignalsInReader() are of no use any more.
    const quint64 generation = m_inbox->generation();
    if (generation != m_seenGeneration) {
        m_session.dropReads(generation);
        m_seenGeneration = generation;
    }
    const QVector<LinkInbox::Request> requests = m_inbox->takeAll();
    for (const LinkInbox::Request& request : requests) {
        const QStringList parts = request.text.split(QLatin1Char(','));
        if (request.kind == LinkInbox::Request::Read) {
            QVector<int> addresses;
            for (const QString& part : parts) {
                const QString entry = part.trimmed();
                if (entry.isEmpty())
                    continue;
                bool ok = false;
                const int address = entry.toInt(&ok, 10);
                if (!ok || address < 0 || address > 65535) {
                    qWarning("hxserial: read request with a bad address \"%s\" skipped",
                             qPrintable(entry));
                    continue;
                }
                addresses.append(address);
            }
            if (!addresses.isEmpty() && m_state == Connected)
                m_session.read(addresses, request.generation);
            continue;
        }
        bool okAddress = false;
        bool okValue = false;
        const int address = parts.value(0).trimmed().toInt(&okAddress, 10);
        const int value = parts.value(1).trimmed().toInt(&okValue, 10);
        if (parts.size() != 2 || !okAddress || !okValue || address < 0 || address > 65535) {
            qWarning("hxserial: malformed write request \"%s\" ignored", qPrintable(request.text));
            continue;
        }
        if (m_state != Connected) {
            qWarning("hxserial: write %d,%d not sent: no unit connected", address, value);
            emit writeFinished(address, value, false);
            continue;
        }
        m_session.write(address, value);
    }
}

void PortWorker::checkLink()
{
    if (m_state == Connected) {
        // The controller asks on every tick while it waits: one check at a time, and a unit
        // that was announced a moment ago needs no second announcement yet.
        if (m_announcePending || (m_sinceAnnounce.isValid() && m_sinceAnnounce.elapsed() < 500))
            return;
        m_announcePending = true;
        m_session.identify(m_settings.attempts);
        return;
    }
    if (m_state == Disconnected)
        scan();
}

bool PortWorker::hasPendingWrites() const
{
    return m_state == Connected && m_session.hasWrites();
}

void PortWorker::shutdown()
{
    m_scanTimer.stop();
    m_keepAliveTimer.stop();
    if (m_session.isActive())
        m_session.stop(QStringLiteral("the link is shutting down"));
    if (m_port && m_port->isOpen() && m_port->bytesToWrite() > 0)
        m_port->waitForBytesWritten(100);
    closePort();
    m_state = Disconnected;
}

QStringList PortWorker::candidatePorts() const
{
    if (!m_settings.portName.isEmpty())
        return {m_settings.portName};
    if (!m_settings.preferredPort.isEmpty())
        return {m_settings.preferredPort};
    QStringList names;
    const QList<SerialPortCatalog::Port> ports = SerialPortCatalog::availablePorts();
    for (const SerialPortCatalog::Port& port : ports) {
        if (!port.otherKindOfDevice)
            names.append(port.name);
    }
    return names;
}

void PortWorker::setPreferredPort(const QString& name)
{
    if (name == m_settings.preferredPort)
        return;
    m_settings.preferredPort = name;
    if (!m_begun || !m_settings.portName.isEmpty())
        return;
    // Automatic accepts the port in use; a chosen port replaces any other.
    const bool keep = name.isEmpty() || name == m_portName;
    if (m_state == Connected) {
        if (keep)
            return;
        m_session.stop(QStringLiteral("another port was chosen"));
        dropLink(QStringLiteral("another port was chosen"));
        m_scanTimer.stop();
    } else if (m_state == Probing) {
        m_session.stop(QStringLiteral("another port was chosen"));
        closePort();
        m_state = Disconnected;
    }
    scan();
}

void PortWorker::scan()
{
    if (m_state != Disconnected)
        return;
    m_scanTimer.stop();
    m_candidates = candidatePorts();
    m_roundProblem = SerialManager::NoPortFound;
    m_roundPort = m_settings.portName;
    probeNext();
}

void PortWorker::probeNext()
{
    while (!m_candidates.isEmpty()) {
        const QString name = m_candidates.takeFirst();
        if (!openPort(name))
            continue;
        qCDebug(lcLink, "probing %s", qPrintable(name));
        m_state = Probing;
        m_session.start();
        m_session.identify(m_settings.probeAttempts);
        return;
    }
    m_state = Disconnected;
    reportProblem(m_roundProblem, m_roundPort);
    m_scanTimer.start(m_settings.scanIntervalMs);
}

void PortWorker::noteProblem(int problem, const QString& port)
{
    // What the pilot can act on comes first: a unit of another version, then a port the
    // user may not open, one that another program holds, a port where nothing answers.
    static const int rank[] = {0, 1, 3, 4, 2, 5};
    if (problem < 0 || problem > 5 || rank[problem] <= rank[m_roundProblem])
        return;
    m_roundProblem = problem;
    m_roundPort = port;
}

void PortWorker::reportProblem(int problem, const QString& port)
{
    if (problem == m_reportedProblem && port == m_reportedPort)
        return;
    m_reportedProblem = problem;
    m_reportedPort = port;
    emit linkProblemChanged(problem, port);
}

bool PortWorker::openPort(const QString& name)
{
    closePort();
    m_port = new QSerialPort(this);
    m_port->setPortName(name);
    m_port->setBaudRate(m_settings.baud);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        // A named port that is missing is looked for again every second; say so once.
        const QString error = m_port->errorString();
        if (!m_settings.portName.isEmpty() && error != m_lastOpenError)
            qWarning("hxserial: cannot open %s: %s", qPrintable(name), qPrintable(error));
        m_lastOpenError = error;
        switch (m_port->error()) {
        case QSerialPort::PermissionError: {
#ifdef Q_OS_WIN
            // Windows answers "access denied" for a port that another program holds.
            noteProblem(SerialManager::PortBusy, name);
#else
            // A device we may open but cannot is held by another program (its lock);
            // one we may not open at all wants the user in the device's group.
            const QFileInfo device(
                    name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name);
            noteProblem(device.isReadable() && device.isWritable()
                                ? SerialManager::PortBusy
                                : SerialManager::PortPermissionDenied,
                        name);
#endif
            break;
        }
        case QSerialPort::OpenError:
            noteProblem(SerialManager::PortBusy, name);
            break;
        default:
            break;
        }
        closePort();
        return false;
    }
    m_lastOpenError.clear();
    m_port->clear();
    m_portName = name;
    connect(m_port, &QSerialPort::readyRead, this, [this]() {
        if (m_port)
            m_session.receive(m_port->readAll());
    });
    connect(m_port, &QSerialPort::errorOccurred, this, &PortWorker::onPortError);
    return true;
}

void PortWorker::closePort()
{
    if (!m_port)
        return;
    m_port->disconnect(this);
    if (m_port->isOpen())
        m_port->close();
    m_port->deleteLater();
    m_port = nullptr;
}

void PortWorker::onIdentified(const LinkPayload::Identity& identity)
{
    if (m_state == Probing) {
        m_state = Connected;
        m_announcePending = false;
        m_sinceAnnounce.start();
        m_keepAliveTimer.start();
        qDebug("hxserial: unit on %s (HW %d, FW %d, serial %d)", qPrintable(m_portName),
               identity.hardware, identity.firmware, identity.serial);
        reportProblem(SerialManager::NoProblem, m_portName);
        emit portStatusChanged(100);
        return;
    }
    if (m_state == Connected && m_announcePending) {
        m_announcePending = false;
        m_sinceAnnounce.start();
        emit portStatusChanged(100);
    }
}

void PortWorker::onSessionFailed(const QString& reason)
{
    if (m_state == Probing) {
        noteProblem(SerialManager::NoUnitAnswers, m_portName);
        closePort();
        probeNext();
        return;
    }
    dropLink(reason);
}

void PortWorker::onPortError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::UnknownError:
        break;
    default:
        // Framing and parity errors are line noise; the checksums take care of them.
        return;
    }
    if (!m_port || m_lossQueued)
        return;
    // The error may come from inside a write of the session; handle it once the session
    // has finished what it is doing.
    m_lossQueued = true;
    const QString reason = QStringLiteral("port error: %1").arg(m_port->errorString());
    QMetaObject::invokeMethod(
            this,
            [this, reason]() {
                m_lossQueued = false;
                if (m_state == Probing) {
                    m_session.stop(reason);
                    closePort();
                    probeNext();
                } else if (m_state == Connected) {
                    m_session.stop(reason);
                    dropLink(reason);
                }
            },
            Qt::QueuedConnection);
}

void PortWorker::dropLink(const QString& reason)
{
    const bool wasConnected = m_state == Connected;
    closePort();
    m_keepAliveTimer.stop();
    m_announcePending = false;
    m_state = Disconnected;
    if (wasConnected) {
        qWarning("hxserial: link to the unit on %s lost: %s", qPrintable(m_portName),
                 qPrintable(reason));
        emit portStatusChanged(-100);
    }
    m_scanTimer.start(m_settings.scanIntervalMs);
}

void PortWorker::onKeepAlive()
{
    if (m_state == Connected && m_session.isIdle() &&
        m_session.msSinceLastAnswer() >= m_settings.keepAliveMs)
        m_session.identify(m_settings.attempts);
}

void PortWorker::onValueRead(int address, int value, quint64 generation)
{
    QMutexLocker lock(&m_inbox->emitLock());
    if (generation == m_inbox->generation())
        emit response(QVariant(QStringLiteral("%1,%2").arg(address).arg(value)));
    else
        qCDebug(lcLink, "answer %d,%d dropped: asked for before the reader was cleared", address,
                value);
}

void PortWorker::onRecordRead(int address, const QByteArray& text, quint64 generation)
{
    QMutexLocker lock(&m_inbox->emitLock());
    if (generation == m_inbox->generation())
        emit response(
                QVariant(QString::number(address) + QLatin1Char('=') + QString::fromLatin1(text)));
}
