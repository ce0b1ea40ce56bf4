#ifndef SERIALDEVICETRANSPORT_H
#define SERIALDEVICETRANSPORT_H

#include "simtransport.h"

class QSerialPort;

// A real serial device (for example one end of a null-modem cable), 8N1.
class SerialDeviceTransport : public SimTransport
{
    Q_OBJECT
public:
    SerialDeviceTransport(const QString& device, int baud, QObject* parent = nullptr);
    ~SerialDeviceTransport() override;

    bool open(QString* error) override;
    void close() override;
    bool isOpen() const override;
    void write(const QByteArray& bytes) override;
    QString path() const override { return m_device; }

private:
    QString m_device;
    int m_baud;
    QSerialPort* m_port = nullptr;
};

#endif // SERIALDEVICETRANSPORT_H
