#ifndef TRACESWITCH_H
#define TRACESWITCH_H

#include <QString>
#include <QStringList>

// Turns the trace on from the environment variable HX_TRACE, so that a pilot can be asked
// for one line instead of Qt's filter rules:
//   HX_TRACE=1 (or "all")   every part of the trace but the live values
//   HX_TRACE=writes,frames  only the parts named: frames, link, polling, live, writes,
//                           transfer, startup
// QT_LOGGING_RULES, when set too, is applied after these rules and so has the last word.
class TraceSwitch
{
public:
    // The parts that HX_TRACE may name, in the order the README lists them.
    static QStringList parts();
    // Qt's filter rules for a value of HX_TRACE; empty when it switches nothing on. Names
    // that are not parts are returned in `unknown`.
    static QString rulesFor(const QString& value, QStringList* unknown = nullptr);
    // Applies HX_TRACE, and logs what it switched on (or which names it did not know).
    static void applyFromEnvironment();
};

#endif // TRACESWITCH_H
