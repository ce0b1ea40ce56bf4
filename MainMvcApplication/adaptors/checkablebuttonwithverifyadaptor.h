#ifndef CHECKABLEBUTTONWITHVERIFYADAPTOR_H
#define CHECKABLEBUTTONWITHVERIFYADAPTOR_H

#include "checkablebuttonadaptor.h"

// An on/off picture button (a servo direction) that the user must confirm before the
// change is written; a refused click toggles the button back.
class CheckableButtonWithVerifyAdaptor : public CheckableButtonAdaptor
{
    Q_OBJECT

public:
    explicit CheckableButtonWithVerifyAdaptor(QObject* inputField, QObject* parent = nullptr);

signals:
    // Asks for consent; the receiver must be connected directly and set *accepted
    // before returning (it stays false otherwise).
    void _clicked(QObject* field, bool checked, bool* accepted);

public slots:
    void clicked(bool checked) override;
};

#endif // CHECKABLEBUTTONWITHVERIFYADAPTOR_H
