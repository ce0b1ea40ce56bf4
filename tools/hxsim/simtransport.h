#ifndef SIMTRANSPORT_H
#define SIMTRANSPORT_H

#include <QByteArray>
#include <QObject>
#include <QString>

// Where the virtual unit's bytes go: a pseudo-terminal or a real serial device. "Unplugging"
// is close(), "plugging in" is open().
class SimTransport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool open(QString* error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual void write(const QByteArray& bytes) = 0;
    // The path a program opens to talk to the unit.
    virtual QString path() const = 0;

signals:
    void bytesReceived(const QByteArray& bytes);
    void failed(const QString& reason);
};

#endif // SIMTRANSPORT_H
