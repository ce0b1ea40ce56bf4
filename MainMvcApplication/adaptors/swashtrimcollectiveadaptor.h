#ifndef SWASHTRIMCOLLECTIVEADAPTOR_H
#define SWASHTRIMCOLLECTIVEADAPTOR_H

#include "abstractfieldadaptor.h"

// The collective swash trim of a SwashTrimCollective; the raw value is the trim + 100
// (0..200). The widget's clear button asks the unit to reset the trim, which goes out as
// a reset request rather than as a value.
//
// The value is the widget's current trim + 100, so that a raw 0 (trim -100) coming
// from the unit is shown like any other.
class SwashTrimCollectiveAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit SwashTrimCollectiveAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

public slots:
    void trimValueChanged(int val);
    // val is the unit's reset command, passed on without offset.
    void resetValue(int val);
};

#endif // SWASHTRIMCOLLECTIVEADAPTOR_H
