#ifndef PORTWORKER_H
#define PORTWORKER_H

#include "hxserial_global.h"
#include "linkpayload.h"
#include "linksession.h"
#include "linksettings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>
#include <QVariant>

class LinkInbox;

// The link thread's side of SerialManager: finds the unit's port, opens and watches it,
// feeds the inbox's requests to the LinkSession and turns the session's results into the
// answer strings and port states that SerialManager emits.
class HXSERIAL_EXPORT PortWorker : public QObject
{
    Q_OBJECT
public:
    PortWorker(const LinkSettings& settings, LinkInbox* inbox, QObject* parent = nullptr);
    ~PortWorker() override;

    // Starts looking for the unit.
    void begin();
    // Takes what the inbox holds.
    void processInbox();
    // Checks a connected unit at once (announcing it again when it answers) or scans now.
    void checkLink();
    bool hasPendingWrites() const;
    // Lets the last bytes go out and closes the port.
    void shutdown();
    // The pilot's port choice (empty: automatic). A link on another port is dropped and the
    // chosen one searched at once; HX_SERIAL_PORT, when set, still wins.
    void setPreferredPort(const QString& name);

signals:
    void portStatusChanged(int status);
    // See SerialManager::_linkProblemChanged.
    void linkProblemChanged(int problem, const QString& port);
    void response(const QVariant& answer);
    // One per write request taken from the inbox (see SerialManager::_writeFinished).
    void writeFinished(int address, int value, bool confirmed);
    void writesDone();

private:
    enum State { Disconnected, Probing, Connected };

    void scan();
    void probeNext();
    bool openPort(const QString& name);
    void closePort();
    void onIdentified(const LinkPayload::Identity& identity);
    void onSessionFailed(const QString& reason);
    void onPortError(QSerialPort::SerialPortError error);
    void dropLink(const QString& reason);
    void onKeepAlive();
    void onValueRead(int address, int value, quint64 generation);
    void onRecordRead(int address, const QByteArray& text, quint64 generation);
    QStringList candidatePorts() const;
    // Keeps the most telling problem of the current search round.
    void noteProblem(int problem, const QString& port);
    void reportProblem(int problem, const QString& port);

    LinkSettings m_settings;
    LinkInbox* m_inbox;
    QSerialPort* m_port = nullptr;
    LinkSession m_session;
    QTimer m_scanTimer;
    QTimer m_keepAliveTimer;
    QElapsedTimer m_sinceAnnounce;
    State m_state = Disconnected;
    QStringList m_candidates;
    QString m_portName;
    QString m_lastOpenError;
    quint64 m_seenGeneration = 0;
    bool m_announcePending = false;
    bool m_lossQueued = false;
    bool m_begun = false;
    int m_roundProblem = 0;
    QString m_roundPort;
    int m_reportedProblem = -1;
    QString m_reportedPort;
};

#endif // PORTWORKER_H
