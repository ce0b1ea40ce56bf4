#include "messagelog.h"

#include "messagelogfile.h"

#include <QMutex>

namespace {

// Both the GUI thread and the device link's thread log; the lock keeps their lines whole
// and in the order in which they were written. A QBasicMutex needs no construction, so
// messages raised before main() or after static destruction are still safe.
QBasicMutex logMutex;

// Never destroyed: messages may come during static destruction.
MessageLogFile& logFile()
{
    static auto* file = new MessageLogFile;
    return *file;
}

} // namespace

void logMessageToFile(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    Q_UNUSED(context)
    QString line;
    switch (type) {
    case QtDebugMsg:
        line = QStringLiteral("Debug: %1").arg(message);
        break;
    case QtWarningMsg:
        line = QStringLiteral("Warning: %1").arg(message);
        break;
    case QtCriticalMsg:
        line = QStringLiteral("Critical: %1").arg(message);
        break;
    case QtFatalMsg:
        line = QStringLiteral("Fatal: %1").arg(message);
        break;
    default:
        line = QStringLiteral("Info: %1").arg(message);
        break;
    }
    QMutexLocker lock(&logMutex);
    logFile().write(QStringLiteral("log"), type, message, line);
}

void startLogForConnection()
{
    QMutexLocker lock(&logMutex);
    logFile().startConnection(QStringLiteral("log"));
}
