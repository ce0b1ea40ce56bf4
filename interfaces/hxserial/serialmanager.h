#ifndef SERIALMANAGER_H
#define SERIALMANAGER_H

#include "hxserial_global.h"

#include <QByteArray>
#include <QScopedPointer>
#include <QThread>
#include <QVariant>

class SerialManagerPrivate;

// The link to the gyro unit. It owns the serial port and speaks the unit's line protocol
// (docs/protocol.md) in a thread of its own: start() it, call the request operations from
// any thread, and receive the answers through the signals (queued to the receiver's thread).
//
// Requests are QVariants holding QStrings:
//  - requestRead: four-digit addresses joined by "," (empty entries are skipped, repeats
//    are answered once per entry); requestReadOne: a single address.
//  - requestWrite / requestWriteLoaded: "address,value" in decimal.
// Every answer is one string: "address,value" for parameters, "address=text" for the
// flight-log records (600, 604, 610, ... 644), the address in unpadded decimal.
//
// The port is the one named by the environment variable HX_SERIAL_PORT, or else the one
// chosen with setPreferredPort(), or else the first serial port on which a unit answers the
// identify request (ports are scanned about once a second while no unit is connected).
//
// The object may be created and destroyed without ever being started.
class HXSERIAL_EXPORT SerialManager : public QThread
{
    Q_OBJECT
public:
    // Why no unit is connected (see _linkProblemChanged).
    enum LinkProblem {
        NoProblem = 0,            // a unit is connected
        NoPortFound = 1,          // no serial port at all, or the named port does not exist
        PortBusy = 2,             // the port is held by another program
        PortPermissionDenied = 3, // the user may not open the port (Linux: "dialout" group)
        NoUnitAnswers = 4,        // the port opened, but no unit answered identify
        OtherProtocolVersion = 5  // a unit answered, speaking a protocol version not spoken here
    };
    Q_ENUM(LinkProblem)

    explicit SerialManager(QObject* parent = nullptr);
    ~SerialManager() override;

    // True while a unit is connected and answering.
    virtual bool isConnected();
    virtual void requestReadOne(const QVariant& request);
    virtual void requestRead(const QVariant& request);
    virtual void requestWrite(const QVariant& request);
    virtual void requestWriteLoaded(const QVariant& request);

    // Drops the reads that are not answered yet and the answers not emitted yet, so that
    // nothing requested before this call reaches the receiver afterwards. Writes are kept.
    virtual void clearAllSignalsInReader();

    // The port the pilot chose, used while HX_SERIAL_PORT is not set; empty means
    // automatic (every port is probed except those known to be other kinds of device,
    // SerialPortCatalog). A link on another port is dropped (status -100) and the chosen
    // port searched at once. May be called before start() and from any thread.
    void setPreferredPort(const QString& name);
    QString preferredPort() const;
    // The port named by HX_SERIAL_PORT when the link was created (empty if none): it
    // overrides the preferred port.
    QString environmentPort() const;

signals:
    // 100 when a unit has answered on an open port, -100 when the port closed or the unit
    // stopped answering.
    void _portStatusChanged(int status);
    // One answer string (see above).
    void _responseToUpdateUi(const QVariant& response);
    // The end of one write request (requestWrite / requestWriteLoaded), emitted exactly once
    // per well-formed request, in the order the writes were asked for:
    //  - confirmed = true when the unit answered the write. The unit clamps a value outside
    //    the address's range and confirms the clamped value; the next read shows it.
    //  - confirmed = false when the unit refused it (unknown or read-only address, unknown
    //    command value), when it stayed unanswered after all its sends (the link then also
    //    reports -100), and when it was dropped without reaching the unit: no unit
    //    connected, the link lost before it was sent, or the link thread ending.
    // address and value are those of the request (value as asked for, not as stored).
    // A malformed request ("303", "x,1") gets no signal; it is logged and ignored.
    void _writeFinished(int address, int value, bool confirmed);
    // Why no unit is connected: a LinkProblem and the port it concerns (empty when there
    // is none). Emitted at the end of a search round over the ports when its result differs
    // from the last one reported, and with NoProblem when a unit is found. When several
    // ports fail differently, the most telling problem is reported (another protocol
    // version, then permission denied, port busy, no unit answers, no port found).
    void _linkProblemChanged(int problem, const QString& port);
    // Firmware transfer state; -999: flashing over this link is not supported.
    void _flashStatusChanged(int status);
    void _flashProgressChanged(int progress);

public slots:
    // Checks the link now: a unit that still answers is announced again with status 100,
    // one that does not is dropped and searched for. Cheap to call on every poll tick.
    void tryReconnect();
    // Flashing is done by the outside flashing tool; this only reports "not supported".
    void startUpdateFirmware(const QByteArray& image);

protected:
    // Runs the link until quit(); then sends the writes still queued (bounded well under
    // a second) before the thread ends.
    void run() override;

private:
    Q_DISABLE_COPY(SerialManager)
    QScopedPointer<SerialManagerPrivate> d;
};

#endif // SERIALMANAGER_H
