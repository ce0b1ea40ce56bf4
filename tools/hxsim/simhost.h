#ifndef SIMHOST_H
#define SIMHOST_H

#include "simserver.h"

#include <QThread>

#include <functional>

// Runs a virtual unit in a thread of its own, as the real one runs beside the program.
// run() executes a function in that thread and waits for it, which is how a test looks
// at or changes the unit.
class SimHost
{
public:
    explicit SimHost(const SimOptions& options)
    {
        m_thread.start();
        m_anchor.moveToThread(&m_thread);
        run([this, options]() {
            m_server = new SimServer(options);
            m_started = m_server->start(&m_error);
            m_path = m_server->portPath();
        });
    }

    ~SimHost()
    {
        run([this]() {
            delete m_server;
            m_server = nullptr;
        });
        m_thread.quit();
        m_thread.wait();
    }

    bool started() const { return m_started; }
    QString error() const { return m_error; }
    QString path() const { return m_path; }

    void run(const std::function<void()>& f)
    {
        QMetaObject::invokeMethod(&m_anchor, f, Qt::BlockingQueuedConnection);
    }
    template<typename T>
    T get(const std::function<T(SimServer*)>& f)
    {
        T value{};
        run([&]() { value = f(m_server); });
        return value;
    }
    SimServer* server() const { return m_server; }

private:
    QThread m_thread;
    QObject m_anchor;
    SimServer* m_server = nullptr;
    bool m_started = false;
    QString m_error;
    QString m_path;
};

#endif // SIMHOST_H
