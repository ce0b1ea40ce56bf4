#ifndef SIMUNIT_H
#define SIMUNIT_H

#include "flightlog.h"
#include "livevalues.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>

// The virtual unit's model: its settings, commands, live values and flight log, driven by
// the time since power-on (milliseconds) that the caller passes in. It knows nothing of
// frames or ports.
class SimUnit
{
public:
    // Error codes as on the wire (docs/protocol.md).
    enum Error {
        NoError = 0,
        UnknownAddress = 2,
        ReadOnly = 3,
        Refused = 4,
        Busy = 5,
        WrongRequest = 7
    };

    struct Result
    {
        int error = NoError;
        int value = 0;
    };

    struct AppliedWrite
    {
        int address;
        int requested;
        int stored;
    };

    static constexpr int HardwareVersion = 11;
    static constexpr int FirmwareVersion = 215;
    static constexpr int BusyMs = 1500;
    static constexpr int BindMs = 10000;
    static constexpr int GyroOffMs = 2000;

    explicit SimUnit(quint32 seed = 1, int serialNumber = 100001);

    void setGpsFixAfter(double seconds) { m_live.setGpsFixAfter(seconds); }

    bool isBusy(qint64 nowMs) const { return nowMs < m_busyUntil; }
    Result read(int address, qint64 nowMs) const;
    Result write(int address, int value, qint64 nowMs);
    // The record text, or an error for an address that is not a record.
    Result recordSize(int address) const;
    QByteArray record(int address) const;

    int serialNumber() const { return m_serial; }
    // Set by the write of 9999 to address 2; the link must close.
    bool bootloaderRequested() const { return m_bootloader; }
    void clearBootloaderRequest() { m_bootloader = false; }

    // Every write the unit carried out, in order (commands included).
    const QVector<AppliedWrite>& appliedWrites() const { return m_applied; }
    void clearAppliedWrites() { m_applied.clear(); }
    // True when a setting changed since the last save.
    bool isDirty() const { return m_dirty; }

    // Settings as "address=value" lines. Loading ignores unknown addresses and bad lines
    // and clamps values into their ranges.
    QByteArray saveState();
    bool loadState(const QByteArray& text, QString* error);
    int setting(int address) const { return m_values.value(address); }

private:
    void resetToDefaults(const QVector<int>& addresses);
    void updateTrims();

    LiveValues m_live;
    FlightLog m_log;
    QHash<int, int> m_values;
    QVector<AppliedWrite> m_applied;
    int m_serial;
    qint64 m_busyUntil = 0;
    qint64 m_bindUntil = 0;
    int m_bindMode = 0;
    qint64 m_gyroOffUntil = 0;
    bool m_bootloader = false;
    bool m_dirty = false;
};

#endif // SIMUNIT_H
