#ifndef POLLINGTRACE_H
#define POLLINGTRACE_H

#include <QString>

class QTabWidget;

// What the trace says about reading ("hx.polling", and "hx.polling.live" for the live values
// read on every tick). It answers the pilot's "the tab showed another value than the unit":
// each read request, and each answer that changed what the program knew of a setting or was
// not shown, with the reason. Answers that only repeat the known value are left out.
class PollingTrace
{
public:
    enum Fate {
        Shown,       // given to the widget (which skips a value it already shows)
        NoWidget,    // no widget shows the address; only the parameter model keeps it
        BeingEdited, // the pilot is editing the widget; the value is not applied later
    };

    // Whether answers are traced at all: the answer path asks before it gathers anything.
    static bool answersTraced();
    // A read request of the tab shown in `tabs`; nothing for an empty one.
    static void read(const QTabWidget* tabs, const QString& addresses);
    // An answer of the unit: `known` is what the program held for the address before it.
    static void answer(int address, int value, int known, Fate fate);
};

#endif // POLLINGTRACE_H
