#ifndef DOWNLOADHELPER_P_H
#define DOWNLOADHELPER_P_H

//
//  W A R N I N G
//  -------------
// This file is not part of the hxio API. It may change from version to version.
//

#include <QAbstractSocket>
#include <QByteArray>
#include <QEventLoop>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

class DownloadHelper;

class DownloadHelperPrivate : public QObject
{
    Q_OBJECT

public:
    explicit DownloadHelperPrivate(DownloadHelper* owner);

    QString host;
    int port = 0;
    QTcpSocket socket;
    QByteArray buffer;
    QEventLoop loop;
    DownloadHelper* owner;

    // Restarted on every sign of progress; when it fires the download is abandoned.
    QTimer stallTimer;
    // Set when the download was given up (stalled or oversized): nothing is delivered.
    bool abandoned = false;
    // Set once the current attempt has ended, however it ended.
    bool finished = false;

    void abandon();

public slots:
    void server_hostFound();
    void dataAvailable();
    void client_connected();
    void client_disconected();
    void socket_error(QAbstractSocket::SocketError error);
    void connection_stalled();
};

#endif // DOWNLOADHELPER_P_H
