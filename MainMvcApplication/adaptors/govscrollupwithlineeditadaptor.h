#ifndef GOVSCROLLUPWITHLINEEDITADAPTOR_H
#define GOVSCROLLUPWITHLINEEDITADAPTOR_H

#include "sliderwithlineeditadaptor.h"

// The governor's spool-up speed step (1..5), as the unit stores it.
class GovScrollUpWithLineEditAdaptor : public SliderWithLineEditAdaptor
{
    Q_OBJECT

public:
    GovScrollUpWithLineEditAdaptor(QObject* slider, QObject* lineEdit, QObject* parent = nullptr);

    QVariant getValue() const override;
    void setValue(const QVariant& val) override;
};

#endif // GOVSCROLLUPWITHLINEEDITADAPTOR_H
