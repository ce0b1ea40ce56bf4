#include "downloadhelper.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

QStringList s_debugLines;

void captureDebug(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg)
        s_debugLines << text;
}

QByteArray makeImage(int size)
{
    QByteArray image(size, Qt::Uninitialized);
    QRandomGenerator generator(size);
    for (char& byte : image)
        byte = char(generator.bounded(256));
    return image;
}

int expectedPercent(int bytes)
{
    return int(bytes * 100.0 / 25140 + 0.5);
}

} // namespace

class TestDownloadHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void chunkedImage_data();
    void chunkedImage();
    void onePieceOneReport();
    void serverClosesWithoutData();
    void refusedConnectionEndsWait();
    void silentServerEndsWaitAfterStall();
    void stallAfterPartialImageEmitsNothing();
    void unknownHostEndsWait();
    void endlessServerIsCutOff();
    void logLines();

private:
    // Starts a download against the test server and records what the helper reports.
    void download(DownloadHelper& helper);
    quint16 closedPort();

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_clients;
    QList<int> m_progress;
    QList<QByteArray> m_images;
    QtMessageHandler m_previousHandler = nullptr;
};

void TestDownloadHelper::initTestCase()
{
    m_previousHandler = qInstallMessageHandler(captureDebug);
}

void TestDownloadHelper::cleanupTestCase()
{
    qInstallMessageHandler(m_previousHandler);
}

void TestDownloadHelper::init()
{
    QVERIFY(m_server.listen(QHostAddress::LocalHost));
    m_progress.clear();
    m_images.clear();
    s_debugLines.clear();
}

void TestDownloadHelper::cleanup()
{
    m_server.disconnect();
    m_server.close();
    for (const QPointer<QTcpSocket>& client : qAsConst(m_clients))
        delete client.data();
    m_clients.clear();
}

void TestDownloadHelper::download(DownloadHelper& helper)
{
    connect(&helper, &DownloadHelper::_progressChanged, this,
            [this](int percent) { m_progress << percent; });
    connect(&helper, &DownloadHelper::_firmwareDownloaded, this,
            [this](const QByteArray& image) { m_images << image; });
    helper.startDownload();
}

quint16 TestDownloadHelper::closedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void TestDownloadHelper::chunkedImage_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("chunk");
    QTest::addColumn<int>("lastPercent");

    QTest::newRow("full image in ten chunks") << 25140 << 2514 << 100;
    QTest::newRow("half image") << 12570 << 4000 << 50;
    QTest::newRow("larger image reports over 100") << 30168 << 8192 << 120;
}

void TestDownloadHelper::chunkedImage()
{
    QFETCH(int, size);
    QFETCH(int, chunk);
    QFETCH(int, lastPercent);
    const QByteArray image = makeImage(size);

    connect(&m_server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* client = m_server.nextPendingConnection();
        m_clients << client;
        auto* timer = new QTimer(client);
        auto sent = std::make_shared<int>(0);
        connect(timer, &QTimer::timeout, client, [=] {
            client->write(image.mid(*sent, chunk));
            *sent += chunk;
            if (*sent >= image.size()) {
                timer->stop();
                client->disconnectFromHost();
            }
        });
        timer->start(2);
    });

    DownloadHelper helper("127.0.0.1", m_server.serverPort());
    download(helper);

    QCOMPARE(m_images.size(), 1);
    QCOMPARE(m_images.first(), image);
    QVERIFY(!m_progress.isEmpty());
    QCOMPARE(m_progress.last(), lastPercent);
    QVERIFY(std::is_sorted(m_progress.cbegin(), m_progress.cend()));
    // One report per read of at most 1024 bytes.
    QVERIFY(m_progress.size() >= (size + 1023) / 1024);

    // Every report matches the buffer length logged just before it.
    QList<int> lengths;
    for (const QString& line : qAsConst(s_debugLines)) {
        if (line.startsWith("buffer length "))
            lengths << line.mid(14).toInt();
    }
    QCOMPARE(lengths.size(), m_progress.size());
    int previous = 0;
    for (int i = 0; i < lengths.size(); ++i) {
        QVERIFY(lengths.at(i) > previous && lengths.at(i) - previous <= 1024);
        QCOMPARE(m_progress.at(i), expectedPercent(lengths.at(i)));
        previous = lengths.at(i);
    }
    QCOMPARE(previous, size);
}

void TestDownloadHelper::onePieceOneReport()
{
    // The server sends the next piece only once the previous one has been reported, so
    // pieces cannot merge on the way.
    const int piece = 300;
    const int pieces = 5;
    QTcpSocket* client = nullptr;
    int sent = 0;
    connect(&m_server, &QTcpServer::newConnection, this, [&] {
        client = m_server.nextPendingConnection();
        m_clients << client;
        client->write(QByteArray(piece, 'a'));
        ++sent;
    });

    DownloadHelper helper("127.0.0.1", m_server.serverPort());
    connect(&helper, &DownloadHelper::_progressChanged, this, [&] {
        if (sent < pieces) {
            client->write(QByteArray(piece, 'a'));
            ++sent;
        } else {
            client->disconnectFromHost();
        }
    });
    download(helper);

    QCOMPARE(m_progress, (QList<int>{1, 2, 4, 5, 6}));
    QCOMPARE(m_images.size(), 1);
    QCOMPARE(m_images.first().size(), piece * pieces);
}

void TestDownloadHelper::serverClosesWithoutData()
{
    connect(&m_server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* client = m_server.nextPendingConnection();
        m_clients << client;
        client->disconnectFromHost();
    });
    DownloadHelper helper("127.0.0.1", m_server.serverPort());
    download(helper);
    QVERIFY(m_progress.isEmpty());
    QVERIFY(m_images.isEmpty());
}

void TestDownloadHelper::refusedConnectionEndsWait()
{
    const quint16 port = closedPort();
    QVERIFY(port != 0);
    DownloadHelper helper("127.0.0.1", port);
    helper.setStallTimeout(60000); // the error, not the stall guard, must end the wait
    QElapsedTimer clock;
    clock.start();
    download(helper);
    QVERIFY(clock.elapsed() < 20000);
    QVERIFY(m_images.isEmpty());
    QVERIFY(m_progress.isEmpty());
    QVERIFY(s_debugLines.filter(QRegularExpression("^socket error \".+\"$")).size() == 1);
}

void TestDownloadHelper::silentServerEndsWaitAfterStall()
{
    connect(&m_server, &QTcpServer::newConnection, this,
            [&] { m_clients << m_server.nextPendingConnection(); });
    DownloadHelper helper("127.0.0.1", m_server.serverPort());
    QCOMPARE(helper.stallTimeout(), DownloadHelper::DefaultStallTimeout);
    helper.setStallTimeout(200);
    QCOMPARE(helper.stallTimeout(), 200);

    QElapsedTimer clock;
    clock.start();
    download(helper);
    QVERIFY(clock.elapsed() >= 150);
    QVERIFY(clock.elapsed() < 20000);
    QCOMPARE(m_clients.size(), 1);
    QVERIFY(m_images.isEmpty());
}

void TestDownloadHelper::stallAfterPartialImageEmitsNothing()
{
    connect(&m_server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* client = m_server.nextPendingConnection();
        m_clients << client;
        client->write(makeImage(1000));
    });
    DownloadHelper helper("127.0.0.1", m_server.serverPort());
    helper.setStallTimeout(200);
    download(helper);
    QCOMPARE(m_progress, QList<int>{4});
    QVERIFY(m_images.isEmpty());
}

void TestDownloadHelper::unknownHostEndsWait()
{
    // Whether the resolver answers at once or not at all, the wait ends.
    DownloadHelper helper("no-such-host.invalid", 80);
    helper.setStallTimeout(1000);
    QElapsedTimer clock;
    clock.start();
    download(helper);
    QVERIFY(clock.elapsed() < 20000);
    QVERIFY(m_images.isEmpty());
}

void TestDownloadHelper::endlessServerIsCutOff()
{
    // The server would send far more than any image; the client gives up at its limit.
    const QByteArray block(256 * 1024, 'e');
    connect(&m_server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* client = m_server.nextPendingConnection();
        m_clients << client;
        connect(client, &QTcpSocket::bytesWritten, client, [client, &block] {
            if (client->bytesToWrite() < block.size())
                client->write(block);
        });
        client->write(block);
    });
    DownloadHelper helper("127.0.0.1", m_server.serverPort());
    helper.setStallTimeout(60000);
    QElapsedTimer clock;
    clock.start();
    download(helper);
    QVERIFY(clock.elapsed() < 20000);
    QVERIFY(m_images.isEmpty());
    QVERIFY(!m_progress.isEmpty());
    QVERIFY(m_progress.last() > DownloadHelper::MaxImageSize / 25140 * 100);
}

void TestDownloadHelper::logLines()
{
    connect(&m_server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket* client = m_server.nextPendingConnection();
        m_clients << client;
        client->write("xyz");
        client->disconnectFromHost();
    });
    const QString port = QString::number(m_server.serverPort());
    {
        DownloadHelper helper("127.0.0.1", 1);
        helper.setServerAddress("127.0.0.1", m_server.serverPort());
        download(helper);
    }
    const QStringList expected{"start connect to server",
                               "client connected to \"127.0.0.1\" at port " + port,
                               "buffer length 3",
                               "socket error \"The remote host closed the connection\"",
                               "client disconnected to \"127.0.0.1\" at port " + port,
                               "close connection"};
    QStringList seen = s_debugLines;
    seen.removeAll("host found");
    QCOMPARE(seen, expected);
}

QTEST_GUILESS_MAIN(TestDownloadHelper)
#include "tst_downloadhelper.moc"
