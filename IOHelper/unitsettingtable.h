#ifndef UNITSETTINGTABLE_H
#define UNITSETTINGTABLE_H

#include "hxio_global.h"

#include <QVector>

// The unit's settings: every address a pilot may change, with the factory default and the
// legal range of the raw value, as docs/protocol.md lists them. Commands, device
// information, live values and flight-log records are not settings.
class HXIO_EXPORT UnitSettingTable
{
public:
    struct Setting
    {
        int address;
        int defaultValue;
        int minimum;
        int maximum;
    };

    // In ascending address order.
    static const QVector<Setting>& all();
    // Null for an address that is not a setting.
    static const Setting* find(int address);
    static bool isSetting(int address) { return find(address) != nullptr; }
    static bool inRange(int address, int value);
};

#endif // UNITSETTINGTABLE_H
