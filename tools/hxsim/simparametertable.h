#ifndef SIMPARAMETERTABLE_H
#define SIMPARAMETERTABLE_H

#include <QVector>

// The parameter space of the virtual unit: every address it knows, with the factory
// default and the legal range of the raw value (what the unit stores), and the groups that
// the commands at address 10 reset.
class SimParameterTable
{
public:
    enum Access {
        Setting,  // read and written; kept in the state file
        ReadOnly, // device information
        Live,     // measured by the unit, read only
        Command,  // written to make the unit do something; reads give its state
        Record    // flight-log record, read in chunks
    };

    struct Definition
    {
        int address = 0;
        int defaultValue = 0;
        int minimum = 0;
        int maximum = 0;
        Access access = Setting;
    };

    static const QVector<Definition>& all();
    // nullptr for an address the unit does not know.
    static const Definition* find(int address);
    // The addresses a command value at address 10 resets; empty for a value the unit
    // refuses.
    static QVector<int> resetGroup(int command);
    static QVector<int> resetCommands();
};

#endif // SIMPARAMETERTABLE_H
