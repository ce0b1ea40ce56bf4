#include "simserver.h"

#include "serialdevicetransport.h"
#ifdef Q_OS_UNIX
#include "ptytransport.h"
#endif

#include <QFile>
#include <QSaveFile>

#include <cstdio>

SimServer::SimServer(const SimOptions& options, QObject* parent)
    : QObject(parent)
    , m_options(options)
    , m_unit(options.seed, options.serialNumber)
    , m_session(&m_unit, options.seed)
    , m_in(options.pace ? options.baud : 0)
    , m_out(options.pace ? options.baud : 0)
{
    m_unit.setGpsFixAfter(options.gpsFixAfter);
    SimSession::Faults faults;
    faults.dropShare = options.dropShare;
    faults.corruptShare = options.corruptShare;
    faults.silentAfter = options.silentAfter;
    m_session.setFaults(faults);

    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SimServer::pump);
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(300);
    connect(&m_saveTimer, &QTimer::timeout, this, [this]() {
        QString error;
        if (!saveState(&error))
            fprintf(stderr, "hxsim: %s\n", qPrintable(error));
    });
    m_clock.start();
}

SimServer::~SimServer()
{
    stop();
}

bool SimServer::start(QString* error)
{
    if (!m_options.stateFile.isEmpty() && QFile::exists(m_options.stateFile)) {
        QFile file(m_options.stateFile);
        QString problem;
        if (!file.open(QIODevice::ReadOnly)) {
            fprintf(stderr, "hxsim: cannot read %s: %s\n", qPrintable(m_options.stateFile),
                    qPrintable(file.errorString()));
        } else if (!m_unit.loadState(file.readAll(), &problem)) {
            fprintf(stderr, "hxsim: %s: %s\n", qPrintable(m_options.stateFile),
                    qPrintable(problem));
        }
    }
    if (m_options.device.isEmpty()) {
#ifdef Q_OS_UNIX
        m_transport = new PtyTransport(m_options.linkPath, this);
#else
        if (error)
            *error = QStringLiteral(
                    "there are no pseudo-terminals on this system: give --device <port>, one "
                    "end of a null-modem pair, and point the program at the other end");
        return false;
#endif
    } else {
        m_transport = new SerialDeviceTransport(m_options.device, m_options.baud, this);
    }
    connect(m_transport, &SimTransport::bytesReceived, this, &SimServer::onBytes);
    connect(m_transport, &SimTransport::failed, this,
            [](const QString& reason) { fprintf(stderr, "hxsim: %s\n", qPrintable(reason)); });
    if (!m_transport->open(error))
        return false;
    if (m_options.unplugAfter >= 0)
        QTimer::singleShot(int(m_options.unplugAfter * 1000), this, &SimServer::unplug);
    return true;
}

void SimServer::stop()
{
    m_timer.stop();
    if (m_saveTimer.isActive() || m_unit.isDirty()) {
        m_saveTimer.stop();
        QString error;
        if (!saveState(&error))
            fprintf(stderr, "hxsim: %s\n", qPrintable(error));
    }
    if (m_transport)
        m_transport->close();
}

bool SimServer::pseudoTerminalsAvailable()
{
#ifdef Q_OS_UNIX
    return PtyTransport::isSupported();
#else
    return false;
#endif
}

QString SimServer::portPath() const
{
    return m_transport ? m_transport->path() : QString();
}

bool SimServer::isPlugged() const
{
    return m_transport && m_transport->isOpen();
}

void SimServer::unplug()
{
    if (!isPlugged())
        return;
    m_transport->close();
    m_in.clear();
    m_out.clear();
    m_delayed.clear();
    m_timer.stop();
    emit unplugged();
    if (m_options.replugAfter >= 0)
        QTimer::singleShot(int(m_options.replugAfter * 1000), this, [this]() { replug(); });
}

bool SimServer::replug(QString* error)
{
    if (!m_transport || isPlugged())
        return isPlugged();
    QString problem;
    if (!m_transport->open(&problem)) {
        fprintf(stderr, "hxsim: cannot plug in again: %s\n", qPrintable(problem));
        if (error)
            *error = problem;
        return false;
    }
    m_session.reset();
    emit plugged(m_transport->path());
    return true;
}

bool SimServer::saveState(QString* error)
{
    if (m_options.stateFile.isEmpty())
        return true;
    QSaveFile file(m_options.stateFile);
    const QByteArray text = m_unit.saveState();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2")
                             .arg(m_options.stateFile, file.errorString());
        return false;
    }
    return true;
}

void SimServer::log(const char* direction, const QByteArray& bytes) const
{
    if (!m_options.verbose)
        return;
    QByteArray text = bytes;
    text.replace('\n', "\\n");
    fprintf(stderr, "%s %s\n", direction, text.constData());
}

void SimServer::onBytes(const QByteArray& bytes)
{
    m_in.push(bytes, nowNs());
    pump();
}

void SimServer::pump()
{
    const qint64 now = nowNs();
    const QByteArray in = m_in.takeDue(now);
    if (!in.isEmpty()) {
        log(">>", in);
        const QByteArray answer = m_session.receive(in, m_clock.elapsed());
        if (!answer.isEmpty())
            m_delayed.push_back({now + qint64(m_options.answerDelayMs) * 1000000, answer});
        if (m_unit.isDirty() && !m_saveTimer.isActive())
            m_saveTimer.start();
        if (m_unit.bootloaderRequested())
            m_leaving = true;
    }
    while (!m_delayed.empty() && m_delayed.front().releaseNs <= now) {
        m_out.push(m_delayed.front().bytes, now);
        m_delayed.pop_front();
    }
    const QByteArray out = m_out.takeDue(now);
    if (!out.isEmpty() && isPlugged()) {
        log("<<", out);
        m_transport->write(out);
    }
    if (m_leaving && m_in.isEmpty() && m_out.isEmpty() && m_delayed.empty()) {
        // The confirmation of the bootloader write is out: leave the line, as the unit
        // does when it restarts into its bootloader. A pseudo-terminal drops what the
        // program has not read yet when it closes, so give the program a moment.
        m_leaving = false;
        m_unit.clearBootloaderRequest();
        QTimer::singleShot(200, this, [this]() {
            unplug();
            emit bootloaderEntered();
        });
        return;
    }
    armTimer();
}

void SimServer::armTimer()
{
    qint64 next = -1;
    const auto consider = [&next](qint64 t) {
        if (t >= 0 && (next < 0 || t < next))
            next = t;
    };
    consider(m_in.nextDueNs());
    consider(m_out.nextDueNs());
    if (!m_delayed.empty())
        consider(m_delayed.front().releaseNs);
    if (next < 0) {
        m_timer.stop();
        return;
    }
    const qint64 waitNs = next - nowNs();
    m_timer.start(int(qMax<qint64>(0, (waitNs + 999999) / 1000000)));
}
