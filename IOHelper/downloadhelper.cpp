#include "downloadhelper.h"
#include "downloadhelper_p.h"

#include <QDebug>
#include <QMetaType>

namespace {

// The image size the progress scale assumes; a larger image reports more than 100.
constexpr qint64 ImageSize = 25140;
constexpr qint64 ChunkSize = 1024;

// Percent of ImageSize, rounded to the nearest integer with halves going up.
int percentOf(qint64 bytes)
{
    return int((bytes * 200 + ImageSize) / (2 * ImageSize));
}

} // namespace

DownloadHelperPrivate::DownloadHelperPrivate(DownloadHelper* owner)
    : owner(owner)
{
    stallTimer.setSingleShot(true);
    stallTimer.setInterval(DownloadHelper::DefaultStallTimeout);
}

void DownloadHelperPrivate::server_hostFound()
{
    qDebug() << "host found";
    if (stallTimer.isActive())
        stallTimer.start();
}

void DownloadHelperPrivate::dataAvailable()
{
    if (stallTimer.isActive())
        stallTimer.start();
    while (!socket.atEnd()) {
        const QByteArray chunk = socket.read(ChunkSize);
        if (chunk.isEmpty())
            break;
        buffer.append(chunk);
        qDebug() << "buffer length" << buffer.size();
        emit owner->_progressChanged(percentOf(buffer.size()));
        if (buffer.size() > DownloadHelper::MaxImageSize) {
            // A server that never stops sending must not exhaust the memory.
            qDebug() << "image larger than" << DownloadHelper::MaxImageSize
                     << "bytes, download abandoned";
            abandon();
            return;
        }
    }
}

void DownloadHelperPrivate::client_connected()
{
    qDebug() << "client connected to" << host << "at port" << port;
    if (stallTimer.isActive())
        stallTimer.start();
}

void DownloadHelperPrivate::client_disconected()
{
    // Bytes that arrived together with the close may not have been announced yet.
    dataAvailable();
    stallTimer.stop();
    qDebug() << "client disconnected to" << host << "at port" << port;
    // A transfer we gave up on is not an image, however many bytes it brought.
    if (!buffer.isEmpty() && !abandoned)
        emit owner->_firmwareDownloaded(buffer);
    finished = true;
    loop.exit(0);
}

void DownloadHelperPrivate::socket_error(QAbstractSocket::SocketError error)
{
    Q_UNUSED(error)
    qDebug() << "socket error" << socket.errorString();
    // A connection that was never made ends with an error and no disconnection, so the
    // error itself has to end the wait. After a working connection the disconnection
    // follows at once and delivers what arrived.
    if (socket.state() != QAbstractSocket::ConnectedState) {
        stallTimer.stop();
        finished = true;
        loop.exit(0);
    }
}

void DownloadHelperPrivate::connection_stalled()
{
    qDebug() << "connection stalled for" << stallTimer.interval() << "ms";
    abandon();
}

void DownloadHelperPrivate::abandon()
{
    abandoned = true;
    stallTimer.stop();
    socket.abort();
    finished = true;
    loop.exit(0);
}

DownloadHelper::DownloadHelper(const QString& host, int port, QObject* parent)
    : QObject(parent)
    , d(new DownloadHelperPrivate(this))
{
    d->host = host;
    d->port = port;
    qRegisterMetaType<QAbstractSocket::SocketError>("QAbstractSocket::SocketError");

    connect(&d->socket, SIGNAL(hostFound()), d, SLOT(server_hostFound()));
    connect(&d->socket, SIGNAL(connected()), d, SLOT(client_connected()));
    connect(&d->socket, SIGNAL(disconnected()), d, SLOT(client_disconected()));
    connect(&d->socket, SIGNAL(readyRead()), d, SLOT(dataAvailable()));
    connect(&d->socket, SIGNAL(error(QAbstractSocket::SocketError)), d,
            SLOT(socket_error(QAbstractSocket::SocketError)));
    connect(&d->stallTimer, &QTimer::timeout, d, &DownloadHelperPrivate::connection_stalled);
}

DownloadHelper::~DownloadHelper()
{
    closeConnection();
    delete d;
}

void DownloadHelper::setServerAddress(const QString& host, int port)
{
    d->host = host;
    d->port = port;
}

void DownloadHelper::setStallTimeout(int msecs)
{
    d->stallTimer.setInterval(qMax(1, msecs));
}

int DownloadHelper::stallTimeout() const
{
    return d->stallTimer.interval();
}

void DownloadHelper::startDownload()
{
    qDebug() << "start connect to server";
    d->abandoned = false;
    d->finished = false;
    d->stallTimer.start();
    d->socket.connectToHost(d->host, quint16(d->port), QIODevice::ReadWrite,
                            QAbstractSocket::AnyIPProtocol);
    // A connection can fail inside connectToHost(); waiting then would never end.
    if (!d->finished && !d->loop.isRunning())
        d->loop.exec();
}

void DownloadHelper::closeConnection()
{
    qDebug() << "close connection";
    d->socket.close();
}
