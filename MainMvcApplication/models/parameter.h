#ifndef PARAMETER_H
#define PARAMETER_H

#include <QMetaType>

// The last known raw value of one parameter of the unit, exactly as the unit stores it.
// Records are owned by the ParameterModel they are inserted into.
struct Parameter
{
    qint32 address = 0;
    qint32 value = 0;
};

Q_DECLARE_METATYPE(Parameter*)

#endif // PARAMETER_H
