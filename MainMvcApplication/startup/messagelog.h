#ifndef MESSAGELOG_H
#define MESSAGELOG_H

#include <QString>
#include <QtGlobal>

// The program's message handler: appends every message as one line ("Debug: ...",
// "Warning: ...", "Critical: ...", "Fatal: ...", "Info: ...") to the file "log" in the
// working directory. Safe to enter from several threads at once: lines are never torn.
// A log that cannot be opened loses the message silently. A warning repeated while one unit
// stays connected is written once and counted; the file is kept under a size bound with the
// previous one as "log.1" (MessageLogFile). The trace's lines (categories "hx.*", off unless
// switched on, TraceSwitch) also say when and from which part they came:
// "Debug: 14:02:11.348 hx.writes: ...".
void logMessageToFile(QtMsgType type, const QMessageLogContext& context, const QString& message);
// A unit was connected: warnings repeated since the last connection are written with their
// count, and each warning is written once more when it comes again.
void startLogForConnection();

// Sends the lines to `path` from now on instead of to "log" in the working directory (the
// entry fixes the log's place once at start-up; see DataLocation::logFilePath).
void setLogFilePath(const QString& path);

#endif // MESSAGELOG_H
