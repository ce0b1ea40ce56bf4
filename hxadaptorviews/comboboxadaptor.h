#ifndef COMBOBOXADAPTOR_H
#define COMBOBOXADAPTOR_H

#include "abstractfieldadaptor.h"

// A QComboBox whose items carry the raw values as their Qt::UserRole data, so the order
// of the entries on screen is free of the unit's numbering.
class HXADAPTORVIEWS_EXPORT ComboBoxAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit ComboBoxAdaptor(QObject* inputField, QObject* parent = nullptr);

    // The current item's data as stored (invalid when nothing is selected).
    QVariant getValue() const override;
    // Selects the first item whose data equals the value; an unknown value leaves the
    // selection as it is.
    void setValue(const QVariant& val) override;

signals:
    void _activated(QObject* field, int index);
    void _currentIndexChanged(int index);

public slots:
    virtual void activated(int index);
};

#endif // COMBOBOXADAPTOR_H
