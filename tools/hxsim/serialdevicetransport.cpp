#include "serialdevicetransport.h"

#include <QSerialPort>

SerialDeviceTransport::SerialDeviceTransport(const QString& device, int baud, QObject* parent)
    : SimTransport(parent)
    , m_device(device)
    , m_baud(baud)
{}

SerialDeviceTransport::~SerialDeviceTransport()
{
    close();
}

bool SerialDeviceTransport::open(QString* error)
{
    close();
    m_port = new QSerialPort(m_device, this);
    m_port->setBaudRate(m_baud);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = m_port->errorString();
        close();
        return false;
    }
    connect(m_port, &QSerialPort::readyRead, this,
            [this]() { emit bytesReceived(m_port->readAll()); });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
            e == QSerialPort::WriteError)
            emit failed(m_port->errorString());
    });
    return true;
}

void SerialDeviceTransport::close()
{
    if (!m_port)
        return;
    m_port->disconnect(this);
    m_port->close();
    m_port->deleteLater();
    m_port = nullptr;
}

bool SerialDeviceTransport::isOpen() const
{
    return m_port && m_port->isOpen();
}

void SerialDeviceTransport::write(const QByteArray& bytes)
{
    if (m_port)
        m_port->write(bytes);
}
