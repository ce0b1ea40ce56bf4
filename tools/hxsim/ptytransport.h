#ifndef PTYTRANSPORT_H
#define PTYTRANSPORT_H

#include "simtransport.h"

class QSocketNotifier;

// A pseudo-terminal: the unit holds the master side, the program opens the slave device
// (/dev/pts/N). Every open() makes a new pseudo-terminal, as re-plugging a USB adapter
// makes a new device; a symbolic link (if given) always points at the current one, so the
// program can be told one stable path. POSIX only.
class PtyTransport : public SimTransport
{
    Q_OBJECT
public:
    explicit PtyTransport(const QString& linkPath = QString(), QObject* parent = nullptr);
    ~PtyTransport() override;

    bool open(QString* error) override;
    void close() override;
    bool isOpen() const override { return m_master >= 0; }
    void write(const QByteArray& bytes) override;
    QString path() const override;
    QString devicePath() const { return m_device; }

    static bool isSupported();

private:
    void onReadable();
    void flushPending();

    QString m_linkPath;
    QString m_device;
    int m_master = -1;
    int m_slave = -1;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QByteArray m_pending;
};

#endif // PTYTRANSPORT_H
