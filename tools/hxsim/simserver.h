#ifndef SIMSERVER_H
#define SIMSERVER_H

#include "linepacer.h"
#include "simoptions.h"
#include "simsession.h"
#include "simunit.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>

class SimTransport;

// The virtual unit at work: the unit model and its protocol end on a pseudo-terminal or a
// serial device, with the line pacing, answer delay, unplug/re-plug and state file of the
// options. Lives in one thread; tests may run it in a thread of their own.
class SimServer : public QObject
{
    Q_OBJECT
public:
    explicit SimServer(const SimOptions& options, QObject* parent = nullptr);
    ~SimServer() override;

    // Whether a unit without a device (on a pseudo-terminal) can start here: never on
    // Windows, and not where the system has no pseudo-terminals left.
    static bool pseudoTerminalsAvailable();

    // Opens the line (and loads the state file). On failure *error says why.
    bool start(QString* error);
    // Saves the state and closes the line.
    void stop();

    // What a program opens: the link if there is one, else the device.
    QString portPath() const;
    bool isPlugged() const;
    void unplug();
    bool replug(QString* error = nullptr);

    SimUnit& unit() { return m_unit; }
    SimSession& session() { return m_session; }
    void setFaults(const SimSession::Faults& faults) { m_session.setFaults(faults); }
    bool saveState(QString* error = nullptr);

signals:
    void plugged(const QString& path);
    void unplugged();
    // The unit took 9999 at address 2 and left the line.
    void bootloaderEntered();

private:
    void onBytes(const QByteArray& bytes);
    void pump();
    void armTimer();
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }
    void log(const char* direction, const QByteArray& bytes) const;

    SimOptions m_options;
    SimUnit m_unit;
    SimSession m_session;
    SimTransport* m_transport = nullptr;
    LinePacer m_in;
    LinePacer m_out;
    struct Delayed
    {
        qint64 releaseNs;
        QByteArray bytes;
    };
    std::deque<Delayed> m_delayed;
    QElapsedTimer m_clock;
    QTimer m_timer;
    QTimer m_saveTimer;
    bool m_leaving = false;
};

#endif // SIMSERVER_H
