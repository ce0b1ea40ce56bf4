#ifndef MESSAGELOG_H
#define MESSAGELOG_H

#include <QString>
#include <QtGlobal>

// The program's message handler: appends every message as one line ("Debug: ...",
// "Warning: ...", "Critical: ...", "Fatal: ...", "Info: ...") to the file "log" in the
// working directory. Safe to enter from several threads at once: lines are never torn.
// A log that cannot be opened loses the message silently.
void logMessageToFile(QtMsgType type, const QMessageLogContext& context, const QString& message);

// Sends the lines to `path` from now on instead of to "log" in the working directory (the
// entry fixes the log's place once at start-up; see DataLocation::logFilePath).
void setLogFilePath(const QString& path);

#endif // MESSAGELOG_H
