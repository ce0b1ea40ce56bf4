#ifndef POLLINGTRACE_H
#define POLLINGTRACE_H

#include <QString>

class AdaptorModel;
class QTabWidget;

// What the trace says about reading ("hx.polling", and "hx.polling.live" for the live values
// read on every tick). It answers the pilot's "the tab showed another value than the unit":
// each read request, and each answer that changed what the program knew of a setting or was
// not shown, with the reason. Answers that only repeat the known value are left out.
class PollingTrace
{
public:
    // Whether answers are traced at all: the answer path asks before it gathers anything.
    static bool answersTraced();
    // A read request of the tab shown in `tabs`; nothing for an empty one.
    static void read(const QTabWidget* tabs, const QString& addresses);
    // An answer of the unit, just before `adaptors` is given it: `known` is what the program
    // held for the address until now.
    static void answer(const AdaptorModel& adaptors, int address, int value, int known);
};

#endif // POLLINGTRACE_H
