#ifndef LINKTRACE_H
#define LINKTRACE_H

#include <QByteArray>
#include <QLoggingCategory>

// The link's trace, off unless switched on (HX_TRACE or QT_LOGGING_RULES, see the README):
//  - "hx.link.frames": every frame sent and received, as it is on the wire;
//  - "hx.link": ports probed, opened and lost, writes and their end, reads dropped.
// Both write debug messages only: the link's warnings are written whatever the trace says.
Q_DECLARE_LOGGING_CATEGORY(lcLinkFrames)
Q_DECLARE_LOGGING_CATEGORY(lcLink)

// A frame as a trace line shows it: without its line end, bytes outside printable ASCII as
// \xNN, and cut after a bound so that a long record chunk or garbage cannot flood the log.
QByteArray linkTraceText(const QByteArray& bytes);

#endif // LINKTRACE_H
