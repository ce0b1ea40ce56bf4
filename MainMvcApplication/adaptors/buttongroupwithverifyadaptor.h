#ifndef BUTTONGROUPWITHVERIFYADAPTOR_H
#define BUTTONGROUPWITHVERIFYADAPTOR_H

#include "buttongroupadaptor.h"

// A choice on a ButtonGroup that the user must confirm before it is written. The
// confirmed choice is the group's last checked button: a refused click re-checks it.
class ButtonGroupWithVerifyAdaptor : public ButtonGroupAdaptor
{
    Q_OBJECT

public:
    explicit ButtonGroupWithVerifyAdaptor(QObject* inputField, QObject* parent = nullptr);

    // Also makes the button shown the confirmed one, so a later refusal returns to the
    // value last received from the unit.
    void setValue(const QVariant& val) override;

signals:
    // Asks for consent; the receiver must be connected directly and set *accepted
    // before returning (it stays false otherwise).
    void _buttonClicked(QObject* field, int id, bool* accepted);

public slots:
    void buttonClicked(int id) override;
};

#endif // BUTTONGROUPWITHVERIFYADAPTOR_H
