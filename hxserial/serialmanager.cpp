#include "serialmanager.h"

#include "portworker.h"
#include "serialmanager_p.h"

#include <QDebug>
#include <QMutexLocker>
#include <QStringList>
#include <QTimer>

void SerialManagerPrivate::wake()
{
    QMutexLocker lock(&workerMutex);
    if (worker) {
        PortWorker* w = worker;
        QMetaObject::invokeMethod(
                w, [w]() { w->processInbox(); }, Qt::QueuedConnection);
    }
}

SerialManager::SerialManager(QObject* parent)
    : QThread(parent)
    , d(new SerialManagerPrivate)
{}

SerialManager::~SerialManager()
{
    if (isRunning()) {
        quit();
        wait();
    }
}

bool SerialManager::isConnected()
{
    return d->connected.load();
}

void SerialManager::requestReadOne(const QVariant& request)
{
    requestRead(request);
}

void SerialManager::requestRead(const QVariant& request)
{
    if (d->inbox.post(LinkInbox::Request::Read, request.toString()))
        d->wake();
}

void SerialManager::requestWrite(const QVariant& request)
{
    if (d->inbox.post(LinkInbox::Request::Write, request.toString()))
        d->wake();
}

void SerialManager::requestWriteLoaded(const QVariant& request)
{
    requestWrite(request);
}

void SerialManager::clearAllSignalsInReader()
{
    d->inbox.clearReads();
    d->wake();
}

void SerialManager::setPreferredPort(const QString& name)
{
    QMutexLocker lock(&d->workerMutex);
    d->settings.preferredPort = name;
    if (d->worker) {
        PortWorker* w = d->worker;
        QMetaObject::invokeMethod(
                w, [w, name]() { w->setPreferredPort(name); }, Qt::QueuedConnection);
    }
}

QString SerialManager::preferredPort() const
{
    QMutexLocker lock(&d->workerMutex);
    return d->settings.preferredPort;
}

QString SerialManager::environmentPort() const
{
    return d->settings.portName;
}

void SerialManager::tryReconnect()
{
    QMutexLocker lock(&d->workerMutex);
    if (d->worker) {
        PortWorker* w = d->worker;
        QMetaObject::invokeMethod(
                w, [w]() { w->checkLink(); }, Qt::QueuedConnection);
    }
}

void SerialManager::startUpdateFirmware(const QByteArray& image)
{
    qWarning("hxserial: flashing a firmware image (%d bytes) over the serial link is not "
             "supported; use the flashing tool",
             image.size());
    emit _flashStatusChanged(-999);
}

void SerialManager::run()
{
    LinkSettings settings;
    {
        // The port choice may change from the GUI thread at any time.
        QMutexLocker lock(&d->workerMutex);
        settings = d->settings;
    }
    PortWorker worker(settings, &d->inbox);
    // The flag must be right before the status reaches anybody.
    connect(
            &worker, &PortWorker::portStatusChanged, &worker,
            [this](int status) { d->connected = status == 100; }, Qt::DirectConnection);
    connect(&worker, &PortWorker::portStatusChanged, this, &SerialManager::_portStatusChanged,
            Qt::DirectConnection);
    connect(&worker, &PortWorker::response, this, &SerialManager::_responseToUpdateUi,
            Qt::DirectConnection);
    connect(&worker, &PortWorker::writeFinished, this, &SerialManager::_writeFinished,
            Qt::DirectConnection);
    connect(&worker, &PortWorker::linkProblemChanged, this, &SerialManager::_linkProblemChanged,
            Qt::DirectConnection);
    {
        QMutexLocker lock(&d->workerMutex);
        d->worker = &worker;
        // A choice made between the copy above and now.
        worker.setPreferredPort(d->settings.preferredPort);
    }
    worker.begin();
    exec();

    // quit() ends the event loop at once, but a write asked for just before it (the
    // firmware flow's last one) must still reach the unit: let the loop run again until the
    // writes are confirmed, for a bounded time.
    worker.processInbox();
    if (worker.hasPendingWrites()) {
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, &worker, [this]() { exit(0); });
        connect(&worker, &PortWorker::writesDone, &worker, [this]() { exit(0); });
        deadline.start(d->settings.flushLimitMs);
        exec();
    }
    {
        QMutexLocker lock(&d->workerMutex);
        d->worker = nullptr;
    }
    worker.shutdown();
    d->connected = false;

    // Writes asked for while the thread was ending reach no unit; say so for each.
    const QVector<LinkInbox::Request> late = d->inbox.takeAll();
    for (const LinkInbox::Request& request : late) {
        if (request.kind != LinkInbox::Request::Write)
            continue;
        const QStringList parts = request.text.split(QLatin1Char(','));
        bool okAddress = false;
        bool okValue = false;
        const int address = parts.value(0).trimmed().toInt(&okAddress, 10);
        const int value = parts.value(1).trimmed().toInt(&okValue, 10);
        if (parts.size() == 2 && okAddress && okValue) {
            qWarning("hxserial: write %d,%d not sent: the link is shutting down", address, value);
            emit _writeFinished(address, value, false);
        }
    }
}
