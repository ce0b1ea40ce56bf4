#ifndef BUTTONGROUPADAPTOR_H
#define BUTTONGROUPADAPTOR_H

#include "abstractfieldadaptor.h"

// A QButtonGroup for a choice parameter: the raw value is the id of the checked button
// (-1 when none is checked).
class HXADAPTORVIEWS_EXPORT ButtonGroupAdaptor : public AbstractFieldAdaptor
{
    Q_OBJECT

public:
    explicit ButtonGroupAdaptor(QObject* inputField, QObject* parent = nullptr);

    QVariant getValue() const override;
    // Checks the button with the value as id; an id the group lacks changes nothing.
    void setValue(const QVariant& val) override;

signals:
    void _buttonToggled(int id, bool checked);
    void _buttonClicked(QObject* field, int id);

public slots:
    virtual void buttonClicked(int id);
};

#endif // BUTTONGROUPADAPTOR_H
