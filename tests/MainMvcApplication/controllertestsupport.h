#ifndef CONTROLLERTESTSUPPORT_H
#define CONTROLLERTESTSUPPORT_H

// Test doubles shared by the controller's tests: a device link that records what it is
// asked to do instead of talking to a port, a controller whose file dialogs are answered
// by the test, and a helper that answers the message boxes the controller shows.

#include "maincontroller.h"
#include "mainwidget.h"

#include <appconfigmanager.h>
#include <resourcemanager.h>
#include <serialmanager.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

// Captures every request; answers and port status are injected by the test through the
// controller's slots. Its thread only runs an idle event loop.
class RecordingLink : public SerialManager
{
public:
    struct Request
    {
        QString kind;
        QString text;
        qint64 atMs;
    };

    RecordingLink() { clock.start(); }

    bool isConnected() override { return connected; }
    void requestReadOne(const QVariant& request) override { record("readOne", request); }
    void requestRead(const QVariant& request) override { record("read", request); }
    void requestWrite(const QVariant& request) override { record("write", request); }
    void requestWriteLoaded(const QVariant& request) override { record("writeLoaded", request); }
    // Remembers how many requests came before each clear of the reader.
    void clearAllSignalsInReader() override
    {
        clearsAt.append(requests.size());
        SerialManager::clearAllSignalsInReader();
    }

    QStringList texts(const QString& kind) const
    {
        QStringList list;
        for (const Request& request : requests) {
            if (request.kind == kind)
                list << request.text;
        }
        return list;
    }
    QStringList reads() const { return texts(QStringLiteral("read")); }
    // Reads sent once writing had begun: polling goes on while a confirmation box is
    // open, however long the user (or a slow test machine) takes to answer it.
    QStringList readsAfterFirstWrite() const
    {
        QStringList list;
        bool writing = false;
        for (const Request& request : requests) {
            writing = writing || request.kind == QLatin1String("write");
            if (writing && request.kind == QLatin1String("read"))
                list << request.text;
        }
        return list;
    }
    QStringList writes() const { return texts(QStringLiteral("write")); }
    void clear()
    {
        requests.clear();
        clearsAt.clear();
    }

    bool connected = false;
    QList<Request> requests;
    QList<int> clearsAt;
    // Called after each recorded write (on the caller's thread).
    std::function<void()> onWrite;
    QElapsedTimer clock;

protected:
    void run() override { exec(); }

private:
    void record(const char* kind, const QVariant& request)
    {
        // Requests must always be strings in variants, as the link expects them.
        if (request.userType() != QMetaType::QString)
            qWarning("request of type %s", request.typeName());
        requests.append({QString::fromLatin1(kind), request.toString(), clock.elapsed()});
        if (onWrite && requests.constLast().kind == QLatin1String("write"))
            onWrite();
    }
};

class TestController : public MainController
{
public:
    // A null link gives the real one.
    TestController(AppConfigManager* config, SerialManager* link)
        : MainController(config, link)
    {}

    QString openPath;
    QString savePath;
    QStringList dialogDirs;
    QStringList dialogCaptions;
    QStringList dialogFilters;
    int pauseMs = 0;
    // How long the "user" takes to choose a file; events are processed meanwhile.
    int dialogDelayMs = 0;

protected:
    QString chooseOpenPath(const QString& caption, const QString& dir,
                           const QString& filter) override
    {
        dialogCaptions << caption;
        dialogDirs << dir;
        dialogFilters << filter;
        QTest::qWait(dialogDelayMs);
        return openPath;
    }
    QString chooseSavePath(const QString& caption, const QString& dir,
                           const QString& filter) override
    {
        dialogCaptions << caption;
        dialogDirs << dir;
        dialogFilters << filter;
        QTest::qWait(dialogDelayMs);
        return savePath;
    }
    int loadedWritePauseMs() const override { return pauseMs; }
};

// Answers the next modal message boxes with the given buttons, in order, and remembers
// what each box showed.
class BoxAnswerer : public QObject
{
public:
    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    explicit BoxAnswerer(QList<QMessageBox::StandardButton> answers)
        : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
        m_timer.start(5);
    }

    // Called with each box just before it is answered.
    std::function<void(QMessageBox*)> onBox;
    QList<Seen> seen;

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == m_last || m_answers.isEmpty())
            return;
        m_last = box;
        const QMessageBox::StandardButton answer = m_answers.takeFirst();
        QAbstractButton* def = box->defaultButton();
        seen.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     def ? box->standardButton(def) : QMessageBox::NoButton});
        if (onBox)
            onBox(box);
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    QList<QMessageBox::StandardButton> m_answers;
    QPointer<QMessageBox> m_last;
    QTimer m_timer;
};

// For tests with a real link to a virtual unit: a lost unit is noticed within a few
// tenths of a second instead of seconds, and closing a dialog does not end the test.
inline void useFastLink()
{
    QApplication::setQuitOnLastWindowClosed(false);
    qputenv("HX_SERIAL_TIMEOUT_MS", "30");
    qputenv("HX_SERIAL_ATTEMPTS", "4");
    qputenv("HX_SERIAL_SCAN_MS", "100");
}

// The string table of the shipped English file (the tests run beside the data).
inline QString tr_(int id)
{
    return ResourceManager::instance(QStringLiteral("docs/en/strings.xml"))->getValue(id);
}

// A controller on a recording link, with its settings in a temporary folder.
struct ControllerFixture
{
    // `customLink` (taken over) replaces the plain recording link.
    explicit ControllerFixture(RecordingLink* customLink = nullptr)
    {
        tr_(0);
        config.reset(new AppConfigManager(dir.filePath(QStringLiteral("fbl.afc"))));
        link = customLink ? customLink : new RecordingLink;
        controller.reset(new TestController(config.data(), link));
        ui = controller->mainWindow();
    }
    ~ControllerFixture()
    {
        controller.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void goOnline(int tab)
    {
        ui->mainTab->setCurrentIndex(tab);
        link->connected = true;
        controller->handlePortStatusChanged(100);
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            QMetaObject::invokeMethod(controller.data(), "mainTimer_timeout");
    }
    void answer(const QString& text) { controller->handleParamsChanged(QVariant(text)); }

    QTemporaryDir dir;
    QScopedPointer<AppConfigManager> config;
    RecordingLink* link = nullptr;
    QScopedPointer<TestController> controller;
    Ui::MainWidget* ui = nullptr;
};

// Runs `action` inside the application's event loop and tells whether it asked the
// application to quit. (QCoreApplication::exec, unlike a local loop, also clears the quit
// request again, so later tests can still open dialogs.)
inline bool quitDuring(const std::function<void()>& action)
{
    bool finished = false;
    // Ends the loop when the action did not; it must not outlive this call.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    QTimer::singleShot(0, [&] {
        action();
        finished = true;
        fallback.start(100);
    });
    const int code = QCoreApplication::exec();
    return finished && code == 0;
}

#endif // CONTROLLERTESTSUPPORT_H
