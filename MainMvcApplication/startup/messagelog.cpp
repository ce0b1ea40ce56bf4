#include "messagelog.h"

#include "messagelogfile.h"

#include <QDateTime>
#include <QMutex>

namespace {

// Both the GUI thread and the device link's thread log; the lock keeps their lines whole
// and in the order in which they were written. A QBasicMutex needs no construction, so
// messages raised before main() or after static destruction are still safe.
QBasicMutex logMutex;
// Guarded by logMutex; empty means "log" in the working directory.
Q_GLOBAL_STATIC(QString, logPath)

// Never destroyed: messages may come during static destruction.
MessageLogFile& logFile()
{
    static auto* file = new MessageLogFile;
    return *file;
}

// Call with logMutex held.
QString currentLogPath()
{
    return !logPath.isDestroyed() && !logPath->isEmpty() ? *logPath : QStringLiteral("log");
}

// A trace line tells when and from which part of the program it came, so that the lines of
// a pilot's report can be put in order against what the pilot saw.
QString traceText(const QMessageLogContext& context, const QString& message)
{
    return QStringLiteral("%1 %2: %3")
            .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                 QLatin1String(context.category), message);
}

} // namespace

void logMessageToFile(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool traced = context.category && qstrncmp(context.category, "hx.", 3) == 0;
    const QString text = traced ? traceText(context, message) : message;
    QString line;
    switch (type) {
    case QtDebugMsg:
        line = QStringLiteral("Debug: %1").arg(text);
        break;
    case QtWarningMsg:
        line = QStringLiteral("Warning: %1").arg(text);
        break;
    case QtCriticalMsg:
        line = QStringLiteral("Critical: %1").arg(text);
        break;
    case QtFatalMsg:
        line = QStringLiteral("Fatal: %1").arg(text);
        break;
    default:
        line = QStringLiteral("Info: %1").arg(text);
        break;
    }
    QMutexLocker lock(&logMutex);
    logFile().write(currentLogPath(), type, message, line);
}

void startLogForConnection()
{
    QMutexLocker lock(&logMutex);
    logFile().startConnection(currentLogPath());
}

void setLogFilePath(const QString& path)
{
    QMutexLocker lock(&logMutex);
    if (!logPath.isDestroyed())
        *logPath = path;
}
