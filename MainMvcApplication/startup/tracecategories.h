#ifndef TRACECATEGORIES_H
#define TRACECATEGORIES_H

#include <QLoggingCategory>

// The program's trace, off unless switched on (TraceSwitch: HX_TRACE, or QT_LOGGING_RULES):
// debug messages only, written to the log like every other message. The link traces its
// frames and its own work under "hx.link.frames" and "hx.link".
//  - "hx.polling": what each tick asks of the unit, the watchdog, the reader being cleared,
//    and each answer that changes what the window knows of a setting or is not shown;
//  - "hx.polling.live": the same for the live values read on every tick (sticks, supply
//    voltage), which alone would fill the log within minutes;
//  - "hx.writes": each edit from its widget to the write, and how the window told its end;
//  - "hx.transfer": the file, backup and restore flows step by step;
//  - "hx.startup": where the program found its data, settings and strings, and when it was
//    ready.
Q_DECLARE_LOGGING_CATEGORY(lcPolling)
Q_DECLARE_LOGGING_CATEGORY(lcLiveValues)
Q_DECLARE_LOGGING_CATEGORY(lcWrites)
Q_DECLARE_LOGGING_CATEGORY(lcTransfer)
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

#endif // TRACECATEGORIES_H
