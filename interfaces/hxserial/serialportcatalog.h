#ifndef SERIALPORTCATALOG_H
#define SERIALPORTCATALOG_H

#include "hxserial_global.h"

#include <QList>
#include <QString>

// The computer's serial ports as the link sees them: what the port menu lists and what
// the link probes while the port choice is "automatic".
class HXSERIAL_EXPORT SerialPortCatalog
{
public:
    struct Port
    {
        QString name;         // what the link opens: "ttyUSB0", "COM3", or a device path
        QString description;  // as the system describes it; may be empty
        QString manufacturer; // may be empty
        bool hasUsbIds = false;
        quint16 vendorId = 0;
        quint16 productId = 0;
        // Known by its USB ids to be some other kind of device (a GPS receiver, a modem,
        // a debug probe, a microcontroller board): never probed automatically, since an
        // identify request may upset it.
        bool otherKindOfDevice = false;
    };

    // The system's serial ports, USB adapters first. Pseudo-terminals are not listed.
    static QList<Port> availablePorts();
    static bool isOtherKindOfDevice(quint16 vendorId, quint16 productId);
};

#endif // SERIALPORTCATALOG_H
