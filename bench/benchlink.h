#ifndef BENCHLINK_H
#define BENCHLINK_H

#include <serialmanager.h>

#include <QSemaphore>
#include <QStringList>

#include <atomic>

// A device link that takes every request and sends nothing. Once given answers, its thread
// emits them round and round through the link's own answer signal, so that they reach the
// controller through the same queued connection from a second thread as the unit's do. It
// sends in batches and, after each, waits until the controller has taken an earlier one
// (batchTaken), so that the queue never runs dry and never grows.
class SilentLink : public SerialManager
{
    Q_OBJECT
public:
    static constexpr int BatchSize = 100;

    bool isConnected() override { return true; }
    void requestReadOne(const QVariant&) override {}
    void requestRead(const QVariant&) override {}
    void requestWrite(const QVariant&) override {}
    void requestWriteLoaded(const QVariant&) override {}

    // Starts feeding these answers, from the main thread while the link's thread idles.
    void feed(const QStringList& answers)
    {
        m_answers = answers;
        m_stop = false;
        m_credit.release(2);
        m_go.release(1);
    }
    // Stops feeding; returns once the link's thread has stopped sending.
    void stopFeeding()
    {
        m_stop = true;
        m_credit.release(1);
        m_idle.acquire(1);
        m_credit.acquire(m_credit.available());
    }
    // Called in the main thread for each batch the controller has taken.
    void batchTaken() { m_credit.release(1); }
    // Ends the link's thread (before the controller goes, which only quits event loops).
    void finish()
    {
        m_exit = true;
        m_go.release(1);
        wait(2000);
    }

signals:
    void batchDone();

protected:
    void run() override
    {
        while (true) {
            m_go.acquire(1);
            if (m_exit)
                return;
            sendAll();
        }
    }

private:
    void sendAll()
    {
        int next = 0;
        while (true) {
            m_credit.acquire(1);
            if (m_stop)
                break;
            for (int i = 0; i < BatchSize; ++i) {
                emit _responseToUpdateUi(QVariant(m_answers.at(next)));
                next = (next + 1) % m_answers.size();
            }
            emit batchDone();
        }
        m_idle.release(1);
    }

    QStringList m_answers;
    QSemaphore m_credit;
    QSemaphore m_idle;
    QSemaphore m_go;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_exit{false};
};

#endif // BENCHLINK_H
