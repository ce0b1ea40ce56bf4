#ifndef SERVOANGLEADAPTOR_H
#define SERVOANGLEADAPTOR_H

#include "abstractfieldadaptor.h"

// The swash phasing angle (whole degrees, 0..359) shown by an AdvanceServosView. The user
// turns it with the window's rotate buttons; the controller then writes the new angle.
class ServoAngleAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit ServoAngleAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;
};

#endif // SERVOANGLEADAPTOR_H
