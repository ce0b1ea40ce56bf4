#ifndef SWASHTRIMCYCLICADAPTOR_H
#define SWASHTRIMCYCLICADAPTOR_H

#include "abstractfieldadaptor.h"

// One of the six cyclic swash trims (a type and a direction) of a SwashTrimCyclic. The
// raw value is the trim + 100 (0..200). All six adaptors hear every trim change of the
// widget; each takes only its own.
//
// The value is the widget's current trim + 100, so that a raw 0 (trim -100) coming
// from the unit is shown like any other.
class SwashTrimCyclicAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit SwashTrimCyclicAdaptor(QObject* inputField, QObject* parent = nullptr);

    // SwashTrimCyclic::TrimType (0 to 2) and TrimDirection (0 or 1).
    void setType(int type);
    int type() const;
    void setDirection(int direction);
    int direction() const;

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

public slots:
    // The blocking flag marks one of a batch (the widget's clear button) and is passed on.
    void trimValueChanged(int type, int direction, int val, bool blocking);

private:
    int m_direction = 0;
    int m_type = 0;
};

#endif // SWASHTRIMCYCLICADAPTOR_H
