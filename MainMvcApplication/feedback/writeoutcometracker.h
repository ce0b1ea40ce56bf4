#ifndef WRITEOUTCOMETRACKER_H
#define WRITEOUTCOMETRACKER_H

#include <QList>
#include <QObject>

// Follows each write that an edit of the window asked for until the link reports its end
// (SerialManager::_writeFinished), and tells how each edit ended. The window's address of
// an edit may differ from the unit's (1524 is written as 524); the tracker gives back the
// window's, so the outcome lands on the widget that caused the write.
//
// Writes that the tracker was not told about (a parameter file being written, the
// firmware switch) are left to their own flows.
class WriteOutcomeTracker : public QObject
{
    Q_OBJECT
public:
    enum Outcome { Confirmed, Failed, NotSent };
    Q_ENUM(Outcome)

    explicit WriteOutcomeTracker(QObject* parent = nullptr);
    ~WriteOutcomeTracker() override;

    // A write of value to unitAddress was handed to the link for the window's address.
    void writeSent(int windowAddress, int unitAddress, int value);
    // An edit that was kept in the window because no unit is connected.
    void writeNotSent(int windowAddress, int value);
    int pendingCount() const { return m_pending.size(); }

signals:
    void finished(int windowAddress, int value, WriteOutcomeTracker::Outcome outcome);

public slots:
    void writeFinished(int address, int value, bool confirmed);

private:
    struct Pending
    {
        int windowAddress;
        int unitAddress;
        int value;
    };
    QList<Pending> m_pending;
};

#endif // WRITEOUTCOMETRACKER_H
