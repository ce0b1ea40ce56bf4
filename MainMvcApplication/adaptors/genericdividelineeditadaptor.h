#ifndef GENERICDIVIDELINEEDITADAPTOR_H
#define GENERICDIVIDELINEEDITADAPTOR_H

#include "lineeditadaptor.h"

// A line edit showing the raw value multiplied by a divisor (head speeds: the unit
// stores rpm / 10). Typed text is divided and rounded to the nearest step, halves up,
// and the edit is rewritten to the value actually sent ("1235" sends 124, shows 1240).
class GenericDivideLineEditAdaptor : public LineEditAdaptor
{
    Q_OBJECT

public:
    explicit GenericDivideLineEditAdaptor(QObject* inputField, QObject* parent = nullptr);

    // A divisor below 1 is taken as 1.
    void setDivisor(int divisor);
    int divisor() const;

    // Rounds the typed text to a whole step and writes the rounded text back.
    QVariant getValue() const override;
    void setValue(const QVariant& val) override;

public slots:
    void returnPressed() override;

private:
    int m_divisor = 10;
};

#endif // GENERICDIVIDELINEEDITADAPTOR_H
