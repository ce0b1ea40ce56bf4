#ifndef SCREENSHOTHOOK_H
#define SCREENSHOTHOOK_H

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>

class MainController;

// A development aid for machines without a screen: once the unit is connected and live
// values have reached the receiver tab, it saves a picture of the main window to a file
// and ends the program. Enabled by HX_SCREENSHOT=<file.png> (see main.cpp).
//
// Exit code 0 when the picture shows a connected unit; 3 when no unit answered within
// the time limit (the picture is saved all the same, showing the disconnected window).
class ScreenshotHook : public QObject
{
    Q_OBJECT
public:
    ScreenshotHook(MainController* controller, const QString& path, int timeoutMs,
                   QObject* parent = nullptr);

private slots:
    void portStatusChanged(int status);
    void answerArrived(const QVariant& answer);
    void check();

private:
    void finish(int exitCode);

    MainController* m_controller;
    QString m_path;
    int m_timeoutMs;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceConnected;
    QElapsedTimer m_sinceLive;
    QTimer m_poll;
    bool m_connected = false;
    int m_liveAnswers = 0;
    bool m_done = false;
};

#endif // SCREENSHOTHOOK_H
