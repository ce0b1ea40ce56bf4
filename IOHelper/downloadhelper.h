#ifndef DOWNLOADHELPER_H
#define DOWNLOADHELPER_H

#include "hxio_global.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class DownloadHelperPrivate;

// Fetches a firmware image from a plain TCP endpoint that streams the image and then
// closes the connection. One instance serves one download.
class HXIO_EXPORT DownloadHelper : public QObject
{
    Q_OBJECT

public:
    // A connection that makes no progress (no lookup result, no connect, no data) for this
    // long is given up, so startDownload() never waits forever.
    static constexpr int DefaultStallTimeout = 30000;
    // A download that grows beyond this is abandoned; the unit's images are about 25 KB.
    static constexpr int MaxImageSize = 4 * 1024 * 1024;

    DownloadHelper(const QString& host, int port, QObject* parent = nullptr);
    ~DownloadHelper() override;

    void setServerAddress(const QString& host, int port);

    // Milliseconds without progress after which the download is abandoned (at least 1).
    void setStallTimeout(int msecs);
    int stallTimeout() const;

public slots:
    // Connects and waits in a local event loop until the server has closed the
    // connection, the connection failed, or it stalled.
    void startDownload();
    void closeConnection();

signals:
    void _firmwareDownloaded(const QByteArray& image);
    void _progressChanged(int percent);

private:
    Q_DISABLE_COPY(DownloadHelper)
    friend class DownloadHelperPrivate;
    DownloadHelperPrivate* d;
};

#endif // DOWNLOADHELPER_H
