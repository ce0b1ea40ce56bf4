#ifndef GEARRATIOLINEEDITADAPTOR_H
#define GEARRATIOLINEEDITADAPTOR_H

#include "lineeditadaptor.h"

// The governor's gear ratio, stored by the unit in hundredths (1250 is 12.50) and shown
// with two digits on each side of the point ("09.05" for 905). Typed text may use a
// comma or a point; a single digit after it counts as tenths ("12.5" is 1250).
class GearRatioLineEditAdaptor : public LineEditAdaptor
{
    Q_OBJECT

public:
    explicit GearRatioLineEditAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

    // The conversions themselves, between the unit's hundredths and the edit's text.
    static QString textFromValue(int value);
    static int valueFromText(const QString& text);
};

#endif // GEARRATIOLINEEDITADAPTOR_H
