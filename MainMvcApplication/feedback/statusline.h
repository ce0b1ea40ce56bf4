#ifndef STATUSLINE_H
#define STATUSLINE_H

#include <QLabel>
#include <QString>
#include <QTimer>

// The line of text in the window's bottom bar: short messages about what just happened
// (a write confirmed, refused, not sent), each for a few seconds, and between them a
// lasting text (why no unit is connected, or nothing).
class StatusLine : public QLabel
{
    Q_OBJECT
public:
    enum Kind { Info, Success, Failure };

    explicit StatusLine(QWidget* parent = nullptr);
    ~StatusLine() override;

    // Shows text for ms milliseconds, then the lasting text again.
    void showMessage(const QString& text, Kind kind, int ms = 5000);
    void setLastingText(const QString& text, Kind kind = Info);
    QString message() const { return m_message; }
    QString lastingText() const { return m_lasting; }

private:
    void present(const QString& text, Kind kind);
    void messageTimedOut();

    QTimer m_timer;
    QString m_message;
    QString m_lasting;
    Kind m_lastingKind = Info;
};

#endif // STATUSLINE_H
