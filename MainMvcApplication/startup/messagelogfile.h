#ifndef MESSAGELOGFILE_H
#define MESSAGELOGFILE_H

#include <QHash>
#include <QString>
#include <QtGlobal>

// The log file behind the message handler, kept useful when something repeats without end
// (a unit that refuses every read warns ten times a second): a warning already written
// since the last connection of a unit is counted instead of written again, and the count
// is written at 10, 100, 1000... repeats and when the next connection begins. The file is
// kept under a size bound: when a line would pass it, the file becomes "<name>.1" (the
// previous one is dropped) and a new one starts. Lines are written whole.
// Not thread-safe: the caller serialises.
class MessageLogFile
{
public:
    static constexpr qint64 DefaultMaxBytes = 1024 * 1024;

    explicit MessageLogFile(qint64 maxBytes = DefaultMaxBytes)
        : m_maxBytes(maxBytes)
    {}

    // Writes the line (no line end) for a message of the given type and text to the file
    // at path, unless it repeats a warning of this connection.
    void write(const QString& path, QtMsgType type, const QString& text, const QString& line);
    // A unit was connected: the repeats counted so far are written, and every warning may
    // be written once more.
    void startConnection(const QString& path);

private:
    struct Repeat
    {
        QString line;
        int seen = 1;     // times the warning came in this connection
        int reported = 1; // the count the file already tells of
    };

    void append(const QString& path, const QString& line);
    static QString countLine(const Repeat& repeat);

    qint64 m_maxBytes;
    QHash<QString, Repeat> m_warnings;
};

#endif // MESSAGELOGFILE_H
